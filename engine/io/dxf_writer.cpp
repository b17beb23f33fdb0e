// The only place that knows dxflib: the model is handed to it entity by
// entity, and what it cannot write is written group by group through its
// writer.
#include <dxflib/dl_dxf.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

#include "base/atomic_file.h"
#include "engine/dimension_picture.h"
#include "engine/hatch_fill.h"
#include "engine/io/drawing_files.h"
#include "engine/io/dxf_group_writer.h"
#include "engine/io/dxf_ocs.h"
#include "engine/io/dxf_writer_pages.h"
#include "engine/io/dxf_writer_r12.h"
#include "engine/io/dxf_writer_text.h"
#include "engine/xref_block.h"

namespace brondel::engine::io {

namespace {

constexpr double kDegrees = 180.0 / kPi;

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Layout blocks are written from the drawing's pages, never from its blocks.
bool isLayoutBlock(const std::string& name) {
    constexpr std::string_view kPaperSpace = "*Paper_Space";
    if (sameName(name, "*Model_Space")) {
        return true;
    }
    if (name.size() < kPaperSpace.size() ||
        !sameName(std::string_view(name).substr(0, kPaperSpace.size()), kPaperSpace)) {
        return false;
    }
    return std::all_of(name.begin() + kPaperSpace.size(), name.end(),
                       [](unsigned char c) { return std::isdigit(c); });
}

DL_Codes::version dxflibVersion(DxfVersion version) {
    return version == DxfVersion::R12 ? DL_Codes::AC1009 : DL_Codes::AC1015;
}

class DxfWriter {
  public:
    DxfWriter(const DrawingContent& tables, const BlockLookup& blocks, std::ostream& out,
              const WriteOptions& options, WriteReport& report)
        : tables_(tables),
          codePage_(tables.header.codePage.empty() ? std::string(kDefaultCodePage)
                                                   : tables.header.codePage),
          w_(out, dxflibVersion(options.dxfVersion)) {
        if (options.dxfVersion == DxfVersion::R12) {
            // dxflib takes the version its table writers follow only from
            // the file it opens; a name that opens nothing sets just that.
            delete dxf_.out("", DL_Codes::AC1009);
            r12_.emplace(w_, blocks, options.chordTolerance, codePage_, report);
        }
    }

    void write(const std::vector<Entity>& entities, const FileProgress& progress) {
        nameDimensionBlocks(entities);
        const std::size_t bound = handleBound(entities);
        if (!r12_) {
            std::vector<std::string> names;
            for (const Page& page : tables_.header.pages) {
                names.push_back(text(page.name));
            }
            pages_.emplace(w_, tables_.header, std::move(names), bound);
        }
        header(bound + (pages_ ? pages_->handles() : 0));
        tableSection(applications(entities));
        blockSection();
        w_.sectionEntities();
        EntityProgress counter(progress, entities.size());
        for (const Entity& e : entities) {
            if (!e.erased) {
                entity(e);
            }
            counter.counted();
        }
        counter.finished();
        w_.sectionEnd();
        if (r12_) {
            w_.dxfEOF();
            return;
        }
        pages_->objects();
        for (const auto& [handle, image] : images_) {
            dxf_.writeImageDef(w_, static_cast<int>(handle), image);
        }
        dxf_.writeObjectsEnd(w_);
        w_.dxfEOF();
    }

  private:
    // Tables, layouts and objects take a few hundred handles; each entity
    // one, a polyline at most one per vertex and its end, an image two.
    std::size_t handleBound(const std::vector<Entity>& entities) const {
        std::size_t bound = 0x1000 + 2 * (tables_.layers.size() + tables_.lineTypes.size() +
                                          tables_.textStyles.size() + 2 * tables_.blocks.size());
        const auto count = [&bound](const std::vector<Entity>& list) {
            for (const Entity& e : list) {
                const auto* p = geomIf<PolylineGeom>(e);
                bound += 2 + (p ? p->vertices.size() + 1 : 0);
            }
        };
        count(entities);
        for (const auto& [name, block] : tables_.blocks) {
            count(block.entities);
        }
        for (const auto& [name, block] : dimBlocks_) {
            count(block.entities);
        }
        return bound + 2 * dimBlocks_.size();
    }

