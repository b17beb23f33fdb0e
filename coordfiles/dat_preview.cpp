#include "coordfiles/dat_preview.h"

#include <cstdint>
#include <vector>

#include "base/error.h"
#include "base/numbers.h"
#include "coordfiles/rows.h"
#include "engine/commands.h"
#include "shell/busy_pointer.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"

namespace brondel::coordfiles {

namespace {

struct Step {
    float x;
    float y;
};

template <typename Call>
void passOver(Call call) {
    try {
        call();
    } catch (const Error&) {
        // The preview is a picture of the list: a failing call costs a line,
        // not the command.
    }
}

void drawDatPreview(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    shell::BusyPointer busy(main);
    const std::vector<std::string>& rows = window.DList.rows;
    engine::Vecad& preview = window.Vecad2;
    passOver([&] { preview.Purge(0); });
    // Each row is read, then drawn.
    shell::ProgressScope progress(main, kDrawingPreviewTask,
                                  2 * static_cast<std::int64_t>(rows.size()));
    std::vector<Step> steps;
    steps.reserve(rows.size());
    for (const std::string& row : rows) {
        passOver([&] {
            const RowPoint p = readDatRow(row);
            steps.push_back({base::toSingle(p.x), base::toSingle(p.y)});
        });
        progress.step();
    }
    std::vector<engine::Entity> lines;
    lines.reserve(steps.size());
    for (std::size_t i = 1; i < steps.size(); ++i) {
        lines.emplace_back(
            engine::LineGeom{{steps[i - 1].x, steps[i - 1].y, 0}, {steps[i].x, steps[i].y, 0}});
        progress.step();
    }
    steps = {};
    passOver([&] { preview.AddEntities(std::move(lines)); });
    passOver([&] { preview.Update(); });
    passOver([&] { preview.Execute(engine::command::kZoomExtents); });
}

}  // namespace

std::string stepCountText(std::size_t steps) {
    return " " + std::to_string(steps) + " Steps in the DAT File";
}

void showDatPreview(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    main.statusMain.set(3, stepCountText(window.DList.rows.size()));
    if (main.previewOnDemand) {
        window.deferPreview([&window] { drawDatPreview(window); });
        return;
    }
    drawDatPreview(window);
}

}  // namespace brondel::coordfiles
