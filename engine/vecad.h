#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/commands.h"
#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "engine/object_snap.h"
#include "engine/projected_drawing.h"
#include "engine/rubber_band.h"
#include "engine/selection.h"
#include "engine/tool.h"
#include "engine/vecad_tool_context.h"
#include "engine/view.h"
#include "engine/view_direction.h"
#include "engine/view_history.h"

namespace brondel::engine {

// What a control tells whoever shows it or reacts to it. Headless, nobody
// listens and the notifications cost nothing.
class Vecad;

class VecadListener {
  public:
    virtual ~VecadListener() = default;
    virtual void regenerated() {}  // Update: the drawing changed, draw it again
    virtual void redrawn() {}      // WndRedraw: repaint what is there
    virtual void viewChanged() {}
    virtual void notice(const std::string& /*text*/) {}  // the engine's messages
    // Properties: show the selected entity's properties.
    virtual void propertiesRequested() {}
    // The running command's prompt changed ("" when no command runs).
    virtual void promptChanged(const std::string& /*prompt*/) {}
    // preview(), rubberBand() or snapHit() changed: draw them again.
    virtual void rubberBandChanged() {}
    // A line was added to the command window's history.
    virtual void commandLineAdded(const std::string& /*line*/) {}
    // A Format command (layers, colour, line weight, blocks): show its dialog.
    virtual void formatRequested(Vecad& /*control*/, int /*code*/) {}
    // A command asks for an existing file: the path, "" when cancelled.
    virtual std::string fileRequested(const FileChoice& /*choice*/) { return {}; }
    // A command offers names to choose from: the one chosen, "" when
    // cancelled, nothing when no list can be shown.
    virtual std::optional<std::string> nameRequested(const NameChoice& /*choice*/) {
        return std::nullopt;
    }
};

// The drawing control: one drawing and one view. Method names are the ones
// the program calls; failures are brondel::Error.
class Vecad {
  public:
    using SelPtr = std::int64_t;  // position in the selection, 0 = none

    Vecad();
    Vecad(const Vecad&) = delete;
    Vecad& operator=(const Vecad&) = delete;

    Drawing& drawing() { return drawing_; }
    const Drawing& drawing() const { return drawing_; }
    View& view() { return view_; }
    const View& view() const { return view_; }
    void setListener(VecadListener* listener) { listener_ = listener; }
    // Asks whoever shows the control for an existing file ("" without one).
    std::string requestFile(const FileChoice& choice) {
        return listener_ ? listener_->fileRequested(choice) : std::string();
    }
    std::optional<std::string> requestName(const NameChoice& choice) {
        return listener_ ? listener_->nameRequested(choice) : std::nullopt;
    }

    bool visible = true;

    // Files. FileOpen reads DXF (ASCII or binary) and VEC; DWG fails with a
    // clear error. FileSave / FileSaveAs write by the name's extension
    // (.vec native, anything else DXF). FileSaveAs("") asks for a name
    // through the save-name callback; without an answer it is cancelled.
    void FileNew();
    void FileOpen(const std::string& path);
    void FileSave();
    void FileSaveAs(const std::string& path);
    void PutFileName(const std::string& name) { fileName_ = name; }
    // The DXF version a save writes: the opened file's own (R12 and older as
    // R12, the rest as 2000), 2000 for a new drawing. A save as R12 names in
    // the command window what it had to convert.
    void PutDxfVersion(io::DxfVersion version) { dxfVersion_ = version; }
    io::DxfVersion GetDxfVersion() const { return dxfVersion_; }
    std::string GetFileName() const { return fileName_; }
    bool HasChanged() const { return drawing_.changed(); }
    std::function<std::string()> askSaveName;
    // Hears how far FileOpen and FileSave have got: bytes read, or entities
    // written, of the total (0 when not known), between chunks of the work.
    std::function<void(std::int64_t done, std::int64_t total)> fileProgress;

    // Commands by code; the table of codes is in engine/commands.h.
    void Execute(int code);

    void Update();
    void WndRedraw();
    void WndSetFocus() { focused_ = true; }
    bool hasFocus() const { return focused_; }
    void ActivateView(bool active) { focused_ = active; }

    double ViewGetLeft() const { return view_.left(); }
    double ViewGetRight() const { return view_.right(); }
    double ViewGetTop() const { return view_.top(); }
    double ViewGetBottom() const { return view_.bottom(); }
    void ZoomExtents();

    // The 3D views. Away from the top the view shows the drawing's
    // projection along the direction: picks, selections, snaps and zooms
    // work in its plane, and commands that draw or take points refuse.
    ViewDirection viewDirection() const { return viewDirection_; }
    // Ends a running command as Enter would, then shows the whole drawing
    // from the new direction.
    void setViewDirection(ViewDirection direction);
    // What the view shows: the drawing itself from the top, its projection
    // otherwise (brought up to date with the drawing first).
    const Drawing& shown() const;
    // The drawing's entity a shown one stands for.
    Handle shownSource(Handle shownEntity) const;

