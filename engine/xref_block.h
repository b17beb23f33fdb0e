#pragma once

#include "engine/tables.h"

namespace brondel::engine {

// The block flags DXF gives a reference to another drawing file: the
// reference itself, and one that is an overlay (not carried into drawings
// that refer to this one).
inline constexpr int kXrefBlockFlag = 4;
inline constexpr int kXrefOverlayFlag = 8;

inline bool isXrefBlock(const Block& block) {
    return (block.flags & kXrefBlockFlag) != 0;
}

}  // namespace brondel::engine
