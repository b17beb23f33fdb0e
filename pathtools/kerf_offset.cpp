#include "pathtools/kerf_offset.h"

#include <geos_c.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/numbers.h"

namespace brondel::pathtools {

namespace {

using engine::Point2;

// One GEOS context per offset: the C API's handles are freed with it.
class Geos {
  public:
    Geos() : handle_(GEOS_init_r()) {}
    ~Geos() { GEOS_finish_r(handle_); }
    Geos(const Geos&) = delete;
    Geos& operator=(const Geos&) = delete;
    GEOSContextHandle_t operator*() const { return handle_; }

  private:
    GEOSContextHandle_t handle_;
};

struct GeometryFree {
    GEOSContextHandle_t handle;
    void operator()(GEOSGeometry* g) const { GEOSGeom_destroy_r(handle, g); }
};
using Geometry = std::unique_ptr<GEOSGeometry, GeometryFree>;

// Twice the signed area: positive runs counter-clockwise.
double signedArea(const std::vector<Point2>& ring) {
    double sum = 0;
    for (std::size_t i = 1; i < ring.size(); ++i) {
        sum += ring[i - 1].x * ring[i].y - ring[i].x * ring[i - 1].y;
    }
    return sum;
}

KerfOffset refused(std::string message) {
    KerfOffset result;
    result.message = std::move(message);
    return result;
}

}  // namespace

KerfOffset kerfOffset(const std::vector<Point2>& path, double kerf, KerfSide side) {
    if (!(kerf > 0) || !std::isfinite(kerf)) {
        return refused("The kerf must be a number greater than 0");
    }
    if (path.size() < 4 || path.front().x != path.back().x || path.front().y != path.back().y) {
        return refused(
            "The kerf is allowed for on a closed path only: this path does not end "
            "where it starts");
    }
    const Geos geos;
    GEOSCoordSequence* sequence = GEOSCoordSeq_create_r(*geos, unsigned(path.size()), 2);
    for (std::size_t i = 0; i < path.size(); ++i) {
        GEOSCoordSeq_setXY_r(*geos, sequence, unsigned(i), path[i].x, path[i].y);
    }
    GEOSGeometry* ring = GEOSGeom_createLinearRing_r(*geos, sequence);
    const Geometry polygon(ring ? GEOSGeom_createPolygon_r(*geos, ring, nullptr, 0) : nullptr,
                           GeometryFree{*geos});
    if (!polygon || GEOSisValid_r(*geos, polygon.get()) != 1) {
        return refused("The path crosses itself: it has no inside to allow the kerf for");
    }
    const double distance = side == KerfSide::Outward ? kerf / 2 : -kerf / 2;
    const Geometry offset(GEOSBufferWithStyle_r(*geos, polygon.get(), distance, 8, GEOSBUF_CAP_FLAT,
                                                GEOSBUF_JOIN_MITRE, kMitreLimit),
                          GeometryFree{*geos});
    if (offset && GEOSisEmpty_r(*geos, offset.get()) == 1 && side == KerfSide::Inward) {
        return refused("The kerf closes it up: it is nowhere wider than the kerf");
    }
    if (!offset || GEOSisEmpty_r(*geos, offset.get()) ||
        GEOSGeomTypeId_r(*geos, offset.get()) != GEOS_POLYGON) {
        return refused("The kerf offset of this path is not one outline");
    }
    const GEOSCoordSequence* outline =
        GEOSGeom_getCoordSeq_r(*geos, GEOSGetExteriorRing_r(*geos, offset.get()));
    unsigned size = 0;
    GEOSCoordSeq_getSize_r(*geos, outline, &size);
    KerfOffset result;
    for (unsigned i = 0; i < size; ++i) {
        Point2 p;
        GEOSCoordSeq_getXY_r(*geos, outline, i, &p.x, &p.y);
        result.path.push_back(p);
    }
    if ((signedArea(result.path) > 0) != (signedArea(path) > 0)) {
        std::reverse(result.path.begin(), result.path.end());
    }
    // Start where the path starts: the ring turned to its nearest vertex.
    result.path.pop_back();
    const auto nearest = std::min_element(result.path.begin(), result.path.end(),
                                          [&](const Point2& a, const Point2& b) {
                                              return std::hypot(a.x - path[0].x, a.y - path[0].y) <
                                                     std::hypot(b.x - path[0].x, b.y - path[0].y);
                                          });
    std::rotate(result.path.begin(), nearest, result.path.end());
    result.path.push_back(result.path.front());
    result.done = true;
    return result;
}

}  // namespace brondel::pathtools
