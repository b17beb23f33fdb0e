#pragma once

class QPainter;

namespace brondel::documents {
class DrawingWindow;
}

namespace brondel::desktop {

// Marks over the drawing, not in it: where the last walk stopped (a red
// ring) and the nearest line end it never reached (a green ring), joined
// by a dashed line across the gap.
void paintPathMarks(QPainter& painter, const documents::DrawingWindow& window);

}  // namespace brondel::desktop
