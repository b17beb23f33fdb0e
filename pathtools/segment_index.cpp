#include "pathtools/segment_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brondel::pathtools {

namespace {

constexpr std::int64_t kMostCellsPerSide = 1'000'000'000;
constexpr std::int64_t kRings = 6;  // cells searched each way before looking at all

}  // namespace

double segmentDistance(engine::Point2 p, const Segment& s) {
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = p.x - (s.a.x + t * dx), ey = p.y - (s.a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

SegmentIndex::SegmentIndex(const std::vector<Segment>& segments, double minCell)
    : segments_(segments) {
    engine::Box2 box;
    double length = 0;
    for (const Segment& s : segments) {
        box.add(s.a.x, s.a.y);
        box.add(s.b.x, s.b.y);
        length += std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
    }
    if (segments.empty()) {
        return;
    }
    const double extent = std::max({box.maxX - box.minX, box.maxY - box.minY, 1e-9});
    cell_ = std::max(
        {length / double(segments.size()), minCell, extent / double(kMostCellsPerSide), 1e-9});
    origin_ = {box.minX, box.minY};
    columns_ = std::int64_t((box.maxX - box.minX) / cell_) + 1;
    rows_ = std::int64_t((box.maxY - box.minY) / cell_) + 1;

    // Each segment goes into the cells of points half a cell apart along it:
    // a cell it only clips may be left out, but then a neighbour holds it.
    std::vector<std::pair<std::int64_t, std::uint32_t>> pairs;
    pairs.reserve(segments.size() * 3);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment& s = segments[i];
        const double span = std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
        const auto steps = std::int64_t(std::ceil(2 * span / cell_));
        std::int64_t last = -1;
        for (std::int64_t k = 0; k <= steps; ++k) {
            const double t = steps == 0 ? 0 : double(k) / double(steps);
            std::int64_t cx, cy;
            cellOf({s.a.x + t * (s.b.x - s.a.x), s.a.y + t * (s.b.y - s.a.y)}, cx, cy);
            const std::int64_t key = keyOf(cx, cy);
            if (key >= 0 && key != last) {
                pairs.emplace_back(key, std::uint32_t(i));
                last = key;
            }
        }
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    entries_.reserve(pairs.size());
    for (const auto& [key, index] : pairs) {
        if (keys_.empty() || keys_.back() != key) {
            keys_.push_back(key);
            first_.push_back(std::uint32_t(entries_.size()));
        }
        entries_.push_back(index);
    }
    first_.push_back(std::uint32_t(entries_.size()));
}

void SegmentIndex::cellOf(engine::Point2 p, std::int64_t& cx, std::int64_t& cy) const {
    const double x = std::floor((p.x - origin_.x) / cell_);
    const double y = std::floor((p.y - origin_.y) / cell_);
    // Points far outside are clamped to just outside the grid.
    cx = std::int64_t(std::clamp(x, -1.0, double(columns_)));
    cy = std::int64_t(std::clamp(y, -1.0, double(rows_)));
}

std::int64_t SegmentIndex::keyOf(std::int64_t cx, std::int64_t cy) const {
    if (cx < 0 || cy < 0 || cx >= columns_ || cy >= rows_) {
        return -1;
    }
    return cy * columns_ + cx;
}

double SegmentIndex::nearest(engine::Point2 p, double enough) const {
    double best = std::numeric_limits<double>::infinity();
    if (segments_.empty()) {
        return best;
    }
    std::int64_t cx, cy;
    cellOf(p, cx, cy);
    const auto visit = [&](std::int64_t x, std::int64_t y) {
        if (best <= enough) {
            return;
        }
        const std::int64_t key = keyOf(x, y);
        const auto found = std::lower_bound(keys_.begin(), keys_.end(), key);
        if (key < 0 || found == keys_.end() || *found != key) {
            return;
        }
        const auto k = std::size_t(found - keys_.begin());
        for (std::uint32_t e = first_[k]; e < first_[k + 1] && best > enough; ++e) {
            best = std::min(best, segmentDistance(p, segments_[entries_[e]]));
        }
    };
    for (std::int64_t ring = 0; ring <= kRings; ++ring) {
        for (std::int64_t x = cx - ring; x <= cx + ring; ++x) {
            visit(x, cy - ring);
            if (ring > 0) {
                visit(x, cy + ring);
            }
        }
        for (std::int64_t y = cy - ring + 1; y <= cy + ring - 1; ++y) {
            visit(cx - ring, y);
            visit(cx + ring, y);
        }
        // A segment filed in a farther ring passes no nearer than ring - 1
        // cells (it may clip a nearer cell it was not filed in).
        if (best <= enough || best <= double(ring - 1) * cell_) {
            return best;
        }
    }
    if (fullSearchBudget_ >= std::int64_t(segments_.size())) {
        fullSearchBudget_ -= std::int64_t(segments_.size());
        for (const Segment& s : segments_) {
            best = std::min(best, segmentDistance(p, s));
        }
        return best;
    }
    return std::min(best, double(kRings - 1) * cell_);
}

}  // namespace brondel::pathtools
