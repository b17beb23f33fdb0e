#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// DAT list generation: the coordinate list normalized to the width of the
// shape. x runs from 0 at the leftmost vertex to 1 at the rightmost (shapes
// narrower than one unit are not enlarged); y is measured from the lowest
// vertex in the same unit, so the shape keeps its proportions.
namespace brondel::coordfiles {

inline constexpr std::string_view kTooFewRowsTitle = "Generate DAT File";
inline constexpr std::string_view kTooFewRowsText =
    "You must have at least 3 coordinate values listed to create a DAT file";
inline constexpr std::string_view kGenerationErrorTitle = "Error";
inline constexpr std::string_view kGenerationErrorText =
    "Error while generating DAT file, Try Again ";

enum class DatGenerationOutcome {
    Generated,   // rows holds the new DAT list
    TooFewRows,  // fewer than 3 coordinate rows: raise the generation failure flag
    Failed,      // a row without ", " or a value beyond the range of coordinate text
};

struct DatGeneration {
    DatGenerationOutcome outcome = DatGenerationOutcome::Failed;
    std::vector<std::string> rows;  // empty unless generated
};

// One DAT row per coordinate row, in the same order, duplicates included.
// The extremes are kept in single precision, as the cutting controller's
// tools always did, and the width is never taken below 1. onRow is called
// once per row written so that the caller can keep its windows alive.
// Nothing is returned but the outcome when generation fails, so the caller's
// DAT list stays as it was.
DatGeneration generateDatList(std::span<const std::string> coordinateRows,
                              const std::function<void()>& onRow = {});

}  // namespace brondel::coordfiles
