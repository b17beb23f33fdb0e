#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/entity.h"
#include "engine/geometry.h"
#include "engine/rubber_band.h"
#include "engine/tables.h"

namespace brondel::engine {

class Drawing;
class View;

// A pointer position as a tool receives it: the window pixel, and the
// drawing point it stands for (snapped, or held to the polar angles, when
// the tool asks for drawing points).
struct CommandPoint {
    Point2 window;
    Point2 world;
};

// What a running tool is told: a point (pressed or typed), a typed number,
// one of its options, a typed line of text, Enter (also a right press or
// an empty line), a move of the cursor or a release of the button.
struct ToolEvent {
    enum class Kind { Point, Number, Option, Text, Enter, Move, Release };
    Kind kind = Kind::Enter;
    CommandPoint at;
    double number = 0;
    std::string text;  // the option as the tool lists it, or the typed line
};

// How a tool answers an event: go on, end and keep what it made (the host
// wraps apply() in one undo step), end having changed no drawing, or end
// and leave nothing.
enum class ToolResult { Running, Commit, Done, Cancel };

// What a tool asks for now. The host shows it as "Caption: prompt
// [Arc/Close] <4>" and reads typed lines by it.
struct ToolAsk {
    std::string prompt;
    bool point = false;   // a press or a typed point; snaps apply
    bool pick = false;    // presses pick entities at the window pixel; no snaps
    bool number = false;  // a typed number is a Number, not a distance
    bool text = false;    // any typed line is Text
    // Typed by their capital letters or whole, in any case.
    std::vector<std::string> options;
    std::string fallback;  // what Enter takes, "" for none
};

// Values the drafting tools remember between commands of one drawing.
struct DraftingSettings {
    double textHeight = 2.5;
    int polygonSides = 4;
    std::string hatchPattern = "SOLID";
    double hatchScale = 1;
    double hatchAngleDegrees = 0;
};

// A file a tool asks the user to choose: the dialog's title and its
// "Description (*.ext)|*.ext|..." filter.
struct FileChoice {
    std::string title;
    std::string filter;
};

// A name the program may offer as a list to choose from.
struct NameChoice {
    std::string title;
    std::vector<std::string> names;
};

// What a tool may reach: the drawing (changed only inside apply), the
// view, the selection and the command window.
class ToolContext {
  public:
    virtual ~ToolContext() = default;
    virtual const Drawing& drawing() const = 0;
    // New entities take the current layer and the current properties.
    virtual Handle add(Entity e) = 0;
    // Copies and pastes keep the layer and properties they carry.
    virtual Handle addAsIs(Entity e) = 0;
    // Same handle and drawing order, new geometry or properties.
    virtual void replace(Handle h, Entity e) = 0;
    virtual void erase(Handle h) = 0;

    virtual const View& view() const = 0;
    virtual void rememberView() = 0;
    virtual void setView(Point2 center, double scale) = 0;
    virtual void zoomToBox(const Box2& box) = 0;

    virtual const std::vector<Handle>& selection() const = 0;
    virtual void select(Handle h) = 0;
    virtual void clearSelection() = 0;
    virtual int selectInBox(const Box2& box, bool crossing) = 0;
    virtual Handle entityAt(Point2 window) const = 0;

    virtual void message(const std::string& text) = 0;
    virtual DraftingSettings& settings() = 0;

    // As replace for each entity, by the handle it carries, as one change:
    // quick for a large share of the drawing.
    virtual void replaceMany(std::vector<Entity> entities) = 0;
    // A layer the drawing lacks is added as given; one it has stays as it is.
    virtual void addLayerIfMissing(const Layer& layer) = 0;
    // Adds the entities to the selection with one redraw; answers how many
    // were not selected before.
    virtual int selectMany(const std::vector<Handle>& handles) = 0;
    // Inside apply: the layer new entities go on.
    virtual void setCurrentLayer(const std::string& name) = 0;
    // The drawing's file, "" when it has none yet.
    virtual std::string fileName() const = 0;
    // Adds, replaces or (with nullopt) removes a block definition.
    virtual void setBlock(const std::string& name, std::optional<Block> block) = 0;
    // An existing file chosen in the program's open dialog, "" when cancelled
    // or when nobody can ask.
    virtual std::string chooseFile(const FileChoice& /*choice*/) { return {}; }
    // One of the names chosen from a list: "" when cancelled, nothing when
    // nobody shows lists (the name is typed at the command's prompt then).
    virtual std::optional<std::string> chooseName(const NameChoice& /*choice*/) {
        return std::nullopt;
    }
    // As erase for each handle, as one change: quick for a large share of
    // the drawing.
    virtual void eraseMany(const std::vector<Handle>& handles) = 0;
    // A line type or text style the drawing lacks (by name, regardless of
    // case) is added as given; one it has stays as it is.
    virtual void addLineTypeIfMissing(const LineType& lineType) = 0;
    virtual void addTextStyleIfMissing(const TextStyle& style) = 0;
};

// One of the engine's interactive commands while it runs: a small state
// machine fed events by the host, which owns its undo step.
class Tool {
  public:
    Tool() = default;
    virtual ~Tool() = default;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    virtual ToolResult begin(ToolContext&) { return ToolResult::Running; }
    virtual ToolResult update(ToolContext& context, const ToolEvent& event) = 0;
    virtual ToolAsk ask() const = 0;

    // The entities as they would be added with the cursor at `cursor`.
    virtual std::vector<Entity> preview(Point2 /*cursor*/) const { return {}; }
    // A rectangle the view shows (zoom window, box selection).
    virtual std::optional<RubberBand::Rectangle> frame(Point2 /*cursor*/) const {
        return std::nullopt;
    }
    // Makes the change after Commit, inside the host's undo step.
    virtual void apply(ToolContext&) {}
    // Lets go of what the tool holds outside the drawing (its picks).
    virtual void cancel(ToolContext&) {}

    // The point that relative and distance input start from.
    virtual std::optional<Point2> basePoint() const { return std::nullopt; }
    // Whether ortho and polar angles hold points to the base point.
    virtual bool followsPolar() const { return false; }
};

}  // namespace brondel::engine
