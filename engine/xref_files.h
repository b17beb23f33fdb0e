#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/drawing.h"

// External references: drawing files whose model space a drawing shows
// through a block that names the file instead of holding its entities.
namespace brondel::engine {

// The files a reference may name, as an open dialog's filter.
inline constexpr const char* kXrefFileFilter = "Drawings (*.dxf)|*.dxf|All files (*.*)|*.*";

// What reading a referenced file gave: its model space as block entities
// (its own blocks and references placed as plain entities), or why it could
// not be read.
struct XrefContents {
    std::vector<Entity> entities;
    std::string error;  // "" when read
};

// Reads the file a drawing keeps as `stored` (relative paths from the
// folder of `drawingFile`, "" for a drawing not yet saved). `around` holds
// the files being read around it, the drawing's own first: a file among
// them read again would refer to itself, and is refused.
XrefContents readXref(const std::string& stored, const std::string& drawingFile,
                      std::vector<std::string> around);

// The files around a reference read for this drawing: its own, once saved.
std::vector<std::string> xrefsAround(const std::string& drawingFile);

// Reads every reference of a drawing just read from `file` into its block;
// one that fails keeps what it held (nothing, from a DXF file). Answers one line naming those that
// failed and why, "" when every one was read.
std::string loadXrefs(DrawingContent& content, const std::string& file);

// The block name for a new reference to `file`: its name without folder or
// extension, characters block names cannot hold replaced by '_', made
// unique among the drawing's blocks.
std::string newXrefName(const std::map<std::string, Block>& blocks, const std::string& file);

}  // namespace brondel::engine
