#include "coordfiles/dat_list_command.h"

#include <cstdint>
#include <string>

#include "coordfiles/list_views.h"
#include "shell/busy_pointer.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"

namespace brondel::coordfiles {

DatGenerationOutcome generateWindowDatList(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    shell::BusyPointer busy(main);
    DatGeneration generation;
    {
        shell::ProgressScope progress(main, kGeneratingDatListTask,
                                      static_cast<std::int64_t>(window.CList.rows.size()));
        generation = generateDatList(window.CList.rows, [&progress] { progress.step(); });
    }
    switch (generation.outcome) {
        case DatGenerationOutcome::TooFewRows:
            main.ports.dialogs.messageBox(std::string(kTooFewRowsText), ports::Buttons::Ok,
                                          ports::Icon::None, std::string(kTooFewRowsTitle));
            main.state.generationFailed = true;
            break;
        case DatGenerationOutcome::Failed:
            main.ports.dialogs.messageBox(std::string(kGenerationErrorText), ports::Buttons::Ok,
                                          ports::Icon::None, std::string(kGenerationErrorTitle));
            break;
        case DatGenerationOutcome::Generated:
            window.settlePreview();  // a waiting preview shows the list it was made for
            setRows(window.DList, std::move(generation.rows));
            main.ports.pump.runOnce();
            break;
    }
    return generation.outcome;
}

}  // namespace brondel::coordfiles
