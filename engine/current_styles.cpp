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

namespace {
SharedName currentLineType(const DrawingHeader& h) {
    return sameTableName(h.currentLineType, "BYLAYER") ? "" : h.currentLineType;
}
}  // namespace

EntityProps currentProps(const Drawing& drawing, EntityProps p) {
    const DrawingHeader& h = drawing.header();
    p.layer = drawing.currentLayer();
    p.color = h.currentColor;
    p.lineWeight = h.currentLineWeight;
    p.lineType = currentLineType(h);
    return p;
}

void takeCurrentStyles(const Drawing& drawing, Entity& e) {
    const DrawingHeader& h = drawing.header();
    // Only a change is written: the entity's properties may be shared.
    if (SharedName lineType = currentLineType(h); e.props().lineType != lineType) {
        e.editProps().lineType = lineType;
    }
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
