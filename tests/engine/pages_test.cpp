// Format Pages: each change is one undo step and each refusal leaves the
// drawing as it was; pages read from other programs' files and made here
// survive DXF and VEC and read the same in ezdxf (tests/tools/ezdxf_pages.py);
// printing puts the drawing on the current page's paper.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <nlohmann/json.hpp>

#include "base/error.h"
#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "engine/page_editor.h"
#include "engine/vecad.h"
#include "ports/pdf_printer.h"
#include "tests/engine/typed_change.h"
#include "tests/engine/vec_bytes.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/fake_ports.h"
#include "tests/support/files.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

// Layout1 on A4 given a quarter turn (landscape), Sheet2 without paper.
void twoPages(Drawing& d) {
    DrawingContent c;
    c.header.pages = {Page{"Layout1", 210, 297, 1}, Page{"Sheet2"}};
    c.header.currentPage = "Layout1";
    d.load(std::move(c));
}

Page pageOf(const DrawingHeader& h, const std::string& name) {
    for (const Page& p : h.pages) {
        if (p.name == name) {
            return p;
        }
    }
    ADD_FAILURE() << "no page " << name;
    return {};
}

void expectPages(const nlohmann::json& read, const std::vector<Page>& pages) {
    ASSERT_EQ(read.size(), pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(read[i][0], pages[i].name);
        EXPECT_NEAR(read[i][1].get<double>(), pages[i].paperWidth, 1e-3);
        EXPECT_NEAR(read[i][2].get<double>(), pages[i].paperHeight, 1e-3);
        EXPECT_EQ(read[i][3], pages[i].rotation);
    }
}

TEST(Pages, ChangesAreOneUndoStepAndRefusalsChangeNothing) {
    using Check = std::function<void(const DrawingHeader&)>;
    const Check none = [](const DrawingHeader&) {};
    struct Row {
        std::string typed;
        std::string refused;  // start of the refusal, "" when applied
        Check check;
    };
    const Row rows[] = {
        {"add \"Sheet 3\"", "",
         [](const DrawingHeader& h) {
             ASSERT_EQ(h.pages.size(), 3u);
             EXPECT_EQ(h.pages[2], (Page{"Sheet 3", 210, 297, 1}));  // the current page's paper
         }},
        {"add layout1", "A page named \"layout1\" exists", none},
        {"add model", "Model names the drawing itself", none},
        {"add A=B", "A name cannot hold =", none},
        {"rename layout1 Front", "",
         [](const DrawingHeader& h) {
             EXPECT_EQ(h.pages[0].name, "Front");
             EXPECT_EQ(h.currentPage, "Front");
         }},
        {"rename Layout1 SHEET2", "A page named \"SHEET2\" exists", none},
        {"rename Nope X", "No page named \"Nope\"", none},
        {"delete Layout1", "",
         [](const DrawingHeader& h) {
             ASSERT_EQ(h.pages.size(), 1u);
             EXPECT_EQ(h.currentPage, "Sheet2");
         }},
        {"current sheet2", "", [](const DrawingHeader& h) { EXPECT_EQ(h.currentPage, "Sheet2"); }},
        {"size Layout1 a3", "",  // stays landscape
         [](const DrawingHeader& h) {
             EXPECT_EQ(pageOf(h, "Layout1"), (Page{"Layout1", 420, 297, 0}));
         }},
        {"size Sheet2 500 300", "",  // had no paper: the way round typed
         [](const DrawingHeader& h) {
             EXPECT_EQ(pageOf(h, "Sheet2"), (Page{"Sheet2", 500, 300}));
         }},
        {"size Sheet2 Letter", "",
         [](const DrawingHeader& h) {
             EXPECT_EQ(pageOf(h, "Sheet2"), (Page{"Sheet2", 215.9, 279.4}));
         }},
        {"size Sheet2 5 300", "A paper side is from 10 to 10000 mm", none},
        {"size Sheet2 nan 300", "A paper side is", none},
        {"size Sheet2 A9", "No paper size named \"A9\"", none},
        {"size Sheet2 x 300", "Not a number: x", none},
        {"orientation Layout1 Portrait", "",
         [](const DrawingHeader& h) {
             EXPECT_EQ(pageOf(h, "Layout1"), (Page{"Layout1", 210, 297, 0}));
         }},
        {"orientation Sheet2 landscape", "The page \"Sheet2\" has no paper size", none},
        {"orientation Layout1 sideways", "A page is portrait or landscape", none},
        {"delete", "Not understood", none},
    };
    for (const Row& row : rows) {
        Drawing d;
        twoPages(d);
        PageEditor editor(d);
        testing::expectTypedChange(d, editor, row.typed, row.refused,
                                   [&row](const Drawing& changed) { row.check(changed.header()); });
    }

    Drawing single;  // a new drawing: one page, which stays
    EXPECT_EQ(PageEditor(single).command("list"), "");
    EXPECT_EQ(PageEditor(single).command("delete Layout1").rfind("The last page stays", 0), 0u);
    EXPECT_EQ(single.header().pages.size(), 1u);
}

