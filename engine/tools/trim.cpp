#include "engine/tools/edge_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Each press cuts away the part of an entity between the crossings with the
// cutting edges nearest to it.
class Trim : public EdgeTool {
  protected:
    std::variant<Change, std::string> change(const Entity& e, Point2 at, const EdgesIn& edges,
                                             const Drawing&) const override {
        auto cut = trimAt(e, at, edges);
        if (auto* why = std::get_if<std::string>(&cut)) {
            return *why;
        }
        Trimmed& t = std::get<Trimmed>(cut);
        return Change{std::move(t.kept), std::move(t.removed)};
    }
    std::string name() const override { return "Trim"; }
    std::string pressPrompt() const override { return "press on the part to cut away"; }
};

}  // namespace

std::unique_ptr<Tool> makeTrim() {
    return std::make_unique<Trim>();
}

}  // namespace brondel::engine::tools