    // Dimensions without a block of their own (drawn here, or read without
    // one) get an anonymous block of their picture, which other programs show.
    void nameDimensionBlocks(const std::vector<Entity>& entities) {
        int next = 1;
        for (const Entity& e : entities) {
            const auto* g = geomIf<DimensionGeom>(e);
            if (e.erased || !g) {
                continue;
            }
            if (const auto own = tables_.blocks.find(g->block);
                own != tables_.blocks.end() && !own->second.entities.empty()) {
                continue;
            }
            std::string name;
            do {
                name = "*D" + std::to_string(next++);
            } while (tables_.blocks.count(name));
            Block block;
            block.name = name;
            block.flags = 1;  // anonymous
            const DimStyle* style = namesDimStyle(tables_.header.dimStyle, g->style)
                                        ? &tables_.header.dimStyle
                                        : nullptr;
            block.entities = dimensionPicture(*g, style ? *style : DimStyle{});
            dimNames_.emplace(g, name);
            dimBlocks_.emplace(name, std::move(block));
        }
    }

    std::string text(const std::string& utf8) const { return encodeForCodePage(utf8, codePage_); }

    // dxflib's header names a fixed handle seed that a large drawing
    // outgrows; ours lies above every handle this file can use.
    void header(std::size_t handleBound) {
        w_.dxfString(999, "Brondel");
        w_.sectionHeader();
        w_.dxfString(9, "$ACADVER");
        w_.dxfString(1, r12_ ? "AC1009" : "AC1015");
        if (!r12_) {
            w_.dxfString(9, "$HANDSEED");
            w_.dxfHex(5, static_cast<int>(handleBound));
        }
        w_.dxfString(9, "$DWGCODEPAGE");
        w_.dxfString(3, codePage_);
        if (!r12_) {
            w_.dxfString(9, "$INSUNITS");
            w_.dxfInt(70, tables_.header.insUnits);
        }
        w_.dxfString(9, "$CLAYER");
        w_.dxfString(8, text(tables_.currentLayer));
        w_.dxfString(9, "$PDMODE");
        w_.dxfInt(70, tables_.header.pointMode);
        w_.dxfString(9, "$PDSIZE");
        w_.dxfReal(40, tables_.header.pointSize);
        w_.dxfString(9, "$DIMSTYLE");
        w_.dxfString(2, text(tables_.header.dimStyle.name));
        w_.dxfString(9, "$CECOLOR");
        w_.dxfInt(62, tables_.header.currentColor.aci);
        w_.dxfString(9, "$CELTYPE");
        w_.dxfString(6, text(currentLineType()));
        w_.dxfString(9, "$TEXTSTYLE");
        w_.dxfString(7, text(currentTextStyle()));
        if (!r12_) {
            w_.dxfString(9, "$CELWEIGHT");
            w_.dxfInt(370, tables_.header.currentLineWeight);
            w_.dxfString(9, "$CMLSCALE");
            w_.dxfReal(40, tables_.header.multiLineScale);
        }
        w_.sectionEnd();
    }

    // A current line type or text style the tables do not hold (a file that
    // named a missing one) is written as the default, so that no header
    // value points nowhere.
    std::string currentLineType() const {
        const std::string& name = tables_.header.currentLineType;
        const bool known = sameName(name, "BYLAYER") || sameName(name, "BYBLOCK") ||
                           sameName(name, "CONTINUOUS") ||
                           std::any_of(tables_.lineTypes.begin(), tables_.lineTypes.end(),
                                       [&](const LineType& t) { return sameName(t.name, name); });
        return known ? name : "BYLAYER";
    }

    std::string currentTextStyle() const {
        const std::string& name = tables_.header.currentTextStyle;
        const bool known = std::any_of(tables_.textStyles.begin(), tables_.textStyles.end(),
                                       [&](const TextStyle& s) { return sameName(s.name, name); });
        return known ? name : "STANDARD";
    }

    // The applications whose extended data the file holds, each once
    // (names compare without regard to case), besides ACAD.
    std::vector<std::string> applications(const std::vector<Entity>& entities) const {
        std::vector<std::string> names;
        const auto collect = [&](const std::vector<Entity>& list) {
            for (const Entity& e : list) {
                if (!e.xdata() || e.erased) {
                    continue;
                }
                for (const XDataApp& app : *e.xdata()) {
                    const bool known =
                        sameName(app.name, "ACAD") ||
                        std::any_of(names.begin(), names.end(),
                                    [&](const std::string& n) { return sameName(n, app.name); });
                    if (!known) {
                        names.push_back(app.name);
                    }
                }
            }
        };
        collect(entities);
        for (const auto& [name, block] : tables_.blocks) {
            collect(block.entities);
        }
        return names;
    }

