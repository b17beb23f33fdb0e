#include "engine/entity.h"

namespace brondel::engine {

namespace {
struct TypeOf {
    EntityType operator()(const PointGeom&) const { return EntityType::Point; }
    EntityType operator()(const LineGeom&) const { return EntityType::Line; }
    EntityType operator()(const CircleGeom&) const { return EntityType::Circle; }
    EntityType operator()(const ArcGeom&) const { return EntityType::Arc; }
    EntityType operator()(const EllipseGeom&) const { return EntityType::Ellipse; }
    EntityType operator()(const PolylineGeom&) const { return EntityType::Polyline; }
    EntityType operator()(const InfiniteLineGeom& g) const {
        return g.ray ? EntityType::Ray : EntityType::XLine;
    }
    template <class T>
    EntityType operator()(const Boxed<T>& b) const {
        return (*this)(*b);
    }
    EntityType operator()(const Boxed<SplineGeom>&) const { return EntityType::Spline; }
    EntityType operator()(const Boxed<TextGeom>&) const { return EntityType::Text; }
    EntityType operator()(const Boxed<MTextGeom>&) const { return EntityType::MText; }
    EntityType operator()(const Boxed<InsertGeom>&) const { return EntityType::Insert; }
    EntityType operator()(const Boxed<HatchGeom>&) const { return EntityType::Hatch; }
    EntityType operator()(const Boxed<DimensionGeom>&) const { return EntityType::Dimension; }
    EntityType operator()(const Boxed<SolidGeom>&) const { return EntityType::Solid; }
    EntityType operator()(const Boxed<ImageGeom>&) const { return EntityType::Image; }
    EntityType operator()(const Boxed<LeaderGeom>&) const { return EntityType::Leader; }
};
}  // namespace

EntityType Entity::type() const {
    return std::visit(TypeOf{}, geom);
}

const char* typeName(EntityType t) {
    switch (t) {
        case EntityType::Point:
            return "POINT";
        case EntityType::Line:
            return "LINE";
        case EntityType::Circle:
            return "CIRCLE";
        case EntityType::Arc:
            return "ARC";
        case EntityType::Ellipse:
            return "ELLIPSE";
        case EntityType::Polyline:
            return "POLYLINE";
        case EntityType::Spline:
            return "SPLINE";
        case EntityType::Insert:
            return "INSERT";
        case EntityType::Hatch:
            return "HATCH";
        case EntityType::Dimension:
            return "DIMENSION";
        case EntityType::Solid:
            return "SOLID";
        case EntityType::Ray:
            return "RAY";
        case EntityType::Text:
            return "TEXT";
        case EntityType::MText:
            return "MTEXT";
        case EntityType::XLine:
            return "XLINE";
        case EntityType::Image:
            return "IMAGE";
        case EntityType::Leader:
            return "LEADER";
    }
    return "UNKNOWN";
}

}  // namespace brondel::engine
