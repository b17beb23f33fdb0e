#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/every_kind_drawing.h"
#include "tests/support/files.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

namespace fs = std::filesystem;

// Reads a DXF file with ezdxf, audits it and prints one line per finding:
// "audit-error <code> <message>", "entity <space> <TYPE> <layer>" for
// every entity of modelspace and of the named blocks, and the values the
// test checks by name.
constexpr const char* kOracle = R"PY(
import sys, math
import ezdxf
from ezdxf import recover
doc, auditor = recover.readfile(sys.argv[1])
auditor = doc.audit()
for e in auditor.errors:
    print("audit-error", e.code, e.message)
print("version", doc.dxfversion)
print("codepage", doc.header.get("$DWGCODEPAGE", ""))
print("insunits", doc.header.get("$INSUNITS", 0))
for layer in doc.layers:
    print("layer", layer.dxf.name, layer.color, layer.dxf.linetype, layer.dxf.get("lineweight", -3),
          int(layer.is_on()), int(layer.is_frozen()), int(layer.is_locked()),
          layer.dxf.get("true_color", -1))
for lt in doc.linetypes:
    print("linetype", lt.dxf.name)
for e in doc.modelspace():
    print("entity model", e.dxftype(), e.dxf.layer)
    t = e.dxftype()
    if t == "ARC":
        s = e.start_point; n = e.end_point
        print("arc", round(s.x, 9), round(s.y, 9), round(n.x, 9), round(n.y, 9),
              e.dxf.extrusion.z)
    if t == "TEXT":
        print("text", e.dxf.text)
    if t in ("LINE", "POLYLINE", "TEXT", "CIRCLE"):
        print("linetype", t, e.dxf.get("linetype", "BYLAYER"))
    if t == "LINE":
        print("line", e.dxf.color, e.dxf.get("true_color", -1), e.dxf.linetype,
              e.dxf.lineweight, e.dxf.ltscale, e.dxf.start.x, e.dxf.end.y)
    if t == "INSERT":
        print("insert", e.dxf.name, e.dxf.column_count, e.dxf.row_count,
              round(e.dxf.rotation, 9))
    if t == "HATCH":
        print("hatch", len(e.paths), e.dxf.pattern_name)
    if t == "DIMENSION":
        print("dimension", e.dxf.geometry)
    if t == "IMAGE":
        print("image", e.image_def.dxf.filename if e.image_def else "none")
for block in doc.blocks:
    if not block.name.lower().startswith("*model") and not block.name.lower().startswith("*paper"):
        for e in block:
            print("entity", block.name, e.dxftype(), e.dxf.layer)
)PY";

class DxfWriter : public ::testing::Test {
  protected:
    // The oracle's findings for the drawing written from content.
    std::vector<std::string> writeAndCheck(const DrawingContent& content,
                                           const io::WriteOptions& options = {},
                                           io::WriteReport* report = nullptr) {
        Drawing drawing;
        drawing.load(content);
        const std::string dxf = folder_.file("out.dxf"), script = folder_.file("oracle.py");
        io::writeDxf(drawing, dxf, {}, options, report);
        std::ofstream(script) << kOracle;
        const std::string command = "/usr/bin/python3 " + script + " " + dxf + " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        std::array<char, 4096> buffer{};
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            out.append(buffer.data(), n);
        }
        std::vector<std::string> lines;
        std::istringstream text(out);
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        EXPECT_EQ(::pclose(pipe), 0) << out;
        return lines;
    }

    static bool holds(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    static std::vector<std::string> starting(const std::vector<std::string>& lines,
                                             const std::string& prefix) {
        std::vector<std::string> found;
        for (const std::string& l : lines) {
            if (l.rfind(prefix, 0) == 0) {
                found.push_back(l);
            }
        }
        return found;
    }

    brondel::testing::TempFolder folder_;
};

TEST_F(DxfWriter, EveryKindPassesTheAuditWithItsKindLayerAndCount) {
    const DrawingContent content = testing::everyKindContent();
    const auto lines = writeAndCheck(content);
    EXPECT_EQ(starting(lines, "audit-error"), std::vector<std::string>{});

    std::map<std::string, int> expected, found;
    for (const Entity& e : content.entities) {
        std::string kind = testing::kindName(e);
        if (const auto* p = geomIf<PolylineGeom>(e)) {
            kind = p->is3d ? "POLYLINE" : "LWPOLYLINE";
        }
        ++expected["entity model " + kind + " " + e.props().layer];
        if (const auto* l = geomIf<LeaderGeom>(e); l && !l->annotation.text.empty()) {
            ++expected["entity model MTEXT " + e.props().layer];  // its annotation
        }
    }
    for (const auto& [name, block] : content.blocks) {
        for (const Entity& e : block.entities) {
            ++expected["entity " + name + " " + testing::kindName(e) + " " + e.props().layer];
        }
    }
    for (const std::string& l : starting(lines, "entity ")) {
        ++found[l];
    }
    EXPECT_EQ(found, expected);
}

