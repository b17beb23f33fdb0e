#include "coordfiles/line_collection.h"

#include "base/error.h"
#include "coordfiles/list_views.h"
#include "coordfiles/rows.h"
#include "engine/cad.h"
#include "shell/busy_pointer.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"

namespace brondel::coordfiles {

namespace {

constexpr int kLineType = engine::code(engine::EntityType::Line);

}  // namespace

CollectedLines collectLineRows(const engine::Vecad& drawing,
                               const std::function<void()>& onEntity) {
    CollectedLines collected;
    double lastX2 = 0.0;
    double lastY2 = 0.0;
    const int count = drawing.GetNumEntities();
    collected.rows.reserve(static_cast<std::size_t>(count) + 1);
    engine::Handle h = drawing.GetFirstEntity();
    for (int i = 0; i < count && h != engine::kNoHandle; ++i) {
        try {
            if (drawing.EntityGetType(h) == kLineType) {
                double x1, y1, z1, x2, y2, z2;
                engine::CadLineGetPoint1(h, x1, y1, z1);
                engine::CadLineGetPoint2(h, x2, y2, z2);
                ++collected.lines;
                lastX2 = x2;
                lastY2 = y2;
                collected.rows.push_back(coordinateRow(x1, y1));
            }
        } catch (const Error&) {
            // A line that cannot be read or written leaves no row.
        }
        h = drawing.GetNextEntity(h);
        if (onEntity) {
            onEntity();
        }
    }
    try {
        collected.rows.push_back(coordinateRow(lastX2, lastY2));
    } catch (const Error&) {
        // The last point is beyond coordinate text: the path ends a row short.
    }
    return collected;
}

std::size_t collectLines(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    shell::BusyPointer busy(main);
    setRows(window.CList, {});
    shell::ProgressScope progress(main, kCollectingLinesTask, window.Vecad1.GetNumEntities());
    CollectedLines collected = collectLineRows(window.Vecad1, [&progress] { progress.step(); });
    setRows(window.CList, std::move(collected.rows));
    return collected.lines;
}

}  // namespace brondel::coordfiles
