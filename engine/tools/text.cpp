#include "engine/current_styles.h"
#include "engine/drawing.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

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

// Insertion point, height (the last one used by default), rotation in
// degrees (0 by default), then the line of text; an empty line cancels. A
// current style of fixed height gives the height, and is not asked for.
class DrawText : public DrawTool {
  public:
    ToolResult begin(ToolContext& c) override {
        height_ = c.settings().textHeight;
        if (const TextStyle* style = currentTextStyle(c.drawing()); style && style->height > 0) {
            height_ = style->height;
            heightFixed_ = true;
        }
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (stage_) {
            case Stage::Insertion:
                if (e.kind == ToolEvent::Kind::Enter) {
                    return ToolResult::Cancel;
                }
                if (e.kind == ToolEvent::Kind::Point) {
                    at_ = e.at.world;
                    stage_ = heightFixed_ ? Stage::Rotation : Stage::Height;
                }
                return ToolResult::Running;
            case Stage::Height: {
                double h = height_;
                if (e.kind == ToolEvent::Kind::Number) {
                    h = e.number;
                } else if (e.kind == ToolEvent::Kind::Point) {
                    h = distance(*at_, e.at.world);
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                if (!(h > 0) || !std::isfinite(h)) {
                    return refuse(c, "The text height must be greater than 0");
                }
                height_ = h;
                c.settings().textHeight = h;
                stage_ = Stage::Rotation;
                return ToolResult::Running;
            }
            case Stage::Rotation:
                if (e.kind == ToolEvent::Kind::Number) {
                    degrees_ = e.number;
                } else if (e.kind == ToolEvent::Kind::Point) {
                    degrees_ = std::atan2(e.at.world.y - at_->y, e.at.world.x - at_->x) * 180 / kPi;
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                stage_ = Stage::Words;
                return ToolResult::Running;
            case Stage::Words:
                break;
        }
        if (e.kind == ToolEvent::Kind::Enter ||
            (e.kind == ToolEvent::Kind::Text && e.text.empty())) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Text) {
            return ToolResult::Running;
        }
        keep(text(e.text));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        switch (stage_) {
            case Stage::Insertion:
                return askPoint("insertion point");
            case Stage::Height:
                return askDistance("height", shortNumber(height_));
            case Stage::Rotation:
                return askDistance("rotation in degrees", shortNumber(degrees_));
            case Stage::Words:
                break;
        }
        a.prompt = "text";
        a.text = true;
        return a;
    }
    std::optional<Point2> basePoint() const override { return at_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (!at_) {
            return {};
        }
        std::vector<Entity> out = text("Text");
        auto* g = geomIf<TextGeom>(out.front());
        if (stage_ == Stage::Height && !(cursor == *at_)) {
            g->height = distance(*at_, cursor);
        } else if (stage_ == Stage::Rotation && !(cursor == *at_)) {
            g->angle = std::atan2(cursor.y - at_->y, cursor.x - at_->x);
        }
        return out;
    }

  private:
    std::vector<Entity> text(const std::string& words) const {
        TextGeom g;
        g.text = words;
        g.p = at3(*at_);
        g.alignPoint = g.p;
        g.height = height_;
        g.angle = degrees_ * kPi / 180;
        std::vector<Entity> out;
        out.emplace_back(std::move(g));
        return out;
    }

    enum class Stage { Insertion, Height, Rotation, Words };
    Stage stage_ = Stage::Insertion;
    std::optional<Point2> at_;
    double height_ = 2.5;
    bool heightFixed_ = false;
    double degrees_ = 0;
};

}  // namespace

std::unique_ptr<Tool> makeText() {
    return std::make_unique<DrawText>();
}

}  // namespace brondel::engine::tools
