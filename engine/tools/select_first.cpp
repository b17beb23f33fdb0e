#include "engine/tools/select_first.h"

#include <string>

#include "engine/drawing.h"

namespace brondel::engine::tools {

namespace {

bool selectable(const Drawing& drawing, const Entity& e) {
    if (e.erased) {
        return false;
    }
    const Layer* layer = drawing.findLayer(e.props().layer);
    return !layer || (layer->on && !layer->frozen);
}

class SelectFirst : public Tool {
  public:
    explicit SelectFirst(std::unique_ptr<Tool> tool) : tool_(std::move(tool)) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (begun_) {
            return tool_->update(c, e);
        }
        switch (e.kind) {
            case ToolEvent::Kind::Point:
                press(c, e.at);
                return ToolResult::Running;
            case ToolEvent::Kind::Option:
                if (e.text == "All") {
                    selectAll(c);
                } else {
                    selectLast(c);
                }
                return ToolResult::Running;
            case ToolEvent::Kind::Enter:
                break;
            default:
                return ToolResult::Running;
        }
        corner_.reset();
        if (c.selection().empty()) {
            return ToolResult::Cancel;
        }
        begun_ = true;
        return tool_->begin(c);
    }
    ToolAsk ask() const override {
        if (begun_) {
            return tool_->ask();
        }
        ToolAsk a;
        a.prompt = corner_ ? "opposite corner" : "pick entities (Enter to go on)";
        a.point = true;
        a.pick = !corner_;
        if (!corner_) {
            a.options = {"All", "Last"};
        }
        return a;
    }
    std::vector<Entity> preview(Point2 cursor) const override {
        return begun_ ? tool_->preview(cursor) : std::vector<Entity>{};
    }
    std::optional<RubberBand::Rectangle> frame(Point2 cursor) const override {
        if (begun_) {
            return tool_->frame(cursor);
        }
        if (corner_) {
            return RubberBand::Rectangle{*corner_, cursor, cursor.x < corner_->x};
        }
        return std::nullopt;
    }
    void apply(ToolContext& c) override { tool_->apply(c); }
    void cancel(ToolContext& c) override {
        if (begun_) {
            tool_->cancel(c);
        }
        c.clearSelection();
    }
    std::optional<Point2> basePoint() const override {
        return begun_ ? tool_->basePoint() : corner_;
    }
    bool followsPolar() const override { return begun_ && tool_->followsPolar(); }

  private:
    // A press on an entity picks it; one on empty space starts a rectangle,
    // a window drawn rightwards and a crossing drawn leftwards, as Select By
    // Rectangle, that leaves out what is not shown.
    void press(ToolContext& c, const CommandPoint& at) {
        if (corner_) {
            Box2 box;
            box.add(corner_->x, corner_->y);
            box.add(at.world.x, at.world.y);
            const Drawing& drawing = c.drawing();
            int found = 0;
            for (Handle h : drawing.inBox(box, at.world.x < corner_->x)) {
                if (selectable(drawing, drawing.entity(h))) {
                    c.select(h);
                    ++found;
                }
            }
            c.message(std::to_string(found) + " selected");
            corner_.reset();
            return;
        }
        const Handle h = c.entityAt(at.window);
        if (h == kNoHandle) {
            corner_ = at.world;
        } else {
            c.select(h);
        }
    }
    void selectAll(ToolContext& c) {
        const Drawing& drawing = c.drawing();
        int added = 0;
        for (const Entity& e : drawing.entities()) {
            if (selectable(drawing, e)) {
                c.select(e.handle);
                ++added;
            }
        }
        c.message(std::to_string(added) + " selected");
    }
    // The newest entity still in the drawing, on a layer that shows.
    void selectLast(ToolContext& c) {
        const Drawing& drawing = c.drawing();
        const std::vector<Entity>& all = drawing.entities();
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            if (!it->erased) {
                if (selectable(drawing, *it)) {
                    c.select(it->handle);
                    c.message("1 selected");
                } else {
                    c.message("The last entity is on a layer that is off or frozen");
                }
                return;
            }
        }
        c.message("Nothing to select");
    }

    std::unique_ptr<Tool> tool_;
    bool begun_ = false;
    std::optional<Point2> corner_;
};

}  // namespace

std::unique_ptr<Tool> selectFirst(std::unique_ptr<Tool> tool) {
    return std::make_unique<SelectFirst>(std::move(tool));
}

}  // namespace brondel::engine::tools
