#pragma once

#include <dxflib/dl_writer.h>

#include <string>
#include <vector>

#include "engine/io/drawing_files.h"
#include "engine/shape.h"

namespace brondel::engine::io {

// Entities as DXF R12 holds them, group by group (dxflib's own R12 entity
// writers drop line types). Every polyline is a POLYLINE, which holds all of
// it. Kinds R12 has no entity for become what it can hold and are counted in
// the report: ELLIPSE and SPLINE as POLYLINE within the chord tolerance,
// MTEXT as TEXT, HATCH as its boundary, IMAGE as its frame, LEADER as its
// lines, arrowhead and text; rays and
// construction lines are left out.
// True colours, line weights and line type scales have no R12 group and go.
class R12EntityWriter {
  public:
    R12EntityWriter(const DL_Writer& w, const BlockLookup& blocks, double chordTolerance,
                    std::string codePage, WriteReport& report)
        : w_(w),
          blocks_(blocks),
          chordTolerance_(chordTolerance),
          codePage_(std::move(codePage)),
          report_(report) {}

    void write(const Entity& e);

  private:
    std::string text(const std::string& utf8) const;
    void begin(const char* kind, const EntityProps& p);
    void point(int gc, const Point3& p);
    void point(int gc, const Point2& p);
    void lowered(const Entity& e, const std::string& conversion);
    void writeParts(const std::vector<Entity>& parts);

    void write(const Entity& e, const PointGeom& g);
    void write(const Entity& e, const LineGeom& g);
    void write(const Entity& e, const CircleGeom& g);
    void write(const Entity& e, const ArcGeom& g);
    void write(const Entity& e, const EllipseGeom& g);
    void write(const Entity& e, const PolylineGeom& g);
    void write(const Entity& e, const InfiniteLineGeom& g);
    void write(const Entity& e, const SplineGeom& g);
    void write(const Entity& e, const TextGeom& g);
    void write(const Entity& e, const MTextGeom& g);
    void write(const Entity& e, const InsertGeom& g);
    void write(const Entity& e, const HatchGeom& g);
    void write(const Entity& e, const DimensionGeom& g);
    void write(const Entity& e, const SolidGeom& g);
    void write(const Entity& e, const ImageGeom& g);
    void write(const Entity& e, const LeaderGeom& g);

    const DL_Writer& w_;
    const BlockLookup& blocks_;
    double chordTolerance_;
    std::string codePage_;
    WriteReport& report_;
};

}  // namespace brondel::engine::io
