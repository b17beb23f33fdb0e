#include "pathtools/prep_drawing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/entity_type.h"
#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

class PrepDrawingTest : public ::testing::Test {
  protected:
    testing::TestProgram program;
    shell::MainWindow& main = program.main;
    documents::DrawingWindow& window = program.newDrawing();
    engine::Vecad& vecad = window.Vecad1;

    std::map<int, int> kinds() const {
        std::map<int, int> counts;
        for (engine::Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle;
             h = vecad.GetNextEntity(h)) {
            ++counts[vecad.EntityGetType(h)];
        }
        return counts;
    }

    std::string onlyMessage() const {
        const auto shown = program.fakes.dialogs.messages();
        EXPECT_EQ(shown.size(), 1u);
        if (shown.empty()) {
            return {};
        }
        return shown[0].text;
    }
};

std::string corpus(const std::string& name) {
    return std::string(BRONDEL_CORPUS_DIR) + "/dxf/" + name;
}

constexpr int kLine = engine::code(engine::EntityType::Line);
constexpr int kPolyline = engine::code(engine::EntityType::Polyline);
constexpr int kInsert = engine::code(engine::EntityType::Insert);

TEST_F(PrepDrawingTest, EmptyDrawingReportsNoLines) {
    EXPECT_EQ(prepDrawing(window), 0);
    EXPECT_EQ(onlyMessage(), "Drawing prep complete! \r0 Total new line created. ");
    EXPECT_TRUE(vecad.hasFocus());
}

TEST_F(PrepDrawingTest, ErasedEntitiesGoFirstAndLinesAlreadyThereCount) {
    vecad.AddLine(0, 0, 0, 1, 0, 0);
    const engine::Handle erased = vecad.AddLine(5, 5, 0, 6, 6, 0);
    vecad.EntityErase(erased, true);
    EXPECT_EQ(prepDrawing(window), 1);
    EXPECT_EQ(vecad.drawing().find(erased), nullptr);
    EXPECT_EQ(onlyMessage(), "Drawing prep complete! \r1 Total new line created. ");
}

TEST_F(PrepDrawingTest, PolylinesBecomeLinesAndArcsInOneUndoStep) {
    vecad.FileOpen(corpus("ezdxf_POLI-ALL210_12.DXF"));
    const int before = vecad.GetNumEntities();
    ASSERT_GT(kinds()[kPolyline], 0);

    const int lines = prepDrawing(window);

    EXPECT_EQ(kinds().count(kPolyline), 0u);
    EXPECT_EQ(lines, kinds()[kLine]);
    EXPECT_EQ(lines, countLines(vecad));
    EXPECT_EQ(onlyMessage(),
              "Drawing prep complete! \r" + std::to_string(lines) + " Total new line created. ");
    vecad.drawing().undo();
    EXPECT_EQ(vecad.GetNumEntities(), before);
    EXPECT_FALSE(vecad.drawing().canUndo());
}

TEST_F(PrepDrawingTest, BlockReferencesAreBrokenUpWithTheirNestedParts) {
    vecad.FileOpen(corpus("libredwg_example_r12.dxf"));
    ASSERT_GT(kinds()[kInsert], 0);
    prepDrawing(window);
    const auto after = kinds();
    EXPECT_EQ(after.count(kInsert), 0u);
    EXPECT_EQ(after.count(kPolyline), 0u);
    EXPECT_GT(after.at(kLine), 10);
}

}  // namespace
}  // namespace brondel::pathtools
