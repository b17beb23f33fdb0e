#include "pathtools/kerf_command.h"

#include <cmath>
#include <optional>

#include "base/numbers.h"
#include "coordfiles/list_views.h"
#include "coordfiles/rows.h"
#include "documents/report_line.h"
#include "pathtools/kerf_offset.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

std::optional<double> askKerf(shell::MainWindow& main) {
    for (;;) {
        const std::string answer = main.ports.dialogs.inputBox(kKerfPrompt, kKerfTitle, "");
        if (answer.empty()) {
            return std::nullopt;
        }
        const std::optional<double> value = base::parseNumber(answer);
        if (value && *value > 0 && std::isfinite(*value)) {
            return value;
        }
        main.ports.dialogs.messageBox(kKerfRefusedText, ports::Buttons::Ok, ports::Icon::None,
                                      ports::kApplicationTitle);
    }
}

}  // namespace

void kerfOffsetCommand(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    const std::optional<double> kerf = askKerf(main);
    if (!kerf) {
        return;
    }
    std::vector<engine::Point2> path;
    for (const std::string& row : window.CList.rows) {
        const coordfiles::RowPoint p = coordfiles::readCoordinateRow(row);
        path.push_back({p.x, p.y});
    }
    const KerfOffset offset = kerfOffset(path, *kerf);
    if (!offset.done) {
        main.ports.dialogs.messageBox(offset.message, ports::Buttons::Ok, ports::Icon::None,
                                      kKerfTitle);
        return;
    }
    std::vector<std::string> rows;
    rows.reserve(offset.path.size());
    for (const engine::Point2& p : offset.path) {
        rows.push_back(coordfiles::coordinateRow(p.x, p.y));
    }
    engine::Vecad& vecad = window.Vecad1;
    {
        engine::Drawing::Step step(vecad.drawing(), kKerfTitle);
        for (engine::Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle;
             h = vecad.GetNextEntity(h)) {
            vecad.drawing().setErased(h, true);
        }
        for (std::size_t i = 1; i < offset.path.size(); ++i) {
            const engine::Point2 a = offset.path[i - 1], b = offset.path[i];
            vecad.AddLine(a.x, a.y, 0, b.x, b.y, 0);
        }
    }
    coordfiles::setRows(window.CList, std::move(rows));
    vecad.Update();
    documents::reportLine(window, "Kerf " + base::decimalText(*kerf) +
                                      " allowed for: the path moved out by " +
                                      base::decimalText(*kerf / 2) + ", " +
                                      std::to_string(offset.path.size()) + " vertices.");
}

}  // namespace brondel::pathtools
