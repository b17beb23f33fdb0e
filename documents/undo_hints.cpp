#include "documents/undo_hints.h"

#include "documents/drawing_window.h"

namespace brondel::documents {

std::string undoHint(const DrawingWindow* window) {
    if (window == nullptr || !window->Vecad1.drawing().canUndo()) {
        return "Nothing to undo";
    }
    return "Undo " + window->Vecad1.drawing().undoLabel();
}

std::string redoHint(const DrawingWindow* window) {
    // Redo leaves a drawing that is not shown alone.
    if (window == nullptr || !window->Vecad1.visible || !window->Vecad1.drawing().canRedo()) {
        return "Nothing to redo";
    }
    return "Redo " + window->Vecad1.drawing().redoLabel();
}

}  // namespace brondel::documents
