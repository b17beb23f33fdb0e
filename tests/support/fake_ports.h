#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "engine/cad.h"
#include "engine/view.h"
#include "ports/dialogs.h"
#include "ports/launcher.h"
#include "ports/printer.h"
#include "ports/pump.h"
#include "ports/registry.h"
#include "shell/main_window.h"
#include "tests/support/files.h"

// Test doubles of the platform ports: dialogs answered from queues and
// recorded, and the other ports recording what they were asked to do.
namespace brondel::testing {

struct DialogCall {
    enum class Kind { MessageBox, InputBox, OpenFile, SaveFile };
    Kind kind;
    std::string text;  // message or prompt
    ports::Buttons buttons = ports::Buttons::Ok;
    ports::Icon icon = ports::Icon::None;
    std::string title;
    std::string defaultText;
    ports::FileDialogSetup setup;
};

// Every dialog takes the next queued answer of its kind; a dialog nobody
// queued an answer for fails the test and is answered as cancelled.
class ScriptedDialogs : public ports::Dialogs {
  public:
    std::deque<ports::Answer> answers;
    std::deque<std::string> inputs;
    std::deque<std::string> openPaths;
    std::deque<std::string> savePaths;
    std::deque<int> saveTypes;  // file types chosen in save dialogs; none: the set-up's
    std::vector<DialogCall> calls;
    std::function<void()> atMessageBox;  // lets a test look around while a box is shown

    ScriptedDialogs& answer(ports::Answer a) {
        answers.push_back(a);
        return *this;
    }
    ScriptedDialogs& input(std::string text) {
        inputs.push_back(std::move(text));
        return *this;
    }
    ScriptedDialogs& open(std::string path) {
        openPaths.push_back(std::move(path));
        return *this;
    }
    ScriptedDialogs& save(std::string path) {
        savePaths.push_back(std::move(path));
        return *this;
    }

    std::vector<DialogCall> messages() const { return ofKind(DialogCall::Kind::MessageBox); }
    std::vector<DialogCall> ofKind(DialogCall::Kind kind) const {
        std::vector<DialogCall> found;
        for (const DialogCall& call : calls) {
            if (call.kind == kind) {
                found.push_back(call);
            }
        }
        return found;
    }
    // Every queued answer was used.
    bool drained() const {
        return answers.empty() && inputs.empty() && openPaths.empty() && savePaths.empty();
    }

    ports::Answer messageBox(const std::string& text, ports::Buttons buttons, ports::Icon icon,
                             const std::string& title) override {
        calls.push_back({DialogCall::Kind::MessageBox, text, buttons, icon, title, {}, {}});
        if (atMessageBox) {
            atMessageBox();
        }
        if (answers.empty()) {
            if (buttons == ports::Buttons::Ok) {
                return ports::Answer::Ok;
            }
            ADD_FAILURE() << "unexpected message box: " << text;
            return ports::Answer::Cancel;
        }
        return take(answers);
    }
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override {
        calls.push_back({DialogCall::Kind::InputBox,
                         prompt,
                         ports::Buttons::Ok,
                         ports::Icon::None,
                         title,
                         defaultText,
                         {}});
        return answerFrom(inputs, "input box: " + prompt);
    }
    std::string openFile(const ports::FileDialogSetup& setup) override {
        calls.push_back({DialogCall::Kind::OpenFile, {}, {}, {}, {}, {}, setup});
        return answerFrom(openPaths, "open dialog: " + setup.title);
    }
    std::string saveFile(const ports::FileDialogSetup& setup) override {
        calls.push_back({DialogCall::Kind::SaveFile, {}, {}, {}, {}, {}, setup});
        return answerFrom(savePaths, "save dialog: " + setup.title);
    }
    ports::SaveAnswer saveFileWithType(const ports::FileDialogSetup& setup) override {
        std::string path = saveFile(setup);
        return {std::move(path), saveTypes.empty() ? setup.filterIndex : take(saveTypes)};
    }

  private:
    template <typename T>
    static T take(std::deque<T>& queue) {
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
    static std::string answerFrom(std::deque<std::string>& queue, const std::string& what) {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return {};
        }
        return take(queue);
    }
};

class FakePump : public ports::Pump {
  public:
    int runs = 0;
    std::function<void()> onRun;  // lets a test look, and act, while a command runs
    void runOnce() override {
        ++runs;
        if (onRun) {
            onRun();
        }
    }
};

class FakeRegistry : public ports::Registry {
  public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::optional<std::string> value(const std::string& key, const std::string& name) override {
        const auto it = values.find({key, name});
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

class FakeLauncher : public ports::Launcher {
  public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Start> started;
    std::vector<std::string> documents;
    bool succeeds = true;
    bool start(const std::string& program, const std::vector<std::string>& arguments) override {
        started.push_back({program, arguments});
        return succeeds;
    }
    bool openDocument(const std::string& path) override {
        documents.push_back(path);
        return succeeds;
    }
};

class FakePrinter : public ports::Printer {
  public:
    std::vector<const engine::Vecad*> printed;
    std::vector<const engine::Vecad*> previewed;
    int setups = 0;
    std::optional<Error> failure;  // thrown by every call when set

    void print(const engine::Vecad& control) override {
        fail();
        printed.push_back(&control);
    }
    void preview(const engine::Vecad& control) override {
        fail();
        previewed.push_back(&control);
    }
    void setup() override {
        fail();
        ++setups;
    }
    struct Raster {
        engine::View view;
        ports::RasterFormat format;
    };
    std::vector<Raster> rasters;
    std::string rasterImage(const engine::Vecad&, const engine::View& view,
                            ports::RasterFormat format) override {
        fail();
        rasters.push_back({view, format});
        return "picture";
    }

  private:
    void fail() const {
        if (failure) {
            throw *failure;
        }
    }
};

struct FakePorts {
    ScriptedDialogs dialogs;
    FakePump pump;
    FakeRegistry registry;
    FakeLauncher launcher;
    FakePrinter printer;

    shell::Ports ports() { return {dialogs, pump, registry, launcher, printer}; }
};

// A started program whose application and profile folders are fresh
// temporary folders.
struct TestProgram {
    TempFolder folder;
    FakePorts fakes;
    shell::MainWindow main;

    explicit TestProgram(bool start = true)
        : main(prepared(folder, fakes), folder.path().string()) {
        if (start) {
            main.start();
        }
    }

    ScriptedDialogs& dialogs() { return fakes.dialogs; }
    // A new drawing window, counted as the file commands count it.
    documents::DrawingWindow& newDrawing() {
        documents::DrawingWindow& window = main.NewDrawingWindow();
        ++main.openWindowCount;
        return window;
    }
    documents::DrawingWindow& active() {
        if (main.active() == nullptr) {
            throw Error(err::kInvalidCall, "no active drawing window");
        }
        return *main.active();
    }

  private:
    static shell::Ports prepared(const TempFolder& folder, FakePorts& fakes) {
        engine::CadSetProfileFolder((folder.path() / "profiles").string());
        return fakes.ports();
    }
};

}  // namespace brondel::testing
