#include "coordfiles/dat_generation.h"

#include <cmath>

#include "base/error.h"
#include "base/numbers.h"
#include "coordfiles/rows.h"

namespace brondel::coordfiles {

namespace {

struct Extremes {
    float xmin, xmax, ymin, ymax;
};

Extremes singlePrecisionExtremes(const std::vector<double>& xs, const std::vector<double>& ys) {
    Extremes e{base::toSingle(xs[0]), base::toSingle(xs[0]), base::toSingle(ys[0]),
               base::toSingle(ys[0])};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const float x = base::toSingle(xs[i]);
        const float y = base::toSingle(ys[i]);
        if (x > e.xmax) {
            e.xmax = x;
        }
        if (x < e.xmin) {
            e.xmin = x;
        }
        if (y > e.ymax) {
            e.ymax = y;
        }
        if (y < e.ymin) {
            e.ymin = y;
        }
    }
    return e;
}

std::vector<std::string> normalizedRows(std::span<const std::string> coordinateRows,
                                        const std::function<void()>& onRow) {
    const std::size_t n = coordinateRows.size();
    std::vector<double> xs(n);
    std::vector<double> ys(n);
    for (std::size_t i = 0; i < n; ++i) {
        const RowPoint p = readCoordinateRow(coordinateRows[i]);
        xs[i] = p.x;
        ys[i] = p.y;
    }
    const Extremes e = singlePrecisionExtremes(xs, ys);
    float range = e.xmax - e.xmin;
    if (!std::isfinite(range)) {
        throw Error(err::kOverflow);
    }
    if (range < 1.0f) {
        range = 1.0f;
    }
    std::vector<std::string> rows;
    rows.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        rows.push_back(datRow((xs[i] - e.xmin) / static_cast<double>(range),
                              (ys[i] - e.ymin) / static_cast<double>(range)));
        if (onRow) {
            onRow();
        }
    }
    return rows;
}

}  // namespace

DatGeneration generateDatList(std::span<const std::string> coordinateRows,
                              const std::function<void()>& onRow) {
    if (coordinateRows.size() < 3) {
        return {DatGenerationOutcome::TooFewRows, {}};
    }
    try {
        return {DatGenerationOutcome::Generated, normalizedRows(coordinateRows, onRow)};
    } catch (const Error&) {
        return {DatGenerationOutcome::Failed, {}};
    }
}

}  // namespace brondel::coordfiles
