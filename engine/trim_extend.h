#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "engine/entity.h"

// What one press of Trim or Extend makes of an entity, computed without
// touching the drawing.
namespace brondel::engine {

// Calls back with every cutting or boundary edge whose box meets the box,
// as the command sees it now (the entity being worked on left out).
using EdgesIn = std::function<void(const Box2&, const std::function<void(const Entity&)>&)>;

struct Trimmed {
    std::vector<Entity> kept;  // none, one or two parts, with e's properties
    Entity removed;            // the part cut away
};

// Cuts away the part of e around `press` between the nearest crossings
// with the edges; a refusal says why nothing can be cut.
std::variant<Trimmed, std::string> trimAt(const Entity& e, Point2 press, const EdgesIn& edges);

struct Extended {
    Entity result;
    Entity added;  // the extension alone
};

// Moves the end of e nearer `press` along its own direction to the nearest
// edge; `world` bounds the search (the drawing's extents).
std::variant<Extended, std::string> extendAt(const Entity& e, Point2 press, const EdgesIn& edges,
                                             const Box2& world);

}  // namespace brondel::engine
