#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/drawing.h"
#include "engine/line_command.h"
#include "engine/selection.h"
#include "engine/view.h"

namespace brondel::engine {

// What a control tells whoever shows it or reacts to it. Headless, nobody
// listens and the notifications cost nothing.
class VecadListener {
  public:
    virtual ~VecadListener() = default;
    virtual void regenerated() {}  // Update: the drawing changed, draw it again
    virtual void redrawn() {}      // WndRedraw: repaint what is there
    virtual void viewChanged() {}
    virtual void notice(const std::string& /*text*/) {}  // the engine's messages
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
    std::string GetFileName() const { return fileName_; }
    bool HasChanged() const { return drawing_.changed(); }
    std::function<std::string()> askSaveName;

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

    // Entity walk over live entities in drawing order.
    Handle GetFirstEntity() const { return drawing_.firstLive(); }
    Handle GetNextEntity(Handle h) const { return drawing_.nextLive(h); }
    int GetNumEntities() const { return static_cast<int>(drawing_.liveCount()); }
    int CountEntities() const { return GetNumEntities(); }
    int EntityGetType(Handle h) const;

    // Editing. New entities go last, on the current layer.
    Handle AddLine(double x1, double y1, double z1, double x2, double y2, double z2);
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

    // Layers. AddLayer(name, ACI colour, line type index (0 = CONTINUOUS),
    // line weight); returns false when the name is empty.
    bool AddLayer(const std::string& name, int color, int lineType, int lineWeight);
    bool SetCurLayerByName(const std::string& name);

    // Picks. A press tells the control where it happened; GetPickedEntity
    // answers for that press, GetEntityAtPoint for any window point. While
    // the engine's own Draw Line command runs the press is the command's:
    // pressAt then returns true and nobody else should act on it.
    bool pressAt(double windowX, double windowY, bool rightButton = false);
    bool commandRunning() const { return lineCommand_ && lineCommand_->running(); }
    // Hands a key to the running command; true when the command took it.
    bool commandKey(int keyCode);
    Handle GetPickedEntity() const { return picked_; }
    Handle GetEntityAtPoint(double windowX, double windowY) const;

    // Drafting aids kept by the control (shown by a desktop view).
    void SnapPutMode(int bits) { snapMode_ = bits; }
    int SnapGetMode() const { return snapMode_; }
    void PolarPutInc(double step) { polarInc_ = step; }
    bool PolarGetOn() const { return polarOn_; }
    void PolarPutOn(bool on) { polarOn_ = on; }
    bool NavGetParam(int param) const { return param == 4 && navigator_; }
    void NavCreate(std::intptr_t parent, int left, int top, int width, int height, int flags);
    // Told when NavCreate has made the navigator, so a skin can show it.
    std::function<void()> navigatorCreated;
    void PrintSetup();

    // Chord tolerance used when splines and ellipses are exploded, drawing units.
    double explodeTolerance = 0.01;

  private:
    void notify(void (VecadListener::*what)());
    Handle addEntity(Entity e);

    Drawing drawing_;
    View view_;
    VecadListener* listener_ = nullptr;
    std::string fileName_;
    Selection selection_;
    Handle picked_ = kNoHandle;
    std::optional<LineCommand> lineCommand_;
    bool focused_ = false;
    int snapMode_ = 0;
    double polarInc_ = 0;
    bool polarOn_ = false;
    bool navigator_ = false;
};

}  // namespace brondel::engine
