#pragma once

#include "engine/tool.h"

namespace brondel::engine {

class Vecad;

// What a control lets its running tool reach. It counts the changes made
// through it, so the host knows whether a failed commit left any to undo.
class VecadToolContext final : public ToolContext {
  public:
    explicit VecadToolContext(Vecad& vecad) : vecad_(vecad) {}

    const Drawing& drawing() const override;
    Handle add(Entity e) override;
    Handle addAsIs(Entity e) override;
    void replace(Handle h, Entity e) override;
    void erase(Handle h) override;

    const View& view() const override;
    void rememberView() override;
    void setView(Point2 center, double scale) override;
    void zoomToBox(const Box2& box) override;

    const std::vector<Handle>& selection() const override;
    void select(Handle h) override;
    void clearSelection() override;
    int selectInBox(const Box2& box, bool crossing) override;
    Handle entityAt(Point2 window) const override;

    void message(const std::string& text) override;
    DraftingSettings& settings() override;
    void replaceMany(std::vector<Entity> entities) override;
    void addLayerIfMissing(const Layer& layer) override;

    int selectMany(const std::vector<Handle>& handles) override;
    void setCurrentLayer(const std::string& name) override;
    std::string fileName() const override;
    void setBlock(const std::string& name, std::optional<Block> block) override;
    std::string chooseFile(const FileChoice& choice) override;
    std::optional<std::string> chooseName(const NameChoice& choice) override;
    void eraseMany(const std::vector<Handle>& handles) override;
    void addLineTypeIfMissing(const LineType& lineType) override;
    void addTextStyleIfMissing(const TextStyle& style) override;

    int changes = 0;

  private:
    Vecad& vecad_;
};

}  // namespace brondel::engine
