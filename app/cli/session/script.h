#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A session script: one command a line, read and checked in full before the
// session starts so a typing mistake never leaves a half-run session.
namespace brondel::cli::session {

struct Command {
    int line = 0;      // 1-based line number in the script
    std::string text;  // the line as written, surrounding blanks removed
    std::string verb;  // "menu", "press", ...
    std::vector<std::string> args;
    // Parsed numbers: toolbar number and position, window number, key code,
    // drawing coordinates.
    int n = 0;
    int position = 0;
    double x = 0;
    double y = 0;
};

// A line the session cannot run.
class ScriptError : public std::runtime_error {
  public:
    ScriptError(int line, const std::string& text, const std::string& reason);
    int line() const { return line_; }

  private:
    int line_;
};

// Splits a line at blanks. A double-quoted argument may hold blanks and the
// escapes \" \\ and \r (character 13). Throws std::invalid_argument with the
// reason for an unclosed quote or an unknown escape.
std::vector<std::string> splitArguments(const std::string& line);

// The argument as a script would write it, quoted when it needs quotes.
std::string quoteArgument(const std::string& arg);

// Reads the whole script; throws ScriptError naming the first bad line.
std::vector<Command> parseScript(const std::string& content);

}  // namespace brondel::cli::session
