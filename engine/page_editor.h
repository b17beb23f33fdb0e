#pragma once

#include <string>
#include <vector>

#include "engine/table_editor.h"
#include "engine/tables.h"

namespace brondel::engine {

class Drawing;

// Format Pages: the drawing's paper-space layouts, the one printing uses,
// and the size and way round of each one's sheet. Each member makes one
// change as one undo step, or answers why it cannot ("" when done) and
// leaves the drawing as it was.
class PageEditor : public TableEditor {
  public:
    // Sheets from 10 mm to 10 m a side.
    static constexpr double kSmallestSide = 10, kLargestSide = 10000;

    explicit PageEditor(Drawing& drawing) : drawing_(drawing) {}

    // A new page after the others, on the current page's paper.
    std::string add(const std::string& name);
    std::string rename(const std::string& from, const std::string& to);
    // The last page stays; when the current one goes, the first becomes current.
    std::string remove(const std::string& name);
    std::string setCurrent(const std::string& name);
    // The paper's sides in millimetres; the page keeps its way round, and a
    // page that had no paper size takes the way round as typed.
    std::string setSize(const std::string& name, double width, double height);
    std::string setLandscape(const std::string& name, bool landscape);

    std::string title() const override { return "Format Pages"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    std::string size(const std::vector<std::string>& words);
    std::string refusedNewName(const std::string& name, const std::string& keeping) const;
    void store(DrawingHeader header);

    Drawing& drawing_;
};

}  // namespace brondel::engine
