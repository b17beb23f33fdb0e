#include "engine/drawing.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// An application name, then a value (Enter: any): selects the entities
// whose extended data from the file has that application, with that value
// among its groups.
class SelectByUserData : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (!app_) {
            if (e.kind == ToolEvent::Kind::Enter) {
                return ToolResult::Cancel;
            }
            if (e.kind == ToolEvent::Kind::Text) {
                app_ = e.text;
            }
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Enter && e.kind != ToolEvent::Kind::Text) {
            return ToolResult::Running;
        }
        const std::string value = e.kind == ToolEvent::Kind::Text ? e.text : std::string();
        std::vector<Handle> found;
        for (const Entity& entity : c.drawing().entities()) {
            if (!entity.erased && entity.xdata() && xdataMatches(*entity.xdata(), *app_, value)) {
                found.push_back(entity.handle);
            }
        }
        return selectFound(c, "Select By User Data", found);
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = app_ ? "value (Enter for any)" : "application name";
        a.text = true;
        return a;
    }

  private:
    std::optional<std::string> app_;
};

}  // namespace

std::unique_ptr<Tool> makeSelectByUserData() {
    return std::make_unique<SelectByUserData>();
}

}  // namespace brondel::engine::tools
