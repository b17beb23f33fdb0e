#include "engine/vecad.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/error.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "engine/current_styles.h"
#include "engine/explode.h"
#include "engine/image_paths.h"
#include "engine/io/drawing_files.h"
#include "engine/moved_paths.h"
#include "engine/rotate.h"
#include "engine/xref_files.h"

namespace brondel::engine {

namespace {

std::string lowerExtension(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return "";
    }
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// "Saved as DXF R12: 2 SPLINE as POLYLINE, 1 XLINE left out".
std::string conversionNotice(const io::WriteReport& report) {
    std::string text = "Saved as DXF R12:";
    const char* separator = " ";
    for (const auto& [change, count] : report) {
        text += separator + std::to_string(count) + " " + change;
        separator = ", ";
    }
    return text;
}

}  // namespace

Vecad::Vecad() {
    preview_.keepHistory(false);
}

void Vecad::notify(void (VecadListener::*what)()) {
    if (listener_) {
        (listener_->*what)();
    }
}

// ---------------------------------------------------------------- files

void Vecad::FileNew() {
    endCommand(Ending::Cancel);  // what it began belonged to the drawing that goes
    drawing_.load(DrawingContent{});
    fileName_.clear();
    dxfVersion_ = io::DxfVersion::R2000;
    SelClear();
    viewHistory_.clear();
    notify(&VecadListener::regenerated);
}

void Vecad::FileOpen(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == "dwg") {
        throw Error(err::kDwgNotSupported);
    }
    DrawingContent content =
        ext == "vec" ? io::readVec(path, fileProgress) : io::readDxf(path, nullptr, fileProgress);
    endCommand(Ending::Cancel);
    SelClear();
    viewHistory_.clear();
    const std::string xrefsFailed = loadXrefs(content, path);
    drawing_.load(std::move(content));
    fileName_ = path;
    dxfVersion_ = io::dxfSaveVersion(drawing_.header().acadVersion);
    notify(&VecadListener::regenerated);
    if (!xrefsFailed.empty()) {
        notice(xrefsFailed);
    }
}

void Vecad::FileSave() {
    if (fileName_.empty()) {
        FileSaveAs("");
        return;
    }
    FileSaveAs(fileName_);
}

void Vecad::FileSaveAs(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        target = askSaveName ? askSaveName() : std::string();
        if (target.empty()) {
            throw Error(err::kCancelled);
        }
    }
    const std::string ext = lowerExtension(target);
    if (ext == "dwg") {
        throw Error(err::kDwgNotSupported,
                    "DWG files cannot be written; save the drawing as DXF or VEC");
    }
    io::WriteOptions options;
    options.dxfVersion = dxfVersion_;
    options.chordTolerance = explodeTolerance;
    options.keepBackup = CadGetKeepBackup();
    io::WriteReport report;
    MovedPaths moved(drawing_, savedDrawingFile(fileName_), target);
    if (ext == "vec") {
        io::writeVec(drawing_, target, fileProgress, options);
    } else {
        io::writeDxf(drawing_, target, fileProgress, options, &report);
    }
    moved.keep();
    fileName_ = target;
    drawing_.markSaved();
    if (!report.empty()) {
        commandMessage(conversionNotice(report));
    }
}

// ---------------------------------------------------------------- commands and view

