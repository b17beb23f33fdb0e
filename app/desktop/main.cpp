#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "app/desktop/main_frame.h"
#include "app/desktop/qt_ports.h"
#include "ports/linux_registry.h"
#include "ports/system_launcher.h"
#include "shell/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brondel"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Open a new drawing, save a picture of the window to <file> and quit."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    const std::string appFolder = QCoreApplication::applicationDirPath().toStdString();
    brondel::desktop::QtDialogs dialogs;
    brondel::desktop::QtPump pump;
    brondel::ports::LinuxRegistry registry;
    brondel::ports::SystemLauncher launcher;
    brondel::desktop::PdfBesideDrawingPrinter printer(appFolder);
    brondel::shell::MainWindow main({dialogs, pump, registry, launcher, printer}, appFolder);
    main.start();

    brondel::desktop::MainFrame frame(main);
    frame.resize(1024, 720);
    frame.show();
    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        main.click("mnuFileNew");
        QTimer::singleShot(300, &frame,
                           [&frame, path] { QApplication::exit(frame.grab().save(path) ? 0 : 1); });
        return QApplication::exec();
    }
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}
