#include "coordfiles/dat_list_command.h"

#include <string>

#include "coordfiles/busy_pointer.h"
#include "coordfiles/list_views.h"
#include "shell/main_window.h"

namespace brondel::coordfiles {

DatGenerationOutcome generateWindowDatList(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    BusyPointer busy(main);
    ports::Pump& pump = main.ports.pump;
    DatGeneration generation = generateDatList(window.CList.rows, [&pump] { pump.runOnce(); });
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
            setRows(window.DList, std::move(generation.rows));
            pump.runOnce();
            break;
    }
    return generation.outcome;
}

}  // namespace brondel::coordfiles
