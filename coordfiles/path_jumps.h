#pragma once

#include <string>

#include "engine/vecad.h"

// Where the lines of a drawing, taken in entity order, do not run end to
// end: the sequential conversion then jumps from one line's end to the next
// line's start.
namespace brondel::coordfiles {

struct PathJumps {
    int count = 0;
    double longest = 0;
};

// Jumps longer than within between one line's second point and the next
// line's first point.
PathJumps lineJumps(const engine::Vecad& vecad, double within);

// "" when there is no jump.
std::string jumpsText(const PathJumps& jumps);

}  // namespace brondel::coordfiles
