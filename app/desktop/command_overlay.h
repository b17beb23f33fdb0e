#pragma once

class QPainter;

namespace brondel::engine {
class Vecad;
}

namespace brondel::desktop {

// Draws what the control's running command shows over the drawing: its
// rubber band (lines, and a selection rectangle filled blue for a window,
// green and dashed for a crossing) and the marker of the point the cursor
// snaps to, shaped by the kind of snap.
void paintCommandOverlay(QPainter& painter, const engine::Vecad& vecad);

}  // namespace brondel::desktop
