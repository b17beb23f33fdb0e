#include "engine/drawing.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The centre line offset to its left by `offset`, mitred where segments
// meet; empty when two segments fold back on each other.
std::vector<Vertex> offsetLine(const std::vector<Point2>& ps, bool closed, double offset) {
    const std::size_t n = ps.size();
    const auto normal = [&](std::size_t i) {  // left normal of segment i -> i+1
        const Point2 a = ps[i], b = ps[(i + 1) % n];
        const double len = distance(a, b);
        return Point2{-(b.y - a.y) / len, (b.x - a.x) / len};
    };
    std::vector<Vertex> out;
    for (std::size_t i = 0; i < n; ++i) {
        const bool hasIn = closed || i > 0, hasOut = closed || i + 1 < n;
        const Point2 nin = hasIn ? normal((i + n - 1) % n) : normal(i);
        const Point2 nout = hasOut ? normal(i) : nin;
        const double cosine = 1 + nin.x * nout.x + nin.y * nout.y;
        if (cosine < 1e-9) {
            return {};
        }
        const double k = offset / cosine;
        out.push_back({ps[i].x + (nin.x + nout.x) * k, ps[i].y + (nin.y + nout.y) * k, 0, 0});
    }
    return out;
}

// Points as Draw Line; Close closes and ends, Enter ends. One polyline per
// line of the style, mitred at the vertices.
class DrawMultiLine : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        // The drawing's current style, as it is when the command runs.
        const DrawingHeader& h = c.drawing().header();
        offsets_.clear();
        for (double v : h.multiLineOffsets) {
            offsets_.push_back(v * h.multiLineScale);
        }
        colors_ = h.multiLineColors;
        if (e.kind == ToolEvent::Kind::Enter) {
            return finish(c, false);
        }
        if (e.kind == ToolEvent::Kind::Option) {
            if (e.text == "Close") {
                return finish(c, true);
            }
            if (!points_.empty()) {
                points_.pop_back();
            }
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!points_.empty() && points_.back() == e.at.world) {
            return refuse(c, "Draw Multi-Line: that is the last point; give another");
        }
        std::vector<Point2> next = points_;
        next.push_back(e.at.world);
        if (next.size() >= 3 && lines(next, false).empty()) {
            return refuse(c, "The multi-line cannot fold back on itself: give another point");
        }
        points_ = std::move(next);
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        if (points_.empty()) {
            return askPoint("first point");
        }
        ToolAsk a = askPoint("next point");
        a.options = {"Close", "Undo"};
        return a;
    }
    std::optional<Point2> basePoint() const override {
        return points_.empty() ? std::nullopt : std::optional(points_.back());
    }
    bool followsPolar() const override { return true; }
    // A line of its own colour keeps it; the others take the current one.
    void apply(ToolContext& c) override {
        for (const Entity& e : made()) {
            const Handle h = c.add(e);
            if (!(e.props().color == Color{})) {
                Entity colored = c.drawing().entity(h);
                colored.editProps().color = e.props().color;
                c.replace(h, std::move(colored));
            }
        }
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Point2> ps = points_;
        if (ps.empty() || ps.back() == cursor) {
            return {};
        }
        ps.push_back(cursor);
        return lines(ps, false);
    }

  private:
    ToolResult finish(ToolContext& c, bool close) {
        if (points_.size() < 2) {
            return close ? refuse(c, "A closed multi-line needs three points") : ToolResult::Cancel;
        }
        if (close && points_.size() < 3) {
            return refuse(c, "A closed multi-line needs three points");
        }
        std::vector<Entity> made = lines(points_, close);
        if (made.empty()) {
            return refuse(c, "The multi-line cannot close: it would fold back on itself");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }

    std::vector<Entity> lines(const std::vector<Point2>& ps, bool closed) const {
        std::vector<Entity> out;
        for (std::size_t i = 0; i < offsets_.size(); ++i) {
            std::vector<Vertex> vs = offsetLine(ps, closed, offsets_[i]);
            if (vs.empty()) {
                return {};
            }
            out.emplace_back(PolylineGeom{std::move(vs), closed, false, 0});
            if (i < colors_.size()) {
                out.back().editProps().color = colors_[i];
            }
        }
        return out;
    }

    std::vector<Point2> points_;
    std::vector<double> offsets_;
    std::vector<Color> colors_;
};

}  // namespace

std::unique_ptr<Tool> makeMultiLine() {
    return std::make_unique<DrawMultiLine>();
}

}  // namespace brondel::engine::tools
