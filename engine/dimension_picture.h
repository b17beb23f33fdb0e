#pragma once

#include <string>
#include <vector>

#include "engine/dimension_style.h"
#include "engine/entity.h"

// A dimension's measured value and its picture (lines, arrowheads, text),
// made from its definition points and a dimension style. DXF programs show
// a dimension by its anonymous block; this draws the same block for a
// dimension that comes without one, and for the ones the tools make.
namespace brondel::engine {

class BlockLookup;

// The kind in the low bits of DXF group 70, and its flags.
namespace dimkind {
constexpr int kLinear = 0;  // rotated: 13 and 14 measured along the angle 50
constexpr int kAligned = 1;
constexpr int kAngular = 2;  // two lines: 13-14 and 15-10, arc through 16
constexpr int kDiameter = 3;
constexpr int kRadius = 4;
constexpr int kAngular3 = 5;  // vertex 15, ends 13 and 14, arc through 10
constexpr int kOrdinate = 6;
constexpr int kKindMask = 0x0f;
constexpr int kOwnBlock = 32;   // the block belongs to this dimension alone
constexpr int kOrdinateX = 64;  // an ordinate measures x, not y
}  // namespace dimkind

// The value the definition points measure: a length, or an angle in radians.
double dimensionMeasurement(const DimensionGeom& g);

// The text shown: the measured value with the style's decimals (trailing
// zeros dropped), R or Ø before radii and diameters, ° after angles in
// degrees; a text of the dimension's own replaces it, with "<>" standing
// for the value.
std::string dimensionText(const DimensionGeom& g, const DimStyle& style);

// Sets the measurement from the definition points and the text position
// the style gives: above the middle of a linear dimension line, outside the
// middle of an angular arc, beyond the end of an ordinate's leader. Radii
// and diameters keep the location in textMid.
void finishDimension(DimensionGeom& g, const DimStyle& style);

// The picture in drawing coordinates, its parts on layer 0 in BYBLOCK
// colour, line type and weight so that they take the dimension's own.
std::vector<Entity> dimensionPicture(const DimensionGeom& g, const DimStyle& style);

// The parts a dimension shows: its block's entities, or its picture by the
// default style when the drawing holds no such block or an empty one.
std::vector<Entity> dimensionParts(const DimensionGeom& g, const BlockLookup& blocks);

}  // namespace brondel::engine
