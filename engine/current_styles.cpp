#include "engine/current_styles.h"

#include "engine/drawing.h"
#include "engine/table_editor.h"

namespace brondel::engine {

const TextStyle* currentTextStyle(const Drawing& drawing) {
    for (const TextStyle& s : drawing.textStyles()) {
        if (sameTableName(s.name, drawing.header().currentTextStyle)) {
            return &s;
        }
    }
    return nullptr;
}

EntityProps currentProps(const Drawing& drawing, EntityProps p) {
    const DrawingHeader& h = drawing.header();
    p.layer = drawing.currentLayer();
    p.color = h.currentColor;
    p.lineWeight = h.currentLineWeight;
    p.lineType = sameTableName(h.currentLineType, "BYLAYER") ? "" : h.currentLineType;
    return p;
}

void takeCurrentTextStyle(const Drawing& drawing, Entity& e) {
    const DrawingHeader& h = drawing.header();
    const TextStyle* style = currentTextStyle(drawing);
    if (auto* t = geomIf<TextGeom>(e)) {
        t->style = h.currentTextStyle;
        if (style) {
            t->widthFactor = style->widthFactor;
            t->oblique = style->oblique;
        }
    } else if (auto* m = geomIf<MTextGeom>(e)) {
        m->style = h.currentTextStyle;
    }
}

}  // namespace brondel::engine
