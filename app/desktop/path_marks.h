#pragma once

#include "coordfiles/row_mark.h"

class QPainter;

namespace brondel::documents {
class DrawingWindow;
}

namespace brondel::desktop {

// Marks over the drawing, not in it: where the last walk stopped (a red
// ring) and the nearest line end it never reached (a green ring), joined
// by a dashed line across the gap.
void paintPathMarks(QPainter& painter, const documents::DrawingWindow& window);

// Over the DAT preview: a green dot where the cut starts and small arrows
// along the path the way it runs.
void paintDirectionMarks(QPainter& painter, const engine::View& view,
                         const coordfiles::DatPathMarks& marks);

}  // namespace brondel::desktop
