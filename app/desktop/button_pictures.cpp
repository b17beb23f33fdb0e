#include "app/desktop/button_pictures.h"

#include <QString>

#include "app/desktop/pictures.h"

namespace brondel::desktop {

namespace {

struct ButtonPicture {
    std::string_view toolbar;
    int position;
    const char* picture;        // a file of the icons resource, without ".svg"
    std::string_view menuItem;  // the item doing the same, or empty
};

// Items with a check mark (Toggle Ortho Mode, Toggle Command Window) get no
// picture: a picture would take the place of the mark.
constexpr ButtonPicture kButtonPictures[] = {
    {"asxToolbar1", 1, "file-new", "mnuFileNew"},
    {"asxToolbar1", 2, "recent-files", ""},
    {"asxToolbar1", 3, "file-open", "mnuFileOpen"},
    {"asxToolbar1", 4, "file-save", "mnuSaveAs"},
    {"asxToolbar1", 5, "print", "mnuFilePrinterPrint"},
    {"asxToolbar1", 7, "zoom-extents", "mnuViewZoomExt"},
    {"asxToolbar1", 8, "zoom-window", "mnuViewZoomWin"},
    {"asxToolbar1", 9, "zoom-in", "mnuViewZoomIn"},
    {"asxToolbar1", 10, "zoom-out", "mnuViewZoomOut"},
    {"asxToolbar1", 11, "zoom-previous", "mnuViewZoomPrev"},
    {"asxToolbar1", 12, "zoom-realtime", "mnuViewZoomRtime"},
    {"asxToolbar1", 13, "magnifier", ""},
    {"asxToolbar1", 14, "navigator", ""},
    {"asxToolbar1", 15, "pan", "mnuViewPanRtime"},
    {"asxToolbar1", 17, "copy", "mnuEditCopy"},
    {"asxToolbar1", 18, "cut", "mnuEditCut"},
    {"asxToolbar1", 19, "paste", "mnuEditPaste"},
    {"asxToolbar1", 21, "undo", "mnuEditUndo"},
    {"asxToolbar1", 22, "redo", "mnuEditRedo"},
    {"asxToolbar1", 24, "regenerate", ""},
    {"asxToolbar1", 25, "command-window", ""},
    {"asxToolbar1", 28, "coordinate-list", ""},
    {"asxToolbar1", 29, "dat-list", ""},

    {"asxToolbar2", 1, "select-rectangle", "mnuSelectByRect"},
    {"asxToolbar2", 2, "line", "mnuDrawLine"},
    {"asxToolbar2", 3, "polyline", "mnuDrawPolyline"},
    {"asxToolbar2", 4, "circle", "mnuDrawCircleCenterDiameter"},
    {"asxToolbar2", 5, "arc", "mnuDrawArc"},
    {"asxToolbar2", 6, "ellipse", "mnuDrawElipse"},
    {"asxToolbar2", 7, "parallel-lines", "mnuDrawMLine"},
    {"asxToolbar2", 8, "polygon", "mnuDrawPolygon"},
    {"asxToolbar2", 9, "point", "mnuDrawPoint"},
    {"asxToolbar2", 10, "rectangle", "mnuDrawRect"},
    {"asxToolbar2", 11, "text", "mnuDrawText"},
    {"asxToolbar2", 13, "insert-image", "mnuInsertImage"},
    {"asxToolbar2", 14, "copy-drop", "mnuEditObCopy"},
    {"asxToolbar2", 15, "mirror", "mnuEditMirror"},
    {"asxToolbar2", 16, "explode", "mnuEditExplode"},
    {"asxToolbar2", 17, "erase", "mnuEditErase"},
    {"asxToolbar2", 18, "move", "mnuEditMove"},
    {"asxToolbar2", 19, "rotate", "mnuEditRotate"},
    {"asxToolbar2", 20, "scale", "mnuEditScale"},
    {"asxToolbar2", 21, "trim", "mnuEditTrim"},

    {"asxToolbar4", 1, "snap-endpoint", ""},
    {"asxToolbar4", 2, "snap-midpoint", ""},
    {"asxToolbar4", 3, "snap-center", ""},
    {"asxToolbar4", 4, "snap-node", ""},
    {"asxToolbar4", 5, "snap-intersection", ""},
    {"asxToolbar4", 6, "snap-perpendicular", ""},
    {"asxToolbar4", 7, "snap-tangent", ""},
    {"asxToolbar4", 8, "snap-nearest", ""},
    {"asxToolbar4", 9, "snap-grip", ""},
    {"asxToolbar4", 10, "snap-clear", ""},
    {"asxToolbar4", 11, "snap-options", "mnuToolsObSnap"},
    {"asxToolbar4", 12, "snap-toggle", ""},
    {"asxToolbar4", 14, "dimension-linear", "mnuDimsLinear"},
    {"asxToolbar4", 15, "dimension-aligned", "mnuDimsAligned"},
    {"asxToolbar4", 16, "dimension-radius", "mnuDimsRadius"},
    {"asxToolbar4", 17, "dimension-diameter", "mnuDimsDiameter"},
    {"asxToolbar4", 18, "dimension-angle", "mnuDimsAngular"},
    {"asxToolbar4", 20, "ortho", ""},
};

}  // namespace

QIcon buttonIcon(std::string_view toolbar, int position) {
    for (const ButtonPicture& entry : kButtonPictures) {
        if (entry.toolbar == toolbar && entry.position == position) {
            return svgIcon(QString::fromLatin1(entry.picture));
        }
    }
    return {};
}

QIcon menuItemIcon(std::string_view item) {
    if (item.empty()) {
        return {};
    }
    for (const ButtonPicture& entry : kButtonPictures) {
        if (entry.menuItem == item) {
            return svgIcon(QString::fromLatin1(entry.picture));
        }
    }
    return {};
}

}  // namespace brondel::desktop
