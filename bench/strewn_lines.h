#pragma once

#include <random>

#include "engine/vecad.h"

// A drawing the benchmarks share: a million short lines strewn over a
// 1000 x 1000 square, made once per program.
namespace brondel::bench {

inline constexpr int kStrewnLines = 1000000;

inline engine::Vecad& strewnLines() {
    static engine::Vecad* v = [] {
        auto* made = new engine::Vecad;
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> at(0, 1000), step(-1, 1);
        engine::DrawingContent content;
        content.entities.reserve(kStrewnLines);
        for (int i = 0; i < kStrewnLines; ++i) {
            const double x = at(rng), y = at(rng);
            content.entities.emplace_back(
                engine::LineGeom{{x, y, 0}, {x + step(rng), y + step(rng), 0}});
        }
        made->drawing().load(std::move(content));
        return made;
    }();
    return *v;
}

}  // namespace brondel::bench
