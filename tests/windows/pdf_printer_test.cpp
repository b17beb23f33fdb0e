#include "ports/pdf_printer.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "base/error.h"
#include "engine/vecad.h"
#include "tests/support/fake_ports.h"
#include "tests/support/files.h"

namespace brondel::ports {
namespace {

using testing::readFile;

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// Every cross-reference entry points at its object and startxref at the table.
void expectConsistentXref(const std::string& pdf) {
    ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    ASSERT_TRUE(pdf.ends_with("%%EOF\n"));
    const auto start = pdf.rfind("startxref\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t xref = std::stoul(pdf.substr(start + 10));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    std::istringstream table(pdf.substr(xref + 5));
    int first = 0, entries = 0;
    table >> first >> entries;
    ASSERT_EQ(entries, 5);
    std::string offset, generation, kind;
    table >> offset >> generation >> kind;  // the free entry
    for (int object = 1; object < entries; ++object) {
        table >> offset >> generation >> kind;
        ASSERT_EQ(offset.size(), 10u);
        const std::string header = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(std::stoul(offset), header.size(), header), 0) << "object " << object;
    }
}

TEST(PdfPrinter, WritesOnePageWithEveryLineFitted) {
    testing::TempFolder folder;
    engine::Vecad control;
    control.AddLine(0, 0, 0, 1000, 0, 0);
    control.AddLine(1000, 0, 0, 1000, 400, 0);
    control.AddLine(1000, 400, 0, -500, -100, 0);
    const engine::Handle erased = control.AddLine(5000, 5000, 0, 6000, 6000, 0);
    control.EntityErase(erased, true);

    PdfPrinter printer(folder.file("wing.pdf"));
    printer.print(control);
    const std::string pdf = readFile(folder.file("wing.pdf"));
    expectConsistentXref(pdf);
    EXPECT_EQ(count(pdf, "/Type /Page "), 1u);
    EXPECT_EQ(count(pdf, "/Count 1"), 1u);
    EXPECT_EQ(count(pdf, " m\n"), 3u);
    EXPECT_EQ(count(pdf, " l\n"), 3u);
    EXPECT_NE(pdf.find("/MediaBox [0 0 841.89 595.28]"), std::string::npos);  // landscape

    // Every drawn point lies on the page inside the margins.
    const std::regex point(R"((-?[0-9.]+) (-?[0-9.]+) [ml]\n)");
    int points = 0;
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), point);
         it != std::sregex_iterator(); ++it, ++points) {
        const double x = std::stod((*it)[1]), y = std::stod((*it)[2]);
        EXPECT_GE(x, 35.99);
        EXPECT_LE(x, 841.89 - 35.99);
        EXPECT_GE(y, 35.99);
        EXPECT_LE(y, 595.28 - 35.99);
    }
    EXPECT_EQ(points, 6);
}

TEST(PdfPrinter, CurvesBecomeChordsAndPointsCrosses) {
    engine::Vecad control;
    engine::Drawing& drawing = control.drawing();
    drawing.add(engine::Entity(engine::CircleGeom{{0, 0, 0}, 10}));
    drawing.add(engine::Entity(engine::ArcGeom{{0, 0, 0}, 5, 0, engine::kPi / 2}));
    drawing.add(engine::Entity(engine::PolylineGeom{.vertices = {{0, 0, 0, 1}, {10, 0, 0, 0}}}));
    control.AddPoint(3, 3, 0);

    const PrintPicture picture = drawingPicture(drawing);
    ASSERT_EQ(picture.strokes.size(), 3u);
    EXPECT_GT(picture.strokes[0].size(), 8u);
    EXPECT_NEAR(picture.strokes[0].front().x, picture.strokes[0].back().x, 1e-9);
    EXPECT_GT(picture.strokes[1].size(), 2u);
    EXPECT_GT(picture.strokes[2].size(), 2u);  // the bulge is a half circle
    ASSERT_EQ(picture.markers.size(), 1u);
    EXPECT_EQ(picture.markers[0].x, 3);
}

TEST(PdfPrinter, BlockReferencesAreDrawnByTheirPartsEvenWhenTheyNestThemselves) {
    engine::DrawingContent content;
    content.blocks["FRAME"] = {"FRAME",
                               {},
                               0,
                               {engine::Entity(engine::LineGeom{{0, 0, 0}, {1, 0, 0}}),
                                engine::Entity(engine::LineGeom{{1, 0, 0}, {1, 1, 0}})}};
    content.blocks["LOOP"] = {
        "LOOP", {}, 0, std::vector(8, engine::Entity(engine::InsertGeom{.block = "LOOP"}))};
    content.entities.emplace_back(
        engine::InsertGeom{.block = "FRAME", .columns = 2, .columnSpacing = 5});
    content.entities.emplace_back(engine::InsertGeom{.block = "LOOP"});
    engine::Drawing drawing;
    drawing.load(std::move(content));

    const PrintPicture picture = drawingPicture(drawing);
    ASSERT_EQ(picture.strokes.size(), 4u);
    EXPECT_EQ(picture.strokes[2].front().x, 5);
}

TEST(PdfPrinter, EmptyDrawingIsABlankPageAndPreviewWritesTheSame) {
    testing::TempFolder folder;
    engine::Vecad control;
    PdfPrinter printer(folder.file("empty.pdf"));
    printer.preview(control);
    const std::string pdf = readFile(folder.file("empty.pdf"));
    expectConsistentXref(pdf);
    EXPECT_EQ(count(pdf, " l\n"), 0u);
    printer.setup();
    EXPECT_EQ(printer.setups(), 1);
}

TEST(PdfPrinter, UnwritableFolderFailsAndLeavesNothing) {
    engine::Vecad control;
    control.AddLine(0, 0, 0, 1, 1, 0);
    PdfPrinter printer("/nonexistent-folder-of-brondel/out.pdf");
    EXPECT_THROW(printer.print(control), Error);
}

}  // namespace
}  // namespace brondel::ports
