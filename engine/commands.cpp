#include "engine/commands.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace brondel::engine {

namespace {

struct CommandName {
    int code;
    const char* name;
};

// Sorted by code.
constexpr CommandName kCommandNames[] = {
    {102, "Zoom Extents"},
    {103, "Zoom In"},
    {104, "Zoom Out"},
    {105, "Zoom Previous"},
    {106, "Zoom Window"},
    {107, "Zoom Realtime"},
    {108, "Zoom to Selected"},
    {111, "Pan Realtime"},
    {112, "Pan to Point"},
    {130, "3D N.W."},
    {131, "3D Top (Nadir)"},
    {132, "3D Bottom (Transverse)"},
    {133, "3D Left"},
    {134, "3D Right"},
    {135, "3D Front"},
    {136, "3D Back"},
    {137, "3D S.W."},
    {138, "3D S.E."},
    {139, "3D N.E."},
    {141, "3D Viewpoint Presets"},
    {142, "Current Layer"},
    {201, "Draw Point"},
    {205, "Draw Line"},
    {206, "Draw Ray"},
    {207, "Draw Construction Line"},
    {208, "Draw Multi-Line (parallel line)"},
    {209, "Draw Polyline"},
    {210, "Draw Polygon"},
    {211, "Draw Ellipse"},
    {212, "Draw Rectangle"},
    {221, "Draw Cirlce by Center and Radius"},
    {222, "Draw Circle by Center and Diameter"},
    {223, "Draw Diametric Circle"},
    {224, "Draw Circle by 2 Points and Radius"},
    {229, "Draw Arc"},
    {242, "Draw Spline"},
    {245, "Draw Text"},
    {246, "Draw Hatch"},
    {247, "Quick Leader Line"},
    {248, "Quick Centermark"},
    {252, "Insert Block"},
    {253, "Insert Image (bmp, jpg, gif, tiff, etc.)"},
    {254, "Insert Xref"},
    {255, "Image Manager"},
    {256, "Xref Manager"},
    {257, "Create Block"},
    {290, "Linear Dimension"},
    {291, "Aligned Dimension"},
    {292, "Ordinate Dimension"},
    {293, "Radius Dimension"},
    {294, "Diameter Dimension"},
    {295, "Angular Dimension"},
    {301, "Undo"},
    {302, "Redo"},
    {303, "Cut"},
    {304, "Copy"},
    {305, "Paste"},
    {306, "Properties"},
    {311, "Erase"},
    {312, "Drop Copy"},
    {313, "Move"},
    {314, "Rotate"},
    {315, "Scale"},
    {316, "Mirror"},
    {317, "Explode"},
    {318, "Join"},
    {319, "Trim"},
    {320, "Extend"},
    {410, "Clear Snap Modes"},
    {411, "Adjust Object Snap"},
    {423, "Toggle Snap Mode"},
    {425, "Adjust Grid"},
    {426, "Adjust PolarTracking"},
    {501, "Select By Point"},
    {502, "Select By Rectangle"},
    {503, "Select By Polygon"},
    {504, "Select By Polyline"},
    {505, "Select By Radial Distance"},
    {507, "Select By ID"},
    {508, "Select Current Layer"},
    {509, "Select By Text"},
    {510, "Select By User Data (Object Data)"},
    {801, "Format Layers"},
    {802, "Set Layer Order"},
    {803, "Format Colors"},
    {804, "Format Linetype"},
    {805, "Format Line Weight"},
    {806, "Format Text Style"},
    {807, "Format Dimension Style"},
    {808, "Format Point Style"},
    {809, "Format Multi-line Style (parallel lines)"},
    {810, "Format Pages"},
    {811, "Format Blocks"},
    {911, "Regenerate"},
    {942, "Export Screen Raster"},
    {951, "Options"},
    {952, "Distance Tool"},
    {953, "Area Tool"},
    {954, "Calibrate Metrics"},
    {955, "Drawing Info"},
};

}  // namespace

std::string commandName(int code) {
    const auto* end = std::end(kCommandNames);
    const auto* it = std::lower_bound(std::begin(kCommandNames), end, code,
                                      [](const CommandName& c, int v) { return c.code < v; });
    return it != end && it->code == code ? it->name : "Command";
}

int commandCode(std::string_view caption) {
    const auto same = [&](std::string_view name) {
        return name.size() == caption.size() &&
               std::equal(name.begin(), name.end(), caption.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const CommandName& c : kCommandNames) {
        if (same(c.name)) {
            return c.code;
        }
    }
    return 0;
}

std::string notAvailableNotice(int code) {
    return "not available in this engine: " + std::to_string(code) + " " + commandName(code);
}

}  // namespace brondel::engine
