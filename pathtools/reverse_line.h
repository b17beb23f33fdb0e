#pragma once

#include "engine/vecad.h"

namespace brondel::pathtools {

// Turns an entity round in place so that its first point and last point
// change places, as one undo step. A line's two ends are swapped exactly
// (bit for bit), an arc runs back from its end angle, a polyline's
// vertices run in the other order. Any other kind is turned half a turn
// about the midpoint of its first and last point.
void reverseLine(engine::Vecad& vecad, engine::Handle h);

}  // namespace brondel::pathtools
