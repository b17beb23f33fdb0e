#include "coordfiles/path_measures.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "coordfiles/rows.h"

namespace brondel::coordfiles {

namespace {

// How many of the first count points equal one before them. A set of
// indices with open addressing: no sort of the whole path, and a quarter of
// the memory the points take.
std::size_t repeatsAmong(const std::vector<RowPoint>& points, std::size_t count) {
    constexpr std::uint32_t kEmpty = 0xffffffffu;  // no list of rows reaches this many
    std::size_t size = 16;
    while (size < 2 * count) {
        size *= 2;
    }
    std::vector<std::uint32_t> slots(size, kEmpty);
    std::size_t repeats = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const RowPoint& p = points[i];
        // Adding zero makes -0 and 0, which compare equal, hash alike.
        const std::uint64_t x = std::bit_cast<std::uint64_t>(p.x + 0.0);
        const std::uint64_t y = std::bit_cast<std::uint64_t>(p.y + 0.0);
        std::uint64_t hash = (x ^ (y * 0x9e3779b97f4a7c15ULL)) * 0xff51afd7ed558ccdULL;
        hash ^= hash >> 32;
        for (std::size_t s = hash & (size - 1);; s = (s + 1) & (size - 1)) {
            if (slots[s] == kEmpty) {
                slots[s] = static_cast<std::uint32_t>(i);
                break;
            }
            const RowPoint& q = points[slots[s]];
            if (q.x == p.x && q.y == p.y) {
                ++repeats;
                break;
            }
        }
    }
    return repeats;
}

}  // namespace

PathMeasures measurePath(const std::vector<std::string>& coordinateRows) {
    PathMeasures measures;
    std::vector<RowPoint> points;
    points.reserve(coordinateRows.size());
    for (const std::string& row : coordinateRows) {
        points.push_back(readCoordinateRow(row));
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        measures.length += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
    }
    if (!points.empty()) {
        measures.closureGap =
            std::hypot(points.back().x - points.front().x, points.back().y - points.front().y);
    }
    // The last vertex closes the path onto the first: not a repeat. Equal
    // rows read back as equal numbers, so points are compared.
    measures.repeats = points.empty() ? 0 : repeatsAmong(points, points.size() - 1);
    return measures;
}

}  // namespace brondel::coordfiles
