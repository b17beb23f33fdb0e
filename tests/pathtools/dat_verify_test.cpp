#include "pathtools/dat_verify.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "base/error.h"
#include "tests/support/fake_ports.h"
#include "tests/support/thrown.h"

namespace brondel::pathtools {
namespace {

using engine::Point2;

const std::vector<Segment> kSquare{
    {{10, 10}, {30, 10}}, {{30, 10}, {30, 30}}, {{30, 30}, {10, 30}}, {{10, 30}, {10, 10}}};

TEST(DatVerify, ScalesTheStepsBackOntoTheDrawingAndMeasuresBothWays) {
    const std::vector<Point2> steps{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    const DatCheck exact = verifyDat(kSquare, steps);
    EXPECT_TRUE(exact.ok);
    EXPECT_EQ(exact.steps, 5u);
    EXPECT_EQ(exact.maxDeviation, 0);
    EXPECT_EQ(exact.closureGap, 0);
    EXPECT_NEAR(exact.roundingBound, std::sqrt(2.0) * (0.00005 * 20 + 0.0002), 1e-15);

    // One step 0.001 off (0.02 drawing units): more than rounding explains.
    std::vector<Point2> off = steps;
    off[2] = {1, 1.001};
    const DatCheck strays = verifyDat(kSquare, off);
    EXPECT_FALSE(strays.ok);
    EXPECT_NEAR(strays.datToDrawing, 0.02, 1e-9);
    EXPECT_TRUE(verifyDat(kSquare, off, 0.05).ok) << "within the kerf allowed";
    EXPECT_NE(datCheckLines(strays).back().find("does NOT follow the drawing"), std::string::npos);

    // A DAT that leaves a side out is far from that side.
    const DatCheck missing = verifyDat(kSquare, {{0, 0}, {1, 0}, {1, 1}});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.drawingToDat, 20) << "the corner (10, 30)";
    EXPECT_NEAR(missing.closureGap, std::sqrt(800.0), 1e-9);
}

TEST(DatVerify, ReadsStepsInFullAndRefusesWhatIsNoDat) {
    testing::TempFolder folder;
    std::ofstream(folder.file("good.dat")) << "0 0\r\n0.12345678 1\r\n\r\n1 0\r\n";
    const std::vector<Point2> steps = readDatSteps(folder.file("good.dat"));
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[1].x, 0.12345678);
    std::ofstream(folder.file("bad.dat")) << "0 0\r\nrib\r\n";
    const testing::Thrown e = testing::thrown([&] { readDatSteps(folder.file("bad.dat")); });
    EXPECT_EQ(e.number, err::kTypeMismatch);
    EXPECT_EQ(e.description, "Line 2 of the DAT file is not two numbers");
    EXPECT_THROW(readDatSteps(folder.file("missing.dat")), Error);
}

// Every DAT the main road writes for the corpus follows its drawing within
// the rounding bound when the drawing is one contour; when it is more, the
// walk reached one of them and verify says the DAT does not follow.
TEST(DatVerify, CorpusConversionsFollowTheirDrawingExactlyWhenTheyAreOneContour) {
    testing::TempFolder folder;
    const auto run = [&](const std::string& arguments) {
        const std::string command = std::string("'") + BRONDEL_CLI + "' " + arguments + " > '" +
                                    folder.file("out") + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        std::ifstream in(folder.file("out"));
        return std::pair{WEXITSTATUS(status), std::string(std::istreambuf_iterator<char>(in), {})};
    };
    int verified = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(BRONDEL_CORPUS_DIR) + "/dxf")) {
        const std::string in = "'" + entry.path().string() + "'";
        const std::string dat = "'" + folder.file("out.dat") + "'";
        if (run("convert " + in + " -o " + dat).first != 0) {
            continue;
        }
        const auto [checked, checkJson] = run("check " + in + " --json");
        ASSERT_EQ(checked, 0);
        const bool oneContour = nlohmann::json::parse(checkJson)["contours"].size() == 1;
        const auto [status, verifyJson] = run("verify " + in + " " + dat + " --json");
        const auto j = nlohmann::json::parse(verifyJson);
        EXPECT_EQ(j["ok"].get<bool>(), oneContour) << entry.path() << verifyJson;
        EXPECT_EQ(status, oneContour ? 0 : 1);
        if (oneContour) {
            EXPECT_LE(j["maxDeviation"].get<double>(), j["roundingBound"].get<double>());
            ++verified;
        }
    }
    EXPECT_GE(verified, 10);
}

}  // namespace
}  // namespace brondel::pathtools
