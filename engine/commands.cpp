#include "engine/commands.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "engine/tools/tools.h"

namespace brondel::engine {

namespace {

constexpr CommandRow kCommands[] = {
    {102, "Zoom Extents", "ze zoomext", nullptr, false, false},
    {103, "Zoom In", "zi zoomin", nullptr, false, false},
    {104, "Zoom Out", "zo zoomout", nullptr, false, false},
    {105, "Zoom Previous", "zp zoomprev", nullptr, false, false},
    {106, "Zoom Window", "zw zoomwin", tools::makeZoomWindow, false, true},
    {107, "Zoom Realtime", "z zoom", tools::makeZoomRealtime, false, true},
    {108, "Zoom to Selected", "zs zoomsel", nullptr, false, false},
    {111, "Pan Realtime", "p pan", tools::makePanRealtime, false, true},
    {112, "Pan to Point", "panpoint", tools::makePanToPoint, false, true},
    {130, "3D N.W.", "", nullptr, false, false},
    {131, "3D Top (Nadir)", "", nullptr, false, false},
    {132, "3D Bottom (Transverse)", "", nullptr, false, false},
    {133, "3D Left", "", nullptr, false, false},
    {134, "3D Right", "", nullptr, false, false},
    {135, "3D Front", "", nullptr, false, false},
    {136, "3D Back", "", nullptr, false, false},
    {137, "3D S.W.", "", nullptr, false, false},
    {138, "3D S.E.", "", nullptr, false, false},
    {139, "3D N.E.", "", nullptr, false, false},
    {141, "3D Viewpoint Presets", "", nullptr, false, false},
    {142, "Current Layer", "cla curlayer", tools::makeCurrentLayer, false, true},
    {201, "Draw Point", "po point", tools::makePoint, false, false},
    {205, "Draw Line", "l line", tools::makeLine, false, false},
    {206, "Draw Ray", "ray", tools::makeRay, false, false},
    {207, "Draw Construction Line", "xl xline", tools::makeConstructionLine, false, false},
    {208, "Draw Multi-Line (parallel line)", "ml mline", tools::makeMultiLine, false, false},
    {209, "Draw Polyline", "pl pline polyline", tools::makePolyline, false, false},
    {210, "Draw Polygon", "pol polygon", tools::makePolygon, false, false},
    {211, "Draw Ellipse", "el ellipse", tools::makeEllipse, false, false},
    {212, "Draw Rectangle", "rec rectang rectangle", tools::makeRectangle, false, false},
    {221, "Draw Cirlce by Center and Radius", "c circle", tools::makeCircleCenterRadius, false,
     false},
    {222, "Draw Circle by Center and Diameter", "cd circled", tools::makeCircleCenterDiameter,
     false, false},
    {223, "Draw Diametric Circle", "c2 circle2p", tools::makeCircleDiametric, false, false},
    {224, "Draw Circle by 2 Points and Radius", "cr circle2r", tools::makeCircleTwoPointsRadius,
     false, false},
    {229, "Draw Arc", "a arc", tools::makeArc, false, false},
    {242, "Draw Spline", "spl spline", tools::makeSpline, false, false},
    {245, "Draw Text", "dt text", tools::makeText, false, false},
    {246, "Draw Hatch", "h hatch", tools::makeHatch, false, false},
    {247, "Quick Leader Line", "le qleader", tools::makeQuickLeader, false, false},
    {248, "Quick Centermark", "dce dimcenter", tools::makeQuickCentermark, false, false},
    {252, "Insert Block", "i insert", tools::makeInsertBlock, false, false},
    {253, "Insert Image (bmp, jpg, gif, tiff, etc.)", "image", tools::makeInsertImage, false,
     false},
    {254, "Insert Xref", "xr xref xattach", tools::makeInsertXref, false, false},
    {255, "Image Manager", "", nullptr, false, false},
    {256, "Xref Manager", "", nullptr, false, false},
    {257, "Create Block", "b block", tools::makeCreateBlock, true, false},
    {290, "Linear Dimension", "dli dimlinear", tools::makeLinearDimension, false, false},
    {291, "Aligned Dimension", "dal dimaligned", tools::makeAlignedDimension, false, false},
    {292, "Ordinate Dimension", "dor dimordinate", tools::makeOrdinateDimension, false, false},
    {293, "Radius Dimension", "dra dimradius", tools::makeRadiusDimension, false, false},
    {294, "Diameter Dimension", "ddi dimdiameter", tools::makeDiameterDimension, false, false},
    {295, "Angular Dimension", "dan dimangular", tools::makeAngularDimension, false, false},
    {301, "Undo", "u undo", nullptr, false, false},
    {302, "Redo", "redo", nullptr, false, false},
    {303, "Cut", "cutclip", tools::makeCut, true, false},
    {304, "Copy", "copyclip", tools::makeCopy, true, false},
    {305, "Paste", "pasteclip", tools::makePaste, false, false},
    {306, "Properties", "", nullptr, false, false},
    {311, "Erase", "e erase delete", tools::makeErase, true, true},
    {312, "Drop Copy", "dc dropcopy", tools::makeDropCopy, true, false},
    {313, "Move", "m move", tools::makeMove, true, false},
    {314, "Rotate", "ro rotate", tools::makeRotate, true, false},
    {315, "Scale", "sc scale", tools::makeScale, true, false},
    {316, "Mirror", "mi mirror", tools::makeMirror, true, false},
    {317, "Explode", "x explode", tools::makeExplode, true, false},
    {318, "Join", "j join", tools::makeJoin, true, false},
    {319, "Trim", "tr trim", tools::makeTrim, false, false},
    {320, "Extend", "ex extend", tools::makeExtend, false, false},
    {410, "Clear Snap Modes", "", nullptr, false, false},
    {411, "Adjust Object Snap", "", nullptr, false, false},
    {423, "Toggle Snap Mode", "", nullptr, false, false},
    {425, "Adjust Grid", "", nullptr, false, false},
    {426, "Adjust PolarTracking", "", nullptr, false, false},
    {501, "Select By Point", "sp selpoint", tools::makeSelectByPoint, false, true},
    {502, "Select By Rectangle", "sr selrect", tools::makeSelectByRectangle, false, true},
    {503, "Select By Polygon", "spg selpoly", tools::makeSelectByPolygon, false, false},
    {504, "Select By Polyline", "sf selfence", tools::makeSelectByPolyline, false, false},
    {505, "Select By Radial Distance", "sc selcircle", tools::makeSelectByRadialDistance, false,
     false},
    {507, "Select By ID", "sid selid", tools::makeSelectById, false, true},
    {508, "Select Current Layer", "sl sellayer", tools::makeSelectCurrentLayer, false, true},
    {509, "Select By Text", "st seltext", tools::makeSelectByText, false, true},
    {510, "Select By User Data (Object Data)", "sx selxdata", tools::makeSelectByUserData, false,
     true},
    {801, "Format Layers", "", nullptr, false, false},
    {802, "Set Layer Order", "", nullptr, false, false},
    {803, "Format Colors", "", nullptr, false, false},
    {804, "Format Linetype", "", nullptr, false, false},
    {805, "Format Line Weight", "", nullptr, false, false},
    {806, "Format Text Style", "", nullptr, false, false},
    {807, "Format Dimension Style", "", nullptr, false, false},
    {808, "Format Point Style", "", nullptr, false, false},
    {809, "Format Multi-line Style (parallel lines)", "", nullptr, false, false},
    {810, "Format Pages", "", nullptr, false, false},
    {811, "Format Blocks", "", nullptr, false, false},
    {911, "Regenerate", "re regen", nullptr, false, false},
    {942, "Export Screen Raster", "", nullptr, false, false},
    {951, "Options", "", nullptr, false, false},
    {952, "Distance Tool", "di dist", tools::makeDistanceTool, false, false},
    {953, "Area Tool", "aa area", tools::makeAreaTool, false, false},
    {954, "Calibrate Metrics", "cal calibrate", tools::makeCalibrateMetrics, false, false},
    {955, "Drawing Info", "info drawinginfo", tools::makeDrawingInfo, false, true},
};

}  // namespace

std::span<const CommandRow> commandTable() {
    return kCommands;
}

const CommandRow* findCommand(int code) {
    const auto* end = std::end(kCommands);
    const auto* it = std::lower_bound(std::begin(kCommands), end, code,
                                      [](const CommandRow& c, int v) { return c.code < v; });
    return it != end && it->code == code ? it : nullptr;
}

std::string commandName(int code) {
    const CommandRow* row = findCommand(code);
    return row ? row->caption : "Command";
}

int commandCode(std::string_view caption) {
    const auto same = [&](std::string_view name) {
        return name.size() == caption.size() &&
               std::equal(name.begin(), name.end(), caption.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const CommandRow& c : kCommands) {
        if (same(c.caption)) {
            return c.code;
        }
    }
    return 0;
}

std::string notAvailableNotice(int code) {
    return "not available in this engine: " + std::to_string(code) + " " + commandName(code);
}

}  // namespace brondel::engine