void Vecad::Execute(int code) {
    switch (code) {
        case command::kZoomExtents:
            ZoomExtents();
            return;
        case command::kZoomIn:
            rememberView();
            view_.zoomBy(2);
            break;
        case command::kZoomOut:
            rememberView();
            view_.zoomBy(0.5);
            break;
        case command::kZoomPrevious:
            if (!ZoomPrevious()) {
                commandMessage("Zoom Previous: there is no earlier view");
            }
            return;
        case command::kZoomSelected:
            zoomSelected();
            return;
        case command::kUndo:
            if (drawing_.canUndo()) {
                drawing_.undo();
                notify(&VecadListener::regenerated);
            }
            return;
        case command::kRedo:
            if (drawing_.canRedo()) {
                drawing_.redo();
                notify(&VecadListener::regenerated);
            }
            return;
        case command::kProperties:
            notify(&VecadListener::propertiesRequested);
            return;
        case command::kClearSnapModes:
            SnapPutMode(0);
            return;
        case command::kToggleSnap:
            SnapPutOn(!snapOn_);
            return;
        case command::kRegenerate:
            Update();
            return;
        case command::kFormatLayers:
        case command::kSetLayerOrder:
        case command::kFormatColors:
        case command::kFormatLineWeight:
        case command::kFormatBlocks:
        case command::kImageManager:
        case command::kXrefManager:
        case command::kFormatDimensionStyle:
        case command::kFormatPointStyle:
        case command::kFormatMultiLineStyle:
        case command::kFormatLineType:
        case command::kFormatTextStyle:
        case command::kFormatPages:
        case command::kAdjustObjectSnap:
        case command::kAdjustGrid:
        case command::kAdjustPolarTracking:
        case command::kOptions:
        case command::kExportScreenRaster:
        case command::kViewpointPresets:
            endCommand(Ending::Takeover);
            if (listener_) {
                listener_->formatRequested(*this, code);
            }
            return;
        default:
            if (const std::optional<ViewDirection> direction = viewDirectionOfCode(code)) {
                setViewDirection(*direction);
            } else {
                startOrNotice(code);
            }
            return;
    }
    notify(&VecadListener::viewChanged);
}

void Vecad::ZoomExtents() {
    rememberView();
    const Drawing& inView = shown();
    view_.zoomExtents(viewDirection_ == ViewDirection::Top ? inView.extents()
                                                           : projection_.extents());
    notify(&VecadListener::viewChanged);
}

void Vecad::Update() {
    notify(&VecadListener::regenerated);
}

void Vecad::WndRedraw() {
    notify(&VecadListener::redrawn);
}

void Vecad::NavCreate(std::intptr_t, int, int, int, int, int) {
    navigator_ = true;
    if (navigatorCreated) {
        navigatorCreated();
    }
}

void Vecad::PrintSetup() {
    notice(notAvailableNotice(command::kPrint));
}

// ---------------------------------------------------------------- entities

int Vecad::EntityGetType(Handle h) const {
    return code(drawing_.entity(h).type());
}

void Vecad::giveProps(Entity& e, EntityProps p) {
    e.setAttributes(recentAttributes_(std::move(p), e.xdata() ? XDataPtr(*e.xdata()) : nullptr));
}

Handle Vecad::addEntity(Entity e) {
    giveProps(e, currentProps(drawing_, e.props()));
    takeCurrentTextStyle(drawing_, e);
    return drawing_.add(std::move(e));
}

Handle Vecad::AddLine(double x1, double y1, double z1, double x2, double y2, double z2) {
    return addEntity(Entity(LineGeom{{x1, y1, z1}, {x2, y2, z2}}));
}

Handle Vecad::AddEntities(std::vector<Entity> entities) {
    for (Entity& e : entities) {
        EntityProps p = e.props();
        p.layer = drawing_.currentLayer();
        giveProps(e, std::move(p));
    }
    return drawing_.addMany(std::move(entities));
}

Handle Vecad::AddPoint(double x, double y, double z) {
    return addEntity(Entity(PointGeom{{x, y, z}}));
}

Handle Vecad::AddText(const std::string& text, double x, double y, double z, int hAlign,
                      double height, double widthFactor, double angle, double oblique) {
    TextGeom t;
    t.text = text;
    t.p = {x, y, z};
    t.alignPoint = t.p;
    t.hAlign = std::clamp(hAlign, 0, 2);
    t.height = height;
    t.widthFactor = widthFactor;
    t.angle = angle;
    t.oblique = oblique;
    return addEntity(Entity(std::move(t)));
}

void Vecad::EntityPutColor(Handle h, int aci) {
    if (aci < 0 || aci > 256) {
        throw Error(err::kBadArgument, "Colour numbers run from 0 to 256");
    }
    Entity e = drawing_.entity(h);
    e.editProps().color = Color{static_cast<std::int16_t>(aci), -1};
    drawing_.replace(h, std::move(e));
}

void Vecad::EntityErase(Handle h, bool erase) {
    drawing_.setErased(h, erase);
    if (erase) {
        selection_.remove(h);
    }
}

void Vecad::EntityRotate(Handle h, double cx, double cy, double, double angle) {
    Entity e = drawing_.entity(h);
    rotateEntity(e, cx, cy, angle);
    drawing_.replace(h, std::move(e));
}

