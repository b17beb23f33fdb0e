#include "app/desktop/screenshot_tour.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cmath>
#include <utility>

#include "app/desktop/command_line_box.h"
#include "app/desktop/drawing_frame.h"
#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/modal_dialog.h"
#include "app/desktop/toolbar_binding.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "engine/entity_type.h"

namespace brondel::desktop {

namespace {

class Tour {
  public:
    Tour(MainFrame& frame, PresetDialogs& dialogs, QString folder)
        : frame_(frame), dialogs_(dialogs), folder_(std::move(folder)) {}

    bool ok() const { return ok_; }

    // A step the user could not take (an item missing or switched off)
    // spoils the tour.
    void click(const char* item) { trigger(frame_.menuBinding().action(item)); }
    void pressButton(const char* toolbar, int position) {
        trigger(frame_.toolbarBinding().button(toolbar, position));
    }

    // The active drawing; null, and the tour spoilt, when none is open.
    engine::Vecad* drawing() {
        documents::DrawingWindow* window = frame_.mainWindow().active();
        ok_ = ok_ && window != nullptr;
        return window ? &window->Vecad1 : nullptr;
    }

    // A left press in the active drawing at a drawing point.
    void pressAt(double x, double y) {
        engine::Vecad* vecad = drawing();
        DrawingFrame* child = frame_.frameOf(frame_.mainWindow().active());
        if (vecad == nullptr || child == nullptr) {
            ok_ = false;
            return;
        }
        QWidget* view = child->drawingView();
        const engine::Point2 at = vecad->view().toWindow(x, y);
        const QPointF local(at.x, at.y);
        QMouseEvent press(QEvent::MouseButtonPress, local, view->mapToGlobal(local), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, view->mapToGlobal(local),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &release);
        settle();
    }

    // The cursor moved over the active drawing to a drawing point.
    void moveTo(double x, double y) {
        engine::Vecad* vecad = drawing();
        DrawingFrame* child = frame_.frameOf(frame_.mainWindow().active());
        if (vecad == nullptr || child == nullptr) {
            ok_ = false;
            return;
        }
        const engine::Point2 at = vecad->view().toWindow(x, y);
        const QPointF local(at.x, at.y);
        QWidget* view = child->drawingView();
        QMouseEvent move(QEvent::MouseMove, local, view->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        settle();
    }

    // Text typed into the active drawing's command line, ended with Return.
    void type(const QString& text) {
        DrawingFrame* child = frame_.frameOf(frame_.mainWindow().active());
        if (child == nullptr) {
            ok_ = false;
            return;
        }
        QLineEdit* line = child->commandBox()->input();
        line->setText(text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(line, &enter);
        settle();
    }

    void shoot(const char* name, QWidget* over = nullptr) {
        QPixmap shot = frame_.grab();
        if (over != nullptr) {
            QPainter painter(&shot);
            painter.drawPixmap(over->mapToGlobal(QPoint(0, 0)) - frame_.mapToGlobal(QPoint(0, 0)),
                               over->grab());
        }
        ok_ = shot.save(QDir(folder_).filePath(QString::fromLatin1(name))) && ok_;
    }

    // Takes the picture while the message box the next step opens is on
    // screen, then answers it with button.
    void shootMessageBox(const char* name, QMessageBox::StandardButton button) {
        QTimer::singleShot(300, &frame_, [this, name, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                ok_ = false;
                return;
            }
            box->move(frame_.geometry().center() - box->rect().center());
            shoot(name, box);
            box->button(button)->click();
        });
    }

    // Takes the picture of the modal dialog the next step opens, then
    // closes it.
    void shootModal(const char* name) {
        QTimer::singleShot(300, &frame_, [this, name] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                ok_ = false;
                return;
            }
            dialog->move(frame_.geometry().center() - dialog->rect().center());
            shoot(name, dialog);
            dialog->accept();
        });
    }

  private:
    void trigger(QAction* action) {
        if (action == nullptr || !action->isEnabled()) {
            ok_ = false;
            return;
        }
        action->trigger();
        settle();
    }

    // Lets the views repaint what the step changed.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
    }

    MainFrame& frame_;
    PresetDialogs& dialogs_;
    QString folder_;
    bool ok_ = true;
};

// The first entity of a kind, kNoHandle when the drawing has none.
engine::Handle firstOf(const engine::Vecad& vecad, engine::EntityType type) {
    for (engine::Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle;
         h = vecad.GetNextEntity(h)) {
        if (vecad.EntityGetType(h) == engine::code(type)) {
            return h;
        }
    }
    return engine::kNoHandle;
}

// The start tool served by a press on the middle of the drawing's first
// line, its direction taken as drawn.
void startOnFirstLine(Tour& tour, PresetDialogs& dialogs, const engine::Vecad& vecad) {
    if (const engine::Handle line = firstOf(vecad, engine::EntityType::Line)) {
        double x1, y1, z1, x2, y2, z2;
        engine::CadLineGetPoint1(line, x1, y1, z1);
        engine::CadLineGetPoint2(line, x2, y2, z2);
        tour.click("mnuSetStart");
        dialogs.answers.push_back(ports::Answer::Yes);
        tour.pressAt((x1 + x2) / 2, (y1 + y2) / 2);
    }
}

}  // namespace

