#include "pathtools/dat_verify.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/error.h"
#include "base/numbers.h"
#include "pathtools/segment_index.h"

namespace brondel::pathtools {

namespace {

// Half the last written decimal, of a normalized value and of a coordinate.
constexpr double kHalfDecimal = 0.00005;

// Three significant digits are enough to judge a deviation by.
std::string number(double v) {
    if (!std::isfinite(v)) {
        return "none";
    }
    if (v == 0) {
        return "0";
    }
    const double scale = std::pow(10.0, 2 - std::floor(std::log10(std::fabs(v))));
    return base::decimalText(std::round(v * scale) / scale);
}

}  // namespace

std::vector<engine::Point2> readDatSteps(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        throw Error(err::kFileNotFound);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Error(err::kPathFileAccess);
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<engine::Point2> steps;
    std::size_t at = 0;
    int lineNumber = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string_view line(bytes.data() + at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        const std::size_t blank = line.find(' ');
        const auto x = blank == std::string_view::npos ? std::nullopt
                                                       : base::parseNumber(line.substr(0, blank));
        const auto y = blank == std::string_view::npos ? std::nullopt
                                                       : base::parseNumber(line.substr(blank + 1));
        if (!x || !y) {
            throw Error(err::kTypeMismatch, "Line " + std::to_string(lineNumber) +
                                                " of the DAT file is not two numbers");
        }
        steps.push_back({*x, *y});
    }
    return steps;
}

DatCheck verifyDat(const std::vector<Segment>& drawing, const std::vector<engine::Point2>& steps,
                   double kerf) {
    DatCheck check;
    check.steps = steps.size();
    check.kerf = kerf;
    engine::Box2 box;
    for (const Segment& s : drawing) {
        box.add(s.a.x, s.a.y);
        box.add(s.b.x, s.b.y);
    }
    if (box.empty() || steps.empty()) {
        check.maxDeviation = std::numeric_limits<double>::infinity();
        return check;
    }
    const double width = box.maxX - box.minX;
    // Each written value is off by half a decimal of the width, the
    // coordinates it came from by half a decimal, and so are the leftmost
    // and lowest vertex and the width it was measured by.
    check.roundingBound = std::sqrt(2.0) * (kHalfDecimal * width + 4 * kHalfDecimal);

    std::vector<Segment> path;
    path.reserve(steps.size());
    std::vector<engine::Point2> placed;
    placed.reserve(steps.size());
    for (const engine::Point2& s : steps) {
        placed.push_back({box.minX + s.x * width, box.minY + s.y * width});
    }
    for (std::size_t i = 1; i < placed.size(); ++i) {
        path.push_back({placed[i - 1], placed[i]});
    }
    if (path.empty()) {
        path.push_back({placed[0], placed[0]});
    }
    check.closureGap =
        std::hypot(placed.back().x - placed.front().x, placed.back().y - placed.front().y);

    // Deviations within the bound lie within a cell or two.
    const double cell = check.roundingBound + kerf;
    const SegmentIndex drawingIndex(drawing, cell);
    for (const engine::Point2& p : placed) {
        check.datToDrawing =
            std::max(check.datToDrawing, drawingIndex.nearest(p, check.datToDrawing));
    }
    const SegmentIndex pathIndex(path, cell);
    for (const Segment& s : drawing) {
        for (const engine::Point2 p :
             {s.a, s.b, engine::Point2{(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2}}) {
            check.drawingToDat =
                std::max(check.drawingToDat, pathIndex.nearest(p, check.drawingToDat));
        }
    }
    check.maxDeviation = std::max(check.datToDrawing, check.drawingToDat);
    check.ok = check.maxDeviation <= check.roundingBound + kerf;
    return check;
}

std::string savedDatCheckText(const engine::Vecad& drawing,
                              const std::vector<std::string>& datRows) {
    std::vector<engine::Point2> steps;
    steps.reserve(datRows.size());
    for (const std::string& row : datRows) {
        const std::size_t blank = row.find(' ');
        const std::string_view text(row);
        steps.push_back(
            {base::numericPrefix(text.substr(0, blank)),
             blank == std::string::npos ? 0.0 : base::numericPrefix(text.substr(blank + 1))});
    }
    // The chord tolerance of arcs still in the drawing, as convert cuts them.
    const DatCheck check = verifyDat(pathSegments(drawing, 0.01), steps);
    std::string text = "DAT check: " + std::to_string(check.steps) + " steps, at most " +
                       number(check.maxDeviation) + " from the drawing (rounding allows " +
                       number(check.roundingBound) + "), closure gap " + number(check.closureGap);
    return text + (check.ok ? ": the DAT file follows the drawing."
                            : ": the DAT file does NOT follow the drawing.");
}

std::vector<std::string> datCheckLines(const DatCheck& check) {
    std::vector<std::string> lines{
        "Steps: " + std::to_string(check.steps),
        "Farthest step from the drawing: " + number(check.datToDrawing),
        "Farthest drawing line from the DAT path: " + number(check.drawingToDat),
        "Closure gap: " + number(check.closureGap),
        "Rounding to 4 decimals allows: " + number(check.roundingBound),
    };
    if (check.ok) {
        lines.push_back("The DAT file follows the drawing within that bound.");
    } else {
        lines.push_back("The DAT file does NOT follow the drawing: it strays " +
                        number(check.maxDeviation) + " from it, more than the " +
                        number(check.roundingBound + check.kerf) + " allowed.");
    }
    return lines;
}

}  // namespace brondel::pathtools
