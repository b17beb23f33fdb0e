#include "engine/drawing.h"
#include "engine/hatch_boundary.h"
#include "engine/hatch_patterns.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"
#include "engine/view.h"

namespace brondel::engine::tools {

namespace {

std::string shortNumber(double v) {
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.') {
        s.pop_back();
    }
    return s;
}

// Ends closer than this many pixels count as meeting.
constexpr double kGapPixels = 0.5;

// Pattern, scale, angle (each with the last one used as its default), then
// a point inside each closed area; Enter keeps the hatches, one per area.
class DrawHatch : public DrawTool {
  public:
    ToolResult begin(ToolContext& c) override {
        const DraftingSettings& s = c.settings();
        pattern_ = s.hatchPattern;
        scale_ = s.hatchScale;
        degrees_ = s.hatchAngleDegrees;
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (stage_) {
            case Stage::Pattern:
                if (e.kind == ToolEvent::Kind::Text) {
                    const HatchPattern* p = findPattern(e.text);
                    if (!p) {
                        return refuse(c, "Unknown hatch pattern \"" + e.text + "\": " + known());
                    }
                    pattern_ = p->name;
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                stage_ = Stage::Scale;
                return ToolResult::Running;
            case Stage::Scale:
                if (e.kind == ToolEvent::Kind::Number) {
                    if (!(e.number > 0)) {
                        return refuse(c, "The pattern scale must be greater than 0");
                    }
                    scale_ = e.number;
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                stage_ = Stage::Angle;
                return ToolResult::Running;
            case Stage::Angle:
                if (e.kind == ToolEvent::Kind::Number) {
                    degrees_ = e.number;
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                c.settings().hatchPattern = pattern_;
                c.settings().hatchScale = scale_;
                c.settings().hatchAngleDegrees = degrees_;
                stage_ = Stage::Areas;
                return ToolResult::Running;
            case Stage::Areas:
                break;
        }
        if (e.kind == ToolEvent::Kind::Enter) {
            return enough();
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        std::optional<std::vector<HatchLoop>> loops =
            hatchBoundaryAround(c.drawing(), e.at.world, kGapPixels * c.view().scale());
        if (!loops) {
            return refuse(c, "No closed boundary around this point");
        }
        HatchGeom g;
        g.pattern = pattern_;
        g.solid = pattern_ == "SOLID";
        g.patternScale = scale_;
        g.patternAngle = degrees_ * kPi / 180;
        g.loops = std::move(*loops);
        std::vector<Entity> made;
        made.emplace_back(std::move(g));
        keep(std::move(made));
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        switch (stage_) {
            case Stage::Pattern:
                a.prompt = "pattern (" + known() + ")";
                a.text = true;
                a.fallback = pattern_;
                return a;
            case Stage::Scale:
                a.prompt = "pattern scale";
                a.number = true;
                a.fallback = shortNumber(scale_);
                return a;
            case Stage::Angle:
                a.prompt = "pattern angle in degrees";
                a.number = true;
                a.fallback = shortNumber(degrees_);
                return a;
            case Stage::Areas:
                break;
        }
        return askPoint(made().empty() ? "point inside an area"
                                       : "point inside an area (Enter to end)");
    }

  private:
    static std::string known() {
        std::string names;
        for (const HatchPattern& p : builtInPatterns()) {
            names += (names.empty() ? "" : ", ") + p.name;
        }
        return names;
    }

    enum class Stage { Pattern, Scale, Angle, Areas };
    Stage stage_ = Stage::Pattern;
    std::string pattern_ = "SOLID";
    double scale_ = 1;
    double degrees_ = 0;
};

}  // namespace

std::unique_ptr<Tool> makeHatch() {
    return std::make_unique<DrawHatch>();
}

}  // namespace brondel::engine::tools
