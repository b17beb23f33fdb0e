#include "engine/tools/tools.h"
#include "engine/tools/transform_tool.h"

namespace brondel::engine::tools {

namespace {

// Moves the selection by the difference of two points.
class Move : public TransformTool {
  public:
    Move() : TransformTool("Move") {}

  protected:
    ToolResult next(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        return finish(c, *cursorMap(e.at.world));
    }
    ToolAsk nextAsk() const override {
        ToolAsk a;
        a.prompt = "second point";
        a.point = true;
        return a;
    }
    std::optional<Affine> cursorMap(Point2 cursor) const override {
        return Affine::translation(cursor.x - base().x, cursor.y - base().y);
    }
};

}  // namespace

std::unique_ptr<Tool> makeMove() {
    return std::make_unique<Move>();
}

}  // namespace brondel::engine::tools
