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
    if (auto* point = geomIf<PointGeom>(e)) {
        r.point(point->p);
    } else if (auto* line = geomIf<LineGeom>(e)) {
        r.point(line->p1);
        r.point(line->p2);
    } else if (auto* circle = geomIf<CircleGeom>(e)) {
        r.point(circle->center);
    } else if (auto* arc = geomIf<ArcGeom>(e)) {
        r.point(arc->center);
        arc->startAngle += angle;
    } else if (auto* ellipse = geomIf<EllipseGeom>(e)) {
        r.point(ellipse->center);
        r.vector(ellipse->majorAxis);
    } else if (auto* poly = geomIf<PolylineGeom>(e)) {
        for (Vertex& v : poly->vertices) {
            r.point(v.x, v.y);
        }
    } else if (auto* xline = geomIf<InfiniteLineGeom>(e)) {
        r.point(xline->base);
        r.vector(xline->direction);
    } else if (auto* spline = geomIf<SplineGeom>(e)) {
        for (Point3& p : spline->controlPoints) {
            r.point(p);
        }
        for (Point3& p : spline->fitPoints) {
            r.point(p);
        }
    } else if (auto* text = geomIf<TextGeom>(e)) {
        r.point(text->p);
        r.point(text->alignPoint);
        text->angle += angle;
    } else if (auto* mtext = geomIf<MTextGeom>(e)) {
        r.point(mtext->p);
        mtext->angle += angle;
    } else if (auto* insert = geomIf<InsertGeom>(e)) {
        r.point(insert->p);
        insert->angle += angle;
    } else if (auto* hatch = geomIf<HatchGeom>(e)) {
        for (HatchLoop& loop : hatch->loops) {
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
        hatch->patternAngle += angle;
    } else if (auto* dim = geomIf<DimensionGeom>(e)) {
        for (Point3* p :
             {&dim->defPoint, &dim->textMid, &dim->p13, &dim->p14, &dim->p15, &dim->p16}) {
            r.point(*p);
        }
        dim->angle += angle;
    } else if (auto* solid = geomIf<SolidGeom>(e)) {
        for (Point3& p : solid->corners) {
            r.point(p);
        }
    } else if (auto* image = geomIf<ImageGeom>(e)) {
        r.point(image->insertion);
        r.vector(image->u);
        r.vector(image->v);
    } else if (auto* leader = geomIf<LeaderGeom>(e)) {
        for (Point3& p : leader->vertices) {
            r.point(p);
        }
        r.point(leader->annotation.p);
        leader->annotation.angle += angle;
    }
}

}  // namespace brondel::engine
