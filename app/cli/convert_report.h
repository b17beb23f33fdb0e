#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "coordfiles/path_jumps.h"
#include "coordfiles/path_measures.h"
#include "documents/dead_end.h"
#include "pathtools/close_gaps.h"
#include "pathtools/link_command.h"

// What convert tells its user, as text lines or as one JSON object whose
// keys scripts rely on.
namespace brondel::cli {

struct ConvertReport {
    std::size_t linesRead = 0;
    std::size_t arcsSegmented = 0;
    std::size_t chords = 0;
    std::map<std::string, std::size_t> leftOut;  // by kind
    std::size_t steps = 0;
    std::string datPath;
    coordfiles::PathMeasures path;
    coordfiles::PathJumps jumps;
    int arcsAsChords = 0;
    std::optional<pathtools::HealReport> healed;
    std::optional<double> kerf;
    std::optional<pathtools::LinkCounts> linked;  // each bridge passes its two ends twice
};

struct ConvertFailure {
    std::string message;  // the program's own text
    std::optional<documents::DeadEnd> deadEnd;
};

void printReport(const ConvertReport& report, bool json, std::ostream& out);

// The message on err; the dead end's facts after it, or as JSON on out.
void printFailure(const ConvertFailure& failure, bool json, std::ostream& out, std::ostream& err);

}  // namespace brondel::cli
