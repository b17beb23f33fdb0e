#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

double wrapAngle(double a) {
    while (a > kPi) {
        a -= kTwoPi;
    }
    while (a <= -kPi) {
        a += kTwoPi;
    }
    return a;
}

// Start point, then next points: straight segments, or after Arc arcs
// that leave each vertex along the way the polyline arrived (the first
// arc of all leaves along +x); Line goes back to straight ones. Close
// closes and ends, Undo drops the last vertex, Enter ends. One polyline.
class DrawPolyline : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (e.kind) {
            case ToolEvent::Kind::Enter:
                return finish(c, false);
            case ToolEvent::Kind::Option:
                return option(c, e.text);
            case ToolEvent::Kind::Point:
                break;
            default:
                return ToolResult::Running;
        }
        if (!vertices_.empty() && e.at.world == Point2{vertices_.back().x, vertices_.back().y}) {
            return refuse(c, "Draw Polyline: that is the last point; give another");
        }
        if (!vertices_.empty() && arcs_) {
            const std::optional<double> b = tangentBulge(vertices_, e.at.world);
            if (!b) {
                return refuse(c,
                              "An arc cannot turn back along the way it came: give another point");
            }
            vertices_.back().bulge = *b;
        }
        vertices_.push_back({e.at.world.x, e.at.world.y, 0, 0});
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        if (vertices_.empty()) {
            return askPoint("start point");
        }
        ToolAsk a = askPoint(arcs_ ? "end of the arc" : "next point");
        a.options = {arcs_ ? "Line" : "Arc", "Close", "Undo"};
        return a;
    }
    std::optional<Point2> basePoint() const override {
        if (vertices_.empty()) {
            return std::nullopt;
        }
        return Point2{vertices_.back().x, vertices_.back().y};
    }
    bool followsPolar() const override { return !arcs_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Vertex> vs = vertices_;
        if (!vs.empty() && !(cursor == Point2{vs.back().x, vs.back().y})) {
            if (arcs_) {
                vs.back().bulge = tangentBulge(vs, cursor).value_or(0);
            }
            vs.push_back({cursor.x, cursor.y, 0, 0});
        }
        std::vector<Entity> out;
        if (vs.size() >= 2) {
            out.emplace_back(PolylineGeom{std::move(vs), false, false, 0});
        }
        return out;
    }

  private:
    ToolResult option(ToolContext& c, const std::string& name) {
        if (name == "Arc" || name == "Line") {
            arcs_ = name == "Arc";
        } else if (name == "Undo") {
            if (!vertices_.empty()) {
                vertices_.pop_back();
            }
            if (!vertices_.empty()) {
                vertices_.back().bulge = 0;
            }
        } else if (name == "Close") {
            return finish(c, true);
        }
        return ToolResult::Running;
    }

    ToolResult finish(ToolContext& c, bool close) {
        if (vertices_.size() < 2 && !close) {
            return ToolResult::Cancel;
        }
        if (close) {
            if (vertices_.size() < 2 || (vertices_.size() == 2 && !arcs_)) {
                return refuse(c, "A closed polyline needs three vertices, or two and an arc");
            }
            const Vertex& first = vertices_.front();
            if (arcs_) {
                vertices_.back().bulge = tangentBulge(vertices_, {first.x, first.y}).value_or(0);
            }
        }
        PolylineGeom g{vertices_, close, false, 0};
        std::vector<Entity> out;
        out.emplace_back(std::move(g));
        keep(std::move(out));
        return ToolResult::Commit;
    }

    // The bulge of the arc from the last vertex to `to` that leaves it along
    // the direction the polyline arrives in; nullopt when `to` lies straight
    // behind.
    static std::optional<double> tangentBulge(const std::vector<Vertex>& vs, Point2 to) {
        const Vertex& last = vs.back();
        double heading = 0;
        if (vs.size() >= 2) {
            const Vertex& before = vs[vs.size() - 2];
            const double chord = std::atan2(last.y - before.y, last.x - before.x);
            heading = chord + 2 * std::atan(before.bulge);  // turned by half the included angle
        }
        const double turn = wrapAngle(std::atan2(to.y - last.y, to.x - last.x) - heading);
        if (std::abs(std::abs(turn) - kPi) < 1e-9) {
            return std::nullopt;
        }
        return std::tan(turn / 2);
    }

    std::vector<Vertex> vertices_;
    bool arcs_ = false;
};

}  // namespace

std::unique_ptr<Tool> makePolyline() {
    return std::make_unique<DrawPolyline>();
}

}  // namespace brondel::engine::tools
