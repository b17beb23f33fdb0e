#pragma once

#include "pathtools/pick_handler.h"

namespace brondel::pathtools {

// The start-point tool: marks the picked line's first point with a red "|",
// lets the user accept or reverse the direction, and on Yes records the
// line as the start entity.
ToolEnd setStartPoint(Press& press);

}  // namespace brondel::pathtools
