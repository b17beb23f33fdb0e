#include "engine/tools/selection_transform.h"

#include "engine/drawing.h"
#include "engine/readable_text.h"

namespace brondel::engine::tools {

namespace {

bool onLockedLayer(const Drawing& drawing, const Entity& e) {
    const Layer* layer = drawing.findLayer(e.props().layer);
    return layer && layer->locked;
}

// Bulged segments stay arcs under the conformal maps of these commands, so
// no chord tolerance is needed; 0 asks for a fine one should it be.
void transformOne(const Drawing& drawing, const Entity& e, const Affine& m,
                  std::vector<Entity>& out) {
    transformEntity(e, m, drawing, 0, out);
    if (out.size() == 1) {
        keepTextReadable(e, m, out.front());
    }
}

}  // namespace

TransformPlan planTransform(const Drawing& drawing, const std::vector<Handle>& picked,
                            const Affine& m) {
    TransformPlan plan;
    plan.results.reserve(picked.size());
    for (Handle h : picked) {
        const Entity* e = drawing.find(h);
        if (!e || e->erased) {
            continue;
        }
        if (onLockedLayer(drawing, *e)) {
            ++plan.skipped;
            continue;
        }
        TransformPlan::Result& r = plan.results.emplace_back();
        r.source = h;
        transformOne(drawing, *e, m, r.made);
    }
    return plan;
}

void replaceSources(ToolContext& c, TransformPlan& plan) {
    std::vector<Entity> inPlace;
    inPlace.reserve(plan.results.size());
    for (TransformPlan::Result& r : plan.results) {
        if (r.made.size() == 1) {
            inPlace.push_back(std::move(r.made.front()));
            inPlace.back().handle = r.source;
        }
    }
    c.replaceMany(std::move(inPlace));
    for (TransformPlan::Result& r : plan.results) {
        if (r.made.size() == 1) {
            continue;
        }
        c.erase(r.source);
        for (Entity& part : r.made) {
            c.addAsIs(std::move(part));
        }
    }
}

void addCopies(ToolContext& c, TransformPlan& plan) {
    for (TransformPlan::Result& r : plan.results) {
        for (Entity& part : r.made) {
            c.addAsIs(std::move(part));
        }
    }
}

std::vector<Entity> previewTransform(const Drawing& drawing, const std::vector<Handle>& picked,
                                     const Affine& m) {
    std::vector<Entity> out;
    for (std::size_t i = 0; i < picked.size() && out.size() < kPreviewLimit; ++i) {
        const Entity* e = drawing.find(picked[i]);
        if (e && !e->erased && !onLockedLayer(drawing, *e)) {
            std::vector<Entity> made;
            transformOne(drawing, *e, m, made);
            out.insert(out.end(), std::make_move_iterator(made.begin()),
                       std::make_move_iterator(made.end()));
        }
    }
    return out;
}

void reportSkipped(ToolContext& c, const char* caption, int skipped) {
    if (skipped > 0) {
        c.message(std::string(caption) + ": " + std::to_string(skipped) +
                  (skipped == 1 ? " entity" : " entities") + " on locked layers left as they are");
    }
}

}  // namespace brondel::engine::tools
