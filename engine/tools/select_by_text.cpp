#include "engine/drawing.h"
#include "engine/mtext_plain.h"
#include "engine/text_pattern.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The words a text shows: a TEXT's string, an MTEXT's lines without their
// format codes, joined by line breaks (which `*` and `?` match).
std::optional<std::string> shownText(const Entity& e) {
    if (const auto* g = geomIf<TextGeom>(e)) {
        return g->text;
    }
    if (const auto* g = geomIf<MTextGeom>(e)) {
        std::string joined;
        for (const std::string& line : mtextPlainLines(g->text)) {
            joined += (joined.empty() ? "" : "\n") + line;
        }
        return joined;
    }
    return std::nullopt;
}

// A pattern with * and ?, matched without regard to case against every
// TEXT and MTEXT.
class SelectByText : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Text) {
            return ToolResult::Running;
        }
        std::vector<Handle> found;
        for (const Entity& entity : c.drawing().entities()) {
            if (entity.erased) {
                continue;
            }
            const std::optional<std::string> text = shownText(entity);
            if (text && matchesPattern(*text, e.text)) {
                found.push_back(entity.handle);
            }
        }
        return selectFound(c, "Select By Text", found);
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = "text to find (* any characters, ? one)";
        a.text = true;
        return a;
    }
};

}  // namespace

std::unique_ptr<Tool> makeSelectByText() {
    return std::make_unique<SelectByText>();
}

}  // namespace brondel::engine::tools
