#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <string>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/modal_dialog.h"
#include "app/desktop/pictures.h"
#include "app/desktop/qt_ports.h"
#include "app/desktop/qt_printer.h"
#include "app/desktop/screenshot_tour.h"
#include "app/desktop/splash_window.h"
#include "ports/linux_registry.h"
#include "ports/system_launcher.h"
#include "shell/main_window.h"

namespace {

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
    const QCommandLineOption tour(
        QStringLiteral("tour"),
        QStringLiteral("Walk the main road on the bundled drawings, save a picture of each stop "
                       "in <folder> and quit."),
        QStringLiteral("folder"));
    const QCommandLineOption sources(
        QStringLiteral("sources"),
        QStringLiteral("The source folder the tour takes its drawings from."),
        QStringLiteral("folder"), QStringLiteral("."));
    parser.addOptions({screenshot, open, about, hotkeys, tour, sources});
    parser.process(app);

    const std::string appFolder = QCoreApplication::applicationDirPath().toStdString();
    brondel::desktop::PresetDialogs dialogs;
    brondel::desktop::QtPump pump;
    brondel::ports::LinuxRegistry registry;
    brondel::ports::SystemLauncher launcher;
    brondel::desktop::QtPrinter printer;
    brondel::shell::MainWindow main({dialogs, pump, registry, launcher, printer}, appFolder);
    main.start();

    brondel::desktop::SplashWindow splash(main);
    splash.show();
    QApplication::processEvents();
    brondel::desktop::MainFrame frame(main);
    frame.resize(1024, 720);
    splash.showMainWindow(frame);
    if (parser.isSet(open)) {
        dialogs.openPaths.push_back(parser.value(open).toStdString());
        trigger(frame, "mnuFileOpen");
    } else if (parser.isSet(screenshot)) {
        trigger(frame, "mnuFileNew");
    }
    if (parser.isSet(about)) {
        trigger(frame, "mnuHelpAbout");
    } else if (parser.isSet(hotkeys)) {
        trigger(frame, "mnuHelpHotkeys");
    }
    if (parser.isSet(tour)) {
        QTimer::singleShot(300, &frame, [&frame, &dialogs, &parser, &tour, &sources] {
            QApplication::exit(brondel::desktop::runScreenshotTour(
                                   frame, dialogs, parser.value(sources), parser.value(tour))
                                   ? 0
                                   : 1);
        });
        return QApplication::exec();
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
