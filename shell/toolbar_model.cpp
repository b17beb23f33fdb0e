#include "shell/toolbar_model.h"

#include <span>
#include <string>
#include <utility>

#include "base/error.h"

namespace brondel::shell {

namespace {

enum class Kind { Button, Separator, HiddenButton };

struct ButtonRow {
    const char* key;
    const char* tooltip;
    Kind kind;
};

constexpr Kind B = Kind::Button;
constexpr Kind S = Kind::Separator;

// Rows in position order, position 1 first.
constexpr ButtonRow kCommandButtons[] = {
    {"filenew", "New File", B},
    {"filerecent", "Open Recent Files", B},
    {"fileopen", "fileopen", B},
    {"filesave", "Save ", B},
    {"fileprint", "Print File", B},
    {"", "", S},
    {"7", "Zoom Extents", B},
    {"8", "Zoom Window", B},
    {"9", "Zoom In", B},
    {"10", "Zoom Out", B},
    {"11", "Zoom Previous", B},
    {"12", "Zoom Realtime", B},
    {"13", "Magnifier", B},
    {"14", "Navigator", B},
    {"15", "Pan", B},
    {"", "", S},
    {"17", "Copy", B},
    {"16", "Cut", B},
    {"19", "Paste", B},
    {"", "", S},
    {"21", "Undo", B},
    {"22", "Redo", B},
    {"45", "", S},
    {"24", "Regenerate", B},
    {"25", "Open Command Window", B},
    {"26", "", Kind::HiddenButton},
    {"", "", S},
    {"coorlist", "View Drawing / Coordinate List", B},
    {"Datlist", "View Drawing / DAT List", B},
};

constexpr ButtonRow kDrawingTools[] = {
    {"25", "Select by Rectangle", B},
    {"1", "Draw Line", B},
    {"3", "Draw PolyLine", B},
    {"4", "Draw Circle", B},
    {"7", "Draw Arc", B},
    {"8", "Draw Ellipse", B},
    {"mline", "Draw Parallel Lines", B},
    {"polygont", "Draw Polygon", B},
    {"2", "Draw Point", B},
    {"10", "Draw Rectangle", B},
    {"11", "Add Text", B},
    {"", "", S},
    {"14", "Insert Image", B},
    {"50", "Copy Drop", B},
    {"26", "Mirror", B},
    {"29", "Explode", B},
    {"27", "Erase", B},
    {"23", "Move", B},
    {"24", "Rotate", B},
    {"25", "Scale", B},
    {"trim", "Trim", B},
};

constexpr ButtonRow kSnapAndDimensions[] = {
    {"snapend", "Snap to Endpoint", B},
    {"snapnearest", "Snap to Midpoint", B},
    {"snapcenter", "Snap to Center", B},
    {"snapnode", "Snap to Node", B},
    {"snapinter", "Snap to Intersection", B},
    {"snapperp", "Snap to Perpendicular", B},
    {"snaptang", "Snap to Tangent", B},
    {"snapcross", "Snap to Nearest", B},
    {"snapgrip", "Snap to Grip", B},
    {"snapX", "Clear Snap Modes", B},
    {"SnapDia", "Snap Options", B},
    {"sanponoff", "Toogle Snap Mode On/Off (F3)", B},
    {"", "", S},
    {"lineardim", "Linear Dimension", B},
    {"angleddim", "Aligned Dimension", B},
    {"radiusdim", "Radius Dimension", B},
    {"diadim", "Diameter Dimension", B},
    {"angle", "Angle Dimension", B},
    {"", "", S},
    {"ortho", "Toggle Ortho", B},
};

// Plain captions for the buttons whose tooltip is their key.
constexpr std::pair<std::string_view, std::string_view> kKeyCaptions[] = {
    {"fileopen", "Open a drawing"},
};

[[noreturn]] void throwUnknown(std::string_view toolbar, int position) {
    std::string text = "No toolbar named " + std::string(toolbar);
    if (position != 0) {
        text = "No position " + std::to_string(position) + " on " + std::string(toolbar);
    }
    throw Error(err::kBadArgument, text);
}

}  // namespace

std::string ToolbarButton::caption() const {
    if (tooltip_ == key_) {
        for (const auto& [key, caption] : kKeyCaptions) {
            if (key == key_) {
                return std::string(caption);
            }
        }
    }
    const std::size_t end = tooltip_.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : tooltip_.substr(0, end + 1);
}

ToolbarModel::ToolbarModel() {
    // A lambda inside the constructor shares its access to the toolbars' members.
    const auto add = [this](const char* name, const char* title, ToolbarEdge edge,
                            int thicknessTwips, std::span<const ButtonRow> rows) {
        Toolbar& bar = toolbars_.emplace_back();
        bar.name_ = name;
        bar.title_ = title;
        bar.edge_ = edge;
        bar.thicknessTwips_ = thicknessTwips;
        for (const ButtonRow& row : rows) {
            ToolbarButton& button = bar.buttons_.emplace_back();
            button.position_ = static_cast<int>(bar.buttons_.size());
            button.key_ = row.key;
            button.tooltip_ = row.tooltip;
            button.separator_ = row.kind == Kind::Separator;
            button.visible_ = row.kind != Kind::HiddenButton;
        }
    };
    add("asxToolbar1", "Command Buttons", ToolbarEdge::Top, 435, kCommandButtons);
    add("asxToolbar2", "Drawing Tools", ToolbarEdge::Left, 435, kDrawingTools);
    add("asxToolbar3", "Information Tool Bar", ToolbarEdge::Top, 495, {});
    add("asxToolbar4", "Snap and Dimensions", ToolbarEdge::Top, 435, kSnapAndDimensions);
}

std::vector<std::string_view> ToolbarModel::layoutOrder() {
    return {"asxToolbar1", "asxToolbar4", "asxToolbar3", "asxToolbar2"};
}

const Toolbar* ToolbarModel::find(std::string_view name) const {
    for (const Toolbar& bar : toolbars_) {
        if (bar.name_ == name) {
            return &bar;
        }
    }
    return nullptr;
}

const Toolbar& ToolbarModel::toolbar(std::string_view name) const {
    const Toolbar* bar = find(name);
    if (bar == nullptr) {
        throwUnknown(name, 0);
    }
    return *bar;
}

const ToolbarButton& ToolbarModel::button(std::string_view toolbar, int position) const {
    const Toolbar& bar = this->toolbar(toolbar);
    if (position < 1 || position > static_cast<int>(bar.buttons_.size())) {
        throwUnknown(toolbar, position);
    }
    return bar.buttons_[static_cast<std::size_t>(position - 1)];
}

Toolbar& ToolbarModel::mutableToolbar(std::string_view name) {
    return toolbars_[static_cast<std::size_t>(&toolbar(name) - toolbars_.data())];
}

ToolbarButton& ToolbarModel::mutableButton(std::string_view toolbar, int position) {
    const ToolbarButton& found = button(toolbar, position);
    Toolbar& bar = mutableToolbar(toolbar);
    return bar.buttons_[static_cast<std::size_t>(&found - bar.buttons_.data())];
}

void ToolbarModel::setVisible(std::string_view toolbar, bool on) {
    Toolbar& bar = mutableToolbar(toolbar);
    if (bar.visible_ != on) {
        bar.visible_ = on;
        notify(bar, nullptr, ToolbarProperty::Visible);
    }
}

void ToolbarModel::setButtonEnabled(std::string_view toolbar, int position, bool on) {
    ToolbarButton& button = mutableButton(toolbar, position);
    if (button.enabled_ != on) {
        button.enabled_ = on;
        notify(this->toolbar(toolbar), &button, ToolbarProperty::ButtonEnabled);
    }
}

void ToolbarModel::setButtonVisible(std::string_view toolbar, int position, bool on) {
    ToolbarButton& button = mutableButton(toolbar, position);
    if (button.visible_ != on) {
        button.visible_ = on;
        notify(this->toolbar(toolbar), &button, ToolbarProperty::ButtonVisible);
    }
}

void ToolbarModel::requestRedraw(std::string_view toolbar) {
    notify(this->toolbar(toolbar), nullptr, ToolbarProperty::Redraw);
}

void ToolbarModel::notify(const Toolbar& toolbar, const ToolbarButton* button,
                          ToolbarProperty property) {
    // A listener may remove itself while being told.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners) {
        listener(toolbar, button, property);
    }
}

int ToolbarModel::addListener(Listener listener) {
    const int id = nextListenerId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void ToolbarModel::removeListener(int id) {
    listeners_.erase(id);
}

}  // namespace brondel::shell
