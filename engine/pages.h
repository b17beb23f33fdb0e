#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/tables.h"

// What a page's plot settings mean for the sheet printing puts the drawing on.
namespace brondel::engine {

// A paper size by the name printers know it, short side first (mm).
struct PaperSize {
    const char* name;
    double shortSide, longSide;
};
const std::vector<PaperSize>& paperSizes();
// The size of that name (any case), nothing when there is none.
std::optional<PaperSize> paperSizeNamed(const std::string& name);

// The sheet as it lies when printed, in millimetres.
struct Sheet {
    double width, height;
    bool landscape() const { return width > height; }
};

// Whether the page has a paper size of its own.
bool hasPaperSize(const Page& page);
// The page's sheet as printed: its paper turned by its rotation; nothing
// when the page has no paper size.
std::optional<Sheet> pageSheet(const Page& page);
// The current page of the header, or its first when none has that name.
const Page& currentPage(const DrawingHeader& header);
// The sheet printing uses: the current page's, nothing when it has no
// paper size (printing then picks the way round the drawing fits best).
std::optional<Sheet> printedSheet(const DrawingHeader& header);
// "A4 landscape", "500 x 300 mm portrait", "no paper size".
std::string describePaper(const Page& page);

}  // namespace brondel::engine
