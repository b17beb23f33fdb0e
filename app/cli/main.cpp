#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/cli/session/runner.h"
#include "check_command.h"
#include "convert_command.h"
#include "info_command.h"
#include "pathtools/path_segments.h"
#include "shell/program_folder.h"
#include "shell/version.h"
#include "verify_command.h"

namespace {

// Where the program finds hotkeys.txt and its help.
std::string programFolder(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv0, ec);
    }
    return brondel::shell::programFolder(exe.parent_path());
}

// Tolerances, radii and widths: a finite number above 0, or a clear refusal.
const CLI::Validator kPositiveLength(
    [](std::string& text) -> std::string {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value) ||
            !(value > 0)) {
            return "must be a number greater than 0, not \"" + text + "\"";
        }
        return {};
    },
    "LENGTH > 0");

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Brondel: drawings to cutting paths for CNC cutting machines"};
    app.require_subcommand(1);
    app.set_version_flag("--version", brondel::versionNumber(),
                         "Print the version number and exit");

    auto* info = app.add_subcommand("info", "Describe a drawing file");
    std::string infoFile;
    bool infoJson = false;
    info->add_option("FILE", infoFile, "DXF or VEC drawing")->required();
    info->add_flag("--json", infoJson, "Print the description as JSON");

    auto* run = app.add_subcommand("run", "Run a scripted session of the program");
    brondel::cli::session::RunOptions runOptions;
    std::string transcript;
    std::string appDir;
    run->add_option("SCRIPT", runOptions.script, "Session script, one command a line")->required();
    run->add_option("--transcript", transcript, "Write the session's events as JSON Lines");
    run->add_option("--app-dir", appDir,
                    "Application folder (LastProfile.txt, hotkeys.txt, help); "
                    "the program's own folder by default");

    auto* convert = app.add_subcommand("convert", "Convert a drawing into a DAT file");
    std::string convertIn;
    std::string convertOut;
    bool sequential = false;
    brondel::cli::ConvertOptions convertOptions;
    int arcSegments = 0;
    std::string startText;
    convert->add_option("IN", convertIn, "DXF or VEC drawing")->required();
    convert->add_option("-o,--output", convertOut, "DAT file to write")->required();
    convert->add_flag("--sequential", sequential,
                      "The drawing's entity order is the cutting path: take its lines in that "
                      "order");
    auto* segmentsOption =
        convert->add_option("--arc-segments", arcSegments, "Chords per arc and circle")
            ->check(CLI::Range(1, brondel::pathtools::kMaxArcSegments));
    convert
        ->add_option("--arc-tolerance", convertOptions.arcTolerance,
                     "Largest gap between an arc and its chords, drawing units (default 0.01)")
        ->check(kPositiveLength)
        ->excludes(segmentsOption);
    convert->add_option("--start", startText,
                        "X,Y near the line the path starts at (default: the first line)");
    double heal = 0;
    auto* healOption = convert
                           ->add_option("--heal", heal,
                                        "Before the walk, close gaps between line ends up to "
                                        "this distance, drawing units")
                           ->check(kPositiveLength);
    double kerf = 0;
    auto* kerfOption =
        convert
            ->add_option("--kerf", kerf,
                         "Width of the cut: the closed path is moved out by half of it")
            ->check(kPositiveLength);
    convert->add_flag("--link", convertOptions.link,
                      "Link the holes inside the outer contour into the path by bridges cut in "
                      "and back out (for tools that cannot lift, such as a hot wire)");
    convert->add_option("--svg", convertOptions.svg,
                        "Also draw the written path, its start and its direction, as SVG");
    convert->add_flag("--json", convertOptions.json,
                      "Print the report, or where the path broke, as one JSON object");
    convert->add_flag("--reverse", convertOptions.reverse,
                      "Cut the start line from its second point to its first");
    convert
        ->add_option("--radius", convertOptions.radius,
                     "Search radius between line ends, drawing units (default 0.01)")
        ->check(kPositiveLength);

    auto* check = app.add_subcommand(
        "check", "Report a drawing's contours, gaps, duplicates and what is no path");
    std::string checkFile;
    double checkRadius = brondel::cli::kDefaultRadius;
    bool checkJson = false;
    check->add_option("DRAWING", checkFile, "DXF or VEC drawing")->required();
    check
        ->add_option("--radius", checkRadius,
                     "Line ends this close meet, drawing units (default 0.01)")
        ->check(kPositiveLength);
    check->add_flag("--json", checkJson, "Print the report as JSON");

    auto* verify =
        app.add_subcommand("verify", "Check a DAT file against the drawing it was made from");
    std::string verifyDrawing;
    std::string verifyDat;
    bool verifyJson = false;
    verify->add_option("DRAWING", verifyDrawing, "DXF or VEC drawing")->required();
    verify->add_option("DAT", verifyDat, "DAT file")->required();
    verify->add_flag("--json", verifyJson, "Print the result as JSON");
    double verifyKerf = 0;
    verify
        ->add_option("--kerf", verifyKerf,
                     "The width of cut the DAT file allows for: the path may stand off by it")
        ->check(kPositiveLength);

    CLI11_PARSE(app, argc, argv);

    if (*verify) {
        return brondel::cli::runVerify(verifyDrawing, verifyDat, verifyKerf, verifyJson, std::cout,
                                       std::cerr);
    }

    if (*check) {
        return brondel::cli::runCheck(checkFile, checkRadius, checkJson, std::cout, std::cerr);
    }

    if (*info) {
        return brondel::cli::runInfo(infoFile, infoJson, std::cout, std::cerr);
    }
    if (*convert) {
        if (sequential) {
            return brondel::cli::runConvertSequential(convertIn, convertOut, convertOptions,
                                                      std::cout, std::cerr);
        }
        if (*kerfOption) {
            convertOptions.kerf = kerf;
        }
        if (*healOption) {
            convertOptions.heal = heal;
        }
        if (*segmentsOption) {
            convertOptions.arcSegments = arcSegments;
        }
        if (!startText.empty()) {
            const auto start = brondel::cli::parsePlanePoint(startText);
            if (!start) {
                std::cerr << "--start: expected X,Y, got " << startText << '\n';
                return 2;
            }
            convertOptions.start = start;
        }
        return brondel::cli::runConvert(convertIn, convertOut, convertOptions, std::cout,
                                        std::cerr);
    }
    if (*run) {
        if (run->count("--transcript") != 0) {
            runOptions.transcript = transcript;
        }
        runOptions.appFolder = appDir.empty() ? programFolder(argv[0]) : appDir;
        return brondel::cli::session::runScript(runOptions, std::cout, std::cerr);
    }
    return 2;
}