// Pages of other programs' files read as ezdxf reads them there, and come
// back the same from our DXF 2000 in us and in ezdxf. R12 has no layouts:
// the drawing takes its one page without paper.
TEST(Pages, PagesOfOtherProgramsSurviveSaving) {
    struct Row {
        const char* file;
        std::vector<Page> pages;  // as ezdxf reads them in the file
        const char* current;
    };
    const Row rows[] = {
        {"qcad_flange.dxf", {{"Layout", 210, 297, 1}, {"Layout2", 210, 297, 1}}, "Layout2"},
        {"libredwg_example_2000.dxf",
         {{"Layout1", 215.8999938964844, 279.3999938964844, 1},
          {"Layout2", 215.8999938964844, 279.3999938964844, 1}},
         "Layout2"},
        {"dxf-parser_api-cw750-details.dxf",
         {{"Sheet 1", 279.3999938964844, 431.7999877929687, 1},
          {"Sheet 2", 279.3999938964844, 431.7999877929687, 1},
          {"Sheet 3", 279.3999938964844, 431.7999877929687, 1},
          {"Sheet 4", 279.3999938964844, 431.7999877929687, 1}},
         "Sheet 1"},
        {"libredwg_example_r12.dxf", {{"Layout1"}}, "Layout1"},
    };
    ASSERT_TRUE(brondel::testing::ezdxfInstalled()) << "install python3-ezdxf to run this test";
    brondel::testing::TempFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const DrawingContent read =
            io::readDxf(std::string(BRONDEL_CORPUS_DIR) + "/dxf/" + row.file);
        ASSERT_EQ(read.header.pages.size(), row.pages.size());
        for (std::size_t i = 0; i < row.pages.size(); ++i) {
            EXPECT_EQ(read.header.pages[i].name, row.pages[i].name);
            EXPECT_NEAR(read.header.pages[i].paperWidth, row.pages[i].paperWidth, 1e-3);
            EXPECT_NEAR(read.header.pages[i].paperHeight, row.pages[i].paperHeight, 1e-3);
            EXPECT_EQ(read.header.pages[i].rotation, row.pages[i].rotation);
        }
        EXPECT_EQ(read.header.currentPage, row.current);
        Drawing d;
        d.load(read);
        const std::string dxf = folder.file("pages.dxf");
        io::writeDxf(d, dxf);
        const DrawingContent back = io::readDxf(dxf);
        EXPECT_EQ(back.header.pages, read.header.pages);
        EXPECT_EQ(back.header.currentPage, read.header.currentPage);
        const nlohmann::json ezdxf = brondel::testing::ezdxfRead("ezdxf_pages.py", dxf);
        EXPECT_EQ(ezdxf["auditErrors"], 0);
        expectPages(ezdxf["pages"], read.header.pages);
        EXPECT_EQ(ezdxf["current"], row.current);
    }
}

