// Pages: the LAYOUT objects of the OBJECTS section, with the paper of their
// plot settings.
#include <algorithm>
#include <cmath>

#include "engine/io/dxf_reader.h"
#include "engine/table_editor.h"

namespace brondel::engine::io::dxf {

namespace {

// Larger than any paper a plotter takes; beyond it the number is damage.
constexpr double kLargestPaper = 1e5;

double paperSide(double mm) {
    return mm > 0 && mm <= kLargestPaper ? mm : 0;
}

}  // namespace

double numberOr(const Tokenizer& tok, const Group& g, double fallback) {
    try {
        const double value = tok.toDouble(g);
        return std::isfinite(value) ? value : fallback;
    } catch (const Error&) {
        return fallback;
    }
}

void Reader::readLayout() {
    // Both subclasses hold a name (1) and flags (70): the plot settings'
    // groups come first, the layout's after its subclass marker.
    bool layoutPart = false;
    ReadPage read{Page{}, 0, {}};
    for (;;) {
        const Group& g = mustNext();
        if (g.code == 0) {
            tok_.pushBack();
            break;
        }
        if (g.code == 100) {
            layoutPart = g.text == "AcDbLayout";
        } else if (!layoutPart && g.code == 44) {
            read.page.paperWidth = paperSide(numberOr(tok_, g, 0));
        } else if (!layoutPart && g.code == 45) {
            read.page.paperHeight = paperSide(numberOr(tok_, g, 0));
        } else if (!layoutPart && g.code == 73) {
            const double rotation = numberOr(tok_, g, 0);
            read.page.rotation = rotation >= 0 && rotation <= 3 ? static_cast<int>(rotation) : 0;
        } else if (layoutPart && g.code == 1) {
            read.page.name = decode(g.text);
        } else if (layoutPart && g.code == 71) {
            read.tabOrder = static_cast<int>(std::clamp(numberOr(tok_, g, 0), -1e9, 1e9));
        } else if (layoutPart && g.code == 330) {
            read.blockRecord = lowerCase(std::string(g.text));
        }
    }
    if (!refusedTableName(read.page.name).empty() || sameTableName(read.page.name, "Model")) {
        return;
    }
    for (const ReadPage& known : pages_) {
        if (sameTableName(known.page.name, read.page.name)) {
            return;  // a second layout of a name is not one a program can tell apart
        }
    }
    pages_.push_back(std::move(read));
}

void Reader::settlePages() {
    if (pages_.empty()) {
        return;
    }
    std::stable_sort(pages_.begin(), pages_.end(),
                     [](const ReadPage& a, const ReadPage& b) { return a.tabOrder < b.tabOrder; });
    DrawingHeader& h = content_.header;
    h.pages.clear();
    h.currentPage = pages_.front().page.name;
    for (ReadPage& read : pages_) {
        if (!paperSpaceRecord_.empty() && read.blockRecord == paperSpaceRecord_) {
            h.currentPage = read.page.name;
        }
        h.pages.push_back(std::move(read.page));
    }
}

}  // namespace brondel::engine::io::dxf