    void tableSection(const std::vector<std::string>& applications) {
        w_.sectionTables();
        dxf_.writeVPort(w_);
        lineTypeTable();
        layerTable();
        styleTable();
        dxf_.writeView(w_);
        dxf_.writeUcs(w_);
        w_.tableAppid(static_cast<int>(applications.size()) + 1);
        dxf_.writeAppid(w_, "ACAD");
        for (const std::string& name : applications) {
            dxf_.writeAppid(w_, text(name));
        }
        w_.tableEnd();
        dimStyleTable();
        if (r12_) {
            w_.sectionEnd();
            return;
        }
        pages_->blockRecords();
        for (const auto& [name, block] : tables_.blocks) {
            if (!isLayoutBlock(name)) {
                dxf_.writeBlockRecord(w_, text(name));
            }
        }
        for (const auto& [name, block] : dimBlocks_) {
            dxf_.writeBlockRecord(w_, name);
        }
        w_.tableEnd();
        w_.sectionEnd();
    }

    // The current dimension style, under the handles dxflib gives its own
    // single style.
    void dimStyleTable() {
        const DimStyle& s = tables_.header.dimStyle;
        w_.dxfString(0, "TABLE");
        w_.dxfString(2, "DIMSTYLE");
        if (!r12_) {
            w_.dxfHex(5, 0xA);
            w_.dxfString(100, "AcDbSymbolTable");
        }
        w_.dxfInt(70, 1);
        if (!r12_) {
            w_.dxfString(100, "AcDbDimStyleTable");
            w_.dxfInt(71, 0);
        }
        w_.dxfString(0, "DIMSTYLE");
        if (!r12_) {
            w_.dxfHex(105, 0x27);
            w_.dxfString(100, "AcDbSymbolTableRecord");
            w_.dxfString(100, "AcDbDimStyleTableRecord");
        }
        w_.dxfString(2, text(s.name));
        w_.dxfInt(70, 0);
        w_.dxfReal(40, s.scale);
        w_.dxfReal(41, s.arrowSize);
        w_.dxfReal(42, s.extOffset);
        w_.dxfReal(44, s.extExtension);
        w_.dxfInt(77, s.textAbove ? 1 : 0);
        w_.dxfReal(140, s.textHeight);
        w_.dxfReal(141, s.centerMark);
        w_.dxfReal(147, s.textGap);
        if (!r12_) {
            w_.dxfInt(271, s.decimals);
        }
        w_.tableEnd();
    }

