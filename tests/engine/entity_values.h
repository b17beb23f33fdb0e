#pragma once

#include <cmath>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "engine/entity.h"

// Every value an entity's geometry holds, in a fixed order: its numbers
// (flags and counts among them) and its texts. Angles come as they are, or
// as the cosine and sine of their direction when shapes that went a full
// turn round are compared; sweeps always as they are.
namespace brondel::engine::testing {

struct EntityValues {
    std::vector<double> numbers;
    std::vector<std::string> texts;
};

inline EntityValues entityValues(const Entity& e, bool anglesAsDirections = false) {
    EntityValues out;
    const auto put = [&](std::initializer_list<double> v) {
        out.numbers.insert(out.numbers.end(), v);
    };
    const auto list = [&](const std::vector<double>& v) {
        put({double(v.size())});
        out.numbers.insert(out.numbers.end(), v.begin(), v.end());
    };
    const auto p2 = [&](const Point2& p) { put({p.x, p.y}); };
    const auto p3 = [&](const Point3& p) { put({p.x, p.y, p.z}); };
    const auto points = [&](const std::vector<Point3>& ps) {
        put({double(ps.size())});
        for (const Point3& p : ps) {
            p3(p);
        }
    };
    const auto angle = [&](double a) {
        anglesAsDirections ? put({std::cos(a), std::sin(a)}) : put({a});
    };
    const auto text = [&](const std::string& t) { out.texts.push_back(t); };
    const auto vertices = [&](const std::vector<Vertex>& vs) {
        put({double(vs.size())});
        for (const Vertex& v : vs) {
            put({v.x, v.y, v.z, v.bulge});
        }
    };
    const auto mtext = [&](const MTextGeom& m) {
        text(m.text);
        text(m.style);
        p3(m.p);
        put({m.height, m.width, double(m.attachment), m.lineSpacing});
        angle(m.angle);
    };
    if (const auto* point = geomIf<PointGeom>(e)) {
        p3(point->p);
    } else if (const auto* line = geomIf<LineGeom>(e)) {
        p3(line->p1);
        p3(line->p2);
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        p3(circle->center);
        put({circle->radius});
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        p3(arc->center);
        put({arc->radius, arc->angle});
        angle(arc->startAngle);
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        p3(ellipse->center);
        p3(ellipse->majorAxis);
        put({ellipse->ratio});
        angle(ellipse->startParam);
        angle(ellipse->endParam);
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        vertices(poly->vertices);
        put({double(poly->closed), double(poly->is3d), poly->constantWidth});
    } else if (const auto* spline = geomIf<SplineGeom>(e)) {
        put({double(spline->degree), double(spline->closed), double(spline->periodic),
             double(spline->rational)});
        list(spline->knots);
        points(spline->controlPoints);
        list(spline->weights);
        points(spline->fitPoints);
    } else if (const auto* t = geomIf<TextGeom>(e)) {
        text(t->text);
        text(t->style);
        p3(t->p);
        p3(t->alignPoint);
        put({t->height, t->widthFactor, t->oblique, double(t->hAlign), double(t->vAlign)});
        angle(t->angle);
    } else if (const auto* m = geomIf<MTextGeom>(e)) {
        mtext(*m);
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        text(insert->block);
        p3(insert->p);
        p3(insert->scale);
        put({double(insert->columns), double(insert->rows), insert->columnSpacing,
             insert->rowSpacing});
        angle(insert->angle);
    } else if (const auto* hatch = geomIf<HatchGeom>(e)) {
        text(hatch->pattern);
        put({double(hatch->solid), hatch->elevation, hatch->patternScale,
             double(hatch->loops.size())});
        angle(hatch->patternAngle);
        for (const HatchLoop& loop : hatch->loops) {
            put({double(loop.flags), double(loop.isPolyline), double(loop.closed),
                 double(loop.edges.size())});
            vertices(loop.vertices);
            for (const HatchEdge& edge : loop.edges) {
                put({double(edge.index())});
                if (const auto* l = std::get_if<HatchLineEdge>(&edge)) {
                    p2(l->p1);
                    p2(l->p2);
                } else if (const auto* a = std::get_if<HatchArcEdge>(&edge)) {
                    p2(a->center);
                    put({a->radius, a->angle});
                    angle(a->startAngle);
                } else if (const auto* el = std::get_if<HatchEllipseEdge>(&edge)) {
                    p2(el->center);
                    p2(el->majorAxis);
                    put({el->ratio, double(el->ccw)});
                    angle(el->startParam);
                    angle(el->endParam);
                } else {
                    const auto& s = std::get<HatchSplineEdge>(edge);
                    put({double(s.degree), double(s.rational), double(s.periodic)});
                    list(s.knots);
                    put({double(s.controlPoints.size())});
                    for (const Point2& p : s.controlPoints) {
                        p2(p);
                    }
                    list(s.weights);
                }
            }
        }
    } else if (const auto* dim = geomIf<DimensionGeom>(e)) {
        text(dim->block);
        text(dim->text);
        text(dim->style);
        put({double(dim->dimType), dim->measurement});
        for (const Point3& p :
             {dim->defPoint, dim->textMid, dim->p13, dim->p14, dim->p15, dim->p16}) {
            p3(p);
        }
        angle(dim->angle);
    } else if (const auto* solid = geomIf<SolidGeom>(e)) {
        put({double(int(solid->kind)), double(solid->invisibleEdges)});
        for (const Point3& p : solid->corners) {
            p3(p);
        }
    } else if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        p3(xline->base);
        p3(xline->direction);
        put({double(xline->ray)});
    } else if (const auto* image = geomIf<ImageGeom>(e)) {
        text(image->fileName);
        p3(image->insertion);
        p3(image->u);
        p3(image->v);
        put({double(image->widthPx), double(image->heightPx)});
    } else if (const auto* leader = geomIf<LeaderGeom>(e)) {
        text(leader->style);
        points(leader->vertices);
        put({double(leader->arrowhead)});
        mtext(leader->annotation);
    }
    return out;
}

}  // namespace brondel::engine::testing
