#include "engine/tools/edge_tool.h"

#include <cmath>
#include <limits>

#include "engine/curve_path.h"
#include "engine/drawing.h"
#include "engine/shape.h"
#include "engine/view.h"

namespace brondel::engine::tools {

ToolResult EdgeTool::begin(ToolContext& c) {
    context_ = &c;
    if (!c.selection().empty()) {
        edges_.insert(c.selection().begin(), c.selection().end());
        picking_ = false;
    }
    return ToolResult::Running;
}

ToolResult EdgeTool::update(ToolContext& c, const ToolEvent& e) {
    context_ = &c;
    if (picking_) {
        if (e.kind == ToolEvent::Kind::Point) {
            const Handle h = c.entityAt(e.at.window);
            if (h == kNoHandle) {
                c.message("Nothing there");
            } else {
                c.select(h);
            }
        } else if (e.kind == ToolEvent::Kind::Enter) {
            edges_.insert(c.selection().begin(), c.selection().end());
            allEdges_ = edges_.empty();
            picking_ = false;
        }
        return ToolResult::Running;
    }
    if (e.kind == ToolEvent::Kind::Enter) {
        return pending_.empty() ? ToolResult::Done : ToolResult::Commit;
    }
    if (e.kind != ToolEvent::Kind::Point) {
        return ToolResult::Running;
    }
    const auto target = targetAt(c.drawing(), e.at.world);
    if (!target) {
        c.message(name() + ": nothing there");
        return ToolResult::Running;
    }
    if (target->locked) {
        ++locked_;
        c.message(name() + ": that entity is on a locked layer; it stays as it is");
        return ToolResult::Running;
    }
    std::vector<Entity> parts = partsOf(c.drawing(), target->handle);
    auto made =
        change(parts[target->part], e.at.world, edgesFor(c.drawing(), *target), c.drawing());
    if (auto* why = std::get_if<std::string>(&made)) {
        c.message(name() + ": " + *why);
        return ToolResult::Running;
    }
    Change& done = std::get<Change>(made);
    parts.erase(parts.begin() + std::ptrdiff_t(target->part));
    parts.insert(parts.begin() + std::ptrdiff_t(target->part), done.parts.begin(),
                 done.parts.end());
    pending_[target->handle] = std::move(parts);
    marks_.push_back(std::move(done.shown));
    ++changed_;
    return ToolResult::Running;
}

ToolAsk EdgeTool::ask() const {
    ToolAsk a;
    a.point = true;
    a.prompt = picking_ ? "pick the edges (Enter: every entity)" : pressPrompt() + " (Enter ends)";
    return a;
}

std::vector<Entity> EdgeTool::preview(Point2 cursor) const {
    std::vector<Entity> shown = marks_;
    if (!picking_ && context_) {
        if (auto next = tryAt(cursor)) {
            shown.push_back(std::move(next->shown));
        }
    }
    return shown;
}

void EdgeTool::apply(ToolContext& c) {
    for (const auto& [h, parts] : pending_) {
        if (parts.empty()) {
            c.erase(h);
            continue;
        }
        c.replace(h, parts.front());
        for (std::size_t i = 1; i < parts.size(); ++i) {
            c.addAsIs(parts[i]);
        }
    }
    c.clearSelection();
    std::string said = name() + ": " + std::to_string(changed_) + " changed";
    if (locked_ > 0) {
        said += ", " + std::to_string(locked_) + " skipped on locked layers";
    }
    c.message(said);
}

void EdgeTool::cancel(ToolContext& c) {
    c.clearSelection();
}

std::vector<Entity> EdgeTool::partsOf(const Drawing& d, Handle h) const {
    const auto it = pending_.find(h);
    return it != pending_.end() ? it->second : std::vector<Entity>{d.entity(h)};
}

// The nearest part under the point, as the command holds the entities.
std::optional<EdgeTool::Target> EdgeTool::targetAt(const Drawing& d, Point2 at) const {
    const double reach = context_->view().pickDistance();
    std::optional<Target> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    const auto consider = [&](Handle h) {
        const std::vector<Entity> parts = partsOf(d, h);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const auto path = curvePath(parts[i]);
            double distance = 0;
            if (!path) {
                continue;
            }
            path->nearest(at, &distance);
            if (distance <= reach && distance <= bestDistance) {
                bestDistance = distance;
                const Layer* layer = d.findLayer(parts[i].props().layer);
                best = Target{h, i, layer && layer->locked};
            }
        }
    };
    for (Handle h : d.within(at.x, at.y, reach)) {
        consider(h);
    }
    return best;
}

EdgesIn EdgeTool::edgesFor(const Drawing& d, const Target& target) const {
    return [this, &d, target](const Box2& box, const std::function<void(const Entity&)>& visit) {
        std::vector<Handle> found = d.inBox(box, true);
        // A part made longer by an earlier press may reach past its old box.
        for (const auto& [h, parts] : pending_) {
            for (const Entity& part : parts) {
                const Box2 b = boundingBox(part, d);
                if (b.minX <= box.maxX && box.minX <= b.maxX && b.minY <= box.maxY &&
                    box.minY <= b.maxY) {
                    found.push_back(h);
                    break;
                }
            }
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        for (Handle h : found) {
            if (!allEdges_ && !edges_.contains(h)) {
                continue;
            }
            const std::vector<Entity> parts = partsOf(d, h);
            for (std::size_t i = 0; i < parts.size(); ++i) {
                if (h != target.handle || i != target.part) {
                    visit(parts[i]);
                }
            }
        }
    };
}

std::optional<EdgeTool::Change> EdgeTool::tryAt(Point2 at) const {
    const Drawing& d = context_->drawing();
    const auto target = targetAt(d, at);
    if (!target || target->locked) {
        return std::nullopt;
    }
    auto made = change(partsOf(d, target->handle)[target->part], at, edgesFor(d, *target), d);
    if (std::holds_alternative<std::string>(made)) {
        return std::nullopt;
    }
    return std::get<Change>(std::move(made));
}

}  // namespace brondel::engine::tools
