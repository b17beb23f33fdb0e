#pragma once

#include <string>

// How a dimension's picture is drawn: sizes in drawing units before the
// overall scale, as a DXF dimension style keeps them.
namespace brondel::engine {

struct DimStyle {
    std::string name = "STANDARD";
    double textHeight = 2.5;     // DIMTXT
    double arrowSize = 2.5;      // DIMASZ
    double extOffset = 0.625;    // DIMEXO: gap between the origin and its extension line
    double extExtension = 1.25;  // DIMEXE: extension line past the dimension line
    double textGap = 0.625;      // DIMGAP: text above the dimension line
    int decimals = 2;            // DIMDEC
    double centerMark = 2.5;     // DIMCEN
    double scale = 1;            // DIMSCALE
    bool textAbove = true;       // DIMTAD: above the dimension line, or centred on it
    bool operator==(const DimStyle&) const = default;
};

// Why a style cannot be used ("" when it can): a size out of range or too
// few or many decimals. Files and dialogs are held to the same limits.
std::string refusedDimStyle(const DimStyle& style);

// The style that a name chooses, compared without regard to case.
bool namesDimStyle(const DimStyle& style, const std::string& name);

}  // namespace brondel::engine
