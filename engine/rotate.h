#pragma once

#include "engine/entity.h"

namespace brondel::engine {

// Turns the entity's geometry in place about (cx, cy) by angle radians in
// the drawing plane; z values stay as they are.
void rotateEntity(Entity& e, double cx, double cy, double angle);

}  // namespace brondel::engine
