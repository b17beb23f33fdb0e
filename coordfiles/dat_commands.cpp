#include "coordfiles/dat_commands.h"

#include <cmath>
#include <optional>
#include <string>

#include "base/error.h"
#include "base/error_messages.h"
#include "base/numbers.h"
#include "coordfiles/dat_list_command.h"
#include "coordfiles/dat_preview.h"
#include "coordfiles/line_collection.h"
#include "coordfiles/list_views.h"
#include "coordfiles/path_jumps.h"
#include "documents/report_line.h"
#include "shell/main_window.h"

namespace brondel::coordfiles {

namespace {

void showMessage(shell::MainWindow& main, const std::string& text) {
    main.ports.dialogs.messageBox(text, ports::Buttons::Ok, ports::Icon::None,
                                  ports::kApplicationTitle);
}

// Whether the generation left a DAT list worth previewing. A too-short list
// lowers the flag it raised; a list that could not be read stops here too,
// rather than previewing an old DAT list as if it were the new one.
bool generated(documents::DrawingWindow& window) {
    const DatGenerationOutcome outcome = generateWindowDatList(window);
    shell::AppState& state = window.main().state;
    if (state.generationFailed || outcome != DatGenerationOutcome::Generated) {
        state.generationFailed = false;
        window.Vecad1.WndSetFocus();
        return false;
    }
    return true;
}

}  // namespace

void convertSequentialDrawing(documents::DrawingWindow& window) {
    collectLines(window);
    if (!generated(window)) {
        return;
    }
    showDatPreview(window);
    window.Vecad2.WndSetFocus();
    showDatView(window);
    showMessage(window.main(), kConversionCompleteText);
    const std::string jumps = jumpsText(lineJumps(window.Vecad1, window.main().searchRadius));
    if (!jumps.empty()) {
        documents::reportLine(window, jumps);
    }
    window.Vecad1.WndSetFocus();
}

void convertCoordinateList(documents::DrawingWindow& window) {
    if (!generated(window)) {
        return;
    }
    showDatPreview(window);
    showDatView(window);
    showMessage(window.main(), kConversionCompleteText);
    window.Vecad2.WndSetFocus();
}

void changeSearchRadius(shell::MainWindow& main) {
    for (;;) {
        const std::string answer = main.ports.dialogs.inputBox(
            kRadiusPrompt, kRadiusTitle, base::decimalText(main.searchRadius));
        if (answer.empty()) {
            break;
        }
        const std::optional<double> radius = base::parseNumber(answer);
        if (radius && *radius > 0 && std::isfinite(*radius)) {
            main.searchRadius = *radius;
            break;
        }
        showMessage(main, kRadiusRefusedText);
    }
    if (documents::DrawingWindow* window = main.active()) {
        window->Vecad1.WndSetFocus();
    }
}

}  // namespace brondel::coordfiles
