#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/tool.h"

namespace brondel::engine::tools {

// A tool that gathers points one by one (`U` drops the last one, Enter
// ends) and shows the path they make with the cursor as the next point,
// closed back to the first when the path is an area.
class PointPath : public Tool {
  public:
    PointPath(std::string name, std::size_t least, bool closed)
        : name_(std::move(name)), least_(least), closed_(closed) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (e.kind) {
            case ToolEvent::Kind::Point:
                points_.push_back(e.at.world);
                return ToolResult::Running;
            case ToolEvent::Kind::Option:
                if (e.text == "Undo") {
                    if (!points_.empty()) {
                        points_.pop_back();
                    }
                    return ToolResult::Running;
                }
                return option(c, e.text);
            case ToolEvent::Kind::Enter:
                if (points_.empty()) {
                    return ToolResult::Cancel;
                }
                if (points_.size() < least_) {
                    c.message(name_ + ": at least " + std::to_string(least_) +
                              " points are needed");
                    return ToolResult::Running;
                }
                return finish(c, points_);
            default:
                return ToolResult::Running;
        }
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = points_.empty() ? "first point" : "next point (Enter to end)";
        a.point = true;
        a.options = options();
        if (!points_.empty()) {
            a.options.push_back("Undo");
        }
        return a;
    }
    std::vector<Entity> preview(Point2 cursor) const override {
        if (points_.empty()) {
            return {};
        }
        PolylineGeom g;
        for (const Point2& p : points_) {
            g.vertices.push_back({p.x, p.y, 0, 0});
        }
        g.vertices.push_back({cursor.x, cursor.y, 0, 0});
        g.closed = closed_ && g.vertices.size() > 2;
        return {Entity(std::move(g))};
    }
    std::optional<Point2> basePoint() const override {
        return points_.empty() ? std::nullopt : std::optional(points_.back());
    }
    bool followsPolar() const override { return true; }

  protected:
    // Enter with enough points.
    virtual ToolResult finish(ToolContext& c, const std::vector<Point2>& points) = 0;
    // The tool's own options besides Undo, and what one of them does.
    virtual std::vector<std::string> options() const { return {}; }
    virtual ToolResult option(ToolContext&, const std::string&) { return ToolResult::Running; }
    const std::vector<Point2>& points() const { return points_; }

  private:
    std::string name_;
    std::size_t least_;
    bool closed_;
    std::vector<Point2> points_;
};

// How a selection command answers: how many entities it found, and adds
// them to the selection.
inline ToolResult selectFound(ToolContext& c, const std::string& name,
                              const std::vector<Handle>& found) {
    c.selectMany(found);
    c.message(name + ": " + std::to_string(found.size()) +
              (found.size() == 1 ? " entity found" : " entities found"));
    return ToolResult::Done;
}

}  // namespace brondel::engine::tools
