#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/cli/session/runner.h"
#include "convert_command.h"
#include "info_command.h"
#include "shell/program_folder.h"
#include "shell/version.h"

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
            ->check(CLI::Range(1, brondel::cli::kMaxArcSegments));
    convert
        ->add_option("--arc-tolerance", convertOptions.arcTolerance,
                     "Largest gap between an arc and its chords, drawing units (default 0.01)")
        ->check(CLI::PositiveNumber)
        ->excludes(segmentsOption);
    convert->add_option("--start", startText,
                        "X,Y near the line the path starts at (default: the first line)");
    convert->add_flag("--reverse", convertOptions.reverse,
                      "Cut the start line from its second point to its first");
    convert
        ->add_option("--radius", convertOptions.radius,
                     "Search radius between line ends, drawing units (default 0.01)")
        ->check(CLI::PositiveNumber);

    CLI11_PARSE(app, argc, argv);

    if (*info) {
        return brondel::cli::runInfo(infoFile, infoJson, std::cout, std::cerr);
    }
    if (*convert) {
        if (sequential) {
            return brondel::cli::runConvertSequential(convertIn, convertOut, std::cout, std::cerr);
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
