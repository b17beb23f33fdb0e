#pragma once

#include <string>

namespace brondel::engine {

// Whether text matches the pattern, where `*` stands for any run of
// characters (none included) and `?` for exactly one; the letters A to Z
// compare without regard to case. Characters are UTF-8 code points.
bool matchesPattern(const std::string& text, const std::string& pattern);

}  // namespace brondel::engine
