#pragma once

#include <bit>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "engine/drawing.h"
#include "engine/io/file_progress.h"

// The layout of VEC files, shared by their encoder and decoder
// (docs/vec-format.md describes it for readers of the file).
namespace brondel::engine::io::vec {

static_assert(std::endian::native == std::endian::little,
              "VEC files are little-endian and read and written by memory copies");

constexpr std::string_view kMagic = "BRNDLVEC";
// Version 2 adds extended data after the entities; version 3 the leader
// kind and the current line type and text style in the settings; version 4
// the multi-line style's colours and the pages. Older files, which have
// none of these, are still read with the defaults.
constexpr std::uint32_t kVersion = 4;
constexpr std::uint32_t kOldestVersion = 1;

// Bits of the flag bytes.
constexpr std::uint8_t kPolylineClosed = 1, kPolyline3d = 2;
constexpr std::uint8_t kSplineClosed = 1, kSplinePeriodic = 2, kSplineRational = 4;
constexpr std::uint8_t kLayerOn = 1, kLayerFrozen = 2, kLayerLocked = 4;
constexpr std::uint8_t kLoopPolyline = 1, kLoopClosed = 2;

// Hatch edge kinds.
constexpr std::uint8_t kEdgeLine = 1, kEdgeArc = 2, kEdgeEllipse = 3, kEdgeSpline = 4;

// Writes the drawing's tables and the live entities of entities; progress
// counts the entities.
void encode(const DrawingContent& tables, const std::vector<Entity>& entities, std::ostream& out,
            const FileProgress& progress = {});

DrawingContent decode(std::string_view data);

}  // namespace brondel::engine::io::vec
