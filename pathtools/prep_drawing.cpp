#include "pathtools/prep_drawing.h"

#include <string>

#include "base/error.h"
#include "engine/entity_type.h"
#include "engine/explode.h"
#include "ports/dialogs.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"

namespace brondel::pathtools {

namespace {

constexpr int kPurgeErased = 3;

// Preparation goes on past a failing engine call.
template <typename Call>
void skippingFailure(Call call) {
    try {
        call();
    } catch (const Error&) {
        // The step is passed over; its value keeps the one it had.
    }
}

// One pass explodes every entity as the drawing now stands, so the parts a
// pass makes are broken up by the next one. Only what explodes is selected:
// a large drawing is mostly lines, which would come out as they went in.
void explodePass(engine::Vecad& vecad, shell::ProgressScope& progress) {
    progress.stage(kPreparingDrawingTask, vecad.GetNumEntities());
    // By position, read afresh each time: the pump runs within a step.
    const std::vector<engine::Entity>& entities = vecad.drawing().entities();
    for (std::size_t i = 0; i < entities.size(); ++i) {
        if (entities[i].erased) {
            continue;
        }
        if (engine::breaksUp(entities[i])) {
            vecad.SelectEntity(entities[i].handle, true);
        }
        progress.step();
    }
    skippingFailure([&] { vecad.SelExplode(); });
    skippingFailure([&] { vecad.Purge(kPurgeErased); });
    vecad.SelClear();
}

std::string prepCompleteText(int lines) {
    return "Drawing prep complete! \r" + std::to_string(lines) + " Total new line created. ";
}

}  // namespace

int countLines(const engine::Vecad& vecad, const std::function<void()>& onEntity) {
    int count = 0;
    // By position, read afresh each time: the pump runs within a step.
    const std::vector<engine::Entity>& entities = vecad.drawing().entities();
    for (std::size_t i = 0; i < entities.size(); ++i) {
        if (entities[i].erased) {
            continue;
        }
        count += entities[i].type() == engine::EntityType::Line ? 1 : 0;
        if (onEntity) {
            onEntity();
        }
    }
    return count;
}

int prepDrawing(documents::DrawingWindow& window) {
    engine::Vecad& vecad = window.Vecad1;
    int lines = 0;
    {
        // Each pass, and the count, fills the bar anew.
        shell::ProgressScope progress(window.main(), kPreparingDrawingTask);
        engine::Drawing::Step step(vecad.drawing(), "Prep Drawing");
        skippingFailure([&] { vecad.Purge(kPurgeErased); });
        for (int pass = 0; pass < kPrepPasses; ++pass) {
            explodePass(vecad, progress);
        }
        progress.stage(kPreparingDrawingTask, vecad.GetNumEntities());
        lines = countLines(vecad, [&progress] { progress.step(); });
    }
    window.main().ports.dialogs.messageBox(prepCompleteText(lines), ports::Buttons::Ok,
                                           ports::Icon::None, ports::kApplicationTitle);
    vecad.WndSetFocus();
    return lines;
}

void purgeDeleted(documents::DrawingWindow& window) {
    window.Vecad1.Purge(kPurgeErased);
}

}  // namespace brondel::pathtools
