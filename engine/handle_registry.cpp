#include "engine/handle_registry.h"

#include <algorithm>
#include <limits>
#include <mutex>
#include <vector>

#include "base/error.h"

namespace brondel::engine::handles {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<Drawing*> chunkOwners{nullptr};  // chunk 0 holds handle 0, never given out
};

// Never destroyed: drawings held in statics are destroyed at exit in no set
// order, and each still tells the registry.
Registry& registry() {
    static Registry* r = new Registry;
    return *r;
}

}  // namespace

Handle allocateChunk(Drawing* owner) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const std::size_t chunk = r.chunkOwners.size();
    if (chunk >= std::size_t(std::numeric_limits<Handle>::max() / kChunkSize)) {
        throw Error(err::kOverflow, "The program has run out of entity handles");
    }
    r.chunkOwners.push_back(owner);
    return static_cast<Handle>(chunk * kChunkSize);
}

void releaseChunks(const Drawing* owner) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::replace(r.chunkOwners.begin(), r.chunkOwners.end(), const_cast<Drawing*>(owner),
                 static_cast<Drawing*>(nullptr));
}

Drawing* ownerOf(Handle h) {
    if (h <= 0) {
        return nullptr;
    }
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const std::size_t chunk = std::size_t(h) / kChunkSize;
    return chunk < r.chunkOwners.size() ? r.chunkOwners[chunk] : nullptr;
}

}  // namespace brondel::engine::handles
