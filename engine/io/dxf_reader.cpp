#include "engine/io/dxf_reader.h"

#include <sys/mman.h>
#include <cerrno>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "base/error.h"
#include "engine/multi_line_style_editor.h"
#include "engine/point_marker.h"
#include "engine/table_editor.h"

namespace brondel::engine::io {

namespace dxf {

namespace {

// A million entities fill 45000 small pages, each a fault; huge pages cut
// that cost where the system offers them.
void adviseHugePages(std::vector<Entity>& v) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(v.data());
    const std::uintptr_t end = begin + v.capacity() * sizeof(Entity);
    const std::uintptr_t alignedBegin = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t alignedEnd = end & ~(kHuge - 1);
    if (alignedEnd > alignedBegin) {
        madvise(reinterpret_cast<void*>(alignedBegin), alignedEnd - alignedBegin, MADV_HUGEPAGE);
    }
#else
    (void)v;
#endif
}

}  // namespace

const Group& Reader::mustNext() {
    const Group* g = tok_.next();
    if (!g) {
        throw Error(err::kDxfTruncated,
                    "The DXF file ends inside a section: it is incomplete or cut short.");
    }
    return *g;
}

void Reader::record(EntityRecord& rec, const Group& start) {
    rec.reset(start.text);
    rec.setStart(start.where);
    recordRest(rec);
}

void Reader::recordRest(EntityRecord& rec) {
    for (;;) {
        const Group* g = tok_.next();
        if (!g) {
            throw Error(err::kDxfTruncated, "The DXF file ends inside the " + rec.name() +
                                                " that starts " + tok_.where(rec.start()) + ".");
        }
        if (g->code == 0) {
            tok_.pushBack();
            return;
        }
        rec.add(*g, tok_);
    }
}

std::string Reader::sectionName() {
    const Group& g = mustNext();
    if (g.code != 2) {
        throw Error(err::kDxfBadValue,
                    "The DXF file has a section without a name " + tok_.where(g.where) + ".");
    }
    return std::string(g.text);
}

void Reader::skipSection() {
    for (;;) {
        const Group& g = mustNext();
        if (g.code == 0 && g.text == "ENDSEC") {
            return;
        }
        if (g.code == 0 && g.text == "EOF") {
            tok_.pushBack();
            return;
        }
    }
}

void Reader::readHeader() {
    std::string variable;
    for (;;) {
        const Group& g = mustNext();
        if (g.code == 0) {
            if (g.text == "EOF") {
                tok_.pushBack();
            } else if (g.text != "ENDSEC") {
                continue;
            }
            break;
        }
        if (g.code == 9) {
            variable.assign(g.text);
            continue;
        }
        DrawingHeader& h = content_.header;
        if (variable == "$ACADVER" && g.code == 1) {
            h.acadVersion.assign(g.text);
        } else if (variable == "$DWGCODEPAGE" && g.code == 3) {
            h.codePage.assign(g.text);
        } else if (variable == "$INSUNITS" && g.code == 70) {
            h.insUnits = static_cast<int>(tok_.toInt(g));
        } else if (variable == "$CECOLOR" && g.code == 62) {
            const std::int64_t aci = tok_.toInt(g);
            if (aci >= Color::kByBlock && aci <= Color::kByLayer) {
                h.currentColor.aci = static_cast<std::int16_t>(aci);
            }
        } else if (variable == "$CELWEIGHT" && g.code == 370) {
            const std::int64_t weight = tok_.toInt(g);
            if (weight >= lineweight::kDefault && weight <= 211) {
                h.currentLineWeight = static_cast<std::int16_t>(weight);
            }
        } else if (variable == "$PDMODE" && g.code == 70) {
            if (const std::int64_t mode = tok_.toInt(g);
                mode >= 0 && mode < 128 && isPointMode(static_cast<int>(mode))) {
                h.pointMode = static_cast<int>(mode);
            }
        } else if (variable == "$PDSIZE" && g.code == 40) {
            if (const double size = tok_.toDouble(g); std::isfinite(size)) {
                h.pointSize = size;
            }
        } else if (variable == "$CMLSCALE" && g.code == 40) {
            if (const double scale = tok_.toDouble(g);
                refusedMultiLineStyle(h.multiLineOffsets, h.multiLineColors, scale).empty()) {
                h.multiLineScale = scale;
            }
        } else if (variable == "$DIMSTYLE" && g.code == 2) {
            h.dimStyle.name.assign(g.text);  // decoded with the layer name below
        } else if (variable == "$CELTYPE" && g.code == 6) {
            h.currentLineType.assign(g.text);  // decoded with the layer name below
        } else if (variable == "$TEXTSTYLE" && g.code == 7) {
            h.currentTextStyle.assign(g.text);
        } else if (variable == "$CLAYER" && g.code == 8) {
            content_.currentLayer.assign(g.text);  // decoded once the code page is known
        }
    }
    decoder_.setCodePage(content_.header.codePage);
    decoder_.setUtf8(content_.header.acadVersion >= "AC1021");
    // A late header may change the code page the names kept from earlier
    // entities were decoded with.
    plainStyle_ = {};
    plainAttributes_ = {};
    lastLayerRaw_.clear();
    content_.currentLayer = decode(content_.currentLayer);
    DimStyle& dimStyle = content_.header.dimStyle;
    dimStyle.name = decode(dimStyle.name);
    if (dimStyle.name.empty()) {
        dimStyle.name = DimStyle{}.name;
    }
    if (content_.currentLayer.empty()) {
        content_.currentLayer = "0";
    }
    DrawingHeader& h = content_.header;
    h.currentLineType = decode(h.currentLineType);
    if (h.currentLineType.empty()) {
        h.currentLineType = DrawingHeader{}.currentLineType;
    }
    h.currentTextStyle = decode(h.currentTextStyle);
    if (h.currentTextStyle.empty()) {
        h.currentTextStyle = DrawingHeader{}.currentTextStyle;
    }
}

void Reader::readTables() {
    for (;;) {
        const Group& g = mustNext();
        if (g.code != 0) {
            continue;
        }
        if (g.text == "ENDSEC") {
            return;
        }
        if (g.text == "EOF") {
            tok_.pushBack();
            return;
        }
        record(rec_, g);
        const std::string& kind = rec_.name();
        if (kind == "LAYER") {
            Layer layer;
            layer.name = decode(rec_.getText(2));
            const int color = rec_.getInt(62, 7);
            layer.color.aci = static_cast<std::int16_t>(color < 0 ? -color : color);
            layer.on = color >= 0;
            if (rec_.has(420)) {
                layer.color.trueColor = rec_.getInt(420, 0) & 0xFFFFFF;
            }
            if (rec_.has(6)) {
                layer.lineType = decode(rec_.getText(6));
            }
            const int flags = rec_.getInt(70, 0);
            layer.frozen = (flags & 1) != 0;
            layer.locked = (flags & 4) != 0;
            layer.lineWeight = static_cast<std::int16_t>(rec_.getInt(370, lineweight::kDefault));
            content_.layers.push_back(std::move(layer));
        } else if (kind == "LTYPE") {
            LineType lt;
            lt.name = decode(rec_.getText(2));
            lt.description = decode(rec_.getText(3));
            for (std::size_t i = 0; i < rec_.size(); ++i) {
                if (rec_.item(i).code == 49) {
                    lt.pattern.push_back(rec_.number(i));
                }
            }
            content_.lineTypes.push_back(std::move(lt));
        } else if (kind == "STYLE") {
            TextStyle st;
            st.name = decode(rec_.getText(2));
            if (st.name.empty()) {
                continue;  // shape file entries carry no name and hold no text style
            }
            st.font = decode(rec_.getText(3));
            st.bigFont = decode(rec_.getText(4));
            st.height = rec_.get(40, 0);
            st.widthFactor = rec_.get(41, 1);
            st.oblique = rec_.get(50, 0) * kPi / 180;
            content_.textStyles.push_back(std::move(st));
        } else if (kind == "DIMSTYLE") {
            readDimStyle();
        } else if (kind == "BLOCK_RECORD" &&
                   sameTableName(std::string(rec_.getText(2)), "*Paper_Space")) {
            paperSpaceRecord_ = lowerCase(std::string(rec_.getText(5)));
        }
    }
}

// The entry of the current style ($DIMSTYLE); an entry with a value out of
// range is not taken, and the defaults stay.
void Reader::readDimStyle() {
    DimStyle& current = content_.header.dimStyle;
    if (!namesDimStyle(current, decode(rec_.getText(2)))) {
        return;
    }
    DimStyle s = current;
    s.scale = rec_.get(40, s.scale);
    if (s.scale == 0) {
        s.scale = 1;  // 0 asks for a scale from the layout, which this engine does not keep
    }
    s.arrowSize = rec_.get(41, s.arrowSize);
    s.extOffset = rec_.get(42, s.extOffset);
    s.extExtension = rec_.get(44, s.extExtension);
    s.textAbove = rec_.getInt(77, s.textAbove ? 1 : 0) != 0;
    s.textHeight = rec_.get(140, s.textHeight);
    s.centerMark = std::fabs(rec_.get(141, s.centerMark));  // below 0: with centre lines
    s.textGap = std::fabs(rec_.get(147, s.textGap));        // below 0: a box round the text
    s.decimals = rec_.getInt(271, s.decimals);
    if (refusedDimStyle(s).empty()) {
        current = s;
    }
}

void Reader::readBlocks() {
    for (;;) {
        const Group& g = mustNext();
        if (g.code != 0) {
            continue;
        }
        if (g.text == "ENDSEC") {
            return;
        }
        if (g.text == "EOF") {
            tok_.pushBack();
            return;
        }
        record(rec_, g);
        if (rec_.name() != "BLOCK") {
            continue;
        }
        Block block;
        block.name = decode(rec_.has(2) ? rec_.getText(2) : rec_.getText(3));
        block.base = rec_.point(10);
        block.flags = rec_.getInt(70, 0);
        block.xrefPath = (block.flags & 4) ? decode(rec_.getText(1)) : std::string();
        Target target;
        target.list = &block.entities;
        target.blockName = block.name;
        readEntities(target, "ENDBLK");
        content_.blocks[block.name] = std::move(block);
    }
}

void Reader::readEntitiesSection() {
    // Reserved from the file size at a size no real entity undercuts, so a
    // large drawing is not copied while its vector grows; pages never
    // touched cost no memory.
    constexpr std::int64_t kSmallestEntityBytes = 64;
    constexpr std::int64_t kMostReserved = std::int64_t{8} << 20;
    const std::int64_t estimate = std::min(tok_.inputSize() / kSmallestEntityBytes, kMostReserved);
    content_.entities.reserve(content_.entities.size() + static_cast<std::size_t>(estimate));
    adviseHugePages(content_.entities);
    Target target;
    target.list = &content_.entities;
    target.modelspace = true;
    readEntities(target, "ENDSEC");
}

void Reader::readEntities(Target& target, const char* end) {
    for (;;) {
        const Group& g = mustNext();
        if (g.code != 0) {
            continue;
        }
        if (g.text == end) {
            if (g.text == "ENDBLK") {
                record(rec_, g);  // ENDBLK carries groups of its own
            }
            return;
        }
        if (g.text == "ENDSEC" || g.text == "EOF") {
            tok_.pushBack();  // a block without ENDBLK: the section ends it
            return;
        }
        if (g.text != "LINE" || tok_.binary()) {
            record(rec_, g);
        } else if (plainLine(g.where, target)) {
            continue;
        }
        convert(rec_, target);
    }
}

void Reader::readObjects() {
    std::map<std::string, std::string> imageFiles;
    for (;;) {
        const Group& g = mustNext();
        if (g.code != 0) {
            continue;
        }
        if (g.text == "ENDSEC") {
            break;
        }
        if (g.text == "EOF") {
            tok_.pushBack();
            break;
        }
        // Any other object's groups are passed over as the loop goes on.
        if (g.text == "LAYOUT") {
            readLayout();
        } else if (g.text == "MLINESTYLE") {
            readMultiLineStyle();
        } else if (g.text == "IMAGEDEF" && !pendingImages_.empty()) {
            record(rec_, g);
            imageFiles[std::string(rec_.getText(5))] = decode(rec_.getText(1));
        }
    }
    imageFiles_ = std::move(imageFiles);
}

DrawingContent Reader::read() {
    ReadReport& report = this->report();
    report = ReadReport{};
    bool sawSection = false;
    std::string producer;
    while (const Group* next = tok_.next()) {
        const Group& g = *next;
        if (g.code == 999) {
            if (!sawSection) {
                if (!producer.empty()) {
                    producer += " | ";
                }
                producer += decode(g.text);
            }
            continue;
        }
        if (g.code != 0) {
            if (!sawSection) {
                throw Error(err::kNotDxf,
                            "The file is not a DXF drawing: it does not start with a section.");
            }
            continue;  // stray groups between sections
        }
        if (g.text == "EOF") {
            ended_ = true;
            break;
        }
        if (g.text != "SECTION") {
            if (!sawSection && g.text != "ENDSEC") {
                throw Error(err::kNotDxf,
                            "The file is not a DXF drawing: it does not start with a section.");
            }
            continue;  // a stray ENDSEC or similar between sections
        }
        sawSection = true;
        const std::string name = sectionName();
        if (name == "HEADER") {
            readHeader();
        } else if (name == "TABLES") {
            readTables();
        } else if (name == "BLOCKS") {
            readBlocks();
        } else if (name == "ENTITIES") {
            readEntitiesSection();
        } else if (name == "OBJECTS") {
            readObjects();
        } else {
            skipSection();
        }
    }
    if (!sawSection && !ended_) {
        throw Error(err::kNotDxf, "The file is not a DXF drawing: it holds no sections.");
    }
    content_.header.producer = producer;
    settlePages();
    for (const PendingImage& p : pendingImages_) {
        auto file = imageFiles_.find(p.imageDef);
        std::vector<Entity>* list = &content_.entities;
        if (!p.blockName.empty()) {
            auto block = content_.blocks.find(p.blockName);
            list = block == content_.blocks.end() ? nullptr : &block->second.entities;
        }
        if (file != imageFiles_.end() && list && p.index < list->size()) {
            if (auto* image = geomIf<ImageGeom>((*list)[p.index])) {
                image->fileName = file->second;
            }
        }
    }
    foldAnnotations();
    report.version = content_.header.acadVersion;
    report.producer = producer;
    return std::move(content_);
}

}  // namespace dxf

DrawingContent readDxfBuffer(std::string_view data, ReadReport* report) {
    dxf::ByteSource source(data);
    dxf::Tokenizer tok(source);
    dxf::Reader reader(tok, report);
    return reader.read();
}

DrawingContent readDxf(const std::string& path, ReadReport* report, const FileProgress& progress) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    errno = 0;
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        if (errno == ENOENT || errno == ENOTDIR) {
            throw Error(err::kFileNotFound, "File not found: " + path);
        }
        throw Error(err::kFileRead, "The file " + path + " could not be opened.");
    }
    dxf::ByteSource source(file.get(), progress);
    dxf::Tokenizer tok(source);
    dxf::Reader reader(tok, report);
    return reader.read();
}

}  // namespace brondel::engine::io
