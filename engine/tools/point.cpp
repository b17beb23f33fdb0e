#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// One point entity per press; Enter keeps them.
class DrawPoint : public DrawTool {
  public:
    ToolResult update(ToolContext&, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return enough();
        }
        if (e.kind == ToolEvent::Kind::Point) {
            keep(sketch(e.at.world));
            last_ = e.at.world;
        }
        return ToolResult::Running;
    }
    ToolAsk ask() const override { return askPoint("point (Enter to end)"); }
    std::optional<Point2> basePoint() const override { return last_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        out.emplace_back(PointGeom{at3(cursor)});
        return out;
    }

  private:
    std::optional<Point2> last_;
};

}  // namespace

std::unique_ptr<Tool> makePoint() {
    return std::make_unique<DrawPoint>();
}

}  // namespace brondel::engine::tools
