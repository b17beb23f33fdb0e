#pragma once

#include "engine/entity_attributes.h"

namespace brondel::engine {

class Drawing;
struct Entity;
struct TextStyle;

// The drawing's current text style, null when its table lacks that name.
const TextStyle* currentTextStyle(const Drawing& drawing);

// The properties a new entity takes: the drawing's current layer, colour,
// line weight and line type over the entity's own line type scale.
EntityProps currentProps(const Drawing& drawing, EntityProps p);

// New text takes the drawing's current text style with its width factor and
// slant.
void takeCurrentTextStyle(const Drawing& drawing, Entity& e);

}  // namespace brondel::engine
