#include <array>

#include "engine/io/dxf_reader.h"

// Loose LINEs are most of a large drawing and most of them carry nothing but
// their ends, a handle, a layer and perhaps a colour, line type and line
// weight: those are read straight into their entities, past the general
// record. Any other group sends the line the general way, with the groups
// read so far handed to the record as read.
namespace brondel::engine::io::dxf {

namespace {

enum Field : int {
    kX1,
    kY1,
    kZ1,
    kX2,
    kY2,
    kZ2,
    kColor,
    kLineWeight,
    kHandle,
    kLayer,
    kLineType,
    kFields
};
constexpr int kCoordinates = kColor;
constexpr int kNumbers = kHandle;  // the fields before are numbers, those after text
constexpr int kCodes[kFields] = {10, 20, 30, 11, 21, 31, 62, 370, 5, 8, 6};

constexpr int kSmallCodes = 64;
constexpr auto kSmallFields = [] {
    std::array<signed char, kSmallCodes> fields{};
    fields.fill(-1);
    for (int f = 0; f < kFields; ++f) {
        if (kCodes[f] < kSmallCodes) {
            fields[static_cast<std::size_t>(kCodes[f])] = static_cast<signed char>(f);
        }
    }
    return fields;
}();

int fieldOf(int code) {
    if (code >= 0 && code < kSmallCodes) {
        return kSmallFields[static_cast<std::size_t>(code)];
    }
    return code == kCodes[kLineWeight] ? kLineWeight : -1;
}

// Groups the record drops unread.
bool ignored(int code) {
    return code == 100 || code == 102 || code == 330 || code == 360;
}

}  // namespace

bool Reader::plainLine(std::int64_t start, Target& target) {
    double values[kNumbers] = {};
    std::int64_t where[kFields] = {};
    int order[kFields];
    int seen = 0;
    unsigned seenFields = 0;
    const Group* g = nullptr;
    for (;;) {
        g = tok_.next();
        if (g == nullptr || g->code == 0) {
            break;
        }
        if (ignored(g->code)) {
            continue;
        }
        const int field = fieldOf(g->code);
        if (field < 0 || (seenFields & (1u << field)) != 0) {
            break;
        }
        if (field < kNumbers) {
            // An integer out of range is left to the record, which reports it.
            if (!parseGroupNumber(g->text, values[field]) ||
                (field >= kCoordinates && !fitsInt(values[field]))) {
                break;
            }
        } else {
            plainTexts_[static_cast<std::size_t>(field - kNumbers)].assign(g->text);
        }
        where[field] = g->where;
        seenFields |= 1u << field;
        order[seen++] = field;
    }
    if (g != nullptr && g->code == 0) {
        tok_.pushBack();
        const auto has = [&](int field) { return (seenFields & (1u << field)) != 0; };
        const auto text = [&](int field) -> std::string_view {
            return has(field)
                       ? std::string_view(plainTexts_[static_cast<std::size_t>(field - kNumbers)])
                       : std::string_view();
        };
        const auto integer = [&](int field, std::int16_t fallback) {
            return has(field) ? static_cast<std::int16_t>(static_cast<int>(values[field]))
                              : fallback;
        };
        const std::string_view layer = text(kLayer);
        const std::string_view lineType = text(kLineType);
        const std::int16_t color = integer(kColor, Color::kByLayer);
        const std::int16_t lineWeight = integer(kLineWeight, lineweight::kByLayer);
        if (layer != plainStyle_.layer || lineType != plainStyle_.lineType ||
            color != plainStyle_.color || lineWeight != plainStyle_.lineWeight) {
            EntityProps p;
            setLayer(p, layer);
            if (has(kLineType)) {
                setLineType(p, lineType);
            }
            p.color.aci = color;
            p.lineWeight = lineWeight;
            plainAttributes_ = recentAttributes_(std::move(p));
            plainStyle_ = {std::string(layer), std::string(lineType), color, lineWeight};
        }
        if (target.modelspace) {
            countRead("LINE");
        }
        pendingImageDef_.clear();
        pendingAnnotation_.clear();
        target.list->emplace_back(LineGeom{{values[kX1], values[kY1], values[kZ1]},
                                           {values[kX2], values[kY2], values[kZ2]}},
                                  plainAttributes_);
        return true;
    }
    rec_.reset("LINE");
    rec_.setStart(start);
    for (int i = 0; i < seen; ++i) {
        const int field = order[i];
        Group read;
        read.code = kCodes[field];
        read.where = where[field];
        if (field < kNumbers) {
            read.kind = field < kCoordinates ? ValueKind::Double : ValueKind::Int16;
            read.number = values[field];
            read.numberReady = true;
        } else {
            read.text = plainTexts_[static_cast<std::size_t>(field - kNumbers)];
        }
        rec_.add(read, tok_);
    }
    if (g != nullptr) {
        rec_.add(*g, tok_);
    }
    recordRest(rec_);  // at the end of the input, reports the file cut short
    return false;
}

}  // namespace brondel::engine::io::dxf
