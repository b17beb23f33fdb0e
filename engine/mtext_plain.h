#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Multi-line text without its format codes.
namespace brondel::engine {

// The lines of an MTEXT string as plain UTF-8: \P (and \N, and a real line
// break) end a line; \~ is a space; \\ \{ \} are the characters; \S a/b; and
// \S a#b; are "a/b", \S a^b; is "a^b" without blanks; \U+XXXX is the character; groups { } and the
// codes that set font, height, width, colour, tracking, slant, alignment or underlining are
// dropped; %% codes read as in single-line text. Never empty: a text of nothing is one empty line.
std::vector<std::string> mtextPlainLines(const std::string& text);

// Number of characters (UTF-8 code points) in s.
std::size_t utf8Length(const std::string& s);

}  // namespace brondel::engine
