#include <cmath>

#include "engine/geometry.h"
#include "engine/tools/tools.h"
#include "engine/tools/transform_tool.h"

namespace brondel::engine::tools {

namespace {

// Turns the selection counter-clockwise about the base point by a typed
// angle in degrees, or by the angle from the base to a point.
class Rotate : public TransformTool {
  public:
    Rotate() : TransformTool("Rotate") {}

  protected:
    ToolResult next(ToolContext& c, const ToolEvent& e) override {
        switch (e.kind) {
            case ToolEvent::Kind::Enter:
                return ToolResult::Cancel;
            case ToolEvent::Kind::Number:
                if (!std::isfinite(e.number)) {
                    return refuse(c, "the angle must be a finite number");
                }
                return finish(c, aboutBase(Affine::rotation(e.number * kPi / 180)));
            case ToolEvent::Kind::Point:
                if (e.at.world == base()) {
                    return refuse(c, "that is the base point; give another");
                }
                return finish(c, *cursorMap(e.at.world));
            default:
                return ToolResult::Running;
        }
    }
    ToolAsk nextAsk() const override {
        ToolAsk a;
        a.prompt = "angle in degrees or a point";
        a.point = true;
        a.number = true;
        return a;
    }
    std::optional<Affine> cursorMap(Point2 cursor) const override {
        if (cursor == base()) {
            return std::nullopt;
        }
        return aboutBase(Affine::rotation(std::atan2(cursor.y - base().y, cursor.x - base().x)));
    }
};

}  // namespace

std::unique_ptr<Tool> makeRotate() {
    return std::make_unique<Rotate>();
}

}  // namespace brondel::engine::tools