bool runScreenshotTour(MainFrame& frame, PresetDialogs& dialogs, const QString& sourceFolder,
                       const QString& folder) {
    Tour tour(frame, dialogs, QDir(folder).absolutePath());
    // Files are opened by paths relative to the sources, so the file-name
    // panel shows no folder of the machine taking the pictures.
    QDir::setCurrent(sourceFolder);
    tour.shoot("start.png");

    // A drawing made by another program, converted as it stands, shown
    // with its coordinate list.
    dialogs.openPaths.push_back(
        QStringLiteral("tests/corpus/dxf/openscad_polygon-many-holes.dxf").toStdString());
    tour.click("mnuFileOpen");
    dialogs.answers.push_back(ports::Answer::Ok);  // conversion complete
    tour.click("mnuSequentialFile");
    tour.pressButton("asxToolbar1", 28);
    tour.click("mnuViewLists");
    tour.shoot("drawing.png");

    // The main road on the bundled wing rib: prepare, cut the nose arc
    // into segments, choose the start, reorganize, convert.
    dialogs.openPaths.push_back(QStringLiteral("examples/wing-rib.dxf").toStdString());
    tour.click("mnuFileOpen");
    dialogs.answers.push_back(ports::Answer::Ok);  // preparation complete
    tour.click("mnuPrepDrawing");
    engine::Vecad* drawing = tour.drawing();
    if (drawing == nullptr) {
        return false;
    }
    engine::Vecad& rib = *drawing;
    rib.Execute(engine::command::kZoomExtents);
    if (const engine::Handle arc = firstOf(rib, engine::EntityType::Arc)) {
        double cx, cy, cz;
        engine::CadArcGetCenter(arc, cx, cy, cz);
        const double r = engine::CadArcGetRadius(arc);
        const double middle = engine::CadArcGetStartAngle(arc) + engine::CadArcGetAngle(arc) / 2;
        tour.click("mnuExplodeArc");
        dialogs.inputs.push_back("12");
        tour.pressAt(cx + r * std::cos(middle), cy + r * std::sin(middle));
    }
    if (const engine::Handle line = firstOf(rib, engine::EntityType::Line)) {
        double x1, y1, z1, x2, y2, z2;
        engine::CadLineGetPoint1(line, x1, y1, z1);
        engine::CadLineGetPoint2(line, x2, y2, z2);
        tour.click("mnuSetStart");
        tour.shootMessageBox("start-point.png", QMessageBox::Yes);
        tour.pressAt((x1 + x2) / 2, (y1 + y2) / 2);
    }
    tour.click("mnuViewLists");
    dialogs.answers.push_back(ports::Answer::No);  // no save before reorganizing
    tour.click("mnuReorganzie");
    tour.shoot("reorganized.png");
    dialogs.answers.push_back(ports::Answer::Ok);  // conversion complete
    tour.click("mnuConvert");
    tour.shoot("dat-view.png");

    // A rib drawn with the Draw menu alone, typed into the command window:
    // an outline of lines and a tangent arc, lightening holes, a hatched
    // spar and a label; then a polygon's preview under the cursor with its
    // prompt in the command window.
    tour.click("mnuFileNew");
    if (engine::Vecad* drafted = tour.drawing()) {
        for (const char* line :
             {"pline", "40,-10", "200,-2", "200,2", "40,10", "a",      "c",     "circle",
              "80,0",  "4",      "circle", "120,0", "3",     "circle", "160,0", "2",
              "rec",   "50,-6",  "56,6",   "hatch", "",      "",       "",      "53,0",
              "",      "text",   "90,-20", "4",     "",      "Rib 3",  "ze"}) {
            drafted->commandInput(line);
        }
        tour.click("mnuToolsCommandWindow");
        tour.shoot("drafted-rib.png");
        for (const char* line : {"polygon", "6", "120,25", ""}) {
            drafted->commandInput(line);
        }
        const engine::Point2 cursor = drafted->view().toWindow(127, 29);
        drafted->cursorAt(cursor.x, cursor.y);
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
        tour.shoot("draw-preview.png");
        drafted->commandKey(27);
        // Trim with every entity a cutting edge: a line across the rib cut
        // below it, and the part above marked under the cursor.
        for (const char* line : {"line", "70,-16", "70,16", "", "trim", "", "70,-13"}) {
            drafted->commandInput(line);
        }
        const engine::Point2 above = drafted->view().toWindow(70, 13);
        drafted->cursorAt(above.x, above.y);
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
        tour.shoot("trim-preview.png");
        drafted->commandKey(27);
        tour.click("mnuToolsCommandWindow");
    }

    // A part dimensioned with the Dimensions commands: linear, aligned,
    // radius and angular, picks pressed on the part.
    tour.click("mnuFileNew");
    if (engine::Vecad* part = tour.drawing()) {
        for (const char* line :
             {"line",   "0,0",   "120,0",  "120,40", "90,70", "0,70",   "0,0",   "",
              "circle", "40,35", "15",     "ze",     "dli",   "0,0",    "120,0", "60,-15",
              "dli",    "120,0", "120,40", "138,20", "dal",   "120,40", "90,70", "114,64"}) {
            part->commandInput(line);
        }
        part->commandInput("dra");
        tour.pressAt(55, 35);
        part->commandInput("70,60");
        part->commandInput("dan");
        tour.pressAt(105, 55);
        tour.pressAt(45, 70);
        part->commandInput("78,58");
        part->commandInput("ze");
        tour.shoot("dimensioned-part.png");
        tour.shootModal("dimension-style.png");
        tour.click("mnuFormatDimStyle");
    }

    // A photograph of a part inserted under its outline with Insert Image,
    // and beside it the frame and name of a picture whose file is gone.
    tour.click("mnuFileNew");
    if (engine::Vecad* sheet = tour.drawing()) {
        dialogs.openPaths.push_back("examples/plate-photo.png");
        for (const char* line : {"image", "0,0", "120", "rec", "15,12.5", "105,62.5", "circle",
                                 "37.5,37.5", "11", "circle", "82.5,37.5", "7"}) {
            sheet->commandInput(line);
        }
        engine::ImageGeom gone;
        gone.insertion = {135, 0, 0};
        gone.u = {0.5, 0, 0};
        gone.v = {0, 0.5, 0};
        gone.widthPx = 120;
        gone.heightPx = 75;
        gone.fileName = "scans/old-plate.jpg";
        sheet->drawing().add(engine::Entity(engine::Boxed<engine::ImageGeom>(gone)));
        sheet->commandInput("ze");
        tour.shoot("insert-image.png");
    }

    // A drawing whose path breaks: the dead end and the nearest line end
    // not reached, marked over the drawing.
    dialogs.openPaths.push_back("tests/corpus/dxf/qcad_flange.dxf");
    tour.click("mnuFileOpen");
    dialogs.answers.push_back(ports::Answer::Ok);  // preparation complete
    tour.click("mnuPrepDrawing");
    if (engine::Vecad* flange = tour.drawing()) {
        flange->Execute(engine::command::kZoomExtents);
        startOnFirstLine(tour, dialogs, *flange);
        dialogs.answers.push_back(ports::Answer::No);  // no save before reorganizing
        dialogs.answers.push_back(ports::Answer::Ok);  // reorganization failed
        tour.click("mnuReorganzie");
        tour.shoot("dead-end.png");
        tour.shootModal("format-layers.png");
        tour.click("mnuFormatLay");
    }

    // A plate with holes linked into one path for a tool that cannot lift,
    // then converted: the DAT view shows where the cut starts and which way
    // it runs.
    dialogs.openPaths.push_back("examples/plate-with-holes.dxf");
    tour.click("mnuFileOpen");
    if (engine::Vecad* plate = tour.drawing()) {
        plate->Execute(engine::command::kZoomExtents);
        startOnFirstLine(tour, dialogs, *plate);
        dialogs.inputs.push_back("0");  // no kerf
        tour.click("mnuLinkContours");
        dialogs.answers.push_back(ports::Answer::Ok);  // conversion complete
        tour.click("mnuConvert");
        tour.shoot("linked-plate.png");
    }

    // The command line docked under the drawing with Draw Line running: its
    // prompt, the rubber band and the snap marker on an endpoint.
    dialogs.openPaths.push_back("examples/wing-rib.dxf");
    tour.click("mnuFileOpen");
    if (engine::Vecad* again = tour.drawing()) {
        const engine::Handle first = firstOf(*again, engine::EntityType::Line);
        const engine::Handle next = first ? again->GetNextEntity(first) : engine::kNoHandle;
        if (first && next) {
            double x1, y1, z1, x2, y2, z2;
            engine::CadLineGetPoint1(first, x1, y1, z1);
            engine::CadLineGetPoint2(next, x2, y2, z2);
            tour.click("mnuToolsCommandWindow");
            tour.pressButton("asxToolbar4", 1);  // snap to endpoints
            tour.type(QStringLiteral("line"));
            tour.pressAt(x1, y1);
            tour.moveTo(x2, y2 + again->view().scale() * 2);
            tour.shoot("command-line.png");
        }
    }

    tour.click("mnuHelpAbout");
    tour.shoot("about.png", frame.modalDialog());
    if (frame.modalDialog() != nullptr) {
        frame.modalDialog()->close();
    }
    tour.click("mnuHelpHotkeys");
    tour.shoot("hotkeys.png", frame.modalDialog());
    if (frame.modalDialog() != nullptr) {
        frame.modalDialog()->close();
    }
    return tour.ok();
}

}  // namespace brondel::desktop
