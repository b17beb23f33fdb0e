// External references: a drawing file placed through the open dialog, kept
// as its path when saved, read again when opened, refused when it would
// refer to itself, and managed (reload, bind, detach) through input boxes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "documents/drawing_window.h"
#include "engine/commands.h"
#include "engine/io/drawing_files.h"
#include "engine/xref_block.h"
#include "shell/main_window.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/fake_ports.h"

namespace brondel::documents {
namespace {

using engine::Block;
using engine::Entity;
using testing::TestProgram;

struct Ref {
    std::string name, path;
};

// A drawing file holding `lines` lines along y = 0, 1, ... and a reference
// to each of `refs`.
void writeDrawing(const std::string& path, int lines, const std::vector<Ref>& refs = {}) {
    engine::Drawing d;
    for (int i = 0; i < lines; ++i) {
        d.add(Entity(engine::LineGeom{{0, double(i), 0}, {10, double(i), 0}}));
    }
    for (const Ref& r : refs) {
        d.setBlock(r.name, Block{r.name, {}, engine::kXrefBlockFlag, {}, r.path});
        d.add(Entity(engine::InsertGeom{.block = r.name}));
    }
    engine::io::writeDxf(d, path);
}

// Layout blocks come with every file read.
std::size_t references(const engine::Drawing& d) {
    std::size_t n = 0;
    for (const auto& [name, block] : d.blocks()) {
        n += engine::isXrefBlock(block);
    }
    return n;
}

std::string lastLine(const engine::Vecad& v) {
    return v.commandHistory().empty() ? std::string() : v.commandHistory().back();
}

// Places the file the open dialog answers at (10, 0), scale 2, 90 degrees.
void insertXref(TestProgram& p, DrawingWindow& w, const std::string& file) {
    p.dialogs().open(file);
    w.Vecad1.Execute(engine::command::kInsertXref);
    for (const char* typed : {"10,0", "2", "90"}) {
        if (w.Vecad1.commandRunning()) {
            w.Vecad1.commandInput(typed);
        }
    }
}

TEST(XrefCommands, InsertedSavedAndReopenedItStaysAReferenceToItsFile) {
    ASSERT_TRUE(brondel::testing::ezdxfInstalled()) << "install python3-ezdxf to run this test";
    brondel::testing::TempFolder folder;
    std::filesystem::create_directory(folder.file("parts"));
    writeDrawing(folder.file("parts/frame.dxf"), 3);
    const std::string plate = folder.file("plate.dxf");
    writeDrawing(plate, 0);
    TestProgram p;
    DrawingWindow& w = p.newDrawing();
    w.Vecad1.FileOpen(plate);
    insertXref(p, w, folder.file("parts/frame.dxf"));
    insertXref(p, w, folder.file("parts/frame.dxf"));  // the same file: the same block

    const engine::Drawing& d = w.Vecad1.drawing();
    ASSERT_EQ(w.Vecad1.GetNumEntities(), 2);
    const auto* insert = engine::geomIf<engine::InsertGeom>(d.entity(d.firstLive()));
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->block, "frame");
    EXPECT_DOUBLE_EQ(insert->scale.x, 2);
    EXPECT_NEAR(insert->angle, engine::kPi / 2, 1e-12);
    ASSERT_EQ(references(d), 1u);
    const Block& block = d.blocks().at("frame");
    EXPECT_EQ(block.xrefPath, "parts/frame.dxf");  // relative: it lies below the drawing
    EXPECT_EQ(block.entities.size(), 3u);          // shown with the file's lines
    w.Vecad1.Execute(engine::command::kUndo);
    w.Vecad1.Execute(engine::command::kUndo);
    EXPECT_EQ(references(d), 0u);  // the block came and goes with the first insert
    w.Vecad1.Execute(engine::command::kRedo);
    w.Vecad1.Execute(engine::command::kRedo);

