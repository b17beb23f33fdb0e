#pragma once

#include "engine/entity.h"

// Process-wide handle allocation: each drawing takes handles from chunks of
// its own, so the drawing that owns a handle is found in constant time and
// a handle is never given out twice while the program runs.
namespace brondel::engine {

class Drawing;

namespace handles {

// A fresh chunk of handles for the drawing: [first, first + kChunkSize).
constexpr Handle kChunkSize = 4096;
Handle allocateChunk(Drawing* owner);
// Forget every chunk of a drawing that is going away.
void releaseChunks(const Drawing* owner);
// The live drawing whose chunk holds the handle, or nullptr.
Drawing* ownerOf(Handle h);

}  // namespace handles
}  // namespace brondel::engine
