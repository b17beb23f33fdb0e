#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tool.h"

namespace brondel::engine {

// What a line typed in the command window says.

// The command a name stands for: a caption ("draw line", any case), one of
// the usual short names ("line", "erase", "zp", "regen", ...) or a code
// ("205"). nullopt when it is none of these; a code need not be known.
std::optional<int> commandCodeFor(std::string_view text);

// A point typed while a command runs: "x,y" absolute, "@dx,dy" relative to
// the last point, "@d<a" a distance and an angle in degrees from the last
// point, or one number: a distance from the last point towards the cursor.
// Blanks around the parts are allowed; numbers use a full stop.
struct TypedPoint {
    enum class Kind { Absolute, Relative, Polar, Distance };
    Kind kind = Kind::Absolute;
    double x = 0, y = 0;  // a distance is in x; polar: distance in x, degrees in y
};
std::optional<TypedPoint> parseTypedPoint(std::string_view text);
// One finite number, blanks around it allowed.
std::optional<double> parseTypedNumber(std::string_view text);

// The option a typed word names: the option's capital letters ("C" for
// "Close", "CE" for "CEnter") or the whole option, in any case.
std::optional<std::string> matchOption(const std::vector<std::string>& options,
                                       std::string_view text);
// "Draw Polyline: next point [Arc/Close/Undo] <4>"
std::string askPrompt(std::string_view caption, const ToolAsk& ask);

}  // namespace brondel::engine
