// The control's 3D views: the projection it shows away from the top, kept
// up to date with the drawing.

#include "engine/vecad.h"

#include "engine/shape.h"

namespace brondel::engine {

void Vecad::setViewDirection(ViewDirection direction) {
    endCommand(Ending::Takeover);
    viewDirection_ = direction;
    projectedVersion_.reset();
    if (direction == ViewDirection::Top) {
        projection_.release();
    }
    notify(&VecadListener::regenerated);
    ZoomExtents();
}

const Drawing& Vecad::shown() const {
    if (viewDirection_ == ViewDirection::Top) {
        return drawing_;
    }
    if (projectedVersion_ != drawing_.version()) {
        projection_.build(drawing_, viewDirection_);
        projectedVersion_ = drawing_.version();
    }
    return projection_.drawing();
}

Handle Vecad::shownSource(Handle shownEntity) const {
    return viewDirection_ == ViewDirection::Top ? shownEntity : projection_.sourceOf(shownEntity);
}

std::vector<Handle> Vecad::shownInBox(const Box2& box, bool crossing) const {
    if (viewDirection_ == ViewDirection::Top) {
        return drawing_.inBox(box, crossing);
    }
    shown();
    return projection_.sourcesInBox(box, crossing);
}

Box2 Vecad::shownSelectionBox() const {
    const Drawing& inView = shown();
    Box2 box;
    const auto add = [&](const Entity& e) { box.addBounded(boundingBox(e, inView)); };
    if (viewDirection_ == ViewDirection::Top) {
        for (Handle h : selection_.order()) {
            if (const Entity* e = drawing_.find(h); e && !e->erased) {
                add(*e);
            }
        }
        return box;
    }
    for (const Entity& e : inView.entities()) {
        if (selection_.contains(projection_.sourceOf(e.handle))) {
            add(e);
        }
    }
    return box;
}

}  // namespace brondel::engine
