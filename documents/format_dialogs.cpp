// The Format commands' dialogs: the engine names the command, the program's
// dialogs show it over the editor that makes the changes.

#include "documents/drawing_window.h"
#include "documents/raster_export.h"
#include "engine/aid_settings_editor.h"
#include "engine/block_editor.h"
#include "engine/current_properties_editor.h"
#include "engine/dimension_style_editor.h"
#include "engine/image_editor.h"
#include "engine/layer_editor.h"
#include "engine/layer_order.h"
#include "engine/line_type_editor.h"
#include "engine/multi_line_style_editor.h"
#include "engine/page_editor.h"
#include "engine/point_style_editor.h"
#include "engine/text_style_editor.h"
#include "engine/view_presets_editor.h"
#include "engine/xref_editor.h"
#include "shell/main_window.h"

namespace brondel::documents {

void ControlEvents::formatRequested(engine::Vecad& control, int code) {
    engine::Drawing& drawing = control.drawing();
    ports::Dialogs& dialogs = main_.ports.dialogs;
    const std::uint64_t before = drawing.version();
    switch (code) {
        case engine::command::kFormatLayers: {
            engine::LayerEditor editor(drawing);
            dialogs.formatLayers(editor);
            break;
        }
        case engine::command::kSetLayerOrder: {
            engine::LayerOrderEditor editor(drawing);
            ports::typedEditing(dialogs, editor);
            break;
        }
        case engine::command::kFormatColors:
        case engine::command::kFormatLineWeight: {
            engine::CurrentPropertiesEditor editor(
                drawing, code == engine::command::kFormatColors
                             ? engine::CurrentPropertiesEditor::Kind::Color
                             : engine::CurrentPropertiesEditor::Kind::LineWeight);
            dialogs.formatCurrentProperties(editor);
            break;
        }
        case engine::command::kFormatBlocks: {
            engine::BlockEditor editor(drawing);
            dialogs.formatBlocks(editor);
            break;
        }
        case engine::command::kImageManager: {
            engine::ImageEditor editor(drawing, control.GetFileName());
            dialogs.manageImages(editor);
            break;
        }
        case engine::command::kXrefManager: {
            engine::XrefEditor editor(drawing, control.GetFileName());
            ports::typedEditing(dialogs, editor);
            break;
        }
        case engine::command::kFormatDimensionStyle: {
            engine::DimStyleEditor editor(drawing);
            dialogs.formatDimensionStyle(editor);
            break;
        }
        case engine::command::kFormatPointStyle: {
            engine::PointStyleEditor editor(drawing);
            ports::typedEditing(dialogs, editor);
            break;
        }
        case engine::command::kFormatMultiLineStyle: {
            engine::MultiLineStyleEditor editor(drawing);
            ports::typedEditing(dialogs, editor);
            break;
        }
        case engine::command::kFormatLineType: {
            engine::LineTypeEditor editor(drawing);
            ports::typedEditing(dialogs, editor);
            break;
        }
        case engine::command::kFormatTextStyle: {
            engine::TextStyleEditor editor(drawing);
            ports::typedEditing(dialogs, editor);
            break;
        }
        case engine::command::kFormatPages: {
            engine::PageEditor editor(drawing);
            ports::typedEditing(dialogs, editor);
            break;
        }
        case engine::command::kAdjustObjectSnap:
        case engine::command::kAdjustGrid:
        case engine::command::kAdjustPolarTracking: {
            using Kind = engine::AidSettingsEditor::Kind;
            engine::AidSettingsEditor editor(
                control, code == engine::command::kAdjustObjectSnap ? Kind::ObjectSnap
                         : code == engine::command::kAdjustGrid     ? Kind::Grid
                                                                    : Kind::PolarTracking);
            ports::typedEditing(dialogs, editor);
            control.WndRedraw();  // the grid may have been switched
            break;
        }
        case engine::command::kViewpointPresets: {
            engine::ViewPresetsEditor editor(control);
            dialogs.viewPresets(editor);
            break;
        }
        case engine::command::kOptions:
            // The program's own Options, the one its Tools menu opens.
            main_.click("mnuToolsOptions");
            break;
        case engine::command::kExportScreenRaster:
            exportScreenRaster(control, dialogs, main_.ports.printer);
            break;
        default:
            return;
    }
    if (drawing.version() != before) {
        control.Update();
    }
}

}  // namespace brondel::documents
