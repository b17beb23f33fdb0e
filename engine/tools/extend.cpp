#include "engine/drawing.h"
#include "engine/tools/edge_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Each press moves the nearer end of a line, arc or open polyline along its
// own direction to the nearest boundary edge.
class Extend : public EdgeTool {
  protected:
    std::variant<Change, std::string> change(const Entity& e, Point2 at, const EdgesIn& edges,
                                             const Drawing& d) const override {
        auto longer = extendAt(e, at, edges, d.extents());
        if (auto* why = std::get_if<std::string>(&longer)) {
            return *why;
        }
        Extended& x = std::get<Extended>(longer);
        return Change{{std::move(x.result)}, std::move(x.added)};
    }
    std::string name() const override { return "Extend"; }
    std::string pressPrompt() const override { return "press near the end to extend"; }
};

}  // namespace

std::unique_ptr<Tool> makeExtend() {
    return std::make_unique<Extend>();
}

}  // namespace brondel::engine::tools
