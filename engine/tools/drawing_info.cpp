#include "engine/drawing_info.h"
#include "engine/drawing.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Says at once, in the command window, what the drawing holds.
class DrawingInfo : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        for (const std::string& line : drawingInfo(c.drawing(), c.fileName())) {
            c.message("Drawing Info: " + line);
        }
        return ToolResult::Done;
    }
    ToolResult update(ToolContext&, const ToolEvent&) override { return ToolResult::Done; }
    ToolAsk ask() const override { return {}; }
};

}  // namespace

std::unique_ptr<Tool> makeDrawingInfo() {
    return std::make_unique<DrawingInfo>();
}

}  // namespace brondel::engine::tools
