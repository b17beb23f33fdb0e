#include "engine/clipboard.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"
#include "engine/transform.h"

namespace brondel::engine::tools {

namespace {

struct ClipboardBlocks : BlockLookup {
    const std::map<std::string, Block>* blocks = nullptr;
    const Block* findBlock(const std::string& name) const override {
        const auto it = blocks->find(name);
        return it == blocks->end() ? nullptr : &it->second;
    }
};

// Places a copy of the clipboard with its base at the insertion point; the
// layers, line types, text styles and blocks it needs and the drawing lacks
// are added with it.
class Paste : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        if (clipboard().empty()) {
            c.message("Paste: the clipboard is empty; Copy or Cut something first");
            return ToolResult::Cancel;
        }
        held_ = clipboard();  // a paste goes on with what it started with
        blocks_.blocks = &held_.blocks;
        return ToolResult::Running;
    }
    ToolResult update(ToolContext&, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        at_ = e.at.world;
        return ToolResult::Commit;
    }
    ToolAsk ask() const override { return askPoint("insertion point"); }
    std::vector<Entity> preview(Point2 cursor) const override { return placed(cursor); }
    void apply(ToolContext& c) override {
        for (const Layer& layer : held_.layers) {
            c.addLayerIfMissing(layer);
        }
        for (const LineType& lineType : held_.lineTypes) {
            c.addLineTypeIfMissing(lineType);
        }
        for (const TextStyle& style : held_.textStyles) {
            c.addTextStyleIfMissing(style);
        }
        for (const auto& [name, block] : held_.blocks) {
            if (!c.drawing().findBlock(name)) {
                c.setBlock(name, block);
            }
        }
        const std::vector<Entity> made = placed(at_);
        for (const Entity& e : made) {
            c.addAsIs(e);
        }
        c.message("Paste: " + std::to_string(made.size()) + " entities");
    }

  private:
    std::vector<Entity> placed(Point2 at) const {
        const Affine shift = Affine::translation(at.x - held_.base.x, at.y - held_.base.y);
        std::vector<Entity> out;
        for (const Entity& e : held_.entities) {
            transformEntity(e, shift, blocks_, 0, out);
        }
        return out;
    }

    Clipboard held_;
    ClipboardBlocks blocks_;
    Point2 at_;
};

}  // namespace

std::unique_ptr<Tool> makePaste() {
    return std::make_unique<Paste>();
}

}  // namespace brondel::engine::tools
