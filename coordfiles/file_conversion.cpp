#include "coordfiles/file_conversion.h"

#include "base/error.h"
#include "base/error_messages.h"
#include "coordfiles/dat_generation.h"
#include "coordfiles/dat_writer.h"
#include "coordfiles/line_collection.h"
#include "engine/entity_type.h"
#include "engine/vecad.h"

namespace brondel::coordfiles {

FileConversion convertSequentialFile(const std::string& drawingPath, const std::string& datPath,
                                     double within) {
    FileConversion result;
    engine::Vecad drawing;
    try {
        drawing.FileOpen(drawingPath);
    } catch (const Error& e) {
        result.message = base::openErrorMessage(e);
        return result;
    }
    result.entities = static_cast<std::size_t>(drawing.GetNumEntities());
    const CollectedLines collected = collectLineRows(drawing);
    result.lines = collected.lines;
    result.jumps = lineJumps(drawing, within);
    result.path = measurePath(collected.rows);
    for (engine::Handle h = drawing.GetFirstEntity(); h != engine::kNoHandle;
         h = drawing.GetNextEntity(h)) {
        const auto type = static_cast<engine::EntityType>(drawing.EntityGetType(h));
        if (type != engine::EntityType::Line) {
            ++result.leftOut[engine::typeName(type)];
        }
    }
    const DatGeneration generation = generateDatList(collected.rows);
    switch (generation.outcome) {
        case DatGenerationOutcome::TooFewRows:
            result.message = std::string(kTooFewRowsText);
            return result;
        case DatGenerationOutcome::Failed:
            result.message = std::string(kGenerationErrorText);
            return result;
        case DatGenerationOutcome::Generated:
            break;
    }
    try {
        writeDatFile(datPath, generation.rows);
    } catch (const Error& e) {
        result.message = base::errorNumberMessage(e);
        return result;
    }
    result.steps = generation.rows.size();
    result.done = true;
    return result;
}

}  // namespace brondel::coordfiles
