#include <cmath>

#include "engine/block_editor.h"
#include "engine/drawing.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// A reference to one of the drawing's blocks: its name (the first block by
// default), insertion point, scale (1) and rotation in degrees (0).
class InsertBlock : public DrawTool {
  public:
    ToolResult begin(ToolContext& c) override {
        names_ = ownBlockNames(c.drawing());
        if (names_.empty()) {
            c.message("The drawing has no blocks to insert");
            return ToolResult::Cancel;
        }
        // Where the program shows a list, the name comes from it.
        if (const std::optional<std::string> chosen = c.chooseName({"Insert Block", names_})) {
            if (chosen->empty()) {
                return ToolResult::Cancel;
            }
            ToolEvent picked;
            picked.kind = ToolEvent::Kind::Text;
            picked.text = *chosen;
            return name(c, picked);
        }
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (stage_) {
            case Stage::Name:
                return name(c, e);
            case Stage::Point:
                if (e.kind == ToolEvent::Kind::Enter) {
                    return ToolResult::Cancel;
                }
                if (e.kind == ToolEvent::Kind::Point) {
                    insert_.p = at3(e.at.world);
                    stage_ = Stage::Scale;
                }
                return ToolResult::Running;
            case Stage::Scale: {
                double scale = 1;
                if (e.kind == ToolEvent::Kind::Number) {
                    scale = e.number;
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                if (!(scale > 0) || !std::isfinite(scale)) {
                    return refuse(c, "The scale must be greater than 0");
                }
                insert_.scale = {scale, scale, scale};
                stage_ = Stage::Rotation;
                return ToolResult::Running;
            }
            case Stage::Rotation:
                break;
        }
        double degrees = 0;
        if (e.kind == ToolEvent::Kind::Number) {
            degrees = e.number;
        } else if (e.kind == ToolEvent::Kind::Point) {
            degrees =
                std::atan2(e.at.world.y - insert_.p.y, e.at.world.x - insert_.p.x) * 180 / kPi;
        } else if (e.kind != ToolEvent::Kind::Enter) {
            return ToolResult::Running;
        }
        if (!std::isfinite(degrees)) {
            return refuse(c, "The rotation must be a number");
        }
        insert_.angle = degrees * kPi / 180;
        keep({Entity(insert_)});
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        switch (stage_) {
            case Stage::Name: {
                ToolAsk a;
                a.prompt = "block name (" + list() + ")";
                a.text = true;
                a.fallback = names_.empty() ? std::string() : names_.front();
                return a;
            }
            case Stage::Point:
                return askPoint("insertion point");
            case Stage::Scale: {
                ToolAsk a;
                a.prompt = "scale";
                a.number = true;
                a.fallback = "1";
                return a;
            }
            case Stage::Rotation:
                break;
        }
        return askDistance("rotation in degrees", "0");
    }
    std::optional<Point2> basePoint() const override {
        if (stage_ == Stage::Scale || stage_ == Stage::Rotation) {
            return Point2{insert_.p.x, insert_.p.y};
        }
        return std::nullopt;
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (stage_ == Stage::Name) {
            return {};
        }
        InsertGeom shown = insert_;
        if (stage_ == Stage::Point) {
            shown.p = at3(cursor);
        }
        return {Entity(std::move(shown))};
    }

  private:
    enum class Stage { Name, Point, Scale, Rotation };

    ToolResult name(ToolContext& c, const ToolEvent& e) {
        std::string typed;
        if (e.kind == ToolEvent::Kind::Text) {
            typed = e.text;
        } else if (e.kind == ToolEvent::Kind::Enter) {
            typed = names_.front();
        } else {
            return ToolResult::Running;
        }
        for (const std::string& n : names_) {
            if (sameTableName(n, typed)) {
                insert_.block = n;
                stage_ = Stage::Point;
                return ToolResult::Running;
            }
        }
        return refuse(c, "No block named \"" + typed + "\"");
    }
    std::string list() const {
        constexpr std::size_t kShown = 8;
        std::string text;
        for (std::size_t i = 0; i < names_.size() && i < kShown; ++i) {
            text += (i ? ", " : "") + names_[i];
        }
        if (names_.size() > kShown) {
            text += ", … " + std::to_string(names_.size() - kShown) + " more";
        }
        return text;
    }

    std::vector<std::string> names_;
    Stage stage_ = Stage::Name;
    InsertGeom insert_;
};

}  // namespace

std::unique_ptr<Tool> makeInsertBlock() {
    return std::make_unique<InsertBlock>();
}

}  // namespace brondel::engine::tools