// Text the code page cannot hold is escaped, so it reads the same in any.
TEST_F(DxfWriter, HeaderTablesAndPropertiesAreWrittenInTheDrawingsCodePage) {
    DrawingContent c = testing::everyKindContent();
    c.header.codePage = "ANSI_1251";
    const auto lines = writeAndCheck(c);
    const auto has = [&](const std::string& l) { return holds(lines, l); };
    EXPECT_TRUE(has("version AC1015"));
    EXPECT_TRUE(has("codepage ANSI_1251"));
    EXPECT_TRUE(has("insunits 4"));
    EXPECT_TRUE(has("layer Cut 1 DASHED 35 1 0 1 1122867"));
    EXPECT_TRUE(has("layer Hidden 5 CONTINUOUS -3 0 1 0 -1"));
    EXPECT_TRUE(has("linetype DASHED"));
    EXPECT_TRUE(has("linetype DOTTED"));
    EXPECT_TRUE(has("line 256 10531008 DASHED 50 2.5 0.1 -4.7"));
    EXPECT_TRUE(has("insert Bolt 3 2 42.971834635"));
    EXPECT_TRUE(has("hatch 4 ANSI31"));
    EXPECT_TRUE(has("image photos/plan.png"));
    EXPECT_TRUE(has("text Größe 10 € — π")) << ::testing::PrintToString(starting(lines, "text"));
}

TEST_F(DxfWriter, ClockwiseArcReadsBackWithItsOwnEnds) {
    DrawingContent c;
    c.entities.emplace_back(ArcGeom{{-3, 4, 0}, 2, 0, -kPi / 2}, EntityProps{});
    const auto arcs = starting(writeAndCheck(c), "arc ");
    // From (-1, 4) clockwise to (-3, 2): ezdxf names the counter-clockwise
    // ends of the same arc, seen from below.
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0], "arc -1.0 4.0 -3.0 2.0 -1.0");
}

TEST_F(DxfWriter, LineBreaksInNamesAndTextsCannotForgeGroups) {
    DrawingContent c;
    c.layers = {Layer{"0"}, Layer{"two\nlines"}};
    c.entities.emplace_back(TextGeom{.text = "first\r\n  0\nLINE\n  8\n0"},
                            testing::props("two\nlines"));
    const auto lines = writeAndCheck(c);
    EXPECT_EQ(starting(lines, "audit-error"), std::vector<std::string>{});
    EXPECT_EQ(starting(lines, "entity ").size(), 1u) << ::testing::PrintToString(lines);
}

// Every kind R12 cannot hold comes out as one it can, named in the report;
// line types survive (dxflib's own R12 entity writers drop them).
TEST_F(DxfWriter, R12HoldsEveryKindAsWhatR12Has) {
    io::WriteOptions options;
    options.dxfVersion = io::DxfVersion::R12;
    io::WriteReport report;
    const auto lines = writeAndCheck(testing::everyKindContent(), options, &report);
    EXPECT_EQ(starting(lines, "audit-error"), std::vector<std::string>{});
    EXPECT_EQ(starting(lines, "version"), std::vector<std::string>{"version AC1009"});
    const std::set<std::string> r12Kinds = {"POINT",    "LINE",  "CIRCLE", "ARC",
                                            "POLYLINE", "TEXT",  "INSERT", "DIMENSION",
                                            "SOLID",    "TRACE", "3DFACE"};
    for (const std::string& l : starting(lines, "entity ")) {
        std::istringstream words(l);
        std::string entity, space, kind;
        words >> entity >> space >> kind;
        EXPECT_TRUE(r12Kinds.count(kind)) << l;
    }
    // A leader's annotation is a multi-line text of its own there.
    const io::WriteReport expected = {
        {"ELLIPSE as POLYLINE", 1}, {"HATCH as its boundary", 1},
        {"IMAGE as its frame", 1},  {"LEADER as lines, solid and text", 2},
        {"MTEXT as TEXT", 2},       {"RAY left out", 1},
        {"SPLINE as POLYLINE", 1},  {"XLINE left out", 1}};
    EXPECT_EQ(report, expected);
    const auto has = [&](const std::string& l) { return holds(lines, l); };
    EXPECT_TRUE(has("linetype LINE DASHED"));
    EXPECT_TRUE(has("text Größe 10 € — π")) << ::testing::PrintToString(starting(lines, "text"));
}

// A NaN or infinite number would be written as "nan" or "inf", which no
// program reads back: the write fails and the old file stays.
TEST_F(DxfWriter, NotFiniteNumbersAreRefusedAndNothingIsWritten) {
    const fs::path dxf = folder_.file("kept.dxf");
    std::ofstream(dxf) << "old";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    DrawingContent inModel, inBlock, radius;
    inModel.entities.emplace_back(LineGeom{{0, 0, 0}, {nan, 1, 0}}, EntityProps{});
    inBlock.blocks["B"].name = "B";
    inBlock.blocks["B"].entities.emplace_back(PointGeom{{0, -inf, 0}}, EntityProps{});
    radius.entities.emplace_back(CircleGeom{{0, 0, 0}, inf}, EntityProps{});
    for (const io::DxfVersion version : {io::DxfVersion::R2000, io::DxfVersion::R12}) {
        for (const DrawingContent* content : {&inModel, &inBlock, &radius}) {
            Drawing drawing;
            drawing.load(*content);
            io::WriteOptions options;
            options.dxfVersion = version;
            options.keepBackup = true;
            EXPECT_EQ(brondel::testing::thrown([&] {
                          io::writeDxf(drawing, dxf.string(), {}, options);
                      }).number,
                      err::kNotFinite);
            std::ifstream in(dxf);
            std::string text;
            std::getline(in, text);
            EXPECT_EQ(text, "old");
            EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), {}), 1);
        }
    }
}

}  // namespace
}  // namespace brondel::engine
