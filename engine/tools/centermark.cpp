#include "engine/tools/dimension_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Press on an arc or a circle: a cross at its centre, its arms as long as
// the dimension style's centre mark.
class QuickCentermark : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        const std::optional<CircleGeom> round = pickedRound(c, e.at.window);
        if (!round) {
            return refuse(c, "Press on an arc or a circle");
        }
        const DimStyle& style = c.drawing().header().dimStyle;
        const double arm = style.centerMark * style.scale;
        const Point3 o = round->center;
        keep({Entity(LineGeom{{o.x - arm, o.y, o.z}, {o.x + arm, o.y, o.z}}),
              Entity(LineGeom{{o.x, o.y - arm, o.z}, {o.x, o.y + arm, o.z}})});
        return ToolResult::Commit;
    }
    ToolAsk ask() const override { return askPick("pick an arc or circle"); }
};

}  // namespace

std::unique_ptr<Tool> makeQuickCentermark() {
    return std::make_unique<QuickCentermark>();
}

}  // namespace brondel::engine::tools
