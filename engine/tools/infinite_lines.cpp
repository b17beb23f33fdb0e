#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

// Draw Ray and Draw Construction Line: a first point, then each further
// point makes one; Enter keeps them.
namespace brondel::engine::tools {

namespace {

class InfiniteLines : public DrawTool {
  public:
    explicit InfiniteLines(bool ray) : ray_(ray) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return enough();
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!base_) {
            base_ = e.at.world;
            return ToolResult::Running;
        }
        std::vector<Entity> made = sketch(e.at.world);
        if (made.empty()) {
            return refuse(c, "That is the first point: give another to show the direction");
        }
        keep(std::move(made));
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        if (!base_) {
            return askPoint(ray_ ? "base point" : "through point");
        }
        return askPoint(ray_ ? "through point (Enter to end)" : "second point (Enter to end)");
    }
    std::optional<Point2> basePoint() const override { return base_; }
    bool followsPolar() const override { return true; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        const double length = base_ ? distance(*base_, cursor) : 0;
        if (length > 0) {
            out.emplace_back(InfiniteLineGeom{
                at3(*base_),
                {(cursor.x - base_->x) / length, (cursor.y - base_->y) / length, 0},
                ray_});
        }
        return out;
    }

  private:
    bool ray_;
    std::optional<Point2> base_;
};

}  // namespace

std::unique_ptr<Tool> makeRay() {
    return std::make_unique<InfiniteLines>(true);
}

std::unique_ptr<Tool> makeConstructionLine() {
    return std::make_unique<InfiniteLines>(false);
}

}  // namespace brondel::engine::tools
