#include "engine/preview_entities.h"

#include <algorithm>
#include <utility>

namespace brondel::engine {

void showPreview(Drawing& preview, std::vector<Entity> shown) {
    std::vector<Handle> kept;
    for (Handle h = preview.firstLive(); h != kNoHandle; h = preview.nextLive(h)) {
        kept.push_back(h);
    }
    const std::size_t reused = std::min(kept.size(), shown.size());
    std::vector<Entity> replaced(std::make_move_iterator(shown.begin()),
                                 std::make_move_iterator(shown.begin() + std::ptrdiff_t(reused)));
    for (std::size_t i = 0; i < reused; ++i) {
        replaced[i].handle = kept[i];
    }
    if (!replaced.empty()) {
        preview.replaceMany(std::move(replaced));
    }
    for (std::size_t i = reused; i < kept.size(); ++i) {
        preview.setErased(kept[i], true);
    }
    if (kept.size() > reused) {
        preview.purgeErased();
    }
    if (shown.size() > reused) {
        preview.addMany(
            std::vector<Entity>(std::make_move_iterator(shown.begin() + std::ptrdiff_t(reused)),
                                std::make_move_iterator(shown.end())));
    }
}

}  // namespace brondel::engine
