#pragma once

// Tolerances and conventions of the engine's geometry, in one place.
//
// Conventions:
// - Angles are radians, counter-clockwise positive (y up). An arc's angle is
//   its signed sweep: positive runs counter-clockwise from startAngle.
// - A polyline bulge is tan(sweep / 4) of the segment that starts at its
//   vertex: positive bends counter-clockwise (the arc lies to the right of
//   the chord when walking from the vertex to the next).
// - Ellipse parameters always run counter-clockwise in the ellipse's own
//   frame (major axis, then minor axis = major turned +90 degrees * ratio).
//   A hatch ellipse edge with ccw = false stores its parameters mirrored, as
//   DXF does: it runs clockwise from -startParam to -endParam.
// - SOLID and TRACE corners go 1, 2, 4, 3 around the outline (DXF order);
//   3DFACE corners go 1, 2, 3, 4. A fourth corner equal to the third makes a
//   triangle.
// - Distances are planar: z plays no part.
#include <cstddef>

namespace brondel::engine::tol {

// Segments shorter than this are dropped when a polyline is exploded.
constexpr double kZeroLength = 1e-12;

// A curve's chord tolerance for distances and boxes of splines, relative to
// the size of its control polygon.
constexpr double kCurveRelative = 1e-6;

// Most straight segments one curve is cut into, whatever the tolerance asks:
// a tolerance far below the curve's size must not freeze the program.
constexpr int kMaxCurveSegments = 1 << 16;

// Smallest chord tolerance explode accepts, relative to the curve's size.
constexpr double kMinChordRelative = 1e-9;

// Samples per full turn that seed the search for the nearest point of an
// ellipse before Newton's method refines it.
constexpr int kEllipseSeedSamples = 64;

// Nested block references deeper than this are left out (a block that
// refers to itself would otherwise never end).
constexpr int kMaxBlockNesting = 32;

// Most entities one block reference places when its box or distance is
// asked (nested arrays multiply); beyond it the rest is left out.
constexpr std::size_t kMaxPlacedEntities = std::size_t(1) << 22;

// Column vectors of a transformed block reference count as perpendicular when
// |cos| of the angle between them is below this.
constexpr double kPerpendicular = 1e-9;

// Approximate text metrics without fonts: a character's advance as a
// fraction of the text height (times the width factor), and the distance of
// MTEXT baselines as a fraction of the text height (times the spacing
// factor).
constexpr double kCharAdvance = 0.7;
constexpr double kMTextLineSpacing = 5.0 / 3.0;

}  // namespace brondel::engine::tol
