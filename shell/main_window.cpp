#include "shell/main_window.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include <unistd.h>

#include "base/atomic_file.h"
#include "base/error.h"
#include "engine/cad.h"
#include "shell/handler_registry.h"
#include "shell/menu_state.h"
#include "shell/version.h"

namespace brondel::shell {

namespace {

constexpr const char* kProductName = "Brondel";
constexpr const char* kLastProfileFile = "LastProfile.txt";
constexpr std::size_t kProfileBufferSize = 256;
constexpr int kHelpByKeyword = 0x101;

struct SelectorBox {
    int kind, left, top, width, height, value;
};
constexpr SelectorBox kSelectorBoxes[] = {
    {101, 4, 4, 200, 22, 111},
    {102, 204, 4, 170, 22, 200},
    {103, 374, 4, 170, 22, 200},
    {104, 544, 4, 130, 22, 200},
};

std::string inFolder(const std::string& folder, const char* file) {
    return (std::filesystem::path(folder) / file).string();
}

// Installed, the program's folder is not the user's to write: the last
// profile's name then lives beside the profiles, in the user's folder.
std::string lastProfilePath(const std::string& appFolder) {
    if (::access(appFolder.c_str(), W_OK) == 0) {
        return inFolder(appFolder, kLastProfileFile);
    }
    return (std::filesystem::path(engine::CadGetProfileFolder()).parent_path() / kLastProfileFile)
        .string();
}

std::string trimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The first field of the file's first line: the text between the quotes, or
// for a line without them, the text up to the first comma.
std::string readQuotedField(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Error(err::kFileNotFound);
    }
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    const auto open = line.find_first_not_of(' ');
    if (open != std::string::npos && line[open] == '"') {
        const auto close = line.find('"', open + 1);
        return line.substr(open + 1, close == std::string::npos ? close : close - open - 1);
    }
    return trimBlanks(line.substr(0, line.find(',')));
}

// The profile name as the engine should see it: what precedes the NUL of the
// engine's buffer, without surrounding blanks.
std::string engineProfileName(const std::string& stored) {
    return trimBlanks(stored.substr(0, stored.find('\0')));
}

}  // namespace

void StatusBar::set(int panel, std::string text) {
    if (panel < 1 || panel > 3) {
        throw Error(err::kSubscriptOutOfRange);
    }
    panels[panel - 1] = std::move(text);
    changed.emit();
}

MainWindow::MainWindow(Ports portsToUse, std::string programFolder)
    : ports(portsToUse), appFolder(std::move(programFolder)) {
    addHandler("mnuFileEnd", [](MainWindow& main) { main.mnuFileEnd(); });
    registerDocumentHandlers(*this);
    registerCoordFileHandlers(*this);
    registerWindowHandlers(*this);
    registerPickToolHandlers(*this);
    registerPathHandlers(*this);
}

MainWindow::~MainWindow() = default;

void MainWindow::start() {
    splashCaption = std::string("About ") + ports::kApplicationTitle;
    splashVersion = versionText();
    splashLoaded = true;
    loadMainWindow();
}

// Every step stands alone: a failing one is skipped and the load goes on.
void MainWindow::loadMainWindow() {
    SetDrawingCommandsEnabled(menus, toolbars, false);
    try {
        engine::CadLoadColors("white");
    } catch (const Error&) {
    }
    fileDialogHelp = {inFolder(appFolder, "brondel.hlp"), "", kHelpByKeyword};
    const auto selectorBar = reinterpret_cast<std::intptr_t>(&toolbars.toolbar("asxToolbar3"));
    for (const SelectorBox& box : kSelectorBoxes) {
        try {
            engine::CadCboxCreate(box.kind, selectorBar, box.left, box.top, box.width, box.height,
                                  box.value);
        } catch (const Error&) {
        }
    }
    try {
        profileName = readQuotedField(lastProfilePath(appFolder));
    } catch (const Error&) {
        profileName.clear();
    }
    try {
        const std::string product = kProductName;
        if (profileName.compare(0, product.size(), product) == 0) {
            engine::CadProfileLoad(product);
        } else {
            engine::CadProfileLoad(engineProfileName(profileName));
        }
    } catch (const Error&) {
    }
    try {
        engine::CadSetParam(12, 0);
    } catch (const Error&) {
    }
    searchRadius = 0.01;
    openWindowCount = 0;
}