    w.Vecad1.FileSaveAs(plate);
    const engine::DrawingContent saved = engine::io::readDxf(plate);
    ASSERT_EQ(saved.blocks.count("frame"), 1u);
    EXPECT_TRUE(engine::isXrefBlock(saved.blocks.at("frame")));
    EXPECT_EQ(saved.blocks.at("frame").xrefPath, "parts/frame.dxf");
    EXPECT_TRUE(saved.blocks.at("frame").entities.empty());  // the file keeps them
    const nlohmann::json seen = brondel::testing::ezdxfRead("ezdxf_xrefs.py", plate);
    EXPECT_EQ(seen["auditErrors"], 0);
    EXPECT_EQ(seen["blocks"], nlohmann::json::parse(R"([{"name": "frame", "flags": 4,
        "path": "parts/frame.dxf", "entities": 0}])"));
    EXPECT_EQ(seen["inserts"], nlohmann::json::parse(R"(["frame", "frame"])"));
    // R12 keeps references the same way.
    engine::io::WriteOptions r12;
    r12.dxfVersion = engine::io::DxfVersion::R12;
    engine::io::writeDxf(d, folder.file("plate12.dxf"), {}, r12);
    const nlohmann::json seen12 =
        brondel::testing::ezdxfRead("ezdxf_xrefs.py", folder.file("plate12.dxf"));
    EXPECT_EQ(seen12["auditErrors"], 0);
    EXPECT_EQ(seen12["blocks"], seen["blocks"]);
    EXPECT_EQ(seen12["inserts"], seen["inserts"]);

    // Reopened, the file is read again; a changed file shows its change.
    writeDrawing(folder.file("parts/frame.dxf"), 5);
    DrawingWindow& again = p.newDrawing();
    again.Vecad1.FileOpen(plate);
    EXPECT_EQ(again.Vecad1.drawing().blocks().at("frame").entities.size(), 5u);
    writeDrawing(folder.file("parts/frame.dxf"), 1);
    p.dialogs().input("reload FRAME").input("");
    again.Vecad1.Execute(engine::command::kXrefManager);
    EXPECT_EQ(again.Vecad1.drawing().blocks().at("frame").entities.size(), 1u);
    EXPECT_EQ(again.Vecad1.drawing().undoLabel(), "Xref Manager");
}

