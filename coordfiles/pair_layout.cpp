#include "coordfiles/pair_layout.h"

#include <cmath>
#include <span>

namespace brondel::coordfiles {

namespace {

// Upper surface reversed, then the lower one; the leading-edge point once.
std::vector<PairPoint> loopFromLeadingEdge(std::span<const PairPoint> upper,
                                           std::span<const PairPoint> lower) {
    std::vector<PairPoint> loop(upper.rbegin(), upper.rend());
    const bool shared = !upper.empty() && !lower.empty() && upper.front() == lower.front();
    loop.insert(loop.end(), lower.begin() + (shared ? 1 : 0), lower.end());
    return loop;
}

// A surface's number of points: whole, at least 2 and no more than the file
// holds (a huge value would not even fit a count).
bool isCount(float value, std::size_t pairs) {
    return value >= 2.0f && value == std::floor(value) && value <= static_cast<float>(pairs);
}

// "66.  66." and then exactly that many upper and lower points, both
// surfaces starting at the same x. Some files give the two counts the other
// way round, so a blank line between the surfaces is trusted over the order.
// Answers the index of the first lower point, or 0.
std::size_t lednicerSplit(std::span<const PairPoint> pairs, std::size_t firstLineNumbers,
                          const std::vector<std::size_t>& breaks) {
    if (pairs.empty() || firstLineNumbers != 2 || !isCount(pairs[0].x, pairs.size()) ||
        !isCount(pairs[0].y, pairs.size())) {
        return 0;
    }
    const auto first = static_cast<std::size_t>(pairs[0].x);
    const auto second = static_cast<std::size_t>(pairs[0].y);
    if (pairs.size() != 1 + first + second) {
        return 0;
    }
    std::vector<std::size_t> between;
    for (std::size_t b : breaks) {
        if (b > 1) {
            between.push_back(b);
        }
    }
    const std::size_t split = between.size() == 1 ? between.front() : 1 + first;
    const bool countsMatch = split - 1 == first || split - 1 == second;
    return countsMatch && std::fabs(pairs[1].x - pairs[split].x) <= 1e-3f ? split : 0;
}

// The one blank-line break that splits the data into two surfaces starting
// at the same point, or 0.
std::size_t surfaceSplit(std::span<const PairPoint> pairs, const std::vector<std::size_t>& breaks) {
    if (breaks.size() != 1) {
        return 0;
    }
    const std::size_t split = breaks.front();
    const bool twoSurfaces = split >= 2 && pairs.size() >= split + 2 && pairs[0] == pairs[split];
    return twoSurfaces ? split : 0;
}

}  // namespace

PairFile arrangeSurfaces(std::vector<PairPoint> pairs, std::size_t firstLineNumbers,
                         const std::vector<std::size_t>& breaks) {
    const std::span<const PairPoint> all(pairs);
    if (const std::size_t split = lednicerSplit(all, firstLineNumbers, breaks); split != 0) {
        return {{},
                loopFromLeadingEdge(all.subspan(1, split - 1), all.subspan(split)),
                PairFileFormat::Lednicer};
    }
    if (const std::size_t split = surfaceSplit(all, breaks); split != 0) {
        return {{},
                loopFromLeadingEdge(all.first(split), all.subspan(split)),
                PairFileFormat::SurfacesFromLeadingEdge};
    }
    return {{}, std::move(pairs), PairFileFormat::Selig};
}

}  // namespace brondel::coordfiles
