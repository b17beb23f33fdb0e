#include <cmath>
#include <optional>

#include "engine/tools/tools.h"
#include "engine/tools/transform_tool.h"

namespace brondel::engine::tools {

namespace {

// Scales the selection about the base point by a typed factor, or by the
// distance from the base to a point over a reference length (1 unless set
// by Reference).
class Scale : public TransformTool {
  public:
    Scale() : TransformTool("Scale") {}

  protected:
    ToolResult next(ToolContext& c, const ToolEvent& e) override {
        if (askingReference_) {
            return reference(c, e);
        }
        switch (e.kind) {
            case ToolEvent::Kind::Enter:
                return ToolResult::Cancel;
            case ToolEvent::Kind::Option:
                askingReference_ = true;
                return ToolResult::Running;
            case ToolEvent::Kind::Number:
                return byFactor(c, e.number / reference_);
            case ToolEvent::Kind::Point:
                return byFactor(c, distance(e.at.world) / reference_);
            default:
                return ToolResult::Running;
        }
    }
    ToolAsk nextAsk() const override {
        ToolAsk a;
        a.point = true;
        a.number = true;
        if (askingReference_) {
            a.prompt = "reference length (or a point)";
        } else {
            a.prompt = referenceSet_ ? "new length (or a point)" : "scale factor (or a point)";
            a.options = {"Reference"};
        }
        return a;
    }
    std::optional<Affine> cursorMap(Point2 cursor) const override {
        const double f = distance(cursor) / reference_;
        if (askingReference_ || !usable(f)) {
            return std::nullopt;
        }
        return aboutBase(Affine::scaling(f, f));
    }

  private:
    static bool usable(double f) { return std::isfinite(f) && f > 0; }
    double distance(Point2 p) const { return std::hypot(p.x - base().x, p.y - base().y); }

    ToolResult byFactor(ToolContext& c, double f) {
        if (!usable(f)) {
            return refuse(c, "the scale must be a positive number");
        }
        return finish(c, aboutBase(Affine::scaling(f, f)));
    }
    ToolResult reference(ToolContext& c, const ToolEvent& e) {
        double length = 0;
        if (e.kind == ToolEvent::Kind::Number) {
            length = e.number;
        } else if (e.kind == ToolEvent::Kind::Point) {
            length = distance(e.at.world);
        } else {
            return e.kind == ToolEvent::Kind::Enter ? ToolResult::Cancel : ToolResult::Running;
        }
        if (!usable(length)) {
            return refuse(c, "the reference length must be a positive number");
        }
        reference_ = length;
        referenceSet_ = true;
        askingReference_ = false;
        return ToolResult::Running;
    }

    double reference_ = 1;
    bool referenceSet_ = false;
    bool askingReference_ = false;
};

}  // namespace

std::unique_ptr<Tool> makeScale() {
    return std::make_unique<Scale>();
}

}  // namespace brondel::engine::tools
