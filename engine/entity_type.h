#pragma once

// Entity type codes answered by EntityGetType / CadEntityGetType.
// 2 (line), 4 (arc) and 13 (single-line text, the kind of the start marker)
// are fixed by what the program relies on; the others are this engine's.
namespace brondel::engine {

enum class EntityType : int {
    Point = 1,
    Line = 2,
    Circle = 3,
    Arc = 4,
    Ellipse = 5,
    Polyline = 6,
    Spline = 7,
    Insert = 8,  // block reference
    Hatch = 9,
    Dimension = 10,
    Solid = 11,  // SOLID, TRACE and 3DFACE
    Ray = 12,
    Text = 13,  // single-line text
    MText = 14,
    XLine = 15,  // construction line
    Image = 16,
    Leader = 17,
};

constexpr int code(EntityType t) {
    return static_cast<int>(t);
}

// The name DXF gives the kind (for reports); solids answer by their sub-kind.
const char* typeName(EntityType t);

}  // namespace brondel::engine
