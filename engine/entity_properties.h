#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/drawing.h"

// An entity's properties as a properties window shows and edits them, and
// the changes the selector boxes make to many entities at once. Every edit
// is checked in full before anything changes and lands as one undo step.
namespace brondel::engine {

// Which defining values an entity offers for editing.
enum class PropertyShape { Line, Arc, Circle, Point, Text, Other };

struct EntityProperties {
    PropertyShape shape = PropertyShape::Other;
    EntityType type = EntityType::Point;
    EntityProps props;
    // Line: p1 and p2 are its ends. Point and text: p1 is the position
    // (a text's insertion point).
    Point3 p1, p2;
    // Arc and circle; angles in radians, the arc's angle signed (positive
    // runs counter-clockwise).
    Point3 center;
    double radius = 0;
    double startAngle = 0;
    double angle = 0;
    // Text.
    double height = 0;
    std::string text;
    // The entity's extent, for every kind; never edited.
    Box2 box;
};

EntityProperties readProperties(const Drawing& drawing, Handle h);

// Writes the edited values into the entity as one undo step labelled
// "Properties". Returns false when nothing differs (no step is made).
// Throws Error for a value the entity cannot take (unknown layer or line
// type, colour or line weight out of range, a coordinate that is not a
// number, a radius or height not above zero, an arc of no or more than a
// full turn, a text with a line break) or for properties of another shape.
bool applyProperties(Drawing& drawing, Handle h, const EntityProperties& edited);

// The choices the selector boxes offer. Line types and weights of
// EntityProps: "" is BYLAYER for line types.
inline const std::string kByBlockLineType = "BYBLOCK";
inline const std::string kContinuousLineType = "CONTINUOUS";

// BYLAYER, BYBLOCK, the seven standard colours, then any other colour a
// layer uses.
std::vector<Color> colorChoices(const Drawing& drawing);
// BYLAYER (""), BYBLOCK, CONTINUOUS, then the drawing's line types.
std::vector<std::string> lineTypeChoices(const Drawing& drawing);
// BYLAYER, BYBLOCK, DEFAULT, then the standard weights from thin to heavy.
const std::vector<std::int16_t>& lineWeightChoices();

std::string colorName(const Color& color);
std::string lineTypeName(const std::string& lineType);
std::string lineWeightName(std::int16_t weight);

// What every entity of a list shares; a value is missing when they differ
// or the list is empty.
struct SharedProps {
    std::optional<Color> color;
    std::optional<std::string> lineType;
    std::optional<std::int16_t> lineWeight;
};
SharedProps sharedProps(const Drawing& drawing, const std::vector<Handle>& handles);

// Each sets one property of every listed entity as one undo step and
// returns how many entities changed. A value the drawing cannot take is an
// Error and changes nothing.
std::size_t setColor(Drawing& drawing, const std::vector<Handle>& handles, const Color& color);
std::size_t setLineType(Drawing& drawing, const std::vector<Handle>& handles,
                        const std::string& lineType);
std::size_t setLineWeight(Drawing& drawing, const std::vector<Handle>& handles,
                          std::int16_t weight);
// Makes the layer current and moves the listed entities onto it, as one
// undo step labelled "Layer".
std::size_t setLayer(Drawing& drawing, const std::vector<Handle>& handles,
                     const std::string& layer);

}  // namespace brondel::engine
