#pragma once

#include "engine/entity.h"

// State shared by every drawing window for as long as the program runs.
namespace brondel::shell {

// The tools that wait for one press in a drawing, in the order a press
// serves them.
struct PickModes {
    bool startPoint = false;
    bool explodeLine = false;
    bool explodeArc = false;
    bool polarArray = false;
    bool verticalArray = false;
    bool horizontalArray = false;
};

struct AppState {
    PickModes pickModes;
    engine::Handle startEntity = engine::kNoHandle;
    engine::Handle startMarker = engine::kNoHandle;
    bool generationFailed = false;
};

}  // namespace brondel::shell
