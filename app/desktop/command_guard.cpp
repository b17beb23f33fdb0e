#include "app/desktop/command_guard.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <string>

#include "base/error.h"
#include "ports/dialogs.h"

namespace brondel::desktop {

namespace {

void show(const std::string& text) {
    QMessageBox::critical(QApplication::activeWindow(), ports::kApplicationTitle,
                          QString::fromStdString(text));
}

}  // namespace

void runGuarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const Error& e) {
        show("Error " + std::to_string(e.number()) + ": " + e.description());
    } catch (const std::exception& e) {
        show(e.what());
    }
}

}  // namespace brondel::desktop
