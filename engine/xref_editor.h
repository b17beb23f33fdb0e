#pragma once

#include <string>
#include <vector>

#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;

// Xref Manager: the drawing's references to other drawing files, with
// their paths and whether each is loaded; read again, detached (the block
// and its references removed) or bound (kept as an ordinary block). Each
// change is one undo step.
class XrefEditor : public TableEditor {
  public:
    enum class State { Loaded, NotFound, NotLoaded };
    struct Row {
        std::string name;
        std::string file;  // as the drawing keeps it
        std::string path;  // where that is on disk
        State state = State::NotLoaded;
        std::size_t references = 0;
    };

    XrefEditor(Drawing& drawing, std::string drawingFile)
        : drawing_(drawing), drawingFile_(std::move(drawingFile)) {}

    std::vector<Row> rows() const;
    std::string reload(const std::string& name);
    std::string detach(const std::string& name);
    std::string bind(const std::string& name);

    std::string title() const override { return "Xref Manager"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    // The reference's block name as the drawing spells it, "" when none.
    std::string find(const std::string& name) const;

    Drawing& drawing_;
    std::string drawingFile_;
};

}  // namespace brondel::engine
