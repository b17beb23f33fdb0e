#pragma once

#include "pathtools/pick_handler.h"

namespace brondel::pathtools {

// Lines radiating from the pressed point at a fixed angular step.
ToolEnd drawPolarArray(Press& press);
// Parallel lines at a fixed separation across the box of the diagonal under
// the press, which they replace.
ToolEnd drawVerticalArray(Press& press);
ToolEnd drawHorizontalArray(Press& press);

}  // namespace brondel::pathtools
