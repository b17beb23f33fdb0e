#pragma once

#include <string>

namespace brondel::engine {

// What a menu code that cannot apply to a two-dimensional engine answers,
// in one line; "" for every other code.
std::string inapplicableNotice(int code);

}  // namespace brondel::engine
