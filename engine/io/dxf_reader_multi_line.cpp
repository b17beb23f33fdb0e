// The multi-line style of the OBJECTS section that Draw Multi-Line uses.
#include <limits>

#include "engine/io/dxf_reader.h"
#include "engine/multi_line_style_editor.h"
#include "engine/table_editor.h"

namespace brondel::engine::io::dxf {

void Reader::readMultiLineStyle() {
    std::string name;
    std::vector<double> offsets;
    std::vector<Color> colors;
    for (;;) {
        const Group& g = mustNext();
        if (g.code == 0) {
            tok_.pushBack();
            break;
        }
        if (g.code == 2) {
            name = decode(g.text);
        } else if (g.code == 49) {  // a line's offset, then its colour and line type
            offsets.push_back(numberOr(tok_, g, std::numeric_limits<double>::quiet_NaN()));
            colors.emplace_back();
        } else if (g.code == 62 && !colors.empty()) {  // before the first line: the fill's
            const double aci = numberOr(tok_, g, Color::kByLayer);
            if (aci >= Color::kByBlock && aci <= Color::kByLayer) {
                colors.back().aci = static_cast<std::int16_t>(aci);
            }
        }
    }
    DrawingHeader& h = content_.header;
    if (sameTableName(name, "STANDARD") &&
        refusedMultiLineStyle(offsets, colors, h.multiLineScale).empty()) {
        h.multiLineOffsets = std::move(offsets);
        h.multiLineColors = std::move(colors);
    }
}

}  // namespace brondel::engine::io::dxf
