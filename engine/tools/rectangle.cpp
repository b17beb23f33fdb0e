#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Two opposite corners: a closed polyline of four vertices running
// counter-clockwise from the first corner.
class DrawRectangle : public TwoPointDrawTool {
  public:
    DrawRectangle()
        : TwoPointDrawTool("first corner", "opposite corner",
                           "The corners must differ in x and in y") {}

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (!first() || cursor.x == first()->x || cursor.y == first()->y) {
            return {};
        }
        const Point2 a = *first();
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
};

}  // namespace

std::unique_ptr<Tool> makeRectangle() {
    return std::make_unique<DrawRectangle>();
}

}  // namespace brondel::engine::tools
