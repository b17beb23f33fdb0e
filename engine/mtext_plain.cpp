#include "engine/mtext_plain.h"

#include <charconv>
#include <cstdint>

#include "engine/io/dxf_text.h"

namespace brondel::engine {

namespace {

void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Position after the ';' that ends a code's argument (or the end).
std::size_t skipArgument(const std::string& s, std::size_t i) {
    const std::size_t end = s.find(';', i);
    return end == std::string::npos ? s.size() : end + 1;
}

}  // namespace

std::vector<std::string> mtextPlainLines(const std::string& s) {
    std::vector<std::string> lines(1);
    std::size_t i = 0;
    while (i < s.size()) {
        const char ch = s[i];
        if (ch == '{' || ch == '}') {
            ++i;
            continue;
        }
        if (ch == '\n') {
            lines.emplace_back();
            ++i;
            continue;
        }
        if (ch == '\r') {
            ++i;
            continue;
        }
        if (ch != '\\' || i + 1 >= s.size()) {
            lines.back() += ch;
            ++i;
            continue;
        }
        const char code = s[i + 1];
        i += 2;
        switch (code) {
            case 'P':
            case 'N':
            case 'X':
                lines.emplace_back();
                break;
            case '~':
                lines.back() += ' ';
                break;
            case '\\':
            case '{':
            case '}':
                lines.back() += code;
                break;
            case 'S': {
                // Stacked text up to ';': fractions "a/b" and "a#b" read
                // "a/b"; "a^b" (tolerances, and with a blank part sub- and
                // superscripts) keeps its caret and loses those blanks.
                const std::size_t semi = s.find(';', i);
                const std::size_t stop = semi == std::string::npos ? s.size() : semi;
                std::string stack = s.substr(i, stop - i);
                if (stack.find('^') != std::string::npos) {
                    std::erase(stack, ' ');
                }
                for (char& c : stack) {
                    if (c == '#') {
                        c = '/';
                    }
                }
                lines.back() += stack;
                i = skipArgument(s, i);
                break;
            }
            case 'U':
                if (i < s.size() && s[i] == '+' && i + 5 <= s.size()) {
                    std::uint32_t c = 0;
                    const auto r = std::from_chars(s.data() + i + 1, s.data() + i + 5, c, 16);
                    if (r.ec == std::errc() && r.ptr == s.data() + i + 5) {
                        appendUtf8(lines.back(), c);
                        i += 5;
                        break;
                    }
                }
                lines.back() += "\\U";
                break;
            case 'f':
            case 'F':
            case 'H':
            case 'W':
            case 'Q':
            case 'T':
            case 'A':
            case 'C':
            case 'c':
            case 'p':
                i = skipArgument(s, i);
                break;
            case 'L':
            case 'l':
            case 'O':
            case 'o':
            case 'K':
            case 'k':
                break;
            default:
                // Not a code: the backslash is a character.
                lines.back() += '\\';
                lines.back() += code;
                break;
        }
    }
    // The special characters of single-line text (%%d, %%176, ...) hold in
    // multi-line text too.
    for (std::string& line : lines) {
        line = io::dxf::resolvePercentCodes(line);
    }
    return lines;
}

std::size_t utf8Length(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

}  // namespace brondel::engine
