#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Two opposite corners: a closed polyline of four vertices running
// counter-clockwise from the first corner.
class DrawRectangle : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!first_) {
            first_ = e.at.world;
            return ToolResult::Running;
        }
        std::vector<Entity> made = sketch(e.at.world);
        if (made.empty()) {
            return refuse(c, "The corners must differ in x and in y");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override { return askPoint(first_ ? "opposite corner" : "first corner"); }
    std::optional<Point2> basePoint() const override { return first_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (!first_ || cursor.x == first_->x || cursor.y == first_->y) {
            return {};
        }
        const Point2 a = *first_;
        const bool ccw = (cursor.x - a.x) * (cursor.y - a.y) > 0;
        const Point2 second = ccw ? Point2{cursor.x, a.y} : Point2{a.x, cursor.y};
        const Point2 fourth = ccw ? Point2{a.x, cursor.y} : Point2{cursor.x, a.y};
        PolylineGeom g;
        g.closed = true;
        for (Point2 p : {a, second, cursor, fourth}) {
            g.vertices.push_back({p.x, p.y, 0, 0});
        }
        std::vector<Entity> out;
        out.emplace_back(std::move(g));
        return out;
    }

  private:
    std::optional<Point2> first_;
};

}  // namespace

std::unique_ptr<Tool> makeRectangle() {
    return std::make_unique<DrawRectangle>();
}

}  // namespace brondel::engine::tools
