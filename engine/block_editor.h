#pragma once

#include <string>
#include <vector>

#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;

// Format Blocks: the drawing's own blocks (not layouts nor the anonymous
// ones other programs generate), renamed, deleted when unused, purged.
// Each change is one undo step.
class BlockEditor : public TableEditor {
  public:
    explicit BlockEditor(Drawing& drawing) : drawing_(drawing) {}

    std::vector<std::string> names() const;
    // How many references the model and the other blocks make to it.
    std::size_t uses(const std::string& name) const;
    std::string rename(const std::string& from, const std::string& to);
    std::string remove(const std::string& name);
    // Deletes every unused block, also those only unused blocks referred to.
    std::string purge();

    std::string title() const override { return "Format Blocks"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    const std::string* find(const std::string& name) const;

    Drawing& drawing_;
};

// The drawing's own blocks, by name.
std::vector<std::string> ownBlockNames(const Drawing& drawing);

// Why a new block cannot have this name ("" when it can): refused
// characters, or a block of the same name in any case.
std::string refusedBlockName(const Drawing& drawing, const std::string& name);

}  // namespace brondel::engine