    void lineTypeTable() {
        static constexpr const char* kStandard[] = {"BYBLOCK", "BYLAYER", "CONTINUOUS"};
        std::vector<const LineType*> own;
        for (const LineType& t : tables_.lineTypes) {
            bool standard = false;
            for (const char* s : kStandard) {
                standard = standard || sameName(t.name, s);
            }
            if (!standard && !t.name.empty()) {
                own.push_back(&t);
            }
        }
        w_.tableLinetypes(static_cast<int>(own.size() + 3));
        dxf_.writeLinetype(w_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        dxf_.writeLinetype(w_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        dxf_.writeLinetype(w_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        for (const LineType* t : own) {
            std::vector<double> pattern = t->pattern;
            double length = 0;
            for (double dash : pattern) {
                length += std::fabs(dash);
            }
            dxf_.writeLinetype(w_, DL_LinetypeData(text(t->name), text(t->description), 0,
                                                   static_cast<int>(pattern.size()), length,
                                                   pattern.empty() ? nullptr : pattern.data()));
        }
        w_.tableEnd();
    }

    void layerTable() {
        bool hasZero = false;
        for (const Layer& l : tables_.layers) {
            hasZero = hasZero || l.name == "0";
        }
        w_.tableLayers(static_cast<int>(tables_.layers.size() + (hasZero ? 0 : 1)));
        if (!hasZero) {
            layer(Layer{"0"});
        }
        for (const Layer& l : tables_.layers) {
            layer(l);
        }
        w_.tableEnd();
    }

    void layer(const Layer& l) {
        const int flags = (l.frozen ? 1 : 0) | (l.locked ? 4 : 0);
        // A layer's colour is never BYLAYER or BYBLOCK; 7 is the neutral one.
        const int aci = (l.color.aci >= 1 && l.color.aci <= 255) ? l.color.aci : 7;
        dxf_.writeLayer(w_, DL_LayerData(text(l.name), flags, !l.on),
                        DL_Attributes("", aci, l.color.trueColor, l.lineWeight,
                                      l.lineType.empty() ? "CONTINUOUS" : text(l.lineType)));
    }

    void styleTable() {
        bool hasStandard = false;
        for (const TextStyle& s : tables_.textStyles) {
            hasStandard = hasStandard || sameName(s.name, "STANDARD");
        }
        w_.tableStyle(static_cast<int>(tables_.textStyles.size() + (hasStandard ? 0 : 1)));
        if (!hasStandard) {
            TextStyle standard;
            standard.name = "STANDARD";
            style(standard);
        }
        for (const TextStyle& s : tables_.textStyles) {
            style(s);
        }
        w_.tableEnd();
    }

    // Written here rather than by dxflib, which leaves the font's group (3)
    // empty and puts the name in extended data where other programs do not
    // look for it.
    void style(const TextStyle& s) {
        w_.dxfString(0, "STYLE");
        if (!r12_) {
            w_.handle();
            w_.dxfString(100, "AcDbSymbolTableRecord");
            w_.dxfString(100, "AcDbTextStyleTableRecord");
        }
        w_.dxfString(2, text(s.name));
        w_.dxfInt(70, 0);
        w_.dxfReal(40, s.height);
        w_.dxfReal(41, s.widthFactor);
        w_.dxfReal(50, s.oblique * kDegrees);
        w_.dxfInt(71, 0);
        w_.dxfReal(42, s.height > 0 ? s.height : 2.5);
        w_.dxfString(3, text(s.font));
        w_.dxfString(4, text(s.bigFont));
    }

    void blockSection() {
        w_.sectionBlocks();
        if (pages_) {  // R12 has no layout blocks
            dxf_.writeBlock(w_, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
            dxf_.writeEndBlock(w_, "*Model_Space");
            pages_->blocks();
        }
        for (const auto& [name, block] : tables_.blocks) {
            if (!isLayoutBlock(name)) {
                blockDefinition(block);
            }
        }
        for (const auto& [name, block] : dimBlocks_) {
            blockDefinition(block);
        }
        w_.sectionEnd();
    }

    void blockDefinition(const Block& block) {
        if (isXrefBlock(block)) {
            xrefDefinition(block);
            return;
        }
        const std::string encoded = text(block.name);
        dxf_.writeBlock(
            w_, DL_BlockData(encoded, block.flags, block.base.x, block.base.y, block.base.z));
        for (const Entity& e : block.entities) {
            if (!e.erased) {
                entity(e);
            }
        }
        dxf_.writeEndBlock(w_, encoded);
    }

    // A reference keeps the path of its file, never the entities read from
    // it: the file stays the one place they live.
    void xrefDefinition(const Block& block) {
        const std::string encoded = text(block.name);
        w_.sectionBlockEntry();
        if (r12_) {
            w_.dxfString(8, "0");
        }
        w_.dxfString(2, encoded);
        w_.dxfInt(70, block.flags & (kXrefBlockFlag | kXrefOverlayFlag));
        point(10, block.base);
        w_.dxfString(3, encoded);
        w_.dxfString(1, text(block.xrefPath));
        dxf_.writeEndBlock(w_, encoded);
    }

    DL_Attributes attributes(const EntityProps& p) const {
        DL_Attributes a(text(p.layer), p.color.aci, p.color.trueColor, p.lineWeight,
                        p.lineType.empty() ? "BYLAYER" : text(p.lineType));
        a.setLinetypeScale(p.lineTypeScale);
        return a;
    }

    // Entities dxflib has no complete writer for start like its own.
    void begin(const char* kind, const DL_Attributes& a, const char* subclass) {
        w_.entity(kind);
        w_.dxfString(100, "AcDbEntity");
        w_.entityAttributes(a);
        w_.dxfString(100, subclass);
    }
    void point(int gc, const Point3& p) { w_.coord(gc, p.x, p.y, p.z); }
    void point(int gc, const Point2& p) {
        w_.dxfReal(gc, p.x);
        w_.dxfReal(gc + 10, p.y);
    }

    void entity(const Entity& e) {
        if (const auto* g = geomIf<DimensionGeom>(e)) {
            if (const auto named = dimNames_.find(g); named != dimNames_.end()) {
                Entity copy = e;
                geomIf<DimensionGeom>(copy)->block = named->second;
                dimNames_.erase(named);
                entity(copy);
                return;
            }
        }
        if (r12_) {
            r12_->write(e);
            return;
        }
        const DL_Attributes a = attributes(e.props());
        extended_ = e.xdata();
        std::visit([&](const auto& g) { write(g, a); }, e.geom);
        extendedData();
    }

    // Extended data closes the entity's own groups: written once, before a
    // heavy polyline's vertices, otherwise last.
    void extendedData() {
        if (!extended_) {
            return;
        }
        for (const XDataApp& app : *extended_) {
            w_.dxfString(1001, text(app.name));
            for (const XDataGroup& g : app.groups) {
                w_.dxfString(g.code, xdataIsText(g.code) ? text(g.value) : g.value);
            }
        }
        extended_ = nullptr;
    }

    void write(const PointGeom& g, const DL_Attributes& a) {
        dxf_.writePoint(w_, DL_PointData(g.p.x, g.p.y, g.p.z), a);
    }
    void write(const LineGeom& g, const DL_Attributes& a) {
        dxf_.writeLine(w_, DL_LineData(g.p1.x, g.p1.y, g.p1.z, g.p2.x, g.p2.y, g.p2.z), a);
    }
    void write(const CircleGeom& g, const DL_Attributes& a) {
        dxf_.writeCircle(w_, DL_CircleData(g.center.x, g.center.y, g.center.z, g.radius), a);
    }
    void write(const ArcGeom& g, const DL_Attributes& a) {
        if (g.angle >= 0) {
            dxf_.writeArc(w_,
                          DL_ArcData(g.center.x, g.center.y, g.center.z, g.radius,
                                     g.startAngle * kDegrees, (g.startAngle + g.angle) * kDegrees),
                          a);
            return;
        }
        // A clockwise arc is a counter-clockwise one seen from below: its
        // object coordinate system (extrusion -Z) has x = -X and y = Y, so
        // world angle t is 180 - t there, and elevation is -z.
        begin("ARC", a, "AcDbCircle");
        w_.coord(10, -g.center.x, g.center.y, -g.center.z);
        w_.dxfReal(40, g.radius);
        w_.coord(210, 0, 0, -1);
        w_.dxfString(100, "AcDbArc");
        w_.dxfReal(50, 180.0 - g.startAngle * kDegrees);
        w_.dxfReal(51, 180.0 - (g.startAngle + g.angle) * kDegrees);
    }
    void write(const EllipseGeom& g, const DL_Attributes& a) {
        dxf_.writeEllipse(
            w_,
            DL_EllipseData(g.center.x, g.center.y, g.center.z, g.majorAxis.x, g.majorAxis.y,
                           g.majorAxis.z, g.ratio, g.startParam, g.endParam),
            a);
    }
    void write(const PolylineGeom& g, const DL_Attributes& a) {
        bool flat = true;
        for (const Vertex& v : g.vertices) {
            flat = flat && v.z == g.vertices.front().z;
        }
        if (g.is3d) {
            heavyPolyline(g, a);
            return;
        }
        std::optional<Ocs> ocs;
        if (!flat) {
            ocs = tiltedPlane(g.vertices);
            if (!ocs) {
                heavyPolyline(g, a);
                return;
            }
        }
        dxf_.writePolyline(
            w_, DL_PolylineData(static_cast<int>(g.vertices.size()), 0, 0, g.closed ? 1 : 0), a);
        if (g.constantWidth != 0) {
            w_.dxfReal(43, g.constantWidth);
        }
        const double elevation =
            g.vertices.empty() ? 0 : (ocs ? ocs->of(g.vertices.front()).z : g.vertices.front().z);
        if (elevation != 0) {
            w_.dxfReal(38, elevation);
        }
        for (const Vertex& v : g.vertices) {
            const Point3 p = ocs ? ocs->of(v) : Point3{v.x, v.y, v.z};
            dxf_.writeVertex(w_, DL_VertexData(p.x, p.y, p.z, v.bulge));
        }
        if (ocs) {
            w_.coord(210, ocs->n.x, ocs->n.y, ocs->n.z);
        }
        dxf_.writePolylineEnd(w_);
    }
    // POLYLINE with VERTEX entities: 3-D polylines, and 2-D ones whose
    // vertices lie in no plane, which LWPOLYLINE cannot hold.
    void heavyPolyline(const PolylineGeom& g, const DL_Attributes& a) {
        begin("POLYLINE", a, g.is3d ? "AcDb3dPolyline" : "AcDb2dPolyline");
        w_.dxfInt(66, 1);
        w_.coord(10, 0, 0, 0);
        w_.dxfInt(70, (g.is3d ? 8 : 0) | (g.closed ? 1 : 0));
        if (!g.is3d && g.constantWidth != 0) {
            w_.dxfReal(40, g.constantWidth);
            w_.dxfReal(41, g.constantWidth);
        }
        extendedData();
        for (const Vertex& v : g.vertices) {
            w_.entity("VERTEX");
            w_.dxfString(100, "AcDbEntity");
            w_.dxfString(8, a.getLayer());
            w_.dxfString(100, "AcDbVertex");
            w_.dxfString(100, g.is3d ? "AcDb3dPolylineVertex" : "AcDb2dVertex");
            w_.coord(10, v.x, v.y, v.z);
            if (!g.is3d && v.bulge != 0) {
                w_.dxfReal(42, v.bulge);
            }
            w_.dxfInt(70, g.is3d ? 32 : 0);
        }
        w_.entity("SEQEND");
        w_.dxfString(100, "AcDbEntity");
        w_.dxfString(8, a.getLayer());
    }
    void write(const InfiniteLineGeom& g, const DL_Attributes& a) {
        if (g.ray) {
            dxf_.writeRay(w_,
                          DL_RayData(g.base.x, g.base.y, g.base.z, g.direction.x, g.direction.y,
                                     g.direction.z),
                          a);
        } else {
            dxf_.writeXLine(w_,
                            DL_XLineData(g.base.x, g.base.y, g.base.z, g.direction.x, g.direction.y,
                                         g.direction.z),
                            a);
        }
    }
    template <class T>
    void write(const Boxed<T>& b, const DL_Attributes& a) {
        write(*b, a);
    }
    void write(const Boxed<SplineGeom>& b, const DL_Attributes& a) {
        const SplineGeom& g = *b;
        begin("SPLINE", a, "AcDbSpline");
        const bool rational = g.rational || !g.weights.empty();
        w_.dxfInt(70, (g.closed ? 1 : 0) | (g.periodic ? 2 : 0) | (rational ? 4 : 0));
        w_.dxfInt(71, g.degree);
        w_.dxfInt(72, static_cast<int>(g.knots.size()));
        w_.dxfInt(73, static_cast<int>(g.controlPoints.size()));
        w_.dxfInt(74, static_cast<int>(g.fitPoints.size()));
        w_.dxfReal(42, 1e-10);
        w_.dxfReal(43, 1e-10);
        if (!g.fitPoints.empty()) {
            w_.dxfReal(44, 1e-10);
        }
        for (double k : g.knots) {
            w_.dxfReal(40, k);
        }
        for (double weight : g.weights) {
            w_.dxfReal(41, weight);
        }
        for (const Point3& p : g.controlPoints) {
            point(10, p);
        }
        for (const Point3& p : g.fitPoints) {
            point(11, p);
        }
    }
    void write(const Boxed<TextGeom>& b, const DL_Attributes& a) {
        const TextGeom& g = *b;
        begin("TEXT", a, "AcDbText");
        point(10, g.p);
        w_.dxfReal(40, g.height);
        w_.dxfString(1, text(g.text));
        w_.dxfReal(50, g.angle * kDegrees);
        w_.dxfReal(41, g.widthFactor);
        w_.dxfReal(51, g.oblique * kDegrees);
        w_.dxfString(7, text(g.style));
        w_.dxfInt(72, g.hAlign);
        point(11, g.alignPoint);
        w_.dxfString(100, "AcDbText");
        w_.dxfInt(73, g.vAlign);
    }
    void write(const Boxed<MTextGeom>& b, const DL_Attributes& a) {
        const MTextGeom& g = *b;
        dxf_.writeMText(w_,
                        DL_MTextData(g.p.x, g.p.y, g.p.z, std::cos(g.angle), std::sin(g.angle), 0.0,
                                     g.height, g.width, g.attachment, 1, 1, g.lineSpacing,
                                     text(g.text), text(g.style), g.angle),
                        a);
    }
    // dxflib writes every insert with a z scale of 1.
    void write(const Boxed<InsertGeom>& b, const DL_Attributes& a) {
        const InsertGeom& g = *b;
        const bool array = g.columns != 1 || g.rows != 1;
        begin("INSERT", a, array ? "AcDbMInsertBlock" : "AcDbBlockReference");
        w_.dxfString(2, text(g.block));
        point(10, g.p);
        w_.dxfReal(41, g.scale.x);
        w_.dxfReal(42, g.scale.y);
        w_.dxfReal(43, g.scale.z);
        w_.dxfReal(50, g.angle * kDegrees);
        if (array) {
            w_.dxfInt(70, g.columns);
            w_.dxfInt(71, g.rows);
            w_.dxfReal(44, g.columnSpacing);
            w_.dxfReal(45, g.rowSpacing);
        }
    }
    void write(const Boxed<HatchGeom>& b, const DL_Attributes& a) {
        const HatchGeom& g = *b;
        begin("HATCH", a, "AcDbHatch");
        w_.coord(10, 0, 0, g.elevation);
        w_.coord(210, 0, 0, 1);
        w_.dxfString(2, text(g.pattern));
        w_.dxfInt(70, g.solid ? 1 : 0);
        w_.dxfInt(71, 0);
        w_.dxfInt(91, static_cast<int>(g.loops.size()));
        for (const HatchLoop& loop : g.loops) {
            hatchLoop(loop);
        }
        w_.dxfInt(75, 0);
        w_.dxfInt(76, 1);
        if (!g.solid) {
            w_.dxfReal(52, g.patternAngle * kDegrees);
            w_.dxfReal(41, g.patternScale);
            w_.dxfInt(77, 0);
            const std::vector<PatternLine> lines = hatchPatternLines(g);
            w_.dxfInt(78, static_cast<int>(lines.size()));
            for (const PatternLine& line : lines) {
                w_.dxfReal(53, line.angle);
                w_.dxfReal(43, line.x);
                w_.dxfReal(44, line.y);
                w_.dxfReal(45, line.dx);
                w_.dxfReal(46, line.dy);
                w_.dxfInt(79, static_cast<int>(line.dashes.size()));
                for (const double dash : line.dashes) {
                    w_.dxfReal(49, dash);
                }
            }
        }
        w_.dxfInt(98, 0);
    }
    void hatchLoop(const HatchLoop& loop) {
        constexpr int kPolylineBit = 2;
        w_.dxfInt(92, loop.isPolyline ? (loop.flags | kPolylineBit) : (loop.flags & ~kPolylineBit));
        if (loop.isPolyline) {
            bool bulges = false;
            for (const Vertex& v : loop.vertices) {
                bulges = bulges || v.bulge != 0;
            }
            w_.dxfInt(72, bulges ? 1 : 0);
            w_.dxfInt(73, loop.closed ? 1 : 0);
            w_.dxfInt(93, static_cast<int>(loop.vertices.size()));
            for (const Vertex& v : loop.vertices) {
                w_.dxfReal(10, v.x);
                w_.dxfReal(20, v.y);
                if (bulges) {
                    w_.dxfReal(42, v.bulge);
                }
            }
        } else {
            w_.dxfInt(93, static_cast<int>(loop.edges.size()));
            for (const HatchEdge& edge : loop.edges) {
                std::visit([this](const auto& e) { hatchEdge(e); }, edge);
            }
        }
        w_.dxfInt(97, 0);
    }
    void hatchEdge(const HatchLineEdge& e) {
        w_.dxfInt(72, 1);
        point(10, e.p1);
        point(11, e.p2);
    }
    // Clockwise edges keep their angles measured clockwise from the x axis.
    void hatchEdge(const HatchArcEdge& e) {
        w_.dxfInt(72, 2);
        point(10, e.center);
        w_.dxfReal(40, e.radius);
        const double start = e.startAngle * kDegrees;
        const double end = (e.startAngle + e.angle) * kDegrees;
        const bool ccw = e.angle >= 0;
        w_.dxfReal(50, ccw ? start : 360.0 - start);
        w_.dxfReal(51, ccw ? end : 360.0 - end);
        w_.dxfInt(73, ccw ? 1 : 0);
    }
    void hatchEdge(const HatchEllipseEdge& e) {
        w_.dxfInt(72, 3);
        point(10, e.center);
        point(11, e.majorAxis);
        w_.dxfReal(40, e.ratio);
        w_.dxfReal(50, e.startParam * kDegrees);
        w_.dxfReal(51, e.endParam * kDegrees);
        w_.dxfInt(73, e.ccw ? 1 : 0);
    }
    void hatchEdge(const HatchSplineEdge& e) {
        w_.dxfInt(72, 4);
        w_.dxfInt(94, e.degree);
        w_.dxfInt(73, e.rational ? 1 : 0);
        w_.dxfInt(74, e.periodic ? 1 : 0);
        w_.dxfInt(95, static_cast<int>(e.knots.size()));
        w_.dxfInt(96, static_cast<int>(e.controlPoints.size()));
        for (double k : e.knots) {
            w_.dxfReal(40, k);
        }
        for (std::size_t i = 0; i < e.controlPoints.size(); ++i) {
            point(10, e.controlPoints[i]);
            if (e.rational) {
                w_.dxfReal(42, i < e.weights.size() ? e.weights[i] : 1.0);
            }
        }
    }
    void write(const Boxed<DimensionGeom>& b, const DL_Attributes& a) {
        const DimensionGeom& g = *b;
        begin("DIMENSION", a, "AcDbDimension");
        w_.dxfString(2, text(g.block));
        point(10, g.defPoint);
        point(11, g.textMid);
        w_.dxfInt(70, g.dimType);
        w_.dxfString(1, text(g.text));
        w_.dxfString(3, text(g.style));
        if (g.measurement != 0) {
            w_.dxfReal(42, g.measurement);
        }
        switch (g.dimType & 7) {
            case 0:
                w_.dxfString(100, "AcDbAlignedDimension");
                point(13, g.p13);
                point(14, g.p14);
                w_.dxfReal(50, g.angle * kDegrees);
                w_.dxfString(100, "AcDbRotatedDimension");
                break;
            case 1:
                w_.dxfString(100, "AcDbAlignedDimension");
                point(13, g.p13);
                point(14, g.p14);
                break;
            case 2:
                w_.dxfString(100, "AcDb2LineAngularDimension");
                point(13, g.p13);
                point(14, g.p14);
                point(15, g.p15);
                point(16, g.p16);
                break;
            case 3:
                w_.dxfString(100, "AcDbDiametricDimension");
                point(15, g.p15);
                break;
            case 4:
                w_.dxfString(100, "AcDbRadialDimension");
                point(15, g.p15);
                break;
            case 5:
                w_.dxfString(100, "AcDb3PointAngularDimension");
                point(13, g.p13);
                point(14, g.p14);
                point(15, g.p15);
                break;
            default:
                w_.dxfString(100, "AcDbOrdinateDimension");
                point(13, g.p13);
                point(14, g.p14);
                break;
        }
    }
    void write(const Boxed<SolidGeom>& b, const DL_Attributes& a) {
        const SolidGeom& g = *b;
        static constexpr const char* kNames[] = {"SOLID", "TRACE", "3DFACE"};
        const bool face = g.kind == SolidGeom::Kind::Face3d;
        begin(kNames[static_cast<int>(g.kind)], a, face ? "AcDbFace" : "AcDbTrace");
        for (int i = 0; i < 4; ++i) {
            point(10 + i, g.corners[i]);
        }
        if (face) {
            w_.dxfInt(70, g.invisibleEdges);
        }
    }
    void write(const Boxed<ImageGeom>& b, const DL_Attributes& a) {
        const ImageGeom& g = *b;
        DL_ImageData data(text(g.fileName), g.insertion.x, g.insertion.y, g.insertion.z, g.u.x,
                          g.u.y, g.u.z, g.v.x, g.v.y, g.v.z, static_cast<int>(g.widthPx),
                          static_cast<int>(g.heightPx), 50, 50, 0);
        images_.emplace_back(dxf_.writeImage(w_, data, a), data);
    }
    // The annotation follows as the multi-line text the leader names, its
    // handle the next one written.
    void write(const Boxed<LeaderGeom>& b, const DL_Attributes& a) {
        const LeaderGeom& g = *b;
        const bool annotated = !g.annotation.text.empty();
        begin("LEADER", a, "AcDbLeader");
        w_.dxfString(3, text(g.style));
        w_.dxfInt(71, g.arrowhead ? 1 : 0);
        w_.dxfInt(72, 0);                  // straight segments
        w_.dxfInt(73, annotated ? 0 : 3);  // multi-line text, or none
        w_.dxfInt(74, 0);
        w_.dxfInt(75, 0);
        w_.dxfReal(40, g.annotation.height);
        const std::vector<Point2> box = textOutline(g.annotation);
        w_.dxfReal(41, std::hypot(box[1].x - box[0].x, box[1].y - box[0].y));
        w_.dxfInt(76, static_cast<int>(g.vertices.size()));
        for (const Point3& p : g.vertices) {
            point(10, p);
        }
        if (annotated) {
            w_.dxfHex(340, static_cast<int>(w_.getNextHandle()));
            extendedData();
            write(Boxed<MTextGeom>(g.annotation), a);
        }
    }

    const DrawingContent& tables_;
    std::string codePage_;
    DL_Dxf dxf_;
    DxfGroupWriter w_;
    std::optional<R12EntityWriter> r12_;
    std::optional<PageWriter> pages_;  // none in R12, which has no layouts
    std::vector<std::pair<unsigned long, DL_ImageData>> images_;
    const XData* extended_ = nullptr;         // of the entity being written, until written
    std::map<std::string, Block> dimBlocks_;  // anonymous blocks made for dimensions
    std::map<const DimensionGeom*, std::string> dimNames_;
};

}  // namespace

DxfVersion dxfSaveVersion(std::string_view acadVersion) {
    // AC1009 is R12; AC1006 R10, AC1004 R9, AC1002 R2.6 and AC1.50 sort
    // below it, AC2.10 (R2.1) does not.
    const bool r12 =
        acadVersion == "AC2.10" || (acadVersion.starts_with("AC1") && acadVersion <= "AC1009");
    return r12 ? DxfVersion::R12 : DxfVersion::R2000;
}

void writeDxf(const Drawing& drawing, const std::string& path, const FileProgress& progress,
              const WriteOptions& options, WriteReport* report) {
    const DrawingContent tables = drawing.tables();
    WriteReport changes;
    base::writeFileAtomically(
        path,
        [&](std::ostream& out) {
            DxfWriter(tables, drawing, out, options, changes).write(drawing.entities(), progress);
        },
        options.keepBackup ? base::backupName(path) : std::string());
    if (options.dxfVersion == DxfVersion::R12 && tables.header.pages != DrawingHeader{}.pages) {
        changes["LAYOUT left out"] += tables.header.pages.size();  // R12 has no layouts
    }
    if (report) {
        *report = std::move(changes);
    }
}

}  // namespace brondel::engine::io
