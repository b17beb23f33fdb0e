#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "documents/drawing_window.h"
#include "engine/vecad.h"

// Line collection: the coordinate list of a drawing whose entity order is
// already the cutting path. One row per line, its first point, in entity
// order, then the second point of the last line; other kinds add nothing.
// A drawing without lines gives the single row "0, 0".
namespace brondel::coordfiles {

inline constexpr const char* kCollectingLinesTask = "Collecting lines";

struct CollectedLines {
    std::vector<std::string> rows;
    std::size_t lines = 0;
};

// Walks the drawing once; an entity whose points cannot be read or written
// as coordinate text is passed over. onEntity runs once per entity.
CollectedLines collectLineRows(const engine::Vecad& drawing,
                               const std::function<void()>& onEntity = {});

// Fills the window's coordinate list from its drawing control, with the busy
// pointer and the progress shown and the message loop let run once per
// entity. Returns the number of lines found.
std::size_t collectLines(documents::DrawingWindow& window);

}  // namespace brondel::coordfiles
