#include "engine/pages.h"

#include <algorithm>
#include <cmath>

#include "engine/measure.h"
#include "engine/table_editor.h"

namespace brondel::engine {

const std::vector<PaperSize>& paperSizes() {
    static const std::vector<PaperSize> sizes = {
        {"A0", 841, 1189},        {"A1", 594, 841},        {"A2", 420, 594},
        {"A3", 297, 420},         {"A4", 210, 297},        {"A5", 148, 210},
        {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}, {"Tabloid", 279.4, 431.8},
    };
    return sizes;
}

std::optional<PaperSize> paperSizeNamed(const std::string& name) {
    for (const PaperSize& size : paperSizes()) {
        if (sameTableName(size.name, name)) {
            return size;
        }
    }
    return std::nullopt;
}

bool hasPaperSize(const Page& page) {
    return page.paperWidth > 0 && page.paperHeight > 0;
}

std::optional<Sheet> pageSheet(const Page& page) {
    if (!hasPaperSize(page)) {
        return std::nullopt;
    }
    const bool turned = page.rotation == 1 || page.rotation == 3;
    return turned ? Sheet{page.paperHeight, page.paperWidth}
                  : Sheet{page.paperWidth, page.paperHeight};
}

const Page& currentPage(const DrawingHeader& header) {
    const auto found = std::find_if(header.pages.begin(), header.pages.end(), [&](const Page& p) {
        return sameTableName(p.name, header.currentPage);
    });
    return found != header.pages.end() ? *found : header.pages.front();
}

std::optional<Sheet> printedSheet(const DrawingHeader& header) {
    if (header.pages.empty()) {
        return std::nullopt;
    }
    return pageSheet(currentPage(header));
}

std::string describePaper(const Page& page) {
    const std::optional<Sheet> sheet = pageSheet(page);
    if (!sheet) {
        return "no paper size";
    }
    const double shortSide = std::min(sheet->width, sheet->height);
    const double longSide = std::max(sheet->width, sheet->height);
    std::string size = shownNumber(sheet->width) + " x " + shownNumber(sheet->height) + " mm";
    for (const PaperSize& known : paperSizes()) {
        if (std::fabs(known.shortSide - shortSide) < 0.5 &&
            std::fabs(known.longSide - longSide) < 0.5) {
            size = known.name;
        }
    }
    return size + (sheet->landscape() ? " landscape" : " portrait");
}

}  // namespace brondel::engine