TEST(XrefCommands, ReferencesToItselfAndUnreadableFilesAreRefused) {
    brondel::testing::TempFolder folder;
    const std::string plate = folder.file("plate.dxf");
    writeDrawing(plate, 1);
    // Two files that refer to each other, and one that refers to the plate.
    writeDrawing(folder.file("a.dxf"), 1, {{"b", "b.dxf"}});
    writeDrawing(folder.file("b.dxf"), 1, {{"a", "a.dxf"}});
    writeDrawing(folder.file("back.dxf"), 1, {{"plate", "plate.dxf"}});
    std::ofstream(folder.file("notes.dxf")) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nten\n";
    struct Row {
        std::string chosen;
        std::string said;
    };
    const Row rows[] = {
        {"", "No drawing chosen"},
        {plate, "a drawing cannot refer to itself"},
        {folder.file("back.dxf"), "the references lead back to plate.dxf"},
        {folder.file("a.dxf"), "the references lead back to a.dxf"},
        {folder.file("gone.dxf"), "gone.dxf is not found"},
        {folder.file("notes.dxf"), "Cannot insert " + folder.file("notes.dxf") + ": notes.dxf: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        TestProgram p;
        DrawingWindow& w = p.newDrawing();
        w.Vecad1.FileOpen(plate);
        insertXref(p, w, row.chosen);
        EXPECT_FALSE(w.Vecad1.commandRunning());
        EXPECT_EQ(w.Vecad1.GetNumEntities(), 1);
        EXPECT_EQ(references(w.Vecad1.drawing()), 0u);
        EXPECT_FALSE(w.Vecad1.drawing().changed());
        EXPECT_NE(lastLine(w.Vecad1).find(row.said), std::string::npos) << lastLine(w.Vecad1);
    }
}

TEST(XrefCommands, OpeningNamesWhatCannotBeReadAndSavingKeepsIt) {
    brondel::testing::TempFolder folder;
    writeDrawing(folder.file("a.dxf"), 1, {{"b", "b.dxf"}});
    writeDrawing(folder.file("b.dxf"), 2, {{"a", "a.dxf"}});
    writeDrawing(folder.file("missing.dxf"), 1, {{"gone", "gone.dxf"}});
    struct Row {
        const char* file;
        const char* block;
        const char* said;
        const char* state;
    };
    const Row rows[] = {
        {"missing.dxf", "gone", "Reference not loaded: gone (", "not found"},
        // Two files that refer to each other would be read round forever:
        // the reference is named and left unread.
        {"a.dxf", "b", "the references lead back to a.dxf", "not loaded"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        TestProgram p;
        DrawingWindow& w = p.newDrawing();
        const std::string path = folder.file(row.file);
        w.Vecad1.FileOpen(path);
        EXPECT_NE(lastLine(w.Vecad1).find(row.said), std::string::npos) << lastLine(w.Vecad1);
        EXPECT_EQ(lastLine(w.Vecad1).find('\r'), std::string::npos);  // one line
        ASSERT_EQ(w.Vecad1.drawing().blocks().count(row.block), 1u);
        EXPECT_TRUE(w.Vecad1.drawing().blocks().at(row.block).entities.empty());

        p.dialogs().input("bind " + std::string(row.block)).input("");
        w.Vecad1.Execute(engine::command::kXrefManager);
        const auto asked = p.dialogs().ofKind(testing::DialogCall::Kind::InputBox);
        ASSERT_FALSE(asked.empty());
        EXPECT_NE(asked[0].text.find(std::string(row.state) + "  1 reference"), std::string::npos)
            << asked[0].text;
        EXPECT_FALSE(w.Vecad1.drawing().changed());  // nothing to bind

        const std::string copy = folder.file(std::string("saved-") + row.file);
        w.Vecad1.FileSaveAs(copy);
        const engine::DrawingContent saved = engine::io::readDxf(copy);
        EXPECT_EQ(saved.blocks.at(row.block).xrefPath,
                  w.Vecad1.drawing().blocks().at(row.block).xrefPath);
        EXPECT_TRUE(engine::isXrefBlock(saved.blocks.at(row.block)));
        EXPECT_EQ(saved.entities.size(), std::size_t(2));
    }
}

TEST(XrefCommands, BindAndDetachAreOneUndoStepEach) {
    brondel::testing::TempFolder folder;
    writeDrawing(folder.file("frame.dxf"), 2);
    writeDrawing(folder.file("plate.dxf"), 1, {{"frame", "frame.dxf"}, {"other", "frame.dxf"}});
    struct Row {
        const char* typed;
        int entities;  // after the change
        bool block, external;
    };
    const Row rows[] = {
        {"bind frame", 3, true, false},
        {"detach Frame", 2, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        TestProgram p;
        DrawingWindow& w = p.newDrawing();
        w.Vecad1.FileOpen(folder.file("plate.dxf"));
        const engine::Drawing& d = w.Vecad1.drawing();
        ASSERT_EQ(d.blocks().at("frame").entities.size(), 2u);
        p.dialogs().input(row.typed).input("");
        w.Vecad1.Execute(engine::command::kXrefManager);
        EXPECT_TRUE(p.dialogs().messages().empty());
        EXPECT_EQ(w.Vecad1.GetNumEntities(), row.entities);
        ASSERT_EQ(d.blocks().count("frame"), row.block ? 1u : 0u);
        if (row.block) {
            EXPECT_EQ(engine::isXrefBlock(d.blocks().at("frame")), row.external);
            EXPECT_EQ(d.blocks().at("frame").entities.size(), 2u);
            EXPECT_TRUE(d.blocks().at("frame").xrefPath.empty());
        }
        EXPECT_TRUE(engine::isXrefBlock(d.blocks().at("other")));  // the other stays
        EXPECT_EQ(d.undoLabel(), "Xref Manager");
        w.Vecad1.Execute(engine::command::kUndo);
        EXPECT_EQ(w.Vecad1.GetNumEntities(), 3);
        EXPECT_TRUE(engine::isXrefBlock(d.blocks().at("frame")));
        EXPECT_EQ(d.blocks().at("frame").xrefPath, "frame.dxf");
        EXPECT_FALSE(d.canUndo());
    }
}

}  // namespace
}  // namespace brondel::documents
