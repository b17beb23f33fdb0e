// The files the program reads from its folder at start and on request: the
// bytes stand for LastProfile.txt, the engine profile it names and
// hotkeys.txt. The program starts and shows the hot-keys window whatever
// they hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/cad.h"
#include "ports/dialogs.h"
#include "ports/inert_ports.h"
#include "ports/pump.h"
#include "shell/main_window.h"

namespace {

namespace fs = std::filesystem;

class Answers : public brondel::ports::Dialogs {
  public:
    brondel::ports::Answer messageBox(const std::string&, brondel::ports::Buttons,
                                      brondel::ports::Icon, const std::string&) override {
        return brondel::ports::Answer::Ok;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string openFile(const brondel::ports::FileDialogSetup&) override { return {}; }
    std::string saveFile(const brondel::ports::FileDialogSetup&) override { return {}; }
};

class NoPump : public brondel::ports::Pump {
  public:
    void runOnce() override {}
};

const fs::path& folder() {
    static const fs::path path = [] {
        std::string pattern = (fs::temp_directory_path() / "brondel-fuzz-XXXXXX").string();
        const fs::path made = ::mkdtemp(pattern.data());
        fs::create_directories(made / "profiles");
        brondel::engine::CadSetProfileFolder((made / "profiles").string());
        return made;
    }();
    return path;
}

void put(const fs::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& app = folder();
    put(app / "LastProfile.txt", data, size);
    put(app / "hotkeys.txt", data, size);
    put(app / "profiles" / "Brondel.profile", data, size);
    put(app / "profiles" / "default.profile", data, size);

    Answers dialogs;
    NoPump pump;
    brondel::ports::NoRegistry registry;
    brondel::ports::NoLauncher launcher;
    brondel::ports::NoPrinter printer;
    brondel::shell::MainWindow main({dialogs, pump, registry, launcher, printer}, app.string());
    main.start();
    main.click("mnuHelpHotkeys");
    return 0;
}
