#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/dimension_style.h"
#include "engine/entity.h"

// The drawing's tables: layers, line types, text styles, blocks and the
// header values the engine reads and writes.
namespace brondel::engine {

struct Layer {
    std::string name;
    Color color{7, -1};
    std::string lineType = "CONTINUOUS";
    std::int16_t lineWeight = lineweight::kDefault;
    bool on = true;
    bool frozen = false;
    bool locked = false;
    bool operator==(const Layer&) const = default;
};

struct LineType {
    std::string name;
    std::string description;
    std::vector<double> pattern;  // dash (+), gap (-), dot (0) lengths
    bool operator==(const LineType&) const = default;
};

struct TextStyle {
    std::string name;
    std::string font = "txt";
    std::string bigFont;
    double height = 0;
    double widthFactor = 1;
    double oblique = 0;
    bool operator==(const TextStyle&) const = default;
};

// Block entities carry no handles of their own: they are copied into the
// drawing (with new handles) when a reference is exploded.
struct Block {
    std::string name;
    Point3 base;
    int flags = 0;
    std::vector<Entity> entities;
    // The file an external reference names, as kept in the drawing; its
    // entities are that file's, read when the drawing is opened.
    std::string xrefPath = {};
};

// A paper-space layout: the sheet the drawing is printed on. The sizes are
// the paper's in millimetres as DXF plot settings give them, 0 when the file
// sets none; rotation is the plot settings' (0 none, 1 a quarter turn
// counter-clockwise, 2 half a turn, 3 a quarter turn clockwise).
struct Page {
    std::string name;
    double paperWidth = 0;
    double paperHeight = 0;
    int rotation = 0;
    bool operator==(const Page&) const = default;
};

struct DrawingHeader {
    std::string acadVersion;  // $ACADVER as read, e.g. "AC1015"
    std::string codePage;     // $DWGCODEPAGE as read, e.g. "ANSI_1252"
    std::string producer;     // from leading 999 comments, when a file names it
    int insUnits = 0;         // $INSUNITS
    // What new entities take ($CECOLOR, $CELWEIGHT).
    Color currentColor;
    std::int16_t currentLineWeight = lineweight::kByLayer;
    // The current dimension style ($DIMSTYLE and its DIMSTYLE entry).
    DimStyle dimStyle;
    // How points are drawn ($PDMODE) and how large ($PDSIZE: drawing units
    // when above 0, a share of the view's height in percent when below 0,
    // 5 % of it at 0).
    int pointMode = 0;
    double pointSize = 0;
    // The current multi-line style: each line's offset left of the centre
    // line, times the scale.
    std::vector<double> multiLineOffsets = {0.5, -0.5};
    double multiLineScale = 1;
    // Each line's colour, as many as offsets; ByLayer takes the current colour.
    std::vector<Color> multiLineColors = {Color{}, Color{}};
    // The line type new entities take ($CELTYPE: BYLAYER, BYBLOCK or a name
    // of the line type table) and the text style new text takes ($TEXTSTYLE).
    std::string currentLineType = "BYLAYER";
    std::string currentTextStyle = "STANDARD";
    // The paper-space layouts in tab order (never none) and the one printing
    // uses.
    std::vector<Page> pages = {Page{"Layout1"}};
    std::string currentPage = "Layout1";
    bool operator==(const DrawingHeader&) const = default;
};

}  // namespace brondel::engine
