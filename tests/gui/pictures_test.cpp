#include "tests/gui/user_session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>
#include <map>
#include <string>

#include "app/desktop/button_pictures.h"
#include "app/desktop/modal_dialog.h"
#include "app/desktop/pictures.h"
#include "app/desktop/splash_window.h"

namespace brondel::desktop {
namespace {

using PicturesTest = testing::UserSession;

QImage imageOf(const QIcon& icon, int size) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(PicturesTest, EveryShownButtonHasAPictureOfItsOwnAtBothSizes) {
    click("mnuFileNew");
    std::map<std::string, std::string> seen;  // 16-pixel image bytes -> button
    int buttons = 0;
    for (const shell::Toolbar& toolbar : program.main.toolbars.toolbars()) {
        for (const shell::ToolbarButton& button : toolbar.buttons()) {
            QAction* action = frame.toolbarBinding().button(toolbar.name(), button.position());
            ASSERT_NE(action, nullptr);
            const std::string where = toolbar.name() + " " + std::to_string(button.position());
            if (button.isSeparator() || !button.visible()) {
                EXPECT_TRUE(action->icon().isNull()) << where;
                continue;
            }
            ++buttons;
            ASSERT_FALSE(action->icon().isNull()) << where;
            const QImage small = imageOf(action->icon(), 16);
            EXPECT_EQ(small.size(), QSize(16, 16)) << where;
            EXPECT_TRUE(hasInk(small)) << where;
            EXPECT_EQ(imageOf(action->icon(), 32).size(), QSize(32, 32)) << where;
            const std::string bytes(reinterpret_cast<const char*>(small.constBits()),
                                    static_cast<std::size_t>(small.sizeInBytes()));
            const auto [it, fresh] = seen.emplace(bytes, where);
            EXPECT_TRUE(fresh) << where << " shows the picture of " << it->second;
        }
    }
    EXPECT_EQ(buttons, 23 + 20 + 18);
    EXPECT_EQ(frame.toolbarBinding().toolbar("asxToolbar1")->iconSize(), QSize(16, 16));
}

TEST_F(PicturesTest, MenuItemsShowThePictureOfTheButtonDoingTheSame) {
    const auto same = [this](const char* item, const char* toolbar, int position) {
        const QImage menu = imageOf(frame.menuBinding().action(item)->icon(), 16);
        const QImage button = imageOf(frame.toolbarBinding().button(toolbar, position)->icon(), 16);
        return !menu.isNull() && menu == button;
    };
    EXPECT_TRUE(same("mnuViewZoomIn", "asxToolbar1", 9));
    EXPECT_TRUE(same("mnuEditErase", "asxToolbar2", 17));
    EXPECT_TRUE(same("mnuDimsAngular", "asxToolbar4", 18));
    // A picture would take the place of the check mark.
    EXPECT_TRUE(frame.menuBinding().action("mnuOrtho")->icon().isNull());
    EXPECT_TRUE(frame.menuBinding().action("mnuToolsCommandWindow")->icon().isNull());
    EXPECT_TRUE(menuItemIcon("").isNull());
}

TEST_F(PicturesTest, AboutBoxShowsTheLogo) {
    click("mnuHelpAbout");
    ASSERT_NE(frame.modalDialog(), nullptr);
    auto* picture = frame.modalDialog()->findChild<QLabel*>(QStringLiteral("Picture1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(hasInk(picture->pixmap().toImage()));
    EXPECT_FALSE(programIcon().isNull());
}

TEST_F(PicturesTest, SplashShowsTheProgramsVersionUntilItShowsTheMainWindow) {
    SplashWindow splash(program.main);
    EXPECT_EQ(splash.windowTitle().toStdString(), program.main.splashCaption);
    EXPECT_EQ(splash.versionLabel()->text(), QString::fromStdString(program.main.splashVersion));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    frame.hide();
    splash.show();
    QElapsedTimer since;
    since.start();
    splash.showMainWindow(frame);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(splash.isVisible()) << "seen for a while first";
    while (splash.isVisible() && since.elapsed() < 3 * SplashWindow::kShownMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_FALSE(splash.isVisible());
    EXPECT_GE(since.elapsed(), SplashWindow::kShownMs - 50);

    splash.show();
    splash.showMainWindow(frame);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&splash, &click);
    EXPECT_FALSE(splash.isVisible()) << "a click closes it";
}

}  // namespace
}  // namespace brondel::desktop