    // Entity walk over live entities in drawing order.
    Handle GetFirstEntity() const { return drawing_.firstLive(); }
    Handle GetNextEntity(Handle h) const { return drawing_.nextLive(h); }
    int GetNumEntities() const { return static_cast<int>(drawing_.liveCount()); }
    int CountEntities() const { return GetNumEntities(); }
    int EntityGetType(Handle h) const;

    // Editing. New entities go last, on the current layer.
    Handle AddLine(double x1, double y1, double z1, double x2, double y2, double z2);
    // Many entities as one change, appended in their order on the current
    // layer as one Add call each would; answers the first new handle (0 for
    // none). Long runs of additions go this way.
    Handle AddEntities(std::vector<Entity> entities);
    Handle AddPoint(double x, double y, double z);
    // hAlign: 0 left, 1 centre, 2 right; widthFactor and oblique (radians)
    // as the text style would have them.
    Handle AddText(const std::string& text, double x, double y, double z, int hAlign, double height,
                   double widthFactor, double angle, double oblique);
    void EntityPutColor(Handle h, int aci);
    void EntityErase(Handle h, bool erase);
    void EntityRotate(Handle h, double cx, double cy, double cz, double angle);
    // 3 removes the erased entities; 1 and 0 remove every entity (the layers,
    // blocks and styles stay). Returns how many went.
    int Purge(int mode);

    // Selection, in the order entities were selected.
    void SelectEntity(Handle h, bool select);
    void SelClear();
    int SelCount() const { return static_cast<int>(selection_.size()); }
    SelPtr SelGetFirstPtr() const { return selection_.empty() ? 0 : 1; }
    SelPtr SelGetNextPtr(SelPtr ptr) const;
    Handle GetEntityByPtr(SelPtr ptr) const;
    const std::vector<Handle>& selection() const { return selection_.order(); }
    bool isSelected(Handle h) const { return selection_.contains(h); }
    // Replaces every selected compound entity by its parts (appended last)
    // and erases it; simple entities stay. The selection is cleared.
    // Returns the number of entities exploded.
    int SelExplode();
    // Selects every live entity within distance of the point (z plays no
    // part) and returns how many it selected.
    int SelectByDist(double x, double y, double z, double distance, bool select = true,
                     bool add = true);
    // SelectByDist adding to the selection, with what it found (a line's
    // ends included) left in found, whose room a walk keeps between steps.
    int SelectNearby(double x, double y, double distance, std::vector<Drawing::Nearby>& found);

    // Layers. AddLayer(name, ACI colour, line type index (0 = CONTINUOUS),
    // line weight); returns false when the name is empty.
    bool AddLayer(const std::string& name, int color, int lineType, int lineWeight);
    bool SetCurLayerByName(const std::string& name);

    // Picks. A press tells the control where it happened; GetPickedEntity
    // answers for that press, GetEntityAtPoint for any window point.
    Handle GetPickedEntity() const { return picked_; }
    Handle GetEntityAtPoint(double windowX, double windowY) const;

    // The engine's interactive commands (Draw Line, Zoom Window, Select By
    // Rectangle, ...), the tools of the command table, started by Execute or
    // by commandInput. One runs at a time; starting another ends it as Enter
    // would (what is complete is kept), a new or opened drawing cancels it.
    // The view commands that act at once (zoom in, out, extents, previous, to
    // selected), Regenerate, undo, redo and the snap switches leave it
    // running. Each finished command that changed the drawing is one undo
    // step named by its caption; a cancelled one leaves no trace.
    //
    // Pointer events in window pixels. While a command runs a press is its
    // own: pressAt then returns true and nobody else should act on it. A
    // right press acts as Enter.
    bool pressAt(double windowX, double windowY, bool rightButton = false);
    void releaseAt(double windowX, double windowY);
    void cursorAt(double windowX, double windowY);
    // Hands a key to the running command: Enter (13) and Escape (27) are
    // taken; true when the command took the key.
    bool commandKey(int keyCode);
    // A line typed in the command window: a command's name or code, or
    // while a command runs what it asks for: a point ("10,5", "@5,0" or
    // "@5<90" from the last point, or a distance towards the cursor), a
    // number, an option by its capital letters, or text; an empty line is
    // Enter. Input that means nothing leaves one line in the history and the
    // command waits on, never an exception.
    void commandInput(const std::string& text);

    bool commandRunning() const { return command_ != nullptr; }
    int runningCommand() const;         // its code, 0 when none runs
    std::string commandPrompt() const;  // "" when no command runs
    const RubberBand& rubberBand() const { return rubberBand_; }
    // What the running command would add with the cursor where it is, as
    // entities of a drawing of their own (empty when nothing).
    const Drawing& preview() const { return preview_; }
    // Where the cursor snaps to now, for the view's marker.
    const std::optional<SnapHit>& snapHit() const { return snapHit_; }
    // The command window's lines, oldest first: prompts, what was typed
    // (after "> "), notices and messages. The oldest go past kHistoryLines.
    const std::deque<std::string>& commandHistory() const { return history_; }
    static constexpr std::size_t kHistoryLines = 500;

