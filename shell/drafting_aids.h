#pragma once

#include <optional>

namespace brondel::shell {

// The drafting aids a user switches on and off while drawing.
enum class DraftingAid { Snap, Grid, Ortho };

struct DraftingAidRow {
    DraftingAid aid;
    const char* caption;  // on its status-bar toggle
    const char* name;     // in its tooltip
    const char* key;      // the key that switches it, as the user reads it
    int keyCode;
};

inline constexpr DraftingAidRow kDraftingAids[] = {
    {DraftingAid::Snap, "SNAP", "Object Snap", "F3", 114},
    {DraftingAid::Grid, "GRID", "Grid", "F7", 118},
    {DraftingAid::Ortho, "ORTHO", "Ortho", "F8", 119},
};

// The aid the key switches, if any.
std::optional<DraftingAid> aidOfKey(int keyCode);

}  // namespace brondel::shell
