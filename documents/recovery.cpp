#include "documents/recovery.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "base/atomic_file.h"
#include "base/error.h"
#include "documents/drawing_window.h"
#include "engine/cad.h"
#include "engine/io/drawing_files.h"
#include "shell/main_window.h"
#include "shell/menu_state.h"

namespace brondel::documents {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRecoveryText = "Brondel did not close normally. A recovery copy of ";

// "<process>-<window serial>": unique among the programs running at once.
std::string stemOf(int serial) {
    return std::to_string(::getpid()) + "-" + std::to_string(serial);
}

fs::path drawingFile(const fs::path& stem) {
    return fs::path(stem).replace_extension(".vec");
}

fs::path nameFile(const fs::path& stem) {
    return fs::path(stem).replace_extension(".name");
}

// Recovery writes under way, by stem. Only the main thread starts, waits
// for and drops them; the workers touch nothing but their own copy.
std::map<fs::path, std::shared_future<bool>>& writesUnderWay() {
    static std::map<fs::path, std::shared_future<bool>> writes;
    return writes;
}

void waitForWrite(const fs::path& stem) {
    auto& writes = writesUnderWay();
    if (const auto found = writes.find(stem); found != writes.end()) {
        found->second.wait();
        writes.erase(found);
    }
}

bool processRuns(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// Recovery files whose program has gone, as "<folder>/<pid>-<serial>".
std::vector<fs::path> orphans() {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(recoveryFolder(), ec)) {
        const fs::path path = entry.path();
        if (path.extension() != ".vec") {
            continue;
        }
        const std::string stem = path.stem().string();
        const long pid = std::strtol(stem.c_str(), nullptr, 10);
        if (pid != ::getpid() && !processRuns(pid)) {
            found.push_back(path.parent_path() / stem);
        }
    }
    return found;
}

void removeBoth(const fs::path& stem) {
    std::error_code ec;
    fs::remove(drawingFile(stem), ec);
    fs::remove(nameFile(stem), ec);
}

// The recovery copy is worth offering when its drawing is older or gone.
bool newerThanItsDrawing(const fs::path& copy, const std::string& drawing) {
    std::error_code ec;
    const auto drawingTime = fs::last_write_time(drawing, ec);
    return ec || fs::last_write_time(copy, ec) > drawingTime;
}

void restore(shell::MainWindow& main, const fs::path& copy, const std::string& name) {
    shell::SetDrawingCommandsEnabled(main.menus, main.toolbars, true);
    shell::SetEditCommandsEnabled(main.menus, main.toolbars, true);
    DrawingWindow& window = main.NewDrawingWindow();
    ++main.openWindowCount;
    window.Vecad1.FileOpen(copy.string());
    window.Vecad1.PutFileName(name);
    window.Vecad1.drawing().markUnsaved();
    window.Vecad1.ZoomExtents();
    main.statusMain.set(2, name);
}

}  // namespace

fs::path recoveryFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) {
        return fs::path(state) / "brondel" / "recovery";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "state" / "brondel" / "recovery";
}

void Autosave::tick(Clock::time_point now) {
    const int minutes = engine::CadGetAutosaveMinutes();
    if (!started_) {
        started_ = true;
        last_ = now;
        return;
    }
    if (minutes <= 0 || now - last_ < std::chrono::minutes(minutes)) {
        return;
    }
    last_ = now;
    writeChanged();
}

Autosave::~Autosave() {
    finish();
}

void Autosave::writeChanged() {
    settle(false);
    std::error_code ec;
    fs::create_directories(recoveryFolder(), ec);
    for (const auto& window : main_.windows()) {
        const engine::Drawing& drawing = window->Vecad1.drawing();
        const int serial = window->serial();
        const auto written = written_.find(serial);
        if (!drawing.changed() || running_.count(serial) != 0 ||
            (written != written_.end() && written->second == drawing.version())) {
            continue;
        }
        const fs::path stem = recoveryFolder() / stemOf(serial);
        auto copy = std::make_shared<const engine::DrawingContent>(engine::io::snapshot(drawing));
        std::shared_future<bool> done =
            std::async(std::launch::async, [stem, copy, name = window->Vecad1.GetFileName()] {
                try {
                    engine::io::writeVec(*copy, drawingFile(stem).string());
                    base::writeFileAtomically(nameFile(stem).string(), name + "\n");
                    return true;
                } catch (...) {
                    return false;  // the next round tries again
                }
            }).share();
        writesUnderWay()[stem] = done;
        running_.emplace(serial, Write{drawing.version(), done});
    }
}

void Autosave::finish() {
    settle(true);
}

void Autosave::settle(bool wait) {
    for (auto it = running_.begin(); it != running_.end();) {
        Write& write = it->second;
        if (!wait && write.done.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            ++it;
            continue;
        }
        if (write.done.get()) {
            written_[it->first] = write.version;
        }
        auto& writes = writesUnderWay();
        const auto under = writes.find(recoveryFolder() / stemOf(it->first));
        if (under != writes.end() &&
            under->second.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            writes.erase(under);
        }
        it = running_.erase(it);
    }
}

void dropRecovery(const DrawingWindow& window) {
    const fs::path stem = recoveryFolder() / stemOf(window.serial());
    waitForWrite(stem);
    removeBoth(stem);
}

void offerRecovery(shell::MainWindow& main) {
    for (const fs::path& stem : orphans()) {
        std::string name;
        std::getline(std::ifstream(nameFile(stem)), name);
        if (!newerThanItsDrawing(drawingFile(stem), name)) {
            removeBoth(stem);
            continue;
        }
        const ports::Answer answer = main.ports.dialogs.messageBox(
            kRecoveryText + (name.empty() ? std::string("a drawing") : name) +
                " was kept.\rRestore it? No discards it.",
            ports::Buttons::YesNoCancel, ports::Icon::Question, kRecoveryTitle);
        if (answer == ports::Answer::Cancel) {
            continue;
        }
        if (answer == ports::Answer::Yes) {
            try {
                restore(main, drawingFile(stem), name);
            } catch (const Error& e) {
                main.ports.dialogs.messageBox(
                    "The recovery copy could not be read: " + e.description(), ports::Buttons::Ok,
                    ports::Icon::Exclamation, kRecoveryTitle);
                continue;
            }
        }
        removeBoth(stem);
    }
}

}  // namespace brondel::documents
