#include "engine/drawing.h"
#include "engine/measure.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

std::string report(const AreaMeasure& m) {
    return "Area Tool: area " + shownNumber(m.area) + ", perimeter " + shownNumber(m.perimeter);
}

// The points of a polygon, Enter: its area and perimeter. Or `O`, then a
// press on a closed entity: its area and perimeter.
class AreaTool : public PointPath {
  public:
    AreaTool() : PointPath("Area Tool", 3, true) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (!object_) {
            return PointPath::update(c, e);
        }
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        const Handle h = c.entityAt(e.at.window);
        if (h == kNoHandle) {
            c.message("Area Tool: nothing there");
            return ToolResult::Running;
        }
        const std::optional<AreaMeasure> m = measureClosed(c.drawing().entity(h));
        if (!m) {
            c.message("Area Tool: that is not a closed circle, ellipse, polyline or spline");
            return ToolResult::Running;
        }
        c.message(report(*m));
        return ToolResult::Done;
    }
    ToolAsk ask() const override {
        if (!object_) {
            return PointPath::ask();
        }
        ToolAsk a;
        a.prompt = "pick a closed entity";
        a.pick = true;
        return a;
    }

  protected:
    ToolResult finish(ToolContext& c, const std::vector<Point2>& points) override {
        c.message(report(measurePolygon(points)));
        return ToolResult::Done;
    }
    std::vector<std::string> options() const override {
        return points().empty() ? std::vector<std::string>{"Object"} : std::vector<std::string>{};
    }
    ToolResult option(ToolContext&, const std::string& name) override {
        object_ = name == "Object";
        return ToolResult::Running;
    }

  private:
    bool object_ = false;
};

}  // namespace

std::unique_ptr<Tool> makeAreaTool() {
    return std::make_unique<AreaTool>();
}

}  // namespace brondel::engine::tools
