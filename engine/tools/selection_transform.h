#pragma once

#include <cstddef>
#include <vector>

#include "engine/tool.h"
#include "engine/transform.h"

namespace brondel::engine::tools {

// What a modify command makes of the selection, worked out in full before
// the drawing is touched, so that a failure midway leaves it as it was.
struct TransformPlan {
    struct Result {
        Handle source;
        std::vector<Entity> made;  // one entity, or the parts it became
    };
    std::vector<Result> results;
    int skipped = 0;  // on locked layers
};

// The picked entities under m. Entities on locked layers are left out and
// counted; texts stay readable under a mirroring map.
TransformPlan planTransform(const Drawing& drawing, const std::vector<Handle>& picked,
                            const Affine& m);

// Puts each result in place of its source: the same handle when it is one
// entity, else the source erased and its parts added.
void replaceSources(ToolContext& c, TransformPlan& plan);
// Adds the results beside their sources.
void addCopies(ToolContext& c, TransformPlan& plan);

// The picked entities under m as a preview shows them: at most the first
// kPreviewLimit, so a huge selection still follows the cursor.
constexpr std::size_t kPreviewLimit = 5000;
std::vector<Entity> previewTransform(const Drawing& drawing, const std::vector<Handle>& picked,
                                     const Affine& m);

// "Move: 3 entities on locked layers were left as they are".
void reportSkipped(ToolContext& c, const char* caption, int skipped);

}  // namespace brondel::engine::tools
