#include "check_command.h"

#include <nlohmann/json.hpp>

#include "base/error.h"
#include "base/error_messages.h"
#include "engine/vecad.h"
#include "pathtools/drawing_check.h"
#include "pathtools/path_segments.h"

namespace brondel::cli {

namespace {

using Json = nlohmann::ordered_json;

Json checkJson(const pathtools::DrawingCheck& check) {
    Json contours = Json::array();
    for (const pathtools::CheckedContour& c : check.contours) {
        contours.push_back({{"closed", c.closed},
                            {"segments", c.segments},
                            {"length", c.length},
                            {"bbox", {c.box.minX, c.box.minY, c.box.maxX, c.box.maxY}},
                            {"inside", c.inside ? Json(*c.inside) : Json()},
                            {"closingRadius", c.closingRadius ? Json(*c.closingRadius) : Json()}});
    }
    Json gaps = Json::array();
    for (const pathtools::CheckedGap& g : check.gaps) {
        gaps.push_back({{"at", {g.at.x, g.at.y}}, {"to", {g.to.x, g.to.y}}, {"width", g.width}});
    }
    Json notPaths = Json::object();
    for (const auto& [kind, n] : check.notPaths) {
        notPaths[kind] = n;
    }
    return {{"contours", contours},
            {"gaps", gaps},
            {"duplicates", check.duplicates},
            {"zeroLength", check.zeroLength},
            {"notPaths", notPaths}};
}

}  // namespace

int runCheck(const std::string& path, double radius, bool json, std::ostream& out,
             std::ostream& err) {
    engine::Vecad vecad;
    vecad.drawing().keepHistory(false);
    try {
        vecad.FileOpen(path);
        pathtools::breakUpCompounds(vecad);
    } catch (const Error& e) {
        err << base::openErrorMessage(e) << '\n';
        return 1;
    }
    const pathtools::DrawingCheck check = pathtools::checkDrawing(vecad, radius);
    if (json) {
        out << checkJson(check).dump() << '\n';
        return 0;
    }
    for (const std::string& line : pathtools::checkReportLines(check)) {
        out << line << '\n';
    }
    return 0;
}

}  // namespace brondel::cli
