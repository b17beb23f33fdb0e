#include "shell/routing_table.h"

#include <map>
#include <span>
#include <string>

#include "base/error.h"

namespace brondel::shell {

namespace {

constexpr Action engine(int code, EngineRule rule = EngineRule::A) {
    return {ActionKind::Engine, code, rule, {}, Owner::Shell};
}
// The program's own command, named after the item that runs it.
constexpr Action own(Owner owner) {
    return {ActionKind::ProgramCommand, 0, EngineRule::A, {}, owner};
}
constexpr Action toggle(std::string_view toolbar) {
    return {ActionKind::ToggleToolbar, 0, EngineRule::A, toolbar, Owner::Shell};
}
constexpr Action arrangeWindows(int kind) {
    return {ActionKind::ArrangeWindows, kind, EngineRule::A, {}, Owner::Shell};
}
constexpr Action snap(int bit) {
    return {ActionKind::Snap, bit, EngineRule::A, {}, Owner::Shell};
}
constexpr Action as(std::string_view item) {
    return {ActionKind::AsItem, 0, EngineRule::A, item, Owner::Shell};
}
// An action that needs nothing but its kind.
constexpr Action plain(ActionKind kind) {
    return {kind, 0, EngineRule::A, {}, Owner::Shell};
}
constexpr Action kNone = plain(ActionKind::None);
constexpr Action kSubmenu = plain(ActionKind::Submenu);
constexpr Action kOrtho = plain(ActionKind::Ortho);
constexpr Action kNotWorking = plain(ActionKind::NotWorking);
constexpr Action kMagnifier = plain(ActionKind::Magnifier);
constexpr Action kNavigator = plain(ActionKind::Navigator);

struct ItemRoute {
    std::string_view item;
    Action action;
};

// In menu order.
constexpr ItemRoute kItemRoutes[] = {
    {"mnuFile", kSubmenu},
    {"mnuFileNew", own(Owner::Documents)},
    {"mnu1", kSubmenu},
    {"mnuFileOpen", own(Owner::Documents)},
    {"mnuDatFile", own(Owner::CoordFiles)},
    {"mnuCorFile", own(Owner::CoordFiles)},
    {"mnuClose", own(Owner::Documents)},
    {"mnuCloseAll", own(Owner::Documents)},
    {"mnuFileSave", kSubmenu},
    {"mnuSaveCurrent", own(Owner::Documents)},
    {"mnuSaveDAT", own(Owner::CoordFiles)},
    {"mnuSaveAs", own(Owner::Documents)},
    {"mnuFilePrinterSetup", own(Owner::Documents)},
    {"mnuFilePrinterPrev", own(Owner::Documents)},
    {"mnuFilePrinterPrint", own(Owner::Documents)},
    {"mnuInsertImage", engine(253, EngineRule::D)},
    {"mnuFileEnd", own(Owner::Shell)},
    {"mnuEdit", kSubmenu},
    {"mnuEditUndo", engine(301)},
    {"mnuEditRedo", engine(302, EngineRule::C)},
    {"mnuEditCut", engine(303)},
    {"mnuEditCopy", engine(304)},
    {"mnuEditPaste", engine(305)},
    {"mnuEditProp", engine(306, EngineRule::B)},
    {"mnuEditObCopy", engine(312)},
    {"mnuEditErase", engine(311)},
    {"mnuEditMove", engine(313)},
    {"mnuEditRotate", engine(314)},
    {"mnuEditScale", engine(315)},
    {"mnuEditMirror", engine(316)},
    {"mnuEditExplode", engine(317)},
    {"mnuEditJoin", engine(318)},
    {"mnuEditTrim", engine(319)},
    {"mnuEditExtend", engine(320)},
    {"mnuPurgeDeleted", own(Owner::PathTools)},
    {"mnuView", kSubmenu},
    {"mnuViewZoomRtime", engine(107, EngineRule::B)},
    {"mnuViewZoomPrev", engine(105, EngineRule::B)},
    {"mnuViewZoomWin", engine(106, EngineRule::B)},
    {"mnuViewZoomExt", engine(102, EngineRule::B)},
    {"mnuViewZoomIn", engine(103, EngineRule::B)},
    {"mnuViewZoomOut", engine(104, EngineRule::B)},
    {"mnuViewZoomSO", engine(108, EngineRule::B)},
    {"mnuViewPanRtime", engine(111, EngineRule::B)},
    {"mnuViewPanPoint", engine(112, EngineRule::B)},
    {"mnuView3D", kSubmenu},
    {"mnuView3Dtop", engine(131)},
    {"mnuView3Dbottom", engine(132)},
    {"mnuView3Dleft", engine(133)},
    {"mnuView3Dright", engine(134)},
    {"mnuView3Dfront", engine(135)},
    {"mnuView3Dback", engine(136)},
    {"mnuView3Dsw", engine(137)},
    {"mnuView3Dse", engine(138)},
    {"mnuView3Dne", engine(139)},
    {"mnuView3Dnw", engine(130)},
    {"mnuView3DvpointPres", engine(141)},
    {"mnuViewCurLay", engine(142)},
    {"mnuViewToolbars", kSubmenu},
    {"mnuDrawingTools", toggle("asxToolbar2")},
    {"mnuInformationBar", toggle("asxToolbar3")},
    {"mnuCommandButtons", toggle("asxToolbar1")},
    {"mnuSnapDimensions", toggle("asxToolbar4")},
    {"mnuViewSelPage", kNone},
    {"mnuViewBlocks", kNone},
    {"mnuFormat", kSubmenu},
    {"mnuFormatLay", engine(801)},
    {"mnuBlocks", engine(811)},
    {"mnuFormatLayOrder", engine(802)},
    {"mnuFormatColors", engine(803)},
    {"mnuFormatLinetype", engine(804)},
    {"mnuFormatLinewgh", engine(805)},
    {"mnuFormatTextStyle", engine(806)},
    {"mnuFormatDimStyle", engine(807)},
    {"mnuFormatPointStyle", engine(808)},
    {"mnuFormatMlineStyle", engine(809)},
    {"mnuFormatXrefMan", engine(256)},
    {"mnuFormatImageMan", engine(255)},
    {"mnuFormatPages", engine(810)},
    {"ViewFonts", own(Owner::Windows)},
    {"mnuDraw", kSubmenu},
    {"mnuDrawLine", engine(205)},
    {"mnuDrawRay", engine(206)},
    {"mnuDrawXLine", engine(207)},
    {"mnuDrawMLine", engine(208)},
    {"mnuDrawPolyline", engine(209)},
    {"mnuDrawPolygon", engine(210)},
    {"mnuDrawRect", engine(212)},
    {"mnuDrawArc", engine(229)},
    {"mnuDrawCircle", kSubmenu},
    {"mnuDrawCircleCenterRadian", engine(221)},
    {"mnuDrawCircleCenterDiameter", engine(222)},
    {"mnuDrawCircle3Points", engine(224)},
    {"mnuDrawCircle2Points", engine(223)},
    {"mnuDrawSpline", engine(242)},
    {"mnuDrawElipse", engine(211)},
    {"mnuDrawPoint", engine(201)},
    {"mnuDrawText", engine(245)},
    {"mnuDrawHatch", engine(246)},
    {"mnuDrawCreateBlock", engine(257)},
    {"mnuDrawInsBlock", engine(252)},
    {"mnuDims", kSubmenu},
    {"mnuDimsLinear", engine(290)},
    {"mnuDimsAligned", engine(291)},
    {"mnuDimsOrdinate", engine(292)},
    {"mnuDimsRadius", engine(293)},
    {"mnuDimsDiameter", engine(294)},
    {"mnuDimsAngular", engine(295)},
    {"mnuDimsLeader", engine(247)},
    {"mnuDimsCentermark", engine(248)},
    {"mnuDimsStyles", engine(807)},
    {"mnuInsert", kSubmenu},
    {"mnuInsertBlock", engine(252)},
    {"mnuInsertXref", engine(254)},
    {"mnuInsertRaster", engine(253, EngineRule::D)},
    {"mnuInsertArcView", kNotWorking},
    {"mnuInsertXrefMan", engine(256)},
    {"mnuInsertImageMan", engine(255)},
    {"mnuSelect", kSubmenu},
    {"mnuSelectByIdentif", engine(507)},
    {"mnuSelectByUserData", engine(510)},
    {"mnuSelectByText", engine(509)},
    {"mnuSelectByPoint", engine(501)},
    {"mnuSelectByRect", engine(502)},
    {"mnuSelectByPolygon", engine(503)},
    {"mnuSelectByPolyline", engine(504)},
    {"mnuSelectByDist", engine(505)},
    {"mnuSelectCurrLayer", engine(508)},
    {"mnuTools", kSubmenu},
    {"mnuToolsDist", engine(952)},
    {"mnuToolsArea", engine(953)},
    {"mnuToolsCalibrate", engine(954)},
    {"mnuOrtho", kOrtho},
    {"mnuToolsGrid", engine(425)},
    {"mnuToolsPolarTrace", engine(426)},
    {"mnuToolsObSnap", engine(411)},
    {"mnuToolsConvTtfVcf", own(Owner::Windows)},
    {"mnuToolsConvSxfVcf", own(Owner::Windows)},
    {"mnuToolsIntalledVcfFonts", own(Owner::Windows)},
    {"mnuToolsCommandWindow", own(Owner::Windows)},
    {"mnuToolsDwgInfo", engine(955)},
    {"mnuToolsConvCoord", kNotWorking},
    {"mnuToolsMakeRaster", engine(942)},
    {"mnuToolsOptions", own(Owner::Windows)},
    {"mnuConversionTools", kSubmenu},
    {"mnuViewLists", own(Owner::CoordFiles)},
    {"mnuExplodeLine", own(Owner::PathTools)},
    {"mnuExplodeArc", own(Owner::PathTools)},
    {"DrawVerticalArray", own(Owner::PathTools)},
    {"DrawHorizontalArray", own(Owner::PathTools)},
    {"DrawPolarArray", own(Owner::PathTools)},
    {"mnuPrepDrawing", own(Owner::PathTools)},
    {"mnuSequentialFile", own(Owner::CoordFiles)},
    {"mnuRandomFile", kSubmenu},
    {"mnuSetStart", own(Owner::PathTools)},
    {"mnuReorganzie", own(Owner::PathTools)},
    {"mnuConvert", own(Owner::CoordFiles)},
    {"mnuChangeRadius", own(Owner::CoordFiles)},
    {"mnuCheckDrawing", own(Owner::PathTools)},
    {"mnuCloseGaps", own(Owner::PathTools)},
    {"mnuLinkContours", own(Owner::PathTools)},
    {"mnuKerfOffset", own(Owner::PathTools)},
    {"mnuWindow", kSubmenu},
    {"mnuWindowCascade", arrangeWindows(arrange::kCascade)},
    {"mnuWindowTile", arrangeWindows(arrange::kTileHorizontal)},
    {"mnuWindowArrIcons", arrangeWindows(arrange::kIcons)},
    {"mnuHelp", kSubmenu},
    {"mnuHelpHotkeys", own(Owner::Windows)},
    {"mnuHelpContents", own(Owner::Windows)},
    {"mnuHelpAbout", own(Owner::Windows)},
};

// Index = position - 1.
constexpr Action kCommandButtons[] = {
    as("mnuFileNew"),
    kNone,  // "Open Recent Files" was never wired
    as("mnuFileOpen"),
    as("mnuSaveAs"),
    as("mnuFilePrinterPrint"),
    kNone,
    as("mnuViewZoomExt"),
    as("mnuViewZoomWin"),
    as("mnuViewZoomIn"),
    as("mnuViewZoomOut"),
    as("mnuViewZoomPrev"),
    as("mnuViewZoomRtime"),
    kMagnifier,
    kNavigator,
    as("mnuViewPanRtime"),
    kNone,
    as("mnuEditCopy"),
    as("mnuEditCut"),
    as("mnuEditPaste"),
    kNone,
    as("mnuEditUndo"),
    as("mnuEditRedo"),
    kNone,
    engine(911),
    as("mnuToolsCommandWindow"),
    kNone,  // hidden, so never pressed
    kNone,
    plain(ActionKind::ShowCoordinateView),
    plain(ActionKind::ShowDatView),
};

constexpr Action kDrawingTools[] = {
    as("mnuSelectByRect"), as("mnuDrawLine"),
    as("mnuDrawPolyline"), as("mnuDrawCircleCenterDiameter"),
    engine(229),           as("mnuDrawElipse"),
    as("mnuDrawMLine"),    as("mnuDrawPolygon"),
    as("mnuDrawPoint"),    as("mnuDrawRect"),
    as("mnuDrawText"),     kNone,
    as("mnuInsertImage"),  as("mnuEditObCopy"),
    as("mnuEditMirror"),   as("mnuEditExplode"),
    as("mnuEditErase"),    as("mnuEditMove"),
    as("mnuEditRotate"),   as("mnuEditScale"),
    as("mnuEditTrim"),
};

constexpr Action kSnapAndDimensions[] = {
    snap(2),
    snap(4),
    snap(8),
    snap(1),
    snap(32),
    snap(64),
    snap(128),
    snap(16),
    snap(256),
    engine(410),
    engine(411),
    engine(423),
    kNone,
    as("mnuDimsLinear"),
    as("mnuDimsAligned"),
    as("mnuDimsRadius"),
    as("mnuDimsDiameter"),
    as("mnuDimsAngular"),
    kNone,
    as("mnuOrtho"),
};

struct ToolbarRoutes {
    std::string_view toolbar;
    std::span<const Action> positions;
};

constexpr ToolbarRoutes kToolbarRoutes[] = {
    {"asxToolbar1", kCommandButtons},
    {"asxToolbar2", kDrawingTools},
    {"asxToolbar3", {}},
    {"asxToolbar4", kSnapAndDimensions},
};

const std::map<std::string_view, Action, std::less<>>& itemActions() {
    static const auto table = [] {
        std::map<std::string_view, Action, std::less<>> byName;
        for (const ItemRoute& route : kItemRoutes) {
            Action action = route.action;
            if (action.kind == ActionKind::ProgramCommand) {
                action.target = route.item;
            }
            byName.emplace(route.item, action);
        }
        return byName;
    }();
    return table;
}

const ToolbarRoutes* findToolbar(std::string_view toolbar) {
    for (const ToolbarRoutes& routes : kToolbarRoutes) {
        if (routes.toolbar == toolbar) {
            return &routes;
        }
    }
    return nullptr;
}

}  // namespace

const Action* findActionOf(std::string_view itemName) {
    const auto& table = itemActions();
    const auto it = table.find(itemName);
    return it == table.end() ? nullptr : &it->second;
}

const Action& actionOf(std::string_view itemName) {
    const Action* action = findActionOf(itemName);
    if (action == nullptr) {
        throw Error(err::kBadArgument, "No action for menu item " + std::string(itemName));
    }
    return *action;
}

const Action& actionOfButton(std::string_view toolbar, int position) {
    const ToolbarRoutes* routes = findToolbar(toolbar);
    if (routes == nullptr || position < 1 ||
        position > static_cast<int>(routes->positions.size())) {
        throw Error(err::kBadArgument, "No action for position " + std::to_string(position) +
                                           " of " + std::string(toolbar));
    }
    return routes->positions[static_cast<std::size_t>(position - 1)];
}

const Action& resolvedActionOfButton(std::string_view toolbar, int position) {
    const Action& action = actionOfButton(toolbar, position);
    return action.kind == ActionKind::AsItem ? actionOf(action.target) : action;
}

std::vector<std::string_view> routedItems() {
    std::vector<std::string_view> names;
    for (const ItemRoute& route : kItemRoutes) {
        names.push_back(route.item);
    }
    return names;
}

int routedPositions(std::string_view toolbar) {
    const ToolbarRoutes* routes = findToolbar(toolbar);
    return routes == nullptr ? 0 : static_cast<int>(routes->positions.size());
}

}  // namespace brondel::shell
