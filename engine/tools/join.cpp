#include <charconv>
#include <cmath>
#include <string>

#include "engine/drawing.h"
#include "engine/join.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Ends within this part of the drawing's size meet, unless the user says
// otherwise.
constexpr double kDefaultTolerance = 1e-6;

std::string shortNumber(double v) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6);
    return std::string(text, end.ptr);
}

// Joins the selection as it stands; the preview shows the chains it makes.
// Entities on locked layers stay as they are.
class Join : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        const Box2 box = c.drawing().extents();
        const double size = std::max(box.width(), box.height());
        tolerance_ = size > 0 && std::isfinite(size) ? size * kDefaultTolerance : kDefaultTolerance;
        plan(c);
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Option) {
            askingTolerance_ = true;
        } else if (askingTolerance_ && e.kind == ToolEvent::Kind::Number) {
            if (!(e.number > 0) || !std::isfinite(e.number)) {
                c.message("Join: the tolerance must be a number above 0");
                return ToolResult::Running;
            }
            tolerance_ = e.number;
            askingTolerance_ = false;
            plan(c);
        } else if (e.kind == ToolEvent::Kind::Enter) {
            if (askingTolerance_) {
                askingTolerance_ = false;
            } else if (plan_.made.empty()) {
                c.message("Join: nothing in the selection meets end to end" + skippedNote());
                return ToolResult::Done;
            } else {
                return ToolResult::Commit;
            }
        }
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        if (askingTolerance_) {
            a.prompt = "ends closer than this meet";
            a.number = true;
            a.fallback = shortNumber(tolerance_);
            return a;
        }
        a.prompt = "Enter makes " + std::to_string(plan_.made.size()) + " from " +
                   std::to_string(joined_) + " entities";
        a.options = {"Tolerance"};
        return a;
    }
    std::vector<Entity> preview(Point2) const override { return plan_.made; }
    void apply(ToolContext& c) override {
        // Cleared first: dropping a million picks one by one would be slow.
        c.clearSelection();
        // Each made entity carries the handle of the first of its row.
        std::vector<Handle> gone;
        gone.reserve(joined_);
        for (const std::vector<Handle>& from : plan_.from) {
            gone.insert(gone.end(), from.begin() + 1, from.end());
        }
        c.replaceMany(plan_.made);
        c.eraseMany(gone);
        c.message("Join: " + std::to_string(plan_.made.size()) + " made from " +
                  std::to_string(joined_) + " entities" + skippedNote());
    }
    void cancel(ToolContext& c) override { c.clearSelection(); }

  private:
    void plan(ToolContext& c) {
        const Drawing& d = c.drawing();
        std::vector<const Entity*> chosen;
        locked_ = 0;
        for (Handle h : c.selection()) {
            const Entity* e = d.find(h);
            if (!e || e->erased) {
                continue;
            }
            const Layer* layer = d.findLayer(e->props().layer);
            if (layer && layer->locked) {
                ++locked_;
                continue;
            }
            chosen.push_back(e);
        }
        plan_ = planJoin(chosen, tolerance_);
        joined_ = 0;
        for (const auto& from : plan_.from) {
            joined_ += from.size();
        }
    }
    std::string skippedNote() const {
        return locked_ > 0 ? "; " + std::to_string(locked_) + " skipped on locked layers" : "";
    }

    double tolerance_ = kDefaultTolerance;
    bool askingTolerance_ = false;
    JoinPlan plan_;
    std::size_t joined_ = 0, locked_ = 0;
};

}  // namespace

std::unique_ptr<Tool> makeJoin() {
    return std::make_unique<Join>();
}

}  // namespace brondel::engine::tools
