#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "engine/vecad.h"

// One closed contour of n sides, each one unit long and far longer than the
// walk's search radius, loaded as a drawing file would be: in shuffled order,
// every other side turned at random.
namespace brondel::bench {

// Returns the side the walk starts at.
inline engine::Handle loadShuffledContour(engine::Vecad& vecad, int n, unsigned seed) {
    const double radius = n / (2 * std::numbers::pi);
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::mt19937 random(seed);
    std::shuffle(order.begin(), order.end(), random);
    auto corner = [&](int i) {
        const double a = 2 * std::numbers::pi * (i % n) / n;
        return engine::Point3{radius * std::cos(a), radius * std::sin(a), 0};
    };
    engine::DrawingContent content;
    content.entities.reserve(static_cast<std::size_t>(n));
    std::size_t startPosition = 0;
    for (int i : order) {
        const bool forward = i == 0 || random() % 2 == 0;
        if (i == 0) {
            startPosition = content.entities.size();
        }
        content.entities.emplace_back(forward ? engine::LineGeom{corner(i), corner(i + 1)}
                                              : engine::LineGeom{corner(i + 1), corner(i)});
    }
    vecad.drawing().load(std::move(content));
    return vecad.drawing().entities()[startPosition].handle;
}

}  // namespace brondel::bench