int Vecad::Purge(int mode) {
    std::size_t removed = 0;
    if (mode == 3) {
        removed = drawing_.purgeErased();
    } else if (mode == 0 || mode == 1) {
        removed = drawing_.purgeAll();
    } else {
        throw Error(err::kBadArgument, "Purge modes are 0, 1 and 3");
    }
    selection_.removeIf([&](Handle h) { return drawing_.find(h) == nullptr; });
    return static_cast<int>(removed);
}

// ---------------------------------------------------------------- selection

void Vecad::SelectEntity(Handle h, bool select) {
    const Entity& e = drawing_.entity(h);
    if (select) {
        if (e.erased) {
            throw Error(err::kEntityErased);
        }
        selection_.add(h);
    } else {
        selection_.remove(h);
    }
}

void Vecad::SelClear() {
    selection_.clear();
}

Vecad::SelPtr Vecad::SelGetNextPtr(SelPtr ptr) const {
    return ptr >= 1 && ptr < SelPtr(selection_.size()) ? ptr + 1 : 0;
}

Handle Vecad::GetEntityByPtr(SelPtr ptr) const {
    if (ptr < 1 || ptr > SelPtr(selection_.size())) {
        throw Error(err::kBadArgument, "The selection pointer is past the selection");
    }
    return selection_.order()[std::size_t(ptr - 1)];
}

int Vecad::SelExplode() {
    int exploded = 0;
    Drawing::Step step(drawing_, "Explode");
    const std::vector<Handle> chosen = selection_.order();
    SelClear();
    for (Handle h : chosen) {
        const Entity* e = drawing_.find(h);
        if (!e || e->erased) {
            continue;
        }
        std::vector<Entity> parts = explodeEntity(*e, drawing_, explodeTolerance);
        if (parts.empty()) {
            continue;
        }
        for (Entity& part : parts) {
            drawing_.add(std::move(part));
        }
        drawing_.setErased(h, true);
        ++exploded;
    }
    return exploded;
}

int Vecad::SelectByDist(double x, double y, double, double distance, bool select, bool add) {
    if (!add) {
        SelClear();
    }
    const std::vector<Handle> found = drawing_.within(x, y, distance);
    for (Handle h : found) {
        // within() answers live entities of this drawing only.
        if (select) {
            selection_.add(h);
        } else {
            selection_.remove(h);
        }
    }
    return static_cast<int>(found.size());
}

int Vecad::SelectNearby(double x, double y, double distance, std::vector<Drawing::Nearby>& found) {
    drawing_.within(x, y, distance, found);
    for (const Drawing::Nearby& n : found) {
        selection_.add(n.handle);
    }
    return static_cast<int>(found.size());
}

// ---------------------------------------------------------------- layers

bool Vecad::AddLayer(const std::string& name, int color, int lineType, int lineWeight) {
    if (name.empty()) {
        return false;
    }
    Layer layer;
    layer.name = name;
    layer.color.aci = static_cast<std::int16_t>(std::clamp(color, 1, 255));
    const auto& types = drawing_.lineTypes();
    layer.lineType = lineType > 0 && std::size_t(lineType) <= types.size()
                         ? types[std::size_t(lineType) - 1].name
                         : "CONTINUOUS";
    layer.lineWeight = static_cast<std::int16_t>(std::clamp(lineWeight, -3, 211));
    drawing_.addLayer(layer);
    return true;
}

bool Vecad::SetCurLayerByName(const std::string& name) {
    if (!drawing_.findLayer(name)) {
        return false;
    }
    drawing_.setCurrentLayer(name);
    return true;
}

// ---------------------------------------------------------------- picks

Handle Vecad::GetEntityAtPoint(double windowX, double windowY) const {
    const Point2 p = view_.toWorld(windowX, windowY);
    const double aperture = view_.pickDistance();
    const Drawing& inView = shown();
    Handle best = kNoHandle;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (Handle h : inView.within(p.x, p.y, aperture)) {
        // The nearest wins; among equals the one drawn last (on top).
        const double d = distanceTo(inView.entity(h), p.x, p.y, inView);
        if (d <= bestDistance) {
            bestDistance = d;
            best = h;
        }
    }
    return shownSource(best);
}

}  // namespace brondel::engine
