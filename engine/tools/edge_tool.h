#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/tool.h"
#include "engine/trim_extend.h"

namespace brondel::engine::tools {

// Trim and Extend: first the edges (the selection; or picks, Enter taking
// every entity when none is picked), then presses on the entities to change.
// The changes wait in the tool until Enter, so the command is one undo step;
// later presses see the earlier ones.
class EdgeTool : public Tool {
  public:
    ToolResult begin(ToolContext& c) override;
    ToolResult update(ToolContext& c, const ToolEvent& e) override;
    ToolAsk ask() const override;
    std::vector<Entity> preview(Point2 cursor) const override;
    void apply(ToolContext& c) override;
    void cancel(ToolContext& c) override;

  protected:
    // One press's change of `e` (a part of the entity as the command holds
    // it): the parts it becomes and what the preview marks, or why nothing
    // changes.
    struct Change {
        std::vector<Entity> parts;
        Entity shown;
    };
    virtual std::variant<Change, std::string> change(const Entity& e, Point2 at,
                                                     const EdgesIn& edges,
                                                     const Drawing& d) const = 0;
    virtual std::string name() const = 0;
    virtual std::string pressPrompt() const = 0;

  private:
    struct Target {
        Handle handle = kNoHandle;
        std::size_t part = 0;
        bool locked = false;
    };
    std::optional<Target> targetAt(const Drawing& d, Point2 at) const;
    std::vector<Entity> partsOf(const Drawing& d, Handle h) const;
    EdgesIn edgesFor(const Drawing& d, const Target& target) const;
    std::optional<Change> tryAt(Point2 at) const;

    const ToolContext* context_ = nullptr;
    bool picking_ = true;
    bool allEdges_ = false;
    std::set<Handle> edges_;
    std::map<Handle, std::vector<Entity>> pending_;  // what each changed entity is now
    std::vector<Entity> marks_;                      // what the presses cut or added
    int changed_ = 0, locked_ = 0;
};

}  // namespace brondel::engine::tools
