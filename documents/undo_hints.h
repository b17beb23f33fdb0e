#pragma once

#include <string>

namespace brondel::documents {

class DrawingWindow;

// What Undo and Redo of the Edit menu would do in a drawing window, for the
// status text of their items: "Undo Reorganize", "Nothing to undo". Both act
// on the drawing, Redo only while it is shown.
std::string undoHint(const DrawingWindow* window);
std::string redoHint(const DrawingWindow* window);

}  // namespace brondel::documents
