#include <algorithm>

#include "engine/io/dxf_reader.h"

// Loose LINEs are most of a large drawing and most of them carry nothing but
// their ends, a handle and a layer: those are read straight into their
// entities, past the general record. Any other group sends the line the
// general way, with the groups read so far handed to the record as read.
namespace brondel::engine::io::dxf {

namespace {

enum Field : int { kX1, kY1, kZ1, kX2, kY2, kZ2, kHandle, kLayer, kFields };
constexpr int kCoordinates = kHandle;
constexpr int kCodes[kFields] = {10, 20, 30, 11, 21, 31, 5, 8};

int fieldOf(int code) {
    const int* found = std::find(kCodes, kCodes + kFields, code);
    return found == kCodes + kFields ? -1 : static_cast<int>(found - kCodes);
}

// Groups the record drops unread.
bool ignored(int code) {
    return code == 100 || code == 102 || code == 330 || code == 360;
}

}  // namespace

bool Reader::plainLine(std::int64_t start, Target& target) {
    double values[kCoordinates] = {};
    std::int64_t where[kFields] = {};
    int order[kFields];
    int seen = 0;
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
        if (field < 0 || std::find(order, order + seen, field) != order + seen) {
            break;
        }
        if (field < kCoordinates) {
            if (!parseGroupNumber(g->text, values[field])) {
                break;
            }
        } else {
            (field == kHandle ? plainHandle_ : plainLayer_).assign(g->text);
        }
        where[field] = g->where;
        order[seen++] = field;
    }
    if (g != nullptr && g->code == 0) {
        tok_.pushBack();
        EntityProps p;
        if (std::find(order, order + seen, kLayer) != order + seen) {
            setLayer(p, plainLayer_);
        }
        if (target.modelspace) {
            countRead("LINE");
        }
        pendingImageDef_.clear();
        pendingAnnotation_.clear();
        target.list->emplace_back(LineGeom{{values[kX1], values[kY1], values[kZ1]},
                                           {values[kX2], values[kY2], values[kZ2]}},
                                  recentAttributes_(std::move(p)));
        return true;
    }
    rec_.reset("LINE");
    rec_.setStart(start);
    for (int i = 0; i < seen; ++i) {
        const int field = order[i];
        Group read;
        read.code = kCodes[field];
        read.where = where[field];
        if (field < kCoordinates) {
            read.kind = ValueKind::Double;
            read.number = values[field];
            read.numberReady = true;
        } else {
            read.text = field == kHandle ? plainHandle_ : plainLayer_;
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
