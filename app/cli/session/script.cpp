#include "app/cli/session/script.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "shell/menu_model.h"
#include "shell/toolbar_model.h"

namespace brondel::cli::session {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isBlank(s[b])) {
        ++b;
    }
    while (e > b && isBlank(s[e - 1])) {
        --e;
    }
    return s.substr(b, e - b);
}

template <class T>
bool parseNumber(const std::string& s, T& value) {
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto r = std::from_chars(first, last, value);
    return r.ec == std::errc() && r.ptr == last && first != last;
}

// Checks a command's arguments and fills its parsed numbers; returns the
// reason when they do not fit.
std::string check(Command& c) {
    static const shell::MenuModel menus;
    static const shell::ToolbarModel toolbars;
    const auto count = c.args.size();
    auto needs = [&](std::size_t n) -> std::string {
        return count == n
                   ? ""
                   : c.verb + " takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s");
    };
    if (c.verb == "menu") {
        if (auto r = needs(1); !r.empty()) {
            return r;
        }
        return menus.find(c.args[0]) ? "" : "no menu item named " + c.args[0];
    }
    if (c.verb == "toolbar") {
        if (auto r = needs(2); !r.empty()) {
            return r;
        }
        if (!parseNumber(c.args[0], c.n) || c.n < 1 || c.n > 4) {
            return "toolbar number must be 1 to 4";
        }
        const auto& bar = toolbars.toolbar("asxToolbar" + std::to_string(c.n));
        if (!parseNumber(c.args[1], c.position) || c.position < 1 ||
            c.position > static_cast<int>(bar.buttons().size())) {
            return bar.name() + " has no position " + c.args[1];
        }
        return "";
    }
    if (c.verb == "press" || c.verb == "rpress" || c.verb == "release" || c.verb == "move") {
        if (auto r = needs(2); !r.empty()) {
            return r;
        }
        if (!parseNumber(c.args[0], c.x) || !parseNumber(c.args[1], c.y) || !std::isfinite(c.x) ||
            !std::isfinite(c.y)) {
            return "coordinates must be numbers";
        }
        return "";
    }
    if (c.verb == "key") {
        if (auto r = needs(1); !r.empty()) {
            return r;
        }
        return parseNumber(c.args[0], c.n) && c.n >= 0 && c.n <= 65535
                   ? ""
                   : "key code must be a number from 0 to 65535";
    }
    if (c.verb == "activate") {
        if (auto r = needs(1); !r.empty()) {
            return r;
        }
        return parseNumber(c.args[0], c.n) && c.n >= 1 ? "" : "window number must be 1 or more";
    }
    if (c.verb == "close-window" || c.verb == "close-main" || c.verb == "file-cancel") {
        return needs(0);
    }
    if (c.verb == "answer") {
        if (auto r = needs(1); !r.empty()) {
            return r;
        }
        const auto& a = c.args[0];
        return a == "ok" || a == "yes" || a == "no" || a == "cancel"
                   ? ""
                   : "answer must be ok, yes, no or cancel";
    }
    if (c.verb == "input" || c.verb == "click" || c.verb == "type") {
        return needs(1);
    }
    if (c.verb == "file") {
        if (count == 3 && c.args[1] == "type") {
            if (c.args[0].empty()) {
                return "file needs a path (file-cancel cancels the dialog)";
            }
            return parseNumber(c.args[2], c.n) && c.n >= 1 ? ""
                                                           : "file type must be a number from 1";
        }
        if (auto r = needs(1); !r.empty()) {
            return r;
        }
        return c.args[0].empty() ? "file needs a path (file-cancel cancels the dialog)" : "";
    }
    if (c.verb == "dump") {
        return count <= 1 ? "" : "dump takes at most one argument";
    }
    return "unknown command " + c.verb;
}

}  // namespace

ScriptError::ScriptError(int line, const std::string& text, const std::string& reason)
    : std::runtime_error("line " + std::to_string(line) + ": " + reason + ": " + text),
      line_(line) {}

std::vector<std::string> splitArguments(const std::string& line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (true) {
        while (i < n && isBlank(line[i])) {
            ++i;
        }
        if (i == n) {
            return args;
        }
        std::string arg;
        if (line[i] != '"') {
            while (i < n && !isBlank(line[i])) {
                if (line[i] == '"') {
                    throw std::invalid_argument("a quote inside an unquoted argument");
                }
                arg += line[i++];
            }
            args.push_back(std::move(arg));
            continue;
        }
        ++i;
        bool closed = false;
        while (i < n) {
            const char c = line[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\') {
                arg += c;
                continue;
            }
            if (i == n) {
                break;
            }
            const char e = line[i++];
            if (e == '"' || e == '\\') {
                arg += e;
            } else if (e == 'r') {
                arg += '\r';
            } else {
                throw std::invalid_argument(std::string("unknown escape \\") + e);
            }
        }
        if (!closed) {
            throw std::invalid_argument("unclosed quote");
        }
        if (i < n && !isBlank(line[i])) {
            throw std::invalid_argument("no blank after a closing quote");
        }
        args.push_back(std::move(arg));
    }
}

std::string quoteArgument(const std::string& arg) {
    const bool plain = !arg.empty() && arg.find_first_of(" \t\"\r") == std::string::npos;
    if (plain) {
        return arg;
    }
    std::string quoted = "\"";
    for (const char c : arg) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\r') {
            quoted += "\\r";
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::vector<Command> parseScript(const std::string& content) {
    std::vector<Command> commands;
    std::istringstream in(content);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        if (lineNumber == 1 && raw.rfind("\xEF\xBB\xBF", 0) == 0) {
            raw.erase(0, 3);
        }
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        const std::string text = trim(raw);
        if (text.empty() || text[0] == '#') {
            continue;
        }
        Command c;
        c.line = lineNumber;
        c.text = text;
        std::vector<std::string> words;
        try {
            words = splitArguments(text);
        } catch (const std::invalid_argument& e) {
            throw ScriptError(lineNumber, text, e.what());
        }
        c.verb = words.front();
        c.args.assign(words.begin() + 1, words.end());
        if (const std::string reason = check(c); !reason.empty()) {
            throw ScriptError(lineNumber, text, reason);
        }
        commands.push_back(std::move(c));
    }
    return commands;
}

}  // namespace brondel::cli::session
