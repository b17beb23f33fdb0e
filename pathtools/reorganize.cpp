#include "pathtools/reorganize.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/error_messages.h"
#include "base/numbers.h"
#include "coordfiles/list_views.h"
#include "coordfiles/rows.h"
#include "documents/file_progress.h"
#include "documents/report_line.h"
#include "engine/entity_ends.h"
#include "engine/entity_type.h"
#include "pathtools/reverse_line.h"
#include "pathtools/walk_report.h"
#include "ports/dialogs.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"

namespace brondel::pathtools {

namespace {

using engine::Handle;
using engine::kNoHandle;

constexpr int kPurgeErased = 3;
constexpr int kPurgeAll = 1;

struct Point {
    double x = 0.0, y = 0.0, z = 0.0;
};

// What the walk reads of an entity, taken in one look-up.
struct Ends {
    Point first, second;
    engine::EntityType type = engine::EntityType::Line;
};

Point pointOf(const engine::Point3& p) {
    return {p.x, p.y, p.z};
}

Ends endsOf(const engine::Vecad& vecad, Handle h) {
    const engine::Entity& e = vecad.drawing().entity(h);
    return {pointOf(engine::entityEndPoint(e, false)), pointOf(engine::entityEndPoint(e, true)),
            e.type()};
}

// Planar: z plays no part. Written out rather than hypot so that equal
// distances, which decide ties, compare equal.
double distance(const Point& a, const Point& b) {
    const double dx = std::fabs(a.x - b.x);
    const double dy = std::fabs(a.y - b.y);
    return std::sqrt(dx * dx + dy * dy);
}

bool isLiveEntityOf(const engine::Vecad& vecad, Handle h) {
    const engine::Entity* e = vecad.drawing().find(h);
    return e != nullptr && !e->erased;
}

struct Candidate {
    Handle handle = kNoHandle;
    // It meets the walk with its second point, so it is turned round.
    bool turned = false;
    Ends ends;  // as found, before any turn
};

// What the walk reads of a found entity: a line's ends as the query found
// them, anything else looked up.
Ends endsOf(const engine::Vecad& vecad, const engine::Drawing::Nearby& found) {
    if (!found.line) {
        return endsOf(vecad, found.handle);
    }
    return {{found.first.x, found.first.y, 0}, {found.second.x, found.second.y, 0}};
}

// The found entity whose nearer end lies closest to the current end. Equal
// first-point distances go to the later entity, an equal second-point
// distance keeps the one found before. None when nothing but the current
// entity and markers was found.
Candidate bestCandidate(const engine::Vecad& vecad, Handle current, const Point& end,
                        const std::vector<engine::Drawing::Nearby>& found) {
    Candidate best;
    double bestDistance = kFarthestCandidate;
    for (const engine::Drawing::Nearby& n : found) {
        if (n.handle == current) {
            continue;
        }
        const Ends ends = endsOf(vecad, n);
        if (ends.type == engine::EntityType::Text) {
            continue;
        }
        const double d1 = distance(end, ends.first);
        const double d2 = distance(end, ends.second);
        if (d1 <= bestDistance) {
            best = {n.handle, d2 < d1, ends};
            bestDistance = d1;
        }
        if (d2 < bestDistance) {
            best = {n.handle, d2 < d1, ends};
            bestDistance = d2;
        }
    }
    return best;
}

void appendNumber(std::string& out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

class Run {
  public:
    Run(documents::DrawingWindow& window, PathDrawing drawing)
        : window_(window), main_(window.main()), vecad_(window.Vecad1), drawing_(drawing) {}

    ReorganizeEnd operator()() {
        coordfiles::setRows(window_.CList, {});
        clearDeadEnd(window_);
        main_.showBusy();
        try {
            engine::Drawing::Step step(vecad_.drawing(), "Reorganize");
            return walkAndRebuild();
        } catch (const Error& e) {
            message(base::errorNumberMessage(e));
            vecad_.Update();
            main_.statusMain.set(3, "");
            main_.showDefault();
            return ReorganizeEnd::Error;
        }
    }

  private:
    ReorganizeEnd walkAndRebuild() {
        shell::AppState& state = main_.state;
        // A start entity of another drawing, or one no longer there, gives
        // no way to begin: stop before anything is changed.
        if (!isLiveEntityOf(vecad_, state.startEntity)) {
            return failed();
        }
        removeStartMarker();
        if (message(kSaveBeforeReorganizeText, ports::Buttons::YesNo) == ports::Answer::Yes) {
            documents::FileProgress progress(main_, vecad_, documents::kSavingDrawingTask);
            vecad_.FileSaveAs(vecad_.GetFileName());
        }
        // A selection left from before would offer its entities as candidates.
        vecad_.SelClear();
        std::vector<std::string> rows;
        if (!walk(rows)) {
            const ReorganizeEnd end = failed();
            const std::unordered_set<Handle> visited(visited_.begin(), visited_.end());
            reportDeadEnd(window_, findDeadEnd(vecad_, {deadEnd_.x, deadEnd_.y}, visited));
            return end;
        }
        coordfiles::setRows(window_.CList, std::move(rows));
        if (drawing_ == PathDrawing::Rebuilt) {
            rebuildAsPath(window_);
        }
        main_.statusMain.set(3, kReorganizeCompleteText);
        main_.showDefault();
        const std::string chords = arcsAsChordsText(
            static_cast<int>(std::unordered_set<Handle>(arcs_.begin(), arcs_.end()).size()));
        if (!chords.empty()) {
            documents::reportLine(window_, chords);
        }
        return ReorganizeEnd::Complete;
    }

    void removeStartMarker() {
        shell::AppState& state = main_.state;
        if (isLiveEntityOf(vecad_, state.startMarker)) {
            vecad_.EntityErase(state.startMarker, true);
        }
        state.startMarker = kNoHandle;
        vecad_.Purge(kPurgeErased);
        vecad_.Update();
    }

    // N steps from the start entity, one row per step; false when a line end
    // leads nowhere.
    bool walk(std::vector<std::string>& rows) {
        shell::AppState& state = main_.state;
        const int steps = vecad_.CountEntities();
        shell::ProgressScope progress(main_, kReorganizingTask, steps);
        rows.reserve(static_cast<std::size_t>(steps) + 1);
        visited_.reserve(static_cast<std::size_t>(steps));
        Point end;
        // Each step's ends are the ones its line was found with: only the
        // start and entities other than lines are looked up.
        Ends ends = endsOf(vecad_, state.startEntity);
        for (int i = 1; i <= steps; ++i) {
            showProgress(i, steps);
            progress.advance(i, steps);
            const Handle current = state.startEntity;
            const Point start = ends.first;
            end = ends.second;
            visited_.push_back(current);
            if (ends.type == engine::EntityType::Arc) {
                arcs_.push_back(current);
            }
            deadEnd_ = end;
            rows.push_back(coordfiles::coordinateRow(start.x, start.y));
            if (i == steps) {
                break;
            }
            // The selection is empty here, so it holds what was found in
            // the order found.
            const int found = vecad_.SelectNearby(end.x, end.y, main_.searchRadius, nearby_);
            if (found == 0) {
                throw Error(err::kNoSuchEntity, "The current entity is not in this drawing");
            }
            if (found == 1) {
                return false;
            }
            vecad_.Update();
            const Candidate next = bestCandidate(vecad_, current, end, nearby_);
            if (next.handle == kNoHandle) {
                return false;
            }
            // Turned round with its ends swapped exactly, so the path keeps
            // its coordinates.
            if (next.turned) {
                reverseLine(vecad_, next.handle);
            }
            ends = next.ends.type != engine::EntityType::Line ? endsOf(vecad_, next.handle)
                   : next.turned ? Ends{next.ends.second, next.ends.first}
                                 : next.ends;
            state.startEntity = next.handle;
            vecad_.SelClear();
            vecad_.Update();
        }
        rows.push_back(coordfiles::coordinateRow(end.x, end.y));
        return true;
    }

    ReorganizeEnd failed() {
        message(kReorganizeFailedText);
        coordfiles::setRows(window_.CList, {});
        main_.statusMain.set(3, "");
        main_.showDefault();
        return ReorganizeEnd::Failed;
    }

    // Writing the panel costs a repaint, so it follows every thousandth step
    // and the first and last exactly.
    void showProgress(int step, int steps) {
        if (step == 1 || step == steps || step % kProgressEvery == 0) {
            main_.statusMain.set(3, progressText(step, steps));
        }
    }

    ports::Answer message(const std::string& text, ports::Buttons buttons = ports::Buttons::Ok) {
        return main_.ports.dialogs.messageBox(text, buttons, ports::Icon::None,
                                              ports::kApplicationTitle);
    }

    documents::DrawingWindow& window_;
    shell::MainWindow& main_;
    engine::Vecad& vecad_;
    const PathDrawing drawing_;
    // What the walk reached, for the report when it stops short.
    std::vector<Handle> visited_;
    std::vector<Handle> arcs_;
    Point deadEnd_;
    std::vector<engine::Drawing::Nearby> nearby_;  // one step's candidates
};

}  // namespace

std::string progressText(int step, int steps) {
    std::string text = "Reorganizing entity ";
    appendNumber(text, step);
    text += " of ";
    appendNumber(text, steps);
    return text;
}

void rebuildAsPath(documents::DrawingWindow& window) {
    engine::Vecad& vecad = window.Vecad1;
    vecad.Purge(kPurgeAll);
    const std::vector<std::string>& rows = window.CList.rows;
    // Each row is read, then drawn.
    shell::ProgressScope progress(window.main(), kRebuildingTask,
                                  2 * static_cast<std::int64_t>(rows.size()));
    std::vector<coordfiles::RowPoint> points;
    points.reserve(rows.size());
    for (const std::string& row : rows) {
        points.push_back(coordfiles::readCoordinateRow(row));
        progress.step();
    }
    std::vector<engine::Entity> lines;
    lines.reserve(points.size());
    for (std::size_t k = 1; k < points.size(); ++k) {
        lines.emplace_back(
            engine::LineGeom{{points[k - 1].x, points[k - 1].y, 0}, {points[k].x, points[k].y, 0}});
        progress.step();
    }
    points = {};
    vecad.AddEntities(std::move(lines));
    vecad.Update();
    vecad.WndSetFocus();
}

ReorganizeEnd reorganizeEntities(documents::DrawingWindow& window, PathDrawing drawing) {
    return Run(window, drawing)();
}

}  // namespace brondel::pathtools
