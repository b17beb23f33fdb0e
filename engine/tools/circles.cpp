#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

// The four ways to draw a circle. Each keeps one circle and ends.
namespace brondel::engine::tools {

namespace {

std::vector<Entity> circle(Point2 center, double radius) {
    std::vector<Entity> out;
    if (radius > 0 && std::isfinite(radius)) {
        out.emplace_back(CircleGeom{at3(center), radius});
    }
    return out;
}

// Centre, then a size: a number, or a point whose distance from the
// centre gives it. `perRadius` turns the size into the radius.
class CircleBySize : public DrawTool {
  public:
    CircleBySize(std::string sizeName, double perRadius)
        : sizeName_(std::move(sizeName)), perRadius_(perRadius) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind == ToolEvent::Kind::Point && !center_) {
            center_ = e.at.world;
            return ToolResult::Running;
        }
        double size = 0;
        if (e.kind == ToolEvent::Kind::Point) {
            size = distance(*center_, e.at.world);
        } else if (e.kind == ToolEvent::Kind::Number) {
            size = e.number;
        } else {
            return ToolResult::Running;
        }
        std::vector<Entity> made = circle(*center_, size * perRadius_);
        if (made.empty()) {
            return refuse(c, "The " + sizeName_ + " must be greater than 0");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override { return center_ ? askDistance(sizeName_) : askPoint("centre"); }
    std::optional<Point2> basePoint() const override { return center_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        return center_ ? circle(*center_, distance(*center_, cursor) * perRadius_)
                       : std::vector<Entity>{};
    }

  private:
    std::string sizeName_;
    double perRadius_;
    std::optional<Point2> center_;
};

// The two ends of a diameter.
class DiametricCircle : public TwoPointDrawTool {
  public:
    DiametricCircle()
        : TwoPointDrawTool("first end of the diameter", "other end of the diameter",
                           "The two ends of the diameter must differ") {}
    bool followsPolar() const override { return true; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (!first()) {
            return {};
        }
        const Point2 a = *first();
        return circle({(a.x + cursor.x) / 2, (a.y + cursor.y) / 2}, distance(a, cursor) / 2);
    }
};

// Two points on the circle and the radius; the centre lies left of the
// way from the first point to the second.
class CircleTwoPointsRadius : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind == ToolEvent::Kind::Point && points_.size() < 2) {
            if (!points_.empty() && points_[0] == e.at.world) {
                return refuse(c, "The two points on the circle must differ");
            }
            points_.push_back(e.at.world);
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Number || points_.size() < 2) {
            return ToolResult::Running;
        }
        std::vector<Entity> made = through(e.number);
        if (made.empty()) {
            return refuse(c, "The radius must be at least half the distance between the points (" +
                                 std::to_string(distance(points_[0], points_[1]) / 2) + ")");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        if (points_.size() < 2) {
            return askPoint(points_.empty() ? "first point on the circle"
                                            : "second point on the circle");
        }
        ToolAsk a;
        a.prompt = "radius";
        a.number = true;
        return a;
    }
    std::optional<Point2> basePoint() const override {
        return points_.empty() ? std::nullopt : std::optional(points_.back());
    }

  protected:
    // The preview takes the radius as the cursor's distance from the first point.
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (points_.size() < 2) {
            return {};
        }
        return through(distance(points_[0], cursor));
    }

  private:
    std::vector<Entity> through(double radius) const {
        const Point2 a = points_[0], b = points_[1];
        const double half = distance(a, b) / 2;
        if (!(radius >= half) || !std::isfinite(radius)) {
            return {};
        }
        const double h = std::sqrt(std::max(0.0, radius * radius - half * half));
        const double ux = (b.x - a.x) / (2 * half), uy = (b.y - a.y) / (2 * half);
        return circle({(a.x + b.x) / 2 - uy * h, (a.y + b.y) / 2 + ux * h}, radius);
    }

    std::vector<Point2> points_;
};

}  // namespace

std::unique_ptr<Tool> makeCircleCenterRadius() {
    return std::make_unique<CircleBySize>("radius", 1.0);
}

std::unique_ptr<Tool> makeCircleCenterDiameter() {
    return std::make_unique<CircleBySize>("diameter", 0.5);
}

std::unique_ptr<Tool> makeCircleDiametric() {
    return std::make_unique<DiametricCircle>();
}

std::unique_ptr<Tool> makeCircleTwoPointsRadius() {
    return std::make_unique<CircleTwoPointsRadius>();
}

}  // namespace brondel::engine::tools
