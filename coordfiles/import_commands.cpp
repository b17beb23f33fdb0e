#include "coordfiles/import_commands.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/error_messages.h"
#include "base/numbers.h"
#include "coordfiles/dat_reader.h"
#include "coordfiles/line_collection.h"
#include "coordfiles/list_views.h"
#include "coordfiles/rows.h"
#include "engine/commands.h"
#include "shell/busy_pointer.h"
#include "shell/main_window.h"
#include "shell/menu_state.h"
#include "shell/progress_scope.h"

namespace brondel::coordfiles {

namespace {

// Magnitudes that coordinate text can still hold.
constexpr double kCoordinateLimit = 922337203685477.0;

struct Step {
    float x, y;
};

struct Segment {
    float x1, y1, x2, y2;
};

ports::FileDialogSetup openDialog(PairFileKind kind) {
    ports::FileDialogSetup setup;
    const bool dat = kind == PairFileKind::Dat;
    setup.title = dat ? "Open DAT File" : "Open COR File";
    setup.defaultExt = dat ? "dat" : "cor";
    setup.filter =
        dat ? "DAT File (*.DAT)|*.dat|All (*.*)|*.*" : "COR File (*.COR)|*.cor|All (*.*)|*.*";
    setup.filterIndex = 0;
    setup.flags = ports::file_flags::kFileMustExist;
    return setup;
}

const char* taskOf(PairFileKind kind) {
    return kind == PairFileKind::Dat ? kImportingDatTask : kImportingCorTask;
}

float readSize(shell::MainWindow& main) {
    const std::string answer = main.ports.dialogs.inputBox(kSizePrompt, kSizeTitle, "1");
    const std::optional<double> size = base::parseNumber(answer);
    if (!size) {
        throw Error(err::kTypeMismatch);
    }
    // A negative size would draw the shape mirrored, which no one means.
    if (*size < 0) {
        throw Error(err::kInvalidCall, "The horizontal size must not be negative");
    }
    return base::toSingle(*size);
}

float scaled(float size, float value) {
    const float product = size * value;
    if (!std::isfinite(product) || std::fabs(product) > kCoordinateLimit) {
        throw Error(err::kOverflow);
    }
    return product;
}

// The DAT list rows read back as single-precision steps, so the drawing holds
// exactly what the list shows.
std::vector<Step> listSteps(shell::MainWindow& main, PairFileKind kind,
                            const std::vector<std::string>& rows) {
    shell::ProgressScope progress(main, taskOf(kind), static_cast<std::int64_t>(rows.size()));
    std::vector<Step> steps;
    steps.reserve(rows.size());
    for (const std::string& row : rows) {
        const RowPoint p = readDatRow(row);
        steps.push_back({base::toSingle(p.x), base::toSingle(p.y)});
        progress.step();
    }
    return steps;
}

// Every line is worked out before the first is drawn, so a size that takes a
// point beyond coordinate text leaves no half-drawn shape.
std::vector<Segment> scaledChain(const std::vector<Step>& steps, float size) {
    std::vector<Segment> chain;
    chain.reserve(steps.empty() ? 0 : steps.size() - 1);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        chain.push_back({scaled(size, steps[i - 1].x), scaled(size, steps[i - 1].y),
                         scaled(size, steps[i].x), scaled(size, steps[i].y)});
    }
    return chain;
}

void drawChain(shell::MainWindow& main, engine::Vecad& drawing, PairFileKind kind,
               const std::vector<Segment>& chain) {
    shell::ProgressScope progress(main, taskOf(kind), static_cast<std::int64_t>(chain.size()));
    // The imported shape is undone as a whole.
    engine::Drawing::Step step(drawing.drawing(), "Import");
    drawing.Purge(0);
    if (kind == PairFileKind::Dat) {
        drawing.AddLayer(kImportLayer, 248, 0, -3);
        drawing.SetCurLayerByName(kImportLayer);
    }
    for (const Segment& s : chain) {
        drawing.AddLine(s.x1, s.y1, 0, s.x2, s.y2, 0);
        progress.step();
    }
    drawing.Update();
    drawing.Execute(engine::command::kZoomExtents);
}

}  // namespace

void importPairFile(shell::MainWindow& main, PairFileKind kind) {
    const std::string path = main.ports.dialogs.openFile(openDialog(kind));
    if (path.empty()) {
        return;
    }
    documents::DrawingWindow& window = main.NewDrawingWindow();
    ++main.openWindowCount;
    shell::SetDrawingCommandsEnabled(main.menus, main.toolbars, true);
    shell::SetEditCommandsEnabled(main.menus, main.toolbars, true);
    main.statusMain.set(2, path);
    try {
        shell::BusyPointer busy(main);
        const PairFile file = readPairFile(path);
        setRows(window.DList, importedDatRows(file.pairs));
        main.ports.pump.runOnce();
        const std::vector<Step> steps = listSteps(main, kind, window.DList.rows);
        const float size = readSize(main);
        if (size == 0.0f) {
            main.closeWindow(window);
            return;
        }
        drawChain(main, window.Vecad1, kind, scaledChain(steps, size));
        collectLines(window);
        main.statusMain.set(3, file.name);
    } catch (const Error& e) {
        main.ports.dialogs.messageBox(base::errorNumberMessage(e), ports::Buttons::Ok,
                                      ports::Icon::None, ports::kApplicationTitle);
    }
}

}  // namespace brondel::coordfiles
