#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The main window's four toolbars as plain objects. A toolbar's handler acts
// on the pressed position alone; separators occupy positions too.
namespace brondel::shell {

class ToolbarButton {
  public:
    int position() const { return position_; }  // 1-based
    // Keys need not be unique within a toolbar; only the position counts.
    const std::string& key() const { return key_; }
    const std::string& tooltip() const { return tooltip_; }
    // What the user reads on the button: the tooltip in words, a plain
    // caption where the tooltip is only the button's key.
    std::string caption() const;
    bool isSeparator() const { return separator_; }
    bool enabled() const { return enabled_; }
    bool visible() const { return visible_; }

  private:
    friend class ToolbarModel;
    int position_ = 0;
    std::string key_;
    std::string tooltip_;
    bool separator_ = false;
    bool enabled_ = true;
    bool visible_ = true;
};

enum class ToolbarEdge { Top, Left };

class Toolbar {
  public:
    const std::string& name() const { return name_; }    // "asxToolbar1" ...
    const std::string& title() const { return title_; }  // the View > Toolbars caption
    // Top toolbars run across the full width, stacked in layoutOrder();
    // the left one stands upright below them.
    ToolbarEdge edge() const { return edge_; }
    int thicknessTwips() const { return thicknessTwips_; }
    // The toolbar that holds the engine's four selector boxes instead of buttons.
    bool hostsSelectorBoxes() const { return buttons_.empty(); }
    bool visible() const { return visible_; }
    const std::vector<ToolbarButton>& buttons() const { return buttons_; }

  private:
    friend class ToolbarModel;
    std::string name_;
    std::string title_;
    ToolbarEdge edge_ = ToolbarEdge::Top;
    int thicknessTwips_ = 0;
    bool visible_ = true;
    std::vector<ToolbarButton> buttons_;
};

enum class ToolbarProperty {
    Visible,        // the toolbar's visible flag
    ButtonEnabled,  // a button's enabled flag
    ButtonVisible,  // a button's visible flag
    Redraw,         // the toolbar asks to be painted again; nothing changed in the model
};

class ToolbarModel {
  public:
    // button is null for the toolbar's own properties. Called once for every
    // value that actually changed, and for every redraw request.
    using Listener = std::function<void(const Toolbar&, const ToolbarButton*, ToolbarProperty)>;

    // The four toolbars, all shown, in their state before the main window's load.
    ToolbarModel();
    ToolbarModel(const ToolbarModel&) = delete;
    ToolbarModel& operator=(const ToolbarModel&) = delete;

    // asxToolbar1 to asxToolbar4, by number.
    const std::vector<Toolbar>& toolbars() const { return toolbars_; }
    // The names of the top toolbars from the top down, then the left one.
    static std::vector<std::string_view> layoutOrder();

    // Null when unknown.
    const Toolbar* find(std::string_view name) const;
    // Throw brondel::Error for an unknown toolbar or position.
    const Toolbar& toolbar(std::string_view name) const;
    const ToolbarButton& button(std::string_view toolbar, int position) const;

    void setVisible(std::string_view toolbar, bool on);
    void setButtonEnabled(std::string_view toolbar, int position, bool on);
    void setButtonVisible(std::string_view toolbar, int position, bool on);
    void requestRedraw(std::string_view toolbar);

    int addListener(Listener listener);
    void removeListener(int id);

  private:
    Toolbar& mutableToolbar(std::string_view name);
    ToolbarButton& mutableButton(std::string_view toolbar, int position);
    void notify(const Toolbar& toolbar, const ToolbarButton* button, ToolbarProperty property);

    std::vector<Toolbar> toolbars_;
    std::map<int, Listener> listeners_;
    int nextListenerId_ = 1;
};

}  // namespace brondel::shell
