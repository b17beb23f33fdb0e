#include "verify_command.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "base/error.h"
#include "base/error_messages.h"
#include "engine/vecad.h"
#include "pathtools/dat_verify.h"
#include "pathtools/path_segments.h"

namespace brondel::cli {

namespace {

// The chord tolerance convert cuts arcs with by default.
constexpr double kArcTolerance = 0.01;

nlohmann::ordered_json number(double v) {
    return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json();
}

}  // namespace

int runVerify(const std::string& drawingPath, const std::string& datPath, double kerf, bool json,
              std::ostream& out, std::ostream& err) {
    engine::Vecad vecad;
    vecad.drawing().keepHistory(false);
    try {
        vecad.FileOpen(drawingPath);
        pathtools::breakUpCompounds(vecad);
    } catch (const Error& e) {
        err << base::openErrorMessage(e) << '\n';
        return 1;
    }
    std::vector<engine::Point2> steps;
    try {
        steps = pathtools::readDatSteps(datPath);
    } catch (const Error& e) {
        err << base::errorNumberMessage(e) << '\n';
        return 1;
    }
    const pathtools::DatCheck check =
        pathtools::verifyDat(pathtools::pathSegments(vecad, kArcTolerance), steps, kerf);
    if (json) {
        out << nlohmann::ordered_json{{"steps", check.steps},
                                      {"maxDeviation", number(check.maxDeviation)},
                                      {"closureGap", number(check.closureGap)},
                                      {"roundingBound", check.roundingBound},
                                      {"ok", check.ok},
                                      {"datToDrawing", number(check.datToDrawing)},
                                      {"drawingToDat", number(check.drawingToDat)}}
                   .dump()
            << '\n';
    } else {
        for (const std::string& line : pathtools::datCheckLines(check)) {
            out << line << '\n';
        }
    }
    return check.ok ? 0 : 1;
}

}  // namespace brondel::cli
