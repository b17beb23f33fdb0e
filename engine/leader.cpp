#include "engine/leader.h"

#include <cmath>

namespace brondel::engine {

namespace {

constexpr double kArrowHalfWidth = 1.0 / 6;  // per the arrowhead's length

double styleScale(const DimStyle& s) {
    return s.scale > 0 ? s.scale : 1;
}

// The first vertex apart from the tip: the direction the arrow comes from.
const Point3* arrowTail(const LeaderGeom& g) {
    for (std::size_t i = 1; i < g.vertices.size(); ++i) {
        if (g.vertices[i].x != g.vertices[0].x || g.vertices[i].y != g.vertices[0].y) {
            return &g.vertices[i];
        }
    }
    return nullptr;
}

}  // namespace

double leaderArrowSize(const LeaderGeom& g, const BlockLookup& blocks) {
    const DimStyle* found = blocks.findDimStyle(g.style);
    const DimStyle style = found ? *found : DimStyle{};
    return style.arrowSize * styleScale(style);
}

std::vector<Entity> leaderParts(const LeaderGeom& g, const BlockLookup& blocks,
                                const EntityProps& props) {
    std::vector<Entity> out;
    for (std::size_t i = 1; i < g.vertices.size(); ++i) {
        if (!(g.vertices[i] == g.vertices[i - 1])) {
            out.emplace_back(LineGeom{g.vertices[i - 1], g.vertices[i]}, props);
        }
    }
    const Point3* tail = arrowTail(g);
    const double size = leaderArrowSize(g, blocks);
    if (g.arrowhead && tail && size > 0) {
        const Point3& tip = g.vertices[0];
        const double dx = tail->x - tip.x, dy = tail->y - tip.y;
        const double len = std::hypot(dx, dy);
        const double ux = dx / len, uy = dy / len;
        const double w = size * kArrowHalfWidth;
        const Point3 back{tip.x + ux * size, tip.y + uy * size, tip.z};
        SolidGeom s;
        s.corners[0] = tip;
        s.corners[1] = {back.x - uy * w, back.y + ux * w, tip.z};
        s.corners[2] = {back.x + uy * w, back.y - ux * w, tip.z};
        s.corners[3] = s.corners[2];
        out.emplace_back(s, props);
    }
    if (!g.annotation.text.empty()) {
        out.emplace_back(g.annotation, props);
    }
    return out;
}

LeaderGeom makeLeader(std::vector<Point3> points, std::string text, const DimStyle& style) {
    LeaderGeom g;
    g.vertices = std::move(points);
    g.style = style.name;
    MTextGeom& t = g.annotation;
    t.text = std::move(text);
    t.height = style.textHeight * styleScale(style);
    if (g.vertices.empty()) {
        return g;
    }
    const Point3& last = g.vertices.back();
    const bool leftwards = g.vertices.size() > 1 && last.x < g.vertices[g.vertices.size() - 2].x;
    const double gap = style.textGap * styleScale(style);
    t.p = {last.x + (leftwards ? -gap : gap), last.y, last.z};
    t.attachment = leftwards ? 6 : 4;  // middle right or middle left
    return g;
}

}  // namespace brondel::engine
