#pragma once

#include <optional>
#include <string_view>

namespace brondel::engine {

// What a line typed in the command window says.

// The command a name stands for: a caption ("draw line", any case), one of
// the usual short names ("line", "erase", "zp", "regen", ...) or a code
// ("205"). nullopt when it is none of these; a code need not be known.
std::optional<int> commandCodeFor(std::string_view text);

// A point typed while a command runs: "x,y" absolute, "@dx,dy" relative to
// the last point, or one number: a distance from the last point towards
// the cursor. Blanks around the parts are allowed; numbers use a full stop.
struct TypedPoint {
    enum class Kind { Absolute, Relative, Distance };
    Kind kind = Kind::Absolute;
    double x = 0, y = 0;  // a distance is in x
};
std::optional<TypedPoint> parseTypedPoint(std::string_view text);

}  // namespace brondel::engine
