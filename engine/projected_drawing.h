#pragma once

#include <vector>

#include "engine/drawing.h"
#include "engine/view_direction.h"

// The drawing as a 3D view shows it: every live entity flattened onto the
// view plane as plain entities of a drawing of their own (block references,
// dimensions and leaders by their parts), each knowing the entity it stands
// for. The view's picks, snaps and zooms work on it; the drawing itself is
// never changed through it.
namespace brondel::engine {

// Appends what e shows as seen along the axes, in view-plane coordinates
// with z 0, its properties kept (a part's as its reference gives them).
void appendProjected(const Entity& e, const BlockLookup& blocks, const ViewAxes& axes,
                     std::vector<Entity>& out);

class ProjectedDrawing {
  public:
    ProjectedDrawing() { drawing_.keepHistory(false); }

    // Projects the live entities of `from` afresh; the tables come along so
    // layers, line types and the point style look the same.
    void build(const Drawing& from, ViewDirection direction);

    // Frees the projection: the view shows the drawing itself again.
    void release();

    const Drawing& drawing() const { return drawing_; }
    // The box of what the view shows, gathered while projecting.
    const Box2& extents() const { return extents_; }
    // The entity of the source drawing a projected one stands for.
    Handle sourceOf(Handle projected) const;
    // The source entities of what lies in the box, in drawing order: with
    // crossing those a part of which touches it, otherwise those whose
    // parts all lie inside.
    std::vector<Handle> sourcesInBox(const Box2& box, bool crossing) const;

  private:
    std::size_t positionOf(Handle projected) const;

    Drawing drawing_;
    std::vector<Handle> source_;  // by position in drawing_
    Box2 extents_;
};

}  // namespace brondel::engine
