#pragma once

#include <string>
#include <vector>

#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;
struct LineTypeFile;

// Format Linetype: the line type new entities take, and loading line types
// from a .lin file into the drawing's table. Each change is one undo step.
class LineTypeEditor : public TableEditor {
  public:
    explicit LineTypeEditor(Drawing& drawing) : drawing_(drawing) {}

    // BYLAYER, BYBLOCK, CONTINUOUS, then the drawing's own line types.
    std::vector<std::string> choices() const;
    std::string setCurrent(const std::string& name);
    // Every definition of the file joins the table; a name the drawing has
    // already keeps its own. An empty path loads the program's own file.
    // Definitions the file holds but this program cannot take are left out;
    // note() then names them while the rest is loaded.
    std::string load(const std::string& path);
    // What the last load did, for the next prompt ("" when nothing to say).
    const std::string& note() const { return note_; }

    std::string title() const override { return "Format Linetype"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    std::string loadFrom(const LineTypeFile& file, const std::string& from);

    Drawing& drawing_;
    std::string note_;
};

}  // namespace brondel::engine