    // Drafting aids kept by the control. SnapPutMode sets the running object
    // snap bits (see engine/object_snap.h); snapping applies to the points of
    // a running command while it is on.
    void SnapPutMode(int bits);
    int SnapGetMode() const { return snapMode_; }
    bool SnapGetOn() const { return snapOn_; }
    void SnapPutOn(bool on);
    void PolarPutInc(double step) { polarInc_ = step; }
    double PolarGetInc() const { return polarInc_; }
    bool PolarGetOn() const { return polarOn_; }
    void PolarPutOn(bool on) { polarOn_ = on; }
    // The dot grid drawn behind the drawing, kGridStep drawing units apart.
    static constexpr double kGridStep = 10;
    bool GridGetShow() const { return gridShow_; }
    void GridPutShow(bool on) { gridShow_ = on; }
    // The grid's spacing in drawing units, kGridStep at first; a step that
    // is not finite and above 0 is ignored.
    double GridGetStep() const { return gridStep_; }
    void GridPutStep(double step);
    // Snap to grid: while on, a point a running command takes from a press
    // or the cursor lands on the nearest grid point, unless an object snap
    // hit first.
    bool GridGetSnap() const { return gridSnap_; }
    void GridPutSnap(bool on) { gridSnap_ = on; }
    bool NavGetParam(int param) const { return param == 4 && navigator_; }
    void NavCreate(std::intptr_t parent, int left, int top, int width, int height, int flags);
    // Told when NavCreate has made the navigator, so a skin can show it.
    std::function<void()> navigatorCreated;
    void PrintSetup();

    // For the interactive commands. View changes that Zoom Previous can go
    // back on remember the view first.
    void rememberView();
    void setView(Point2 center, double scale);  // and tells the listener
    void zoomToBox(const Box2& box);            // remembers, fits, tells
    bool ZoomPrevious();                        // false when there is no earlier view
    // Adds what lies in the box to the selection (wholly inside it, or also
    // what it touches when crossing); returns how many were added.
    int selectInBox(const Box2& box, bool crossing);
    // Adds the live ones of the entities to the selection; returns how many
    // were added.
    int selectMany(const std::vector<Handle>& handles);
    void commandMessage(const std::string& text);  // a line of the history
    DraftingSettings& draftingSettings() { return drafting_; }

    // Chord tolerance used when splines and ellipses are exploded, drawing units.
    double explodeTolerance = 0.01;

    // Adds an entity as drawn now: the current layer, colour, line weight and
    // line type, and for text the current text style.
    Handle addEntity(Entity e);

  private:
    void notify(void (VecadListener::*what)());
    void startOrNotice(int code);
    void startCommand(const CommandRow& row);
    enum class Ending { Cancel, Takeover };
    void endCommand(Ending how);
    void settle(ToolResult result);
    void commit();
    CommandPoint commandPoint(double windowX, double windowY);  // and sets snapHit_
    void refreshRubberBand(bool snapMoved);
    void promptIfChanged();
    std::optional<ToolEvent> typedEvent(const std::string& text);
    std::optional<Point2> typedPoint(const std::string& text);
    void zoomSelected();
    // Picks and zooms in what the view shows, answered as the drawing's entities.
    std::vector<Handle> shownInBox(const Box2& box, bool crossing) const;
    Box2 shownSelectionBox() const;
    void notice(const std::string& text);  // to the listener and the history
    // Gives an entity properties, sharing one record with the entities added
    // before it when they are equal, as a program adding many lines makes them.
    void giveProps(Entity& e, EntityProps p);
    template <class Event>
    void dispatch(Event&& event);

    Drawing drawing_;
    View view_;
    ViewDirection viewDirection_ = ViewDirection::Top;
    mutable ProjectedDrawing projection_;
    RecentAttributes recentAttributes_;
    mutable std::optional<std::uint64_t> projectedVersion_;
    VecadListener* listener_ = nullptr;
    std::string fileName_;
    io::DxfVersion dxfVersion_ = io::DxfVersion::R2000;
    Selection selection_;
    Handle picked_ = kNoHandle;
    // Shared so that a command ended while one of its own handlers runs lives
    // until that handler returns.
    std::shared_ptr<Tool> command_;
    const CommandRow* commandRow_ = nullptr;
    VecadToolContext toolContext_{*this};
    DraftingSettings drafting_;
    Drawing preview_;
    std::string shownPrompt_;
    Point2 cursor_;  // the drawing point the cursor stands for, as commands see it
    RubberBand rubberBand_;
    std::optional<SnapHit> snapHit_;
    std::deque<std::string> history_;
    ViewHistory viewHistory_;
    bool focused_ = false;
    int snapMode_ = 0;
    bool snapOn_ = true;
    double polarInc_ = 0;
    bool polarOn_ = false;
    bool gridShow_ = false;
    double gridStep_ = kGridStep;
    bool gridSnap_ = false;
    bool navigator_ = false;
};

}  // namespace brondel::engine
