#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <string>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/pictures.h"
#include "app/desktop/preset_dialogs.h"
#include "app/desktop/qt_ports.h"
#include "app/desktop/qt_printer.h"
#include "app/desktop/screenshot_tour.h"
#include "app/desktop/splash_window.h"
#include "app/desktop/system_clipboard.h"
#include "documents/recovery.h"
#include "ports/linux_registry.h"
#include "ports/system_launcher.h"
#include "shell/main_window.h"
#include "shell/program_folder.h"
#include "shell/version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brondel"));
    QApplication::setApplicationVersion(QString::fromStdString(brondel::versionNumber()));
    QApplication::setWindowIcon(brondel::desktop::programIcon());
    brondel::desktop::mirrorClipboardOnSystem();
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("drawing"),
                                 QStringLiteral("A drawing to open as File > Open does."),
                                 QStringLiteral("[drawing]"));
    const QCommandLineOption tour(
        QStringLiteral("tour"),
        QStringLiteral("Walk the main road on the bundled drawings, save a picture of each stop "
                       "in <folder> and quit."),
        QStringLiteral("folder"));
    const QCommandLineOption sources(
        QStringLiteral("sources"),
        QStringLiteral("The source folder the tour takes its drawings from."),
        QStringLiteral("folder"), QStringLiteral("."));
    parser.addOptions({tour, sources});
    parser.process(app);

    const std::string appFolder =
        brondel::shell::programFolder(QCoreApplication::applicationDirPath().toStdString());
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
    if (parser.isSet(tour)) {
        QTimer::singleShot(300, &frame, [&frame, &dialogs, &parser, &tour, &sources] {
            QApplication::exit(brondel::desktop::runScreenshotTour(
                                   frame, dialogs, parser.value(sources), parser.value(tour))
                                   ? 0
                                   : 1);
        });
        return QApplication::exec();
    }
    brondel::documents::offerRecovery(main);
    if (!parser.positionalArguments().isEmpty()) {
        dialogs.openPaths.push_back(parser.positionalArguments().first().toStdString());
        if (QAction* open = frame.menuBinding().action("mnuFileOpen")) {
            open->trigger();
        }
    }
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}
