#include <cmath>

#include "engine/image_paths.h"
#include "engine/image_size.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// A picture file chosen in the open dialog, placed by its lower left corner
// and given a width in drawing units (its width in pixels by default);
// square pixels keep its proportions.
class InsertImage : public DrawTool {
  public:
    ToolResult begin(ToolContext& c) override {
        const std::string chosen = c.chooseFile({"Insert Image", kPictureFileFilter});
        if (chosen.empty()) {
            c.message("No picture chosen");
            return ToolResult::Cancel;
        }
        const std::optional<PixelSize> size = imagePixelSize(chosen);
        if (!size) {
            c.message(imageFileFound(chosen, "")
                          ? "Cannot insert " + chosen +
                                ": it is not a PNG, JPEG, BMP, GIF or TIFF picture"
                          : "Cannot insert " + chosen + ": the file is not found");
            return ToolResult::Cancel;
        }
        image_.fileName = storedImagePath(chosen, savedDrawingFile(c.fileName()));
        image_.widthPx = size->width;
        image_.heightPx = size->height;
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (!placed_) {
            if (e.kind == ToolEvent::Kind::Enter) {
                return ToolResult::Cancel;
            }
            if (e.kind == ToolEvent::Kind::Point) {
                image_.insertion = at3(e.at.world);
                placed_ = true;
            }
            return ToolResult::Running;
        }
        double width = image_.widthPx;
        if (e.kind == ToolEvent::Kind::Number) {
            width = e.number;
        } else if (e.kind == ToolEvent::Kind::Point) {
            width = distance({image_.insertion.x, image_.insertion.y}, e.at.world);
        } else if (e.kind != ToolEvent::Kind::Enter) {
            return ToolResult::Running;
        }
        if (!(width > 0) || !std::isfinite(width)) {
            return refuse(c, "The width must be greater than 0");
        }
        keep({sized(image_.insertion, width)});
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        if (!placed_) {
            return askPoint("insertion point");
        }
        std::string pixels = std::to_string(static_cast<long long>(image_.widthPx));
        return askDistance("width <" + pixels + ">", pixels);
    }
    std::optional<Point2> basePoint() const override {
        if (!placed_) {
            return std::nullopt;
        }
        return Point2{image_.insertion.x, image_.insertion.y};
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (!placed_) {
            return {sized(at3(cursor), image_.widthPx)};
        }
        const double width = distance({image_.insertion.x, image_.insertion.y}, cursor);
        return width > 0 ? std::vector<Entity>{sized(image_.insertion, width)}
                         : std::vector<Entity>{};
    }

  private:
    Entity sized(Point3 at, double width) const {
        ImageGeom g = image_;
        g.insertion = at;
        const double pixel = width / image_.widthPx;
        g.u = {pixel, 0, 0};
        g.v = {0, pixel, 0};
        return Entity(Boxed<ImageGeom>(std::move(g)));
    }

    ImageGeom image_;
    bool placed_ = false;
};

}  // namespace

std::unique_ptr<Tool> makeInsertImage() {
    return std::make_unique<InsertImage>();
}

}  // namespace brondel::engine::tools
