#include "engine/rotate.h"

#include <cmath>

namespace brondel::engine {

namespace {

struct Rotation {
    double cx, cy, c, s, angle;

    void point(double& x, double& y) const {
        const double dx = x - cx, dy = y - cy;
        x = cx + dx * c - dy * s;
        y = cy + dx * s + dy * c;
    }
    void point(Point3& p) const { point(p.x, p.y); }
    void point(Point2& p) const { point(p.x, p.y); }
    void vector(Point3& v) const {
        const double x = v.x, y = v.y;
        v.x = x * c - y * s;
        v.y = x * s + y * c;
    }
    void vector(Point2& v) const {
        const double x = v.x, y = v.y;
        v.x = x * c - y * s;
        v.y = x * s + y * c;
    }
};

}  // namespace

void rotateEntity(Entity& e, double cx, double cy, double angle) {
    const Rotation r{cx, cy, std::cos(angle), std::sin(angle), angle};
    if (auto* g = geomIf<PointGeom>(e)) {
        r.point(g->p);
    } else if (auto* g = geomIf<LineGeom>(e)) {
        r.point(g->p1);
        r.point(g->p2);
    } else if (auto* g = geomIf<CircleGeom>(e)) {
        r.point(g->center);
    } else if (auto* g = geomIf<ArcGeom>(e)) {
        r.point(g->center);
        g->startAngle += angle;
    } else if (auto* g = geomIf<EllipseGeom>(e)) {
        r.point(g->center);
        r.vector(g->majorAxis);
    } else if (auto* g = geomIf<PolylineGeom>(e)) {
        for (Vertex& v : g->vertices) {
            r.point(v.x, v.y);
        }
    } else if (auto* g = geomIf<InfiniteLineGeom>(e)) {
        r.point(g->base);
        r.vector(g->direction);
    } else if (auto* g = geomIf<SplineGeom>(e)) {
        for (Point3& p : g->controlPoints) {
            r.point(p);
        }
        for (Point3& p : g->fitPoints) {
            r.point(p);
        }
    } else if (auto* g = geomIf<TextGeom>(e)) {
        r.point(g->p);
        r.point(g->alignPoint);
        g->angle += angle;
    } else if (auto* g = geomIf<MTextGeom>(e)) {
        r.point(g->p);
        g->angle += angle;
    } else if (auto* g = geomIf<InsertGeom>(e)) {
        r.point(g->p);
        g->angle += angle;
    } else if (auto* g = geomIf<HatchGeom>(e)) {
        for (HatchLoop& loop : g->loops) {
            for (Vertex& v : loop.vertices) {
                r.point(v.x, v.y);
            }
            for (HatchEdge& edge : loop.edges) {
                if (auto* l = std::get_if<HatchLineEdge>(&edge)) {
                    r.point(l->p1);
                    r.point(l->p2);
                } else if (auto* a = std::get_if<HatchArcEdge>(&edge)) {
                    r.point(a->center);
                    a->startAngle += angle;
                } else if (auto* el = std::get_if<HatchEllipseEdge>(&edge)) {
                    r.point(el->center);
                    r.vector(el->majorAxis);
                } else if (auto* sp = std::get_if<HatchSplineEdge>(&edge)) {
                    for (Point2& p : sp->controlPoints) {
                        r.point(p);
                    }
                }
            }
        }
        g->patternAngle += angle;
    } else if (auto* g = geomIf<DimensionGeom>(e)) {
        for (Point3* p : {&g->defPoint, &g->textMid, &g->p13, &g->p14, &g->p15, &g->p16}) {
            r.point(*p);
        }
        g->angle += angle;
    } else if (auto* g = geomIf<SolidGeom>(e)) {
        for (Point3& p : g->corners) {
            r.point(p);
        }
    } else if (auto* g = geomIf<ImageGeom>(e)) {
        r.point(g->insertion);
        r.vector(g->u);
        r.vector(g->v);
    }
}

}  // namespace brondel::engine
