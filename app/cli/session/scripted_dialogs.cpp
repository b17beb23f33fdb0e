#include "app/cli/session/scripted_dialogs.h"

#include <algorithm>

#include "app/cli/session/script.h"

namespace brondel::cli::session {

namespace {

const char* buttonsName(ports::Buttons b) {
    switch (b) {
        case ports::Buttons::Ok:
            return "ok";
        case ports::Buttons::YesNo:
            return "yesNo";
        case ports::Buttons::YesNoCancel:
            return "yesNoCancel";
    }
    return "ok";
}

const char* iconName(ports::Icon i) {
    switch (i) {
        case ports::Icon::None:
            return "none";
        case ports::Icon::Information:
            return "information";
        case ports::Icon::Exclamation:
            return "exclamation";
        case ports::Icon::Question:
            return "question";
        case ports::Icon::Critical:
            return "critical";
    }
    return "none";
}

bool offers(ports::Buttons buttons, ports::Answer answer) {
    using ports::Answer;
    switch (buttons) {
        case ports::Buttons::Ok:
            return answer == Answer::Ok;
        case ports::Buttons::YesNo:
            return answer == Answer::Yes || answer == Answer::No;
        case ports::Buttons::YesNoCancel:
            return answer != Answer::Ok;
    }
    return false;
}

// A dialog without a title of its own shows the application's.
std::string shownTitle(const std::string& title) {
    return title.empty() ? ports::kApplicationTitle : title;
}

}  // namespace

const char* answerName(ports::Answer answer) {
    switch (answer) {
        case ports::Answer::Ok:
            return "ok";
        case ports::Answer::Yes:
            return "yes";
        case ports::Answer::No:
            return "no";
        case ports::Answer::Cancel:
            return "cancel";
    }
    return "ok";
}

void ScriptedDialogs::fail(std::string message) {
    if (!failure_) {
        failure_ = message;
    }
    throw DialogUnanswered{std::move(message)};
}

ports::Answer ScriptedDialogs::messageBox(const std::string& text, ports::Buttons buttons,
                                          ports::Icon icon, const std::string& title) {
    if (failure_) {
        fail(*failure_);
    }
    if (answers_.empty()) {
        fail("no answer queued for messageBox: " + text);
    }
    const ports::Answer answer = answers_.front();
    if (!offers(buttons, answer)) {
        fail(std::string("answer ") + answerName(answer) + " is not offered by a " +
             buttonsName(buttons) + " messageBox: " + text);
    }
    answers_.pop_front();
    transcript_.write({{"event", "messageBox"},
                       {"title", shownTitle(title)},
                       {"text", text},
                       {"buttons", buttonsName(buttons)},
                       {"icon", iconName(icon)},
                       {"answer", answerName(answer)}});
    return answer;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    if (failure_) {
        fail(*failure_);
    }
    if (inputs_.empty()) {
        fail("no answer queued for inputBox: " + prompt);
    }
    std::string answer = std::move(inputs_.front());
    inputs_.pop_front();
    transcript_.write({{"event", "inputBox"},
                       {"title", shownTitle(title)},
                       {"prompt", prompt},
                       {"default", defaultText},
                       {"answer", answer}});
    return answer;
}

std::string ScriptedDialogs::openFile(const ports::FileDialogSetup& setup) {
    return fileDialog("open", setup).path;
}

std::string ScriptedDialogs::saveFile(const ports::FileDialogSetup& setup) {
    return fileDialog("save", setup).path;
}

ports::SaveAnswer ScriptedDialogs::saveFileWithType(const ports::FileDialogSetup& setup) {
    return fileDialog("save", setup);
}

ports::SaveAnswer ScriptedDialogs::fileDialog(const char* kind,
                                              const ports::FileDialogSetup& setup) {
    if (failure_) {
        fail(*failure_);
    }
    if (files_.empty()) {
        fail("no answer queued for fileDialog: " + setup.title);
    }
    FileAnswer answer = std::move(files_.front());
    files_.pop_front();
    // A type the dialog's list does not hold is refused, as a user could not
    // have picked it.
    const long types = std::count(setup.filter.begin(), setup.filter.end(), '|') / 2 + 1;
    if (answer.type && *answer.type > types) {
        fail("file type " + std::to_string(*answer.type) +
             " is not offered by fileDialog: " + setup.title);
    }
    const int type = answer.type.value_or(setup.filterIndex);
    Json event = {{"event", "fileDialog"},
                  {"kind", kind},
                  {"title", setup.title},
                  {"filter", setup.filter},
                  {"filterIndex", setup.filterIndex},
                  {"defaultExt", setup.defaultExt}};
    event["answer"] = answer.path ? Json(*answer.path) : Json(nullptr);
    if (answer.type) {
        event["type"] = type;
    }
    transcript_.write(event);
    return {answer.path.value_or(""), type};
}

std::vector<std::string> ScriptedDialogs::unused() const {
    std::vector<std::string> left;
    for (const auto a : answers_) {
        left.push_back(std::string("answer ") + answerName(a));
    }
    for (const auto& i : inputs_) {
        left.push_back("input " + quoteArgument(i));
    }
    for (const auto& f : files_) {
        std::string described = f.path ? "file " + quoteArgument(*f.path) : "file-cancel";
        if (f.type) {
            described += " type " + std::to_string(*f.type);
        }
        left.push_back(described);
    }
    return left;
}

}  // namespace brondel::cli::session
