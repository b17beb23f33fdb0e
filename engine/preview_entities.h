#pragma once

#include <vector>

#include "engine/drawing.h"

namespace brondel::engine {

// Makes the preview drawing hold exactly `shown`, in order. The entities
// already there keep their handles and take the new geometry in place, so a
// preview redrawn at every move of the cursor does not use up fresh handles
// (each a share of the process-wide handle space) without end.
void showPreview(Drawing& preview, std::vector<Entity> shown);

}  // namespace brondel::engine
