#pragma once

#include <string>

#include "documents/drawing_window.h"

namespace brondel::documents {

// A finding of the path tools: shown in the prompt panel and kept in the
// window's command window, where it can be read again after the next prompt.
void reportLine(DrawingWindow& window, const std::string& text);

}  // namespace brondel::documents