// One quoted line holding the engine's whole 256-character name buffer.
void MainWindow::writeLastProfile() {
    std::string buffer(kProfileBufferSize, ' ');
    engine::CadProfileGetName(buffer.data(), buffer.size());
    try {
        const std::filesystem::path path = lastProfilePath(appFolder);
        std::error_code ignored;  // a folder that cannot be made fails the write below
        std::filesystem::create_directories(path.parent_path(), ignored);
        base::writeFileAtomically(path.string(), "\"" + buffer + "\"\r\n");
    } catch (const Error& e) {
        notice("The profile name could not be written to " + std::string(kLastProfileFile) + ": " +
               e.description());
    }
    try {
        engine::CadProfileSave(buffer);
    } catch (const Error&) {
    }
}

void MainWindow::setInnerSize(int widthTwips, int heightTwips) {
    innerWidthTwips = widthTwips;
    innerHeightTwips = heightTwips;
    for (const auto& window : windows_) {
        if (window->maximized) {
            window->resized();
        }
    }
}

void MainWindow::arrange(int kind) {
    for (const auto& window : windows_) {
        window->maximized = false;
    }
    lastArrange = kind;
    arrangeRequested.emit();
}

documents::DrawingWindow& MainWindow::NewDrawingWindow() {
    windows_.push_back(std::make_unique<documents::DrawingWindow>(*this, nextSerial_++));
    documents::DrawingWindow& window = *windows_.back();
    window.maximized = true;
    activate(&window);
    return window;
}

void MainWindow::activate(documents::DrawingWindow* window) {
    if (window == nullptr || window == active_) {
        return;
    }
    if (active_ != nullptr) {
        active_->Vecad1.ActivateView(false);
        active_->promptPanel = statusMain.panels[2];
    }
    std::erase(activationOrder_, window);
    activationOrder_.push_back(window);
    active_ = window;
    statusMain.set(3, window->promptPanel);
    window->activated();
    windowsChanged.emit();
    followAids();
}

bool MainWindow::closeWindow(documents::DrawingWindow& window) {
    if (!window.closeRequest()) {
        return false;
    }
    window.destroyed();
    std::erase(activationOrder_, &window);
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const auto& w) { return w.get() == &window; });
    const bool wasActive = active_ == &window;
    if (wasActive) {
        active_ = nullptr;
    }
    windows_.erase(it);
    if (wasActive && !activationOrder_.empty()) {
        activate(activationOrder_.back());
    } else {
        windowsChanged.emit();
    }
    return true;
}

bool MainWindow::runCommand(const std::function<void()>& command) {
    if (commandRunning_) {
        return false;
    }
    commandRunning_ = true;
    try {
        command();
    } catch (...) {
        // The failure is what the user sees next; a close asked for meanwhile
        // is dropped, and the user may ask again.
        commandRunning_ = false;
        closeWaiting_ = false;
        throw;
    }
    commandRunning_ = false;
    if (std::exchange(closeWaiting_, false)) {
        closeAsked();
    }
    return true;
}

void MainWindow::closeAsked() {
    if (!runCommand([this] { closeRequest(); })) {
        closeWaiting_ = true;
    }
}

void MainWindow::closeRequest() {
    if (closed) {
        return;
    }
    writeLastProfile();
    splashLoaded = false;
    modal.reset();
    const bool wasClosing = closing_;
    closing_ = true;
    CloseAllAndQuit();
    closing_ = wasClosing;
}

void MainWindow::mnuFileEnd() {
    splashLoaded = false;
    modal.reset();
    for (const auto& window : windows_) {
        window->commandWindowVisible = false;
    }
    menus.setChecked("mnuToolsCommandWindow", false);
    setPointer(MousePointer::Busy);
    CloseAllAndQuit();
}

// A Cancel (or a save that did not happen) on any window keeps the program
// running; the flag is cleared first so an earlier Cancel does not stop this one.
void MainWindow::CloseAllAndQuit() {
    if (closed) {
        return;
    }
    closeCancelled = false;
    while (!closeCancelled && active_ != nullptr) {
        closeWindow(*active_);
    }
    setPointer(MousePointer::Default);
    if (!windows_.empty()) {
        return;
    }
    if (!closing_) {
        closeRequest();
        return;
    }
    closed = true;
}

void MainWindow::addHandler(const std::string& name, Handler handler) {
    handlers_[name] = std::move(handler);
}

bool MainWindow::runHandler(const std::string& name) {
    const auto it = handlers_.find(name);
    if (it == handlers_.end()) {
        return false;
    }
    const Handler handler = it->second;
    handler(*this);
    return true;
}

void MainWindow::setPointer(MousePointer pointer) {
    if (mousePointer == pointer) {
        return;
    }
    mousePointer = pointer;
    pointerChanged.emit();
}

void MainWindow::notice(const std::string& text) {
    statusMain.set(3, text);
    notices.push_back(text);
    noticesChanged.emit();
}

}  // namespace brondel::shell
