#include <cmath>

#include "engine/drawing.h"
#include "engine/explode.h"
#include "engine/image_paths.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"
#include "engine/xref_block.h"
#include "engine/xref_files.h"

namespace brondel::engine::tools {

namespace {

// Larger files are placed without a preview, which would slow the cursor.
constexpr std::size_t kLargestPreview = 20000;

// The one block a preview places.
struct OneBlock : BlockLookup {
    explicit OneBlock(const Block& b) : block(b) {}
    const Block* findBlock(const std::string& name) const override {
        return name == block.name ? &block : nullptr;
    }
    const Block& block;
};

// A drawing file chosen in the open dialog comes in as a reference: a block
// naming the file, shown with the file's model space, placed by its
// insertion point, scale (1) and rotation in degrees (0). A file the drawing
// already refers to gets another reference to the same block.
class InsertXref : public DrawTool {
  public:
    ToolResult begin(ToolContext& c) override {
        const std::string chosen = c.chooseFile({"Insert Xref", kXrefFileFilter});
        if (chosen.empty()) {
            c.message("No drawing chosen");
            return ToolResult::Cancel;
        }
        const std::string drawingFile = savedDrawingFile(c.fileName());
        const std::string stored = storedImagePath(chosen, drawingFile);
        const std::string path = resolvedImagePath(stored, drawingFile);
        for (const auto& [name, block] : c.drawing().blocks()) {
            if (isXrefBlock(block) && resolvedImagePath(block.xrefPath, drawingFile) == path) {
                block_ = block;
                insert_.block = name;
                return ToolResult::Running;
            }
        }
        XrefContents read = readXref(stored, drawingFile, xrefsAround(drawingFile));
        if (!read.error.empty()) {
            c.message("Cannot insert " + chosen + ": " + read.error);
            return ToolResult::Cancel;
        }
        block_.name = newXrefName(c.drawing().blocks(), chosen);
        block_.flags = kXrefBlockFlag;
        block_.entities = std::move(read.entities);
        block_.xrefPath = stored;
        insert_.block = block_.name;
        fresh_ = true;
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (stage_ == Stage::Point) {
            if (e.kind == ToolEvent::Kind::Enter) {
                return ToolResult::Cancel;
            }
            if (e.kind == ToolEvent::Kind::Point) {
                insert_.p = at3(e.at.world);
                stage_ = Stage::Scale;
            }
            return ToolResult::Running;
        }
        if (stage_ == Stage::Scale) {
            double scale = 1;
            if (e.kind == ToolEvent::Kind::Number) {
                scale = e.number;
            } else if (e.kind != ToolEvent::Kind::Enter) {
                return ToolResult::Running;
            }
            if (!(scale > 0) || !std::isfinite(scale)) {
                return refuse(c, "The scale must be greater than 0");
            }
            insert_.scale = {scale, scale, scale};
            stage_ = Stage::Rotation;
            return ToolResult::Running;
        }
        double degrees = 0;
        if (e.kind == ToolEvent::Kind::Number) {
            degrees = e.number;
        } else if (e.kind == ToolEvent::Kind::Point) {
            degrees =
                std::atan2(e.at.world.y - insert_.p.y, e.at.world.x - insert_.p.x) * 180 / kPi;
        } else if (e.kind != ToolEvent::Kind::Enter) {
            return ToolResult::Running;
        }
        if (!std::isfinite(degrees)) {
            return refuse(c, "The rotation must be a number");
        }
        insert_.angle = degrees * kPi / 180;
        keep({Entity(insert_)});
        return ToolResult::Commit;
    }
    void apply(ToolContext& c) override {
        if (fresh_) {
            c.setBlock(block_.name, block_);
        }
        DrawTool::apply(c);
    }
    ToolAsk ask() const override {
        if (stage_ == Stage::Point) {
            return askPoint("insertion point");
        }
        if (stage_ == Stage::Scale) {
            ToolAsk a;
            a.prompt = "scale";
            a.number = true;
            a.fallback = "1";
            return a;
        }
        return askDistance("rotation in degrees", "0");
    }
    std::optional<Point2> basePoint() const override {
        if (stage_ == Stage::Point) {
            return std::nullopt;
        }
        return Point2{insert_.p.x, insert_.p.y};
    }

  protected:
    // The file's entities where the reference would place them: the
    // block is not the drawing's until the command ends.
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (block_.entities.size() > kLargestPreview) {
            return {};
        }
        InsertGeom shown = insert_;
        if (stage_ == Stage::Point) {
            shown.p = at3(cursor);
        }
        return explodeEntity(Entity(std::move(shown)), OneBlock(block_), 0.01);
    }

  private:
    enum class Stage { Point, Scale, Rotation };

    Block block_;
    bool fresh_ = false;
    Stage stage_ = Stage::Point;
    InsertGeom insert_;
};

}  // namespace

std::unique_ptr<Tool> makeInsertXref() {
    return std::make_unique<InsertXref>();
}

}  // namespace brondel::engine::tools
