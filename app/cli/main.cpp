#include <CLI/CLI.hpp>
#include <iostream>

#include "info_command.h"

int main(int argc, char** argv) {
    CLI::App app{"Brondel: drawings to cutting paths for CNC cutting machines"};
    app.require_subcommand(1);

    auto* info = app.add_subcommand("info", "Describe a drawing file");
    std::string infoFile;
    bool infoJson = false;
    info->add_option("FILE", infoFile, "DXF or VEC drawing")->required();
    info->add_flag("--json", infoJson, "Print the description as JSON");

    CLI11_PARSE(app, argc, argv);

    if (*info) {
        return brondel::cli::runInfo(infoFile, infoJson, std::cout, std::cerr);
    }
    return 2;
}
