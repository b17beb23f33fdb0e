#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "coordfiles/path_svg.h"
#include "engine/vecad.h"
#include "tests/support/fake_ports.h"
#include "tests/support/files.h"

// brondel-cli convert without --sequential: the whole road from a drawing in
// any order to a DAT file.
namespace brondel::pathtools {
namespace {

class ConvertRoadTest : public ::testing::Test {
  protected:
    testing::TempFolder folder;

    std::string path(const std::string& name) const { return folder.file(name); }

    // brondel-cli with the arguments; its output lands in stdout and stderr.
    int cli(const std::string& arguments) {
        const std::string command = std::string("'") + BRONDEL_CLI + "' " + arguments + " > '" +
                                    path("stdout") + "' 2> '" + path("stderr") + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int convert(const std::string& in, const std::string& out, const std::string& options = "") {
        return cli("convert '" + in + "' -o '" + out + "' " + options);
    }

    std::string stdoutText() const { return testing::readFile(path("stdout")); }
    std::string stderrText() const { return testing::readFile(path("stderr")); }

    static std::vector<std::string> datRows(const std::string& file) {
        std::vector<std::string> rows;
        std::istringstream in(testing::readFile(file));
        for (std::string row; std::getline(in, row);) {
            if (!row.empty() && row.back() == '\r') {
                row.pop_back();
            }
            rows.push_back(row);
        }
        return rows;
    }

    // A 10 x 10 square whose sides are drawn in a muddled order and direction,
    // the bottom side (0,0)-(10,0) first; open leaves out the left side.
    std::string square(const std::string& name, bool withStray = false, bool withText = false,
                       bool open = false) {
        engine::Vecad vecad;
        vecad.AddLine(0, 0, 0, 10, 0, 0);
        vecad.AddLine(0, 10, 0, 10, 10, 0);
        if (!open) {
            vecad.AddLine(0, 0, 0, 0, 10, 0);
        }
        vecad.AddLine(10, 10, 0, 10, 0, 0);
        if (withStray) {
            vecad.AddLine(20, 20, 0, 30, 20, 0);
        }
        if (withText) {
            vecad.AddText("rib", 5, 5, 0, 0, 1, 1.0, 0, 0);
        }
        const std::string file = path(name);
        vecad.FileSaveAs(file);
        return file;
    }
};

TEST_F(ConvertRoadTest, WingRibBecomesOneClosedPath) {
    const std::string out = path("wing-rib.dat");
    ASSERT_EQ(convert(std::string(BRONDEL_SOURCE_DIR) + "/examples/wing-rib.dxf", out), 0)
        << stderrText();
    const std::string report = stdoutText();
    EXPECT_NE(report.find("Lines read: 80\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Arcs segmented: 1 into "), std::string::npos) << report;
    EXPECT_NE(report.find("Closure gap: 0\n"), std::string::npos) << report;
    EXPECT_EQ(report.find("Warning"), std::string::npos) << report;
    const std::vector<std::string> rows = datRows(out);
    ASSERT_GT(rows.size(), 81u);
    EXPECT_EQ(rows.front(), rows.back());
    EXPECT_NE(report.find("Steps written: " + std::to_string(rows.size())), std::string::npos);
}

TEST_F(ConvertRoadTest, StartLineAndDirectionFollowTheOptions) {
    const std::string in = square("square.dxf", false, true);
    ASSERT_EQ(convert(in, path("a.dat")), 0) << stderrText();
    EXPECT_EQ(datRows(path("a.dat")),
              (std::vector<std::string>{"0 0", "1 0", "1 1", "0 1", "0 0"}));
    EXPECT_NE(stdoutText().find("Entities left out: 1 (1 TEXT)\n"), std::string::npos)
        << stdoutText();

    ASSERT_EQ(convert(in, path("b.dat"), "--reverse"), 0) << stderrText();
    EXPECT_EQ(datRows(path("b.dat")),
              (std::vector<std::string>{"1 0", "0 0", "0 1", "1 1", "1 0"}));

    ASSERT_EQ(convert(in, path("c.dat"), "--start 10.2,5"), 0) << stderrText();
    EXPECT_EQ(datRows(path("c.dat")).front(), "1 1");
}

TEST_F(ConvertRoadTest, ArcsAndCirclesBecomeChords) {
    engine::DrawingContent content;
    content.entities.emplace_back(engine::CircleGeom{{0, 0, 0}, 10});
    engine::Vecad vecad;
    vecad.drawing().load(std::move(content));
    vecad.FileSaveAs(path("circle.dxf"));

    ASSERT_EQ(convert(path("circle.dxf"), path("c.dat"), "--arc-segments 4"), 0) << stderrText();
    EXPECT_EQ(datRows(path("c.dat")).size(), 5u);
    // Ten units round, 0.01 from the arc at most: the fewest chords is 71.
    ASSERT_EQ(convert(path("circle.dxf"), path("t.dat")), 0) << stderrText();
    EXPECT_NE(stdoutText().find("Arcs segmented: 1 into 71 lines\n"), std::string::npos)
        << stdoutText();
    EXPECT_EQ(datRows(path("t.dat")).size(), 72u);
}

TEST_F(ConvertRoadTest, FailureLeavesTheOldFileAndSaysWhy) {
    const std::string out = path("kept.dat");
    std::ofstream(out) << "keep";
    EXPECT_NE(convert(square("stray.dxf", true, false, true), out), 0);
    EXPECT_EQ(stderrText(),
              "Reorganization failed. Check starting point and cut direction.\n"
              "The path ends at (0, 10); the nearest line end not reached is (20, 20), 22.3607 "
              "away; a search radius of 23 bridges the gap.\n");
    EXPECT_EQ(testing::readFile(out), "keep");

    // A closed contour is walked round again instead: the report says so.
    ASSERT_EQ(convert(square("closed-stray.dxf", true), path("again.dat")), 0);
    EXPECT_NE(stdoutText().find("Warning: the path comes back over itself"), std::string::npos)
        << stdoutText();

    EXPECT_NE(convert(path("missing.dxf"), path("none.dat")), 0);
    EXPECT_NE(stderrText().find("Error: 53 , Error Description:"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path("none.dat")));

    EXPECT_NE(convert(square("sq.dxf"), path("none.dat"), "--radius 0"), 0);
    EXPECT_NE(convert(square("sq.dxf"), path("none.dat"), "--start 1;2"), 0);
    EXPECT_FALSE(std::filesystem::exists(path("none.dat")));
}

// Real drawings whose walk breaks: where, how wide the gap is, and the radius
// that gets the walk past it.
TEST_F(ConvertRoadTest, CorpusConversionsThatBreakSayWhereAndHowToBridgeIt) {
    const struct {
        const char* file;
        double x, y, gap, radius;
    } cases[] = {
        {"librecad_tux.dxf", 6.5, 1.1, 0.1, 0.11},
        {"qcad_flange.dxf", 67.8787, -81.2247, 3.266, 3.3},
        {"ezdxf_POLI-ALL210_12.DXF", 10.41, 1.5441, 2.8265, 2.9},
    };
    for (const auto& c : cases) {
        const std::string in = std::string(BRONDEL_CORPUS_DIR) + "/dxf/" + c.file;
        std::filesystem::remove(path("out.dat"));
        EXPECT_EQ(convert(in, path("out.dat"), "--json"), 1) << c.file;
        const auto j = nlohmann::json::parse(stdoutText());
        EXPECT_EQ(j["error"], "Reorganization failed. Check starting point and cut direction.");
        EXPECT_NEAR(j["deadEnd"][0].get<double>(), c.x, 1e-4) << c.file;
        EXPECT_NEAR(j["deadEnd"][1].get<double>(), c.y, 1e-4) << c.file;
        EXPECT_NEAR(j["gap"].get<double>(), c.gap, 1e-4) << c.file;
        EXPECT_EQ(j["suggestedRadius"].get<double>(), c.radius) << c.file;
        const double nearestGap =
            std::hypot(j["nearestEnd"][0].get<double>() - j["deadEnd"][0].get<double>(),
                       j["nearestEnd"][1].get<double>() - j["deadEnd"][1].get<double>());
        EXPECT_DOUBLE_EQ(nearestGap, j["gap"].get<double>());
        EXPECT_FALSE(std::filesystem::exists(path("out.dat")));

        // The suggested radius takes the walk past that dead end.
        const int again =
            convert(in, path("out.dat"), "--json --radius " + std::to_string(c.radius));
        if (again != 0) {
            const auto k = nlohmann::json::parse(stdoutText());
            EXPECT_NE(k["deadEnd"], j["deadEnd"]) << c.file;
        }
    }
}

// The penguin's outline misses by up to 0.1 at its joints: closing gaps up
// to 0.11 first lets the walk round, and says what it changed.
TEST_F(ConvertRoadTest, HealingBeforeTheWalkBridgesTheGaps) {
    const std::string in = std::string(BRONDEL_CORPUS_DIR) + "/dxf/librecad_tux.dxf";
    ASSERT_EQ(convert(in, path("tux.dat"), "--heal 0.11 --json"), 0) << stderrText();
    const auto j = nlohmann::json::parse(stdoutText());
    EXPECT_GT(j["healed"]["endsMoved"].get<int>(), 0);
    EXPECT_LE(j["healed"]["largestMove"].get<double>(), 0.11);
    EXPECT_NE(convert(in, path("none.dat"), "--heal -1"), 0);
    EXPECT_NE(stderrText().find("--heal: must be a number greater than 0, not \"-1\""),
              std::string::npos)
        << stderrText();
}

// The rib cut with a kerf of 0.3 stands 0.15 off its drawing: verify finds
// it off by more than rounding, and within it once told of the kerf.
TEST_F(ConvertRoadTest, AKerfMovesThePathOutByHalfOfIt) {
    const std::string rib = std::string(BRONDEL_SOURCE_DIR) + "/examples/wing-rib.dxf";
    ASSERT_EQ(convert(rib, path("rib.dat"), "--kerf 0.3 --json"), 0) << stderrText();
    EXPECT_EQ(nlohmann::json::parse(stdoutText())["kerf"], 0.3);
    const auto verify = [&](const std::string& options) {
        const int status = cli("verify '" + rib + "' '" + path("rib.dat") + "' --json " + options);
        return std::pair{status, nlohmann::json::parse(stdoutText())};
    };
    const auto [plain, off] = verify("");
    EXPECT_EQ(plain, 1);
    EXPECT_GT(off["maxDeviation"].get<double>(), 0.14);
    const auto [allowed, within] = verify("--kerf 0.3");
    EXPECT_EQ(allowed, 0) << within;
    EXPECT_NE(convert(rib, path("none.dat"), "--kerf 0"), 0);
}

TEST_F(ConvertRoadTest, JsonReportHasTheFixedKeys) {
    ASSERT_EQ(convert(square("sq.dxf", false, true), path("sq.dat"), "--json"), 0) << stderrText();
    const auto j = nlohmann::json::parse(stdoutText());
    EXPECT_EQ(j, nlohmann::json::parse(R"({"linesRead": 4, "arcsSegmented": 0,
        "leftOut": {"TEXT": 1}, "steps": 5, "pathLength": 40, "closureGap": 0, "jumps": 0,
        "arcsAsChords": 0})"));
}

// The picture of the written path: every DAT point, a dot at the start, and
// arrows that point the way the path is cut. A picture that cannot be
// written fails the run and leaves the DAT file.
TEST_F(ConvertRoadTest, SvgShowsThePathItsStartAndItsDirection) {
    const std::string in = square("sq.dxf");
    ASSERT_EQ(convert(in, path("sq.dat"), "--svg '" + path("sq.svg") + "'"), 0) << stderrText();
    const std::string svg = testing::readFile(path("sq.svg"));
    EXPECT_NE(svg.find("points=\"0,0 1,0 1,1 0,1 0,0 \""), std::string::npos) << svg;
    EXPECT_NE(svg.find("<circle class=\"start\" cx=\"0\" cy=\"0\""), std::string::npos);
    std::size_t arrows = 0;
    for (std::size_t at = svg.find("class=\"arrow\""); at != std::string::npos;
         at = svg.find("class=\"arrow\"", at + 1)) {
        ++arrows;
    }
    EXPECT_EQ(arrows, static_cast<std::size_t>(coordfiles::kPathArrows));
    // The first arrow sits on the bottom side, its tip to the right of its base.
    std::istringstream first(svg.substr(svg.find("points=", svg.find("class=\"arrow\"")) + 8));
    double baseX = 0, baseY = 0, tipX = 0, tipY = 0;
    char comma = 0;
    first >> baseX >> comma >> baseY >> tipX >> comma >> tipY;
    EXPECT_NEAR(tipX, 1.0 / 12, 1e-6);
    EXPECT_NEAR(tipY, 0, 1e-9);
    EXPECT_LT(baseX, tipX);

    EXPECT_EQ(convert(in, path("kept.dat"), "--svg '" + path("no/such/folder/x.svg") + "'"), 1);
    EXPECT_NE(stderrText().find("The picture was not written"), std::string::npos);
    EXPECT_EQ(datRows(path("kept.dat")).size(), 5u);
}

// The bundled plate: three holes linked into the one path, which closes.
TEST_F(ConvertRoadTest, LinkBridgesEveryHoleOfThePlate) {
    const std::string plate = std::string(BRONDEL_SOURCE_DIR) + "/examples/plate-with-holes.dxf";
    ASSERT_EQ(convert(plate, path("plate.dat"), "--link --json"), 0) << stderrText();
    const auto j = nlohmann::json::parse(stdoutText());
    EXPECT_EQ(j["linked"]["holes"], 3);
    EXPECT_EQ(j["closureGap"], 0.0);
    const std::vector<std::string> rows = datRows(path("plate.dat"));
    EXPECT_EQ(rows.front(), rows.back());
    EXPECT_EQ(j["steps"], rows.size());
}

// The wing rib's lines do not run end to end in entity order: the short
// road still writes its file, and says how the path jumps.
TEST_F(ConvertRoadTest, SequentialRoadCountsItsJumps) {
    const std::string rib = std::string(BRONDEL_SOURCE_DIR) + "/examples/wing-rib.dxf";
    ASSERT_EQ(convert(rib, path("rib.dat"), "--sequential"), 0) << stderrText();
    EXPECT_NE(stdoutText().find("Warning: the lines do not run end to end: the path jumps "),
              std::string::npos)
        << stdoutText();
    ASSERT_EQ(convert(rib, path("rib.dat"), "--sequential --json"), 0) << stderrText();
    const auto j = nlohmann::json::parse(stdoutText());
    EXPECT_GT(j["jumps"].get<int>(), 0);
    EXPECT_EQ(j["steps"], datRows(path("rib.dat")).size());
}

}  // namespace
}  // namespace brondel::pathtools
