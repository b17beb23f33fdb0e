#include "engine/block_editor.h"
#include "engine/drawing.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The selection becomes a block's definition, about a base point, and is
// replaced by one reference to it at that point.
class CreateBlock : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        if (c.selection().empty()) {
            c.message("Nothing selected");
            return ToolResult::Cancel;
        }
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (!name_) {
            if (e.kind != ToolEvent::Kind::Text) {
                return ToolResult::Running;
            }
            if (std::string why = refusedBlockName(c.drawing(), e.text); !why.empty()) {
                c.message(why);
                return ToolResult::Running;
            }
            name_ = e.text;
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        base_ = e.at.world;
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        if (name_) {
            return askPoint("base point");
        }
        ToolAsk a;
        a.prompt = "block name";
        a.text = true;
        return a;
    }
    void apply(ToolContext& c) override {
        Block block;
        block.name = *name_;
        block.base = at3(base_);
        const std::vector<Handle> picked = c.selection();
        for (Handle h : picked) {
            Entity e = c.drawing().entity(h);
            e.handle = kNoHandle;
            block.entities.push_back(std::move(e));
        }
        c.setBlock(*name_, std::move(block));
        for (Handle h : picked) {
            c.erase(h);
        }
        c.clearSelection();
        InsertGeom insert;
        insert.block = *name_;
        insert.p = at3(base_);
        c.add(Entity(std::move(insert)));
    }

  private:
    std::optional<std::string> name_;
    Point2 base_;
};

}  // namespace

std::unique_ptr<Tool> makeCreateBlock() {
    return std::make_unique<CreateBlock>();
}

}  // namespace brondel::engine::tools
