#include "app/cli/session/session.h"

#include <algorithm>
#include <fstream>

#include "app/cli/session/state_dump.h"
#include "base/error.h"
#include "windows/modal_input.h"

namespace brondel::cli::session {

namespace {

ports::Answer parseAnswer(const std::string& word) {
    if (word == "yes") {
        return ports::Answer::Yes;
    }
    if (word == "no") {
        return ports::Answer::No;
    }
    if (word == "cancel") {
        return ports::Answer::Cancel;
    }
    return ports::Answer::Ok;
}

}  // namespace

Session::Session(Transcript& transcript, std::filesystem::path scriptFolder, std::string appFolder,
                 std::ostream& dumpOut)
    : transcript_(transcript),
      scriptFolder_(std::move(scriptFolder)),
      dumpOut_(dumpOut),
      dialogs_(transcript),
      launcher_(transcript),
      printer_((std::filesystem::path(appFolder) / "print.pdf").string()) {
    main_ = std::make_unique<shell::MainWindow>(
        shell::Ports{dialogs_, pump_, registry_, launcher_, printer_}, std::move(appFolder));
    main_->previewOnDemand = true;  // a session shows its windows only in its dumps
    main_->noticesChanged.connect([this] { forwardNotices(); });
}

Session::~Session() = default;

void Session::start() {
    main_->start();
}

void Session::forwardNotices() {
    const auto& notices = main_->notices;
    noticesSeen_ = std::min(noticesSeen_, notices.size());
    while (noticesSeen_ < notices.size()) {
        transcript_.write({{"event", "notice"}, {"text", notices[noticesSeen_++]}});
    }
}

void Session::refuse(const Command& command, const std::string& reason) {
    transcript_.write({{"event", "refused"}, {"text", command.text}, {"reason", reason}});
}

std::string Session::resolve(const std::string& path) const {
    const std::filesystem::path p(path);
    return (p.is_absolute() ? p : scriptFolder_ / p).lexically_normal().string();
}

std::string Session::menuBlocker(const std::string& name) const {
    const shell::MenuItem& item = main_->menus.item(name);
    if (item.reachable()) {
        return "";
    }
    std::vector<const shell::MenuItem*> chain;
    for (const shell::MenuItem* i = &item; i; i = i->parent()) {
        chain.insert(chain.begin(), i);
    }
    // The outermost closed door is the one the user meets.
    for (const shell::MenuItem* i : chain) {
        const std::string label = i->name().empty() ? "\"" + i->caption() + "\"" : i->name();
        if (!i->visible()) {
            return label + " is hidden";
        }
        if (!i->enabled()) {
            return label + " is disabled";
        }
    }
    return name + " cannot be reached";
}

std::string Session::toolbarBlocker(int toolbar, int position) const {
    const std::string name = "asxToolbar" + std::to_string(toolbar);
    const shell::Toolbar& bar = main_->toolbars.toolbar(name);
    if (!bar.visible()) {
        return name + " is hidden";
    }
    const shell::ToolbarButton& button = main_->toolbars.button(name, position);
    const std::string label = "position " + std::to_string(position) + " of " + name;
    if (button.isSeparator()) {
        return label + " is a separator";
    }
    if (!button.visible()) {
        return label + " is hidden";
    }
    if (!button.enabled()) {
        return label + " is disabled";
    }
    return "";
}

documents::DrawingWindow* Session::target(const Command& command) {
    documents::DrawingWindow* window = main_->active();
    if (!window) {
        refuse(command, "no drawing window is open");
    }
    return window;
}

void Session::dump(const Command& command) {
    const Json state = dumpState(*main_);
    if (command.args.empty()) {
        dumpOut_ << state.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        dumpOut_.flush();
        return;
    }
    const std::string path = resolve(command.args[0]);
    std::ofstream file(path, std::ios::binary);
    file << state.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    if (!file) {
        throw Error(err::kPathFileAccess, "The state could not be written to " + path);
    }
}

void Session::run(const Command& c) {
    transcript_.write({{"event", "command"}, {"line", c.line}, {"text", c.text}});
    shell::MainWindow& main = *main_;
    const std::string& verb = c.verb;

    if (verb == "answer") {
        dialogs_.queueAnswer(parseAnswer(c.args[0]));
    } else if (verb == "input") {
        dialogs_.queueInput(c.args[0]);
    } else if (verb == "file") {
        dialogs_.queueFile(resolve(c.args[0]),
                           c.args.size() == 3 ? std::optional(c.n) : std::nullopt);
    } else if (verb == "file-cancel") {
        dialogs_.queueFile(std::nullopt);
    } else if (verb == "dump") {
        dump(c);
    } else if (main.closed) {
        refuse(c, "the program has ended");
    } else if (main.modal && verb == "click") {
        const auto control = main.modal->controls.find(c.args[0]);
        if (control == main.modal->controls.end()) {
            refuse(c, main.modal->name + " has no control " + c.args[0]);
        } else if (!control->second.visible) {
            refuse(c, c.args[0] + " is hidden");
        } else {
            windows::pressModalButton(main, c.args[0]);
        }
    } else if (main.modal && verb == "key") {
        windows::modalKey(main, c.n);
    } else if (main.modal) {
        refuse(c, "modal window " + main.modal->name + " is open");
    } else if (verb == "click") {
        refuse(c, "no modal window is open");
    } else if (verb == "menu") {
        if (const std::string blocker = menuBlocker(c.args[0]); !blocker.empty()) {
            refuse(c, blocker);
        } else {
            main.click(c.args[0]);
        }
    } else if (verb == "toolbar") {
        if (const std::string blocker = toolbarBlocker(c.n, c.position); !blocker.empty()) {
            refuse(c, blocker);
        } else {
            main.pressToolbar("asxToolbar" + std::to_string(c.n), c.position);
        }
    } else if (verb == "activate") {
        if (c.n > static_cast<int>(main.windows().size())) {
            refuse(c, "no drawing window " + std::to_string(c.n) + " is open");
        } else {
            main.activate(main.windows()[c.n - 1].get());
        }
    } else if (verb == "close-main") {
        main.closeRequest();
    } else if (auto* window = target(c)) {
        if (verb == "close-window") {
            main.closeWindow(*window);
        } else if (verb == "key") {
            window->keyPressed(c.n);
        } else if (verb == "type") {
            window->Vecad1.commandInput(c.args[0]);
        } else if (verb == "move") {
            const engine::Point2 at = window->Vecad1.view().toWindow(c.x, c.y);
            window->Vecad1.cursorAt(at.x, at.y);
            window->cursorMoved(c.x, c.y, 0);
        } else if (!window->Vecad1.visible) {
            refuse(c, "Vecad1 is hidden");
        } else {
            const engine::Point2 at = window->Vecad1.view().toWindow(c.x, c.y);
            if (verb == "release") {
                window->Vecad1.releaseAt(at.x, at.y);
            } else {
                window->buttonPressed(at.x, at.y, verb == "rpress");
            }
        }
    }
}

}  // namespace brondel::cli::session
