#include "engine/page_editor.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/drawing.h"
#include "engine/measure.h"
#include "engine/pages.h"

namespace brondel::engine {

namespace {

Page* named(DrawingHeader& h, const std::string& name) {
    for (Page& p : h.pages) {
        if (sameTableName(p.name, name)) {
            return &p;
        }
    }
    return nullptr;
}

std::string noPage(const std::string& name) {
    return "No page named \"" + name + "\"";
}

// The paper as it lies when printed, turned no further.
void lay(Page& page, Sheet sheet) {
    page.paperWidth = sheet.width;
    page.paperHeight = sheet.height;
    page.rotation = 0;
}

}  // namespace

void PageEditor::store(DrawingHeader header) {
    Drawing::Step step(drawing_, title());
    drawing_.setHeader(header);
}

std::string PageEditor::refusedNewName(const std::string& name, const std::string& keeping) const {
    if (std::string why = refusedTableName(name); !why.empty()) {
        return why;
    }
    if (sameTableName(name, "Model")) {
        return "Model names the drawing itself, not a page";
    }
    for (const Page& p : drawing_.header().pages) {
        if (sameTableName(p.name, name) && !sameTableName(p.name, keeping)) {
            return "A page named \"" + name + "\" exists";
        }
    }
    return {};
}

std::string PageEditor::add(const std::string& name) {
    if (std::string why = refusedNewName(name, {}); !why.empty()) {
        return why;
    }
    DrawingHeader h = drawing_.header();
    Page page = currentPage(h);
    page.name = name;
    h.pages.push_back(page);
    store(std::move(h));
    return {};
}

std::string PageEditor::rename(const std::string& from, const std::string& to) {
    DrawingHeader h = drawing_.header();
    Page* page = named(h, from);
    if (!page) {
        return noPage(from);
    }
    if (std::string why = refusedNewName(to, page->name); !why.empty()) {
        return why;
    }
    if (page->name == to) {
        return {};
    }
    if (sameTableName(h.currentPage, page->name)) {
        h.currentPage = to;
    }
    page->name = to;
    store(std::move(h));
    return {};
}

std::string PageEditor::remove(const std::string& name) {
    DrawingHeader h = drawing_.header();
    const Page* page = named(h, name);
    if (!page) {
        return noPage(name);
    }
    if (h.pages.size() == 1) {
        return "The last page stays: a drawing has at least one";
    }
    const bool wasCurrent = sameTableName(h.currentPage, page->name);
    h.pages.erase(h.pages.begin() + (page - h.pages.data()));
    if (wasCurrent) {
        h.currentPage = h.pages.front().name;
    }
    store(std::move(h));
    return {};
}

std::string PageEditor::setCurrent(const std::string& name) {
    DrawingHeader h = drawing_.header();
    const Page* page = named(h, name);
    if (!page) {
        return noPage(name);
    }
    if (page->name != h.currentPage) {
        h.currentPage = page->name;
        store(std::move(h));
    }
    return {};
}

std::string PageEditor::setSize(const std::string& name, double width, double height) {
    const auto sane = [](double side) { return side >= kSmallestSide && side <= kLargestSide; };
    if (!sane(width) || !sane(height)) {
        return "A paper side is from " + shownNumber(kSmallestSide) + " to " +
               shownNumber(kLargestSide) + " mm";
    }
    DrawingHeader h = drawing_.header();
    Page* page = named(h, name);
    if (!page) {
        return noPage(name);
    }
    Sheet sheet{width, height};
    if (const std::optional<Sheet> old = pageSheet(*page);
        old && old->landscape() != sheet.landscape() && width != height) {
        sheet = Sheet{height, width};
    }
    lay(*page, sheet);
    store(std::move(h));
    return {};
}

std::string PageEditor::setLandscape(const std::string& name, bool landscape) {
    DrawingHeader h = drawing_.header();
    Page* page = named(h, name);
    if (!page) {
        return noPage(name);
    }
    const std::optional<Sheet> sheet = pageSheet(*page);
    if (!sheet) {
        return "The page \"" + page->name + "\" has no paper size yet: set its size first";
    }
    const double shortSide = std::min(sheet->width, sheet->height);
    const double longSide = std::max(sheet->width, sheet->height);
    lay(*page, landscape ? Sheet{longSide, shortSide} : Sheet{shortSide, longSide});
    store(std::move(h));
    return {};
}

std::string PageEditor::prompt() const {
    const DrawingHeader& h = drawing_.header();
    std::string text = "Pages (current: " + currentPage(h).name + "; printing uses its paper):";
    for (const Page& p : h.pages) {
        text += "\r" + p.name + "  " + describePaper(p);
    }
    text += "\rType: add NAME, rename NAME NEW, delete NAME, current NAME, size NAME PAPER (";
    for (const PaperSize& s : paperSizes()) {
        text += std::string(s.name) + (&s == &paperSizes().back() ? "" : ", ");
    }
    text +=
        ") or size NAME WIDTH HEIGHT (mm), orientation NAME portrait|landscape; nothing to close";
    return text;
}

std::string PageEditor::size(const std::vector<std::string>& w) {
    if (w.size() == 3) {
        const std::optional<PaperSize> paper = paperSizeNamed(w[2]);
        if (!paper) {
            return "No paper size named \"" + w[2] + "\"";
        }
        return setSize(w[1], paper->shortSide, paper->longSide);
    }
    const std::optional<double> width = typedNumber(w[2]), height = typedNumber(w[3]);
    if (!width || !height) {
        return "Not a number: " + (width ? w[3] : w[2]);
    }
    return setSize(w[1], *width, *height);
}

std::string PageEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.empty()) {
        return "Nothing typed";
    }
    const std::string verb = lowerCase(w[0]);
    if (w.size() == 1 && verb == "list") {
        return {};  // the prompt lists them
    }
    if (w.size() == 2 && verb == "add") {
        return add(w[1]);
    }
    if (w.size() == 3 && verb == "rename") {
        return rename(w[1], w[2]);
    }
    if (w.size() == 2 && verb == "delete") {
        return remove(w[1]);
    }
    if (w.size() == 2 && verb == "current") {
        return setCurrent(w[1]);
    }
    if ((w.size() == 3 || w.size() == 4) && verb == "size") {
        return size(w);
    }
    if (w.size() == 3 && verb == "orientation") {
        const std::string way = lowerCase(w[2]);
        if (way != "portrait" && way != "landscape") {
            return "A page is portrait or landscape";
        }
        return setLandscape(w[1], way == "landscape");
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
