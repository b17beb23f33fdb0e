#pragma once

// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "tests/support/fake_ports.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QToolBar>

#include "app/desktop/drawing_frame.h"
#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/toolbar_binding.h"

namespace brondel::desktop::testing {

// The desktop program over a started program with scripted dialogs, driven
// as a user drives it: clicks on menu items and toolbar buttons, mouse
// events in the active drawing. expectInStep compares every menu item and
// toolbar button on screen with the models.
class UserSession : public ::testing::Test {
  protected:
    UserSession() : frame(program.main) {
        frame.resize(1000, 760);
        frame.show();
        QApplication::processEvents();
    }

    void click(const std::string& item) {
        QAction* action = frame.menuBinding().action(item);
        ASSERT_NE(action, nullptr) << item;
        ASSERT_TRUE(action->isEnabled()) << item;
        action->trigger();
        QApplication::processEvents();
    }
    void pressButton(const std::string& toolbar, int position) {
        QAction* button = frame.toolbarBinding().button(toolbar, position);
        ASSERT_NE(button, nullptr) << toolbar << " " << position;
        button->trigger();
        QApplication::processEvents();
    }

    // Every menu item and toolbar button on screen against the models.
    void expectInStep(const std::string& when) {
        for (const shell::MenuItem* item : program.main.menus.namedItems()) {
            QAction* action = frame.menuBinding().action(item->name());
            ASSERT_NE(action, nullptr) << item->name();
            EXPECT_EQ(action->isVisible(), item->visible()) << when << ": " << item->name();
            // Qt reports a hidden action as disabled whatever it was told.
            if (item->visible()) {
                EXPECT_EQ(action->isEnabled(), item->enabled()) << when << ": " << item->name();
            }
            EXPECT_EQ(action->isChecked(), item->checked()) << when << ": " << item->name();
        }
        for (const shell::Toolbar& bar : program.main.toolbars.toolbars()) {
            QToolBar* shown = frame.toolbarBinding().toolbar(bar.name());
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(!shown->isHidden(), bar.visible()) << when << ": " << bar.name();
            for (const shell::ToolbarButton& b : bar.buttons()) {
                QAction* button = frame.toolbarBinding().button(bar.name(), b.position());
                ASSERT_NE(button, nullptr);
                if (!b.isSeparator() && b.visible()) {
                    EXPECT_EQ(button->isEnabled(), b.enabled())
                        << when << ": " << bar.name() << " " << b.position();
                    EXPECT_EQ(button->toolTip().toStdString(), b.caption());
                }
                EXPECT_EQ(button->isVisible(), b.visible())
                    << when << ": " << bar.name() << " " << b.position();
            }
        }
    }

    DrawingFrame& activeFrame() {
        DrawingFrame* f = frame.frameOf(program.main.active());
        EXPECT_NE(f, nullptr);
        return *f;
    }

    // The window pixel of a drawing point in the active drawing.
    QPointF pixelOf(double x, double y) {
        const engine::Point2 at = program.active().Vecad1.view().toWindow(x, y);
        return {at.x, at.y};
    }
    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QWidget* view = activeFrame().drawingView();
        QMouseEvent e(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
        QApplication::processEvents();
    }
    // A left press and release in the drawing at a drawing point.
    void pressAt(double x, double y) {
        const QPointF at = pixelOf(x, y);
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    void moveTo(double x, double y) {
        mouse(QEvent::MouseMove, pixelOf(x, y), Qt::NoButton, Qt::NoButton);
    }

    brondel::testing::TestProgram program;
    MainFrame frame;
};

// Whether a pixel within one of at shows what the test looks for.
template <typename Seen>
bool seenNear(const QImage& image, QPoint at, Seen seen) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (seen(image.pixelColor(at + QPoint(dx, dy)))) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace brondel::desktop::testing
