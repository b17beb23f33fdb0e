#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/drawing.h"

// What Cut and Copy put aside for Paste: entities with the layers and
// blocks they need, one store for every drawing window of the process.
namespace brondel::engine {

struct Clipboard {
    std::vector<Entity> entities;  // without handles
    std::vector<Layer> layers;     // the layers the entities are on
    // What the entities, their layers and their blocks' entities draw with.
    std::vector<LineType> lineTypes;
    std::vector<TextStyle> textStyles;
    std::map<std::string, Block> blocks;  // the blocks they refer to, nested ones too
    Point2 base;                          // the lower-left corner of the entities' extents

    bool empty() const { return entities.empty(); }
};

// The process's clipboard.
Clipboard& clipboard();

// Replaces the clipboard and tells the watcher.
void putOnClipboard(Clipboard c);

// Called after each putOnClipboard: the desktop mirrors the clipboard on
// the system's, for other programs. nullptr: nobody watches.
void watchClipboard(std::function<void(const Clipboard&)> watcher);

// The live entities of `handles` as a clipboard.
Clipboard clipboardOf(const Drawing& d, const std::vector<Handle>& handles);

// The clipboard as the text of a DXF file, as the engine's writer makes it
// (for other programs, through the system clipboard).
std::string clipboardDxf(const Clipboard& c);

}  // namespace brondel::engine
