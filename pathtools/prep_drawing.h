#pragma once

#include <functional>

#include "documents/drawing_window.h"

// Drawing preparation: compound entities broken into simple ones, erased
// entities purged, and the purge on its own.
namespace brondel::pathtools {

inline constexpr int kPrepPasses = 3;
inline constexpr const char* kPreparingDrawingTask = "Preparing drawing";

// Purges, explodes everything three times (parts of parts included), counts
// the lines and reports the count. Failing engine calls are passed over. The
// whole preparation is one undo step. Returns the number of lines.
int prepDrawing(documents::DrawingWindow& window);

// The number of line entities in the drawing. onEntity runs once per entity.
int countLines(const engine::Vecad& vecad, const std::function<void()>& onEntity = {});

// Removes the entities marked erased.
void purgeDeleted(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
