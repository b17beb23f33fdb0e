#include "engine/io/dxf_writer_pages.h"

#include <string_view>

#include "engine/pages.h"

namespace brondel::engine::io {

namespace {

// The handles of what dxflib writes with fixed handles around the pages:
// model space's block record and layout, the layout dictionary.
constexpr unsigned long kModelRecord = 0x1F, kModelLayout = 0x22, kLayoutDictionary = 0x1A;

// The objects dxflib writes ahead of the layouts, as it writes them: pairs
// of group code and value, a bar after each.
constexpr std::string_view kDictionaries =
    "0 SECTION|2 OBJECTS|"
    "0 DICTIONARY|5 C|100 AcDbDictionary|280 0|281 1|3 ACAD_GROUP|350 D|3 ACAD_LAYOUT|350 1A|"
    "3 ACAD_MLINESTYLE|350 17|3 ACAD_PLOTSETTINGS|350 19|3 ACAD_PLOTSTYLENAME|350 E|"
    "3 AcDbVariableDictionary|350 31|"
    "0 DICTIONARY|5 D|100 AcDbDictionary|280 0|281 1|"
    "0 ACDBDICTIONARYWDFLT|5 E|100 AcDbDictionary|281 1|3 Normal|350 F|"
    "100 AcDbDictionaryWithDefault|340 F|"
    "0 ACDBPLACEHOLDER|5 F|"
    "0 DICTIONARY|5 17|100 AcDbDictionary|280 0|281 1|3 Standard|350 18|";

// The plot settings' dictionary, after the multi-line style.
constexpr std::string_view kPlotSettings = "0 DICTIONARY|5 19|100 AcDbDictionary|280 0|281 1|";

// A sheet for the limits of a page without paper: the A3 dxflib gives.
constexpr double kNoPaperWidth = 420, kNoPaperHeight = 297;

}  // namespace

PageWriter::PageWriter(const DL_Writer& w, const DrawingHeader& header,
                       std::vector<std::string> names, unsigned long firstHandle)
    : w_(w), multiLineOffsets_(header.multiLineOffsets), multiLineColors_(header.multiLineColors) {
    const Page& current = currentPage(header);
    int others = 0;
    for (std::size_t i = 0; i < header.pages.size(); ++i) {
        const Page& page = header.pages[i];
        const unsigned long h = firstHandle + 4 * i;
        const std::string block = &page == &current ? std::string("*Paper_Space")
                                                    : "*Paper_Space" + std::to_string(others++);
        pages_.push_back(Written{std::move(names[i]), block, &page, h, h + 1, h + 2, h + 3});
    }
}

void PageWriter::blockRecords() const {
    w_.dxfString(0, "TABLE");
    w_.dxfString(2, "BLOCK_RECORD");
    w_.dxfHex(5, 1);
    w_.dxfString(100, "AcDbSymbolTable");
    w_.dxfInt(70, 1);
    const auto record = [this](unsigned long handle, const std::string& name,
                               unsigned long layout) {
        w_.dxfString(0, "BLOCK_RECORD");
        w_.dxfHex(5, static_cast<int>(handle));
        w_.dxfHex(330, 1);
        w_.dxfString(100, "AcDbSymbolTableRecord");
        w_.dxfString(100, "AcDbBlockTableRecord");
        w_.dxfString(2, name);
        w_.dxfHex(340, static_cast<int>(layout));
    };
    record(kModelRecord, "*Model_Space", kModelLayout);
    for (const Written& p : pages_) {
        record(p.record, p.block, p.layout);
    }
}

void PageWriter::blocks() const {
    for (const Written& p : pages_) {
        w_.dxfString(0, "BLOCK");
        w_.dxfHex(5, static_cast<int>(p.begin));
        w_.dxfHex(330, static_cast<int>(p.record));
        w_.dxfString(100, "AcDbEntity");
        w_.dxfInt(67, 1);
        w_.dxfString(8, "0");
        w_.dxfString(100, "AcDbBlockBegin");
        w_.dxfString(2, p.block);
        w_.dxfInt(70, 0);
        w_.coord(10, 0, 0, 0);
        w_.dxfString(3, p.block);
        w_.dxfString(1, "");
        w_.dxfString(0, "ENDBLK");
        w_.dxfHex(5, static_cast<int>(p.end));
        w_.dxfHex(330, static_cast<int>(p.record));
        w_.dxfString(100, "AcDbEntity");
        w_.dxfInt(67, 1);
        w_.dxfString(8, "0");
        w_.dxfString(100, "AcDbBlockEnd");
    }
}

void PageWriter::groups(std::string_view listed) const {
    for (std::string_view rest = listed; !rest.empty();) {
        const std::size_t space = rest.find(' '), bar = rest.find('|');
        w_.dxfString(std::stoi(std::string(rest.substr(0, space))),
                     std::string(rest.substr(space + 1, bar - space - 1)));
        rest.remove_prefix(bar + 1);
    }
}

// The style Draw Multi-Line draws with, as STANDARD; its scale is the
// header's $CMLSCALE.
void PageWriter::multiLineStyle() const {
    groups("0 MLINESTYLE|5 18|100 AcDbMlineStyle|2 STANDARD|70 0|3 |62 256|51 90.0|52 90.0|");
    w_.dxfInt(71, static_cast<int>(multiLineOffsets_.size()));
    for (std::size_t i = 0; i < multiLineOffsets_.size(); ++i) {
        w_.dxfReal(49, multiLineOffsets_[i]);
        w_.dxfInt(62, i < multiLineColors_.size() ? multiLineColors_[i].aci : Color::kByLayer);
        w_.dxfString(6, "BYLAYER");
    }
}

void PageWriter::objects() const {
    groups(kDictionaries);
    multiLineStyle();
    groups(kPlotSettings);
    w_.dxfString(0, "DICTIONARY");
    w_.dxfHex(5, static_cast<int>(kLayoutDictionary));
    w_.dxfString(100, "AcDbDictionary");
    w_.dxfInt(281, 1);
    for (const Written& p : pages_) {
        w_.dxfString(3, p.name);
        w_.dxfHex(350, static_cast<int>(p.layout));
    }
    w_.dxfString(3, "Model");
    w_.dxfHex(350, static_cast<int>(kModelLayout));
    int tabOrder = 0;
    for (const Written& p : pages_) {
        layout(p, ++tabOrder);
    }
    layout(Written{"Model", "*Model_Space", nullptr, kModelRecord, kModelLayout, 0, 0}, 0);
}

// Plot settings and layout as dxflib writes them, with the page's paper
// (millimetres, turned by its rotation).
void PageWriter::layout(const Written& p, int tabOrder) const {
    const bool model = p.page == nullptr;
    const bool paper = !model && hasPaperSize(*p.page);
    w_.dxfString(0, "LAYOUT");
    w_.dxfHex(5, static_cast<int>(p.layout));
    w_.dxfHex(330, static_cast<int>(kLayoutDictionary));
    w_.dxfString(100, "AcDbPlotSettings");
    w_.dxfString(1, "");
    w_.dxfString(2, "none_device");
    w_.dxfString(4, "");
    w_.dxfString(6, "");
    for (int code = 40; code <= 43; ++code) {
        w_.dxfReal(code, 0);
    }
    w_.dxfReal(44, paper ? p.page->paperWidth : 0);
    w_.dxfReal(45, paper ? p.page->paperHeight : 0);
    for (int code : {46, 47, 48, 49, 140, 141}) {
        w_.dxfReal(code, 0);
    }
    w_.dxfReal(142, 1);
    w_.dxfReal(143, 1);
    w_.dxfInt(70, model ? 1712 : 688);
    w_.dxfInt(72, 1);  // millimetres
    w_.dxfInt(73, model ? 0 : p.page->rotation);
    w_.dxfInt(74, model ? 0 : 5);
    w_.dxfString(7, "");
    w_.dxfInt(75, model ? 0 : 16);
    w_.dxfReal(147, 1);
    w_.dxfReal(148, 0);
    w_.dxfReal(149, 0);
    w_.dxfString(100, "AcDbLayout");
    w_.dxfString(1, p.name);
    w_.dxfInt(70, 1);
    w_.dxfInt(71, tabOrder);
    const std::optional<Sheet> sheet = model ? std::nullopt : pageSheet(*p.page);
    w_.dxfReal(10, 0);
    w_.dxfReal(20, 0);
    w_.dxfReal(11, model ? 12 : sheet ? sheet->width : kNoPaperWidth);
    w_.dxfReal(21, model ? 9 : sheet ? sheet->height : kNoPaperHeight);
    w_.coord(12, 0, 0, 0);
    const double far = model ? 0.0 : 1e20, near = model ? 0.0 : -1e20;
    w_.coord(14, far, far, far);
    w_.coord(15, near, near, near);
    w_.dxfReal(146, 0);
    w_.coord(13, 0, 0, 0);
    w_.coord(16, 1, 0, 0);
    w_.coord(17, 0, 1, 0);
    w_.dxfInt(76, 0);
    w_.dxfHex(330, static_cast<int>(p.record));
}

}  // namespace brondel::engine::io
