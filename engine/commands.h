#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

// The engine's command table: every code the menus forward, with its
// caption, the short names the command window takes and, for the
// interactive ones, the tool that carries it out.
namespace brondel::engine {

class Tool;

namespace command {
constexpr int kZoomExtents = 102;
constexpr int kZoomIn = 103;
constexpr int kZoomOut = 104;
constexpr int kZoomPrevious = 105;
constexpr int kZoomWindow = 106;
constexpr int kZoomRealtime = 107;
constexpr int kZoomSelected = 108;
constexpr int kPanRealtime = 111;
constexpr int kPanToPoint = 112;
constexpr int kViewpointPresets = 141;
constexpr int kCurrentLayer = 142;
constexpr int kDrawPoint = 201;
constexpr int kDrawLine = 205;
constexpr int kDrawRay = 206;
constexpr int kDrawConstructionLine = 207;
constexpr int kDrawMultiLine = 208;
constexpr int kDrawPolyline = 209;
constexpr int kDrawPolygon = 210;
constexpr int kDrawEllipse = 211;
constexpr int kDrawRectangle = 212;
constexpr int kCircleCenterRadius = 221;
constexpr int kCircleCenterDiameter = 222;
constexpr int kCircleDiametric = 223;
constexpr int kCircleTwoPointsRadius = 224;
constexpr int kDrawArc = 229;
constexpr int kDrawSpline = 242;
constexpr int kDrawText = 245;
constexpr int kDrawHatch = 246;
constexpr int kInsertBlock = 252;
constexpr int kInsertImage = 253;
constexpr int kInsertXref = 254;
constexpr int kImageManager = 255;
constexpr int kXrefManager = 256;
constexpr int kCreateBlock = 257;
constexpr int kUndo = 301;
constexpr int kRedo = 302;
constexpr int kProperties = 306;
constexpr int kErase = 311;
constexpr int kClearSnapModes = 410;
constexpr int kAdjustObjectSnap = 411;
constexpr int kToggleSnap = 423;
constexpr int kAdjustGrid = 425;
constexpr int kAdjustPolarTracking = 426;
constexpr int kSelectByPoint = 501;
constexpr int kSelectByRectangle = 502;
constexpr int kSelectById = 507;
constexpr int kSelectCurrentLayer = 508;
constexpr int kSelectByText = 509;
constexpr int kSelectByUserData = 510;
constexpr int kFormatLayers = 801;
constexpr int kSetLayerOrder = 802;
constexpr int kFormatColors = 803;
constexpr int kFormatLineType = 804;
constexpr int kFormatLineWeight = 805;
constexpr int kFormatTextStyle = 806;
constexpr int kFormatDimensionStyle = 807;
constexpr int kFormatPointStyle = 808;
constexpr int kFormatMultiLineStyle = 809;
constexpr int kFormatPages = 810;
constexpr int kFormatBlocks = 811;
constexpr int kRegenerate = 911;
constexpr int kPrint = 901;
constexpr int kPrintPreview = 903;
constexpr int kExportScreenRaster = 942;
constexpr int kOptions = 951;
constexpr int kDrawingInfo = 955;
}  // namespace command

struct CommandRow {
    int code;
    const char* caption;
    const char* shortNames;  // blank-separated, lower case
    // The tool that carries the command out; nullptr when the control acts
    // at once or the engine does not have it.
    std::unique_ptr<Tool> (*makeTool)();
    // The tool acts on the selection: with nothing selected the host first
    // lets the user pick entities.
    bool onSelection;
    // The tool works in the plane a 3D view shows: it picks, selects or moves
    // the view. The others take points of the XY plane, which only the top
    // view shows.
    bool inAnyView;
};

// Sorted by code.
std::span<const CommandRow> commandTable();
const CommandRow* findCommand(int code);

// The caption of a command code ("Draw Rectangle"), "Command" if unknown.
std::string commandName(int code);
// The code whose caption this is, compared without regard to case; 0 when
// no code has it.
int commandCode(std::string_view caption);
// What the command window shows for a code this engine does not carry out.
std::string notAvailableNotice(int code);

}  // namespace brondel::engine
