#include "engine/commands.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "engine/tools/tools.h"

namespace brondel::engine {

namespace {

constexpr CommandRow kCommands[] = {
    {102, "Zoom Extents", "ze zoomext", nullptr, false},
    {103, "Zoom In", "zi zoomin", nullptr, false},
    {104, "Zoom Out", "zo zoomout", nullptr, false},
    {105, "Zoom Previous", "zp zoomprev", nullptr, false},
    {106, "Zoom Window", "zw zoomwin", tools::makeZoomWindow, false},
    {107, "Zoom Realtime", "z zoom", tools::makeZoomRealtime, false},
    {108, "Zoom to Selected", "zs zoomsel", nullptr, false},
    {111, "Pan Realtime", "p pan", tools::makePanRealtime, false},
    {112, "Pan to Point", "panpoint", tools::makePanToPoint, false},
    {130, "3D N.W.", "", nullptr, false},
    {131, "3D Top (Nadir)", "", nullptr, false},
    {132, "3D Bottom (Transverse)", "", nullptr, false},
    {133, "3D Left", "", nullptr, false},
    {134, "3D Right", "", nullptr, false},
    {135, "3D Front", "", nullptr, false},
    {136, "3D Back", "", nullptr, false},
    {137, "3D S.W.", "", nullptr, false},
    {138, "3D S.E.", "", nullptr, false},
    {139, "3D N.E.", "", nullptr, false},
    {141, "3D Viewpoint Presets", "", nullptr, false},
    {142, "Current Layer", "", nullptr, false},
    {201, "Draw Point", "po point", tools::makePoint, false},
    {205, "Draw Line", "l line", tools::makeLine, false},
    {206, "Draw Ray", "ray", tools::makeRay, false},
    {207, "Draw Construction Line", "xl xline", tools::makeConstructionLine, false},
    {208, "Draw Multi-Line (parallel line)", "ml mline", tools::makeMultiLine, false},
    {209, "Draw Polyline", "pl pline polyline", tools::makePolyline, false},
    {210, "Draw Polygon", "pol polygon", tools::makePolygon, false},
    {211, "Draw Ellipse", "el ellipse", tools::makeEllipse, false},
    {212, "Draw Rectangle", "rec rectang rectangle", tools::makeRectangle, false},
    {221, "Draw Cirlce by Center and Radius", "c circle", tools::makeCircleCenterRadius, false},
    {222, "Draw Circle by Center and Diameter", "cd circled", tools::makeCircleCenterDiameter,
     false},
    {223, "Draw Diametric Circle", "c2 circle2p", tools::makeCircleDiametric, false},
    {224, "Draw Circle by 2 Points and Radius", "cr circle2r", tools::makeCircleTwoPointsRadius,
     false},
    {229, "Draw Arc", "a arc", tools::makeArc, false},
    {242, "Draw Spline", "spl spline", tools::makeSpline, false},
    {245, "Draw Text", "dt text", tools::makeText, false},
    {246, "Draw Hatch", "h hatch", tools::makeHatch, false},
    {247, "Quick Leader Line", "", nullptr, false},
    {248, "Quick Centermark", "", nullptr, false},
    {252, "Insert Block", "i insert", tools::makeInsertBlock, false},
    {253, "Insert Image (bmp, jpg, gif, tiff, etc.)", "", nullptr, false},
    {254, "Insert Xref", "", nullptr, false},
    {255, "Image Manager", "", nullptr, false},
    {256, "Xref Manager", "", nullptr, false},
    {257, "Create Block", "b block", tools::makeCreateBlock, true},
    {290, "Linear Dimension", "", nullptr, false},
    {291, "Aligned Dimension", "", nullptr, false},
    {292, "Ordinate Dimension", "", nullptr, false},
    {293, "Radius Dimension", "", nullptr, false},
    {294, "Diameter Dimension", "", nullptr, false},
    {295, "Angular Dimension", "", nullptr, false},
    {301, "Undo", "u undo", nullptr, false},
    {302, "Redo", "redo", nullptr, false},
    {303, "Cut", "", nullptr, false},
    {304, "Copy", "", nullptr, false},
    {305, "Paste", "", nullptr, false},
    {306, "Properties", "", nullptr, false},
    {311, "Erase", "e erase delete", tools::makeErase, true},
    {312, "Drop Copy", "", nullptr, false},
    {313, "Move", "", nullptr, false},
    {314, "Rotate", "", nullptr, false},
    {315, "Scale", "", nullptr, false},
    {316, "Mirror", "", nullptr, false},
    {317, "Explode", "", nullptr, false},
    {318, "Join", "", nullptr, false},
    {319, "Trim", "", nullptr, false},
    {320, "Extend", "", nullptr, false},
    {410, "Clear Snap Modes", "", nullptr, false},
    {411, "Adjust Object Snap", "", nullptr, false},
    {423, "Toggle Snap Mode", "", nullptr, false},
    {425, "Adjust Grid", "", nullptr, false},
    {426, "Adjust PolarTracking", "", nullptr, false},
    {501, "Select By Point", "sp selpoint", tools::makeSelectByPoint, false},
    {502, "Select By Rectangle", "sr selrect", tools::makeSelectByRectangle, false},
    {503, "Select By Polygon", "", nullptr, false},
    {504, "Select By Polyline", "", nullptr, false},
    {505, "Select By Radial Distance", "", nullptr, false},
    {507, "Select By ID", "", nullptr, false},
    {508, "Select Current Layer", "", nullptr, false},
    {509, "Select By Text", "", nullptr, false},
    {510, "Select By User Data (Object Data)", "", nullptr, false},
    {801, "Format Layers", "", nullptr, false},
    {802, "Set Layer Order", "", nullptr, false},
    {803, "Format Colors", "", nullptr, false},
    {804, "Format Linetype", "", nullptr, false},
    {805, "Format Line Weight", "", nullptr, false},
    {806, "Format Text Style", "", nullptr, false},
    {807, "Format Dimension Style", "", nullptr, false},
    {808, "Format Point Style", "", nullptr, false},
    {809, "Format Multi-line Style (parallel lines)", "", nullptr, false},
    {810, "Format Pages", "", nullptr, false},
    {811, "Format Blocks", "", nullptr, false},
    {911, "Regenerate", "re regen", nullptr, false},
    {942, "Export Screen Raster", "", nullptr, false},
    {951, "Options", "", nullptr, false},
    {952, "Distance Tool", "", nullptr, false},
    {953, "Area Tool", "", nullptr, false},
    {954, "Calibrate Metrics", "", nullptr, false},
    {955, "Drawing Info", "", nullptr, false},
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
