#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <string>
#include <utility>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/modal_dialog.h"
#include "app/desktop/pictures.h"
#include "app/desktop/qt_ports.h"
#include "app/desktop/splash_window.h"
#include "ports/linux_registry.h"
#include "ports/system_launcher.h"
#include "shell/main_window.h"

namespace {

// The Qt dialogs, except that the next file dialog for opening answers with
// a path given beforehand (a drawing named on the command line).
class PresetOpenDialogs : public brondel::desktop::QtDialogs {
  public:
    std::string presetOpen;
    std::string openFile(const brondel::ports::FileDialogSetup& setup) override {
        if (presetOpen.empty()) {
            return QtDialogs::openFile(setup);
        }
        return std::exchange(presetOpen, std::string());
    }
};

// Runs a menu command the way a click on its item does.
void trigger(brondel::desktop::MainFrame& frame, const char* item) {
    if (QAction* action = frame.menuBinding().action(item)) {
        action->trigger();
    }
}

// The main window with the open modal dialog drawn where it stands over it.
QPixmap picture(brondel::desktop::MainFrame& frame) {
    QPixmap shot = frame.grab();
    if (auto* dialog = frame.modalDialog()) {
        QPainter painter(&shot);
        painter.drawPixmap(dialog->geometry().topLeft() - frame.geometry().topLeft(),
                           dialog->grab());
    }
    return shot;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brondel"));
    QApplication::setWindowIcon(brondel::desktop::programIcon());
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to <file> and quit (a new drawing is "
                       "opened unless --open names one)."),
        QStringLiteral("file"));
    const QCommandLineOption open(QStringLiteral("open"),
                                  QStringLiteral("Open <drawing> as File > Open does."),
                                  QStringLiteral("drawing"));
    const QCommandLineOption about(QStringLiteral("about"), QStringLiteral("Show the About box."));
    const QCommandLineOption hotkeys(QStringLiteral("hotkeys"),
                                     QStringLiteral("Show the hot-keys window."));
    parser.addOptions({screenshot, open, about, hotkeys});
    parser.process(app);

    const std::string appFolder = QCoreApplication::applicationDirPath().toStdString();
    PresetOpenDialogs dialogs;
    brondel::desktop::QtPump pump;
    brondel::ports::LinuxRegistry registry;
    brondel::ports::SystemLauncher launcher;
    brondel::desktop::PdfBesideDrawingPrinter printer(appFolder);
    brondel::shell::MainWindow main({dialogs, pump, registry, launcher, printer}, appFolder);
    main.start();

    brondel::desktop::SplashWindow splash(main);
    splash.show();
    QApplication::processEvents();
    brondel::desktop::MainFrame frame(main);
    frame.resize(1024, 720);
    splash.showMainWindow(frame);
    if (parser.isSet(open)) {
        dialogs.presetOpen = parser.value(open).toStdString();
        trigger(frame, "mnuFileOpen");
    } else if (parser.isSet(screenshot)) {
        trigger(frame, "mnuFileNew");
    }
    if (parser.isSet(about)) {
        trigger(frame, "mnuHelpAbout");
    } else if (parser.isSet(hotkeys)) {
        trigger(frame, "mnuHelpHotkeys");
    }
    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        QTimer::singleShot(
            300, &frame, [&frame, path] { QApplication::exit(picture(frame).save(path) ? 0 : 1); });
        return QApplication::exec();
    }
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}