TEST(Pages, EditedPagesSurviveDxfAndVecButNotR12) {
    Drawing d;
    twoPages(d);
    PageEditor editor(d);
    for (const char* typed :
         {"add \"Sheet 3\"", "rename Sheet2 Plan", "size Plan A3", "orientation Plan landscape",
          "current \"Sheet 3\"", "size \"Sheet 3\" 500 300", "delete Layout1"}) {
        ASSERT_EQ(editor.command(typed), "") << typed;
    }
    const std::vector<Page> pages = {{"Plan", 420, 297, 0}, {"Sheet 3", 500, 300, 0}};
    ASSERT_EQ(d.header().pages, pages);
    brondel::testing::TempFolder folder;
    const std::string dxf = folder.file("pages.dxf"), vec = folder.file("pages.vec"),
                      r12 = folder.file("r12.dxf");
    io::writeDxf(d, dxf);
    io::writeVec(d, vec);
    for (const DrawingContent& back : {io::readDxf(dxf), io::readVec(vec)}) {
        EXPECT_EQ(back.header.pages, pages);
        EXPECT_EQ(back.header.currentPage, "Sheet 3");
    }
    io::WriteOptions options;
    options.dxfVersion = io::DxfVersion::R12;
    io::WriteReport report;
    io::writeDxf(d, r12, {}, options, &report);
    EXPECT_EQ(report["LAYOUT left out"], 2u);  // said when saved
    EXPECT_EQ(io::readDxf(r12).header.pages, DrawingHeader{}.pages);
}

// VEC files from before pages take the default page; pages that break the
// rules the editor keeps are damage.
TEST(Pages, OlderVecFilesTakeTheDefaultAndBadPagesAreDamage) {
    std::string third = testing::encoded(DrawingContent{});
    // Without the two multi-line colours, Layout1 and the current page's name.
    third.resize(third.size() - 2 * (2 + 4) - (4 + (4 + 7) + 8 + 8 + 1) - (4 + 7));
    const std::uint32_t version = 3;
    std::memcpy(third.data() + 8, &version, sizeof version);
    EXPECT_EQ(io::readVecBuffer(third).header.pages, DrawingHeader{}.pages);

    struct Row {
        std::vector<Page> pages;
        const char* current;
    };
    const Row rows[] = {
        {{}, "Layout1"},
        {{Page{"A"}, Page{"a"}}, "A"},
        {{Page{"A", -1, 0}}, "A"},
        {{Page{"A", NAN, 0}}, "A"},
        {{Page{"A", 0, 0, 4}}, "A"},
        {{Page{"A|B"}}, "A|B"},
        {{Page{"A"}}, "B"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.current);
        DrawingContent c;
        c.header.pages = row.pages;
        c.header.currentPage = row.current;
        EXPECT_EQ(brondel::testing::thrown([&] { io::readVecBuffer(testing::encoded(c)); }).number,
                  err::kVecCorrupt);
    }
}

TEST(Pages, PrintingUsesTheCurrentPagesPaper) {
    struct Row {
        const char* typed;     // "" for the drawing as it is
        const char* mediaBox;  // points
    };
    const Row rows[] = {
        {"", "[0 0 841.89 595.28]"},  // no paper: A4, as the wide drawing fits
        {"size Layout1 A3", "[0 0 841.89 1190.55]"},
        {"orientation Layout1 landscape", "[0 0 1190.55 841.89]"},
        {"size Layout1 10 20", "[0 0 56.69 28.35]"},  // keeps landscape
    };
    Vecad control;
    control.AddLine(0, 0, 0, 100, 10, 0);
    brondel::testing::TempFolder folder;
    ports::PdfPrinter printer(folder.file("page.pdf"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        if (*row.typed) {
            ASSERT_EQ(PageEditor(control.drawing()).command(row.typed), "");
        }
        printer.print(control);
        const std::string pdf = brondel::testing::readFile(printer.path());
        EXPECT_NE(pdf.find(std::string("/MediaBox ") + row.mediaBox), std::string::npos);
        EXPECT_EQ(pdf.find(" -"), std::string::npos);  // the drawing stays on the sheet
    }
}

}  // namespace
}  // namespace brondel::engine
