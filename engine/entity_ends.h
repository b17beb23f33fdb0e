#pragma once

#include "engine/entity.h"

namespace brondel::engine {

// The first or last point of an entity of any kind, as CadLineGetPoint1 and
// CadLineGetPoint2 answer them, for callers that hold the entity already.
Point3 entityEndPoint(const Entity& e, bool last);

}  // namespace brondel::engine
