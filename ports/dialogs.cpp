#include "ports/dialogs.h"

#include "engine/block_editor.h"
#include "engine/current_properties_editor.h"
#include "engine/dimension_style_editor.h"
#include "engine/image_editor.h"
#include "engine/layer_editor.h"
#include "engine/view_presets_editor.h"

namespace brondel::ports {

void Dialogs::formatLayers(engine::LayerEditor& editor) {
    typedEditing(*this, editor);
}

void Dialogs::formatCurrentProperties(engine::CurrentPropertiesEditor& editor) {
    typedEditing(*this, editor);
}

void Dialogs::formatBlocks(engine::BlockEditor& editor) {
    typedEditing(*this, editor);
}

void Dialogs::manageImages(engine::ImageEditor& editor) {
    typedEditing(*this, editor);
}

void Dialogs::formatDimensionStyle(engine::DimStyleEditor& editor) {
    typedEditing(*this, editor);
}

void Dialogs::viewPresets(engine::ViewPresetsEditor& editor) {
    typedEditing(*this, editor);
}

void typedEditing(Dialogs& dialogs, engine::TableEditor& editor) {
    for (;;) {
        const std::string line = dialogs.inputBox(editor.prompt(), editor.title(), "");
        if (line.empty()) {
            return;
        }
        if (const std::string refused = editor.command(line); !refused.empty()) {
            dialogs.messageBox(refused, Buttons::Ok, Icon::Exclamation, editor.title());
        }
    }
}

}  // namespace brondel::ports
