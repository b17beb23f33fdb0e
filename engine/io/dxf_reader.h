#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "engine/io/dxf_reader_record.h"
#include "engine/io/dxf_text.h"
#include "engine/io/dxf_tokenizer.h"

// The DXF reader behind readDxf: walks the sections and turns each entity
// record into a model entity in world coordinates.
namespace brondel::engine::io::dxf {

// A number of an object that is a nicety beside the drawing (pages, the
// multi-line style): one that is no number is left at its default rather
// than failing the file.
double numberOr(const Tokenizer& tok, const Group& g, double fallback);

class Reader {
  public:
    Reader(Tokenizer& tok, ReadReport* report) : tok_(tok), report_(report) {}
    DrawingContent read();

  private:
    // Where the entities of the section or block being read go.
    struct Target {
        std::vector<Entity>* list = nullptr;
        bool modelspace = false;
        std::string blockName;  // "" for modelspace
        void add(Entity e) { list->push_back(std::move(e)); }
        std::size_t size() const { return list->size(); }
    };
    struct PendingImage {
        std::string blockName;  // "" for modelspace
        std::size_t index;
        std::string imageDef;  // handle of the IMAGEDEF object
    };

    struct Placed {
        std::string blockName;  // "" for modelspace
        std::size_t index;
    };

    const Group& mustNext();  // throws kDxfTruncated at the end
    void record(EntityRecord& rec, const Group& start);
    // The record's groups after those already in it, up to the next entity.
    void recordRest(EntityRecord& rec);
    // A LINE with only the groups a plain line has (its ends, handle and
    // layer, each once) goes straight into its entity; true when it did.
    // Otherwise the whole record is left in rec_ for convert().
    bool plainLine(std::int64_t start, Target& target);
    std::string sectionName();
    void skipSection();
    void readHeader();
    void readTables();
    void readDimStyle();
    void readBlocks();
    void readEntitiesSection();
    void readObjects();
    // A LAYOUT object other than the model's becomes a page; read group by
    // group, as its subclass markers tell its two names apart.
    void readLayout();
    // The pages in tab order, the current one that of *Paper_Space; the
    // drawing's default page when the file has none.
    void settlePages();
    // The multi-line style STANDARD: its lines' offsets and colours.
    void readMultiLineStyle();
    // Reads entities up to the `end` marker (ENDSEC or ENDBLK).
    void readEntities(Target& target, const char* end);
    void convert(EntityRecord& rec, Target& target);
    std::optional<Geometry> geometry(const EntityRecord& rec);
    // POLYLINE with its VERTEX and SEQEND entities; none for meshes.
    std::optional<Entity> polyline(EntityRecord& rec, std::string& meshKind);
    // The ATTRIBs after an INSERT, as single-line texts.
    std::vector<Entity> readAttributes(Target& target);
    void countSkipped(const std::string& name, const Target& target);
    void countRead(std::string_view name);  // a model space entity of the kind
    // Moves each multi-line text a leader points to into that leader.
    void foldAnnotations();
    EntityProps props(const EntityRecord& rec);
    // The decoded layer name into p, as read (raw) from the file.
    void setLayer(EntityProps& p, std::string_view raw);
    // The decoded line type into p; BYLAYER, in any case, leaves it empty.
    void setLineType(EntityProps& p, std::string_view raw);
    XDataPtr extendedData(const EntityRecord& rec) const;
    std::string decode(std::string_view raw) const { return decoder_.decode(raw); }
    ReadReport& report() { return report_ ? *report_ : localReport_; }

    Tokenizer& tok_;
    ReadReport* report_;
    ReadReport localReport_;
    TextDecoder decoder_;
    DrawingContent content_;
    std::vector<PendingImage> pendingImages_;
    std::map<std::string, std::string> imageFiles_;  // IMAGEDEF handle -> file name
    struct ReadPage {
        Page page;
        int tabOrder;
        std::string blockRecord;  // handle
    };
    std::vector<ReadPage> pages_;
    std::string paperSpaceRecord_;  // handle of *Paper_Space's BLOCK_RECORD
    EntityRecord rec_, sub_;
    std::string lastLayerRaw_, lastLayer_;
    // The text groups of the plain line being read: handle, layer, line type.
    std::array<std::string, 3> plainTexts_;
    // What the last plain line's attributes were made from, and them: lines
    // on one layer in one style share them without building them again.
    struct PlainStyle {
        std::string layer, lineType;  // as read, "" when absent
        std::int16_t color = Color::kByLayer;
        std::int16_t lineWeight = lineweight::kByLayer;
    };
    PlainStyle plainStyle_;
    SharedAttributes plainAttributes_;
    std::string lastCountedName_;
    std::size_t* lastCount_ = nullptr;  // report count of lastCountedName_
    std::string pendingImageDef_;       // of the IMAGE just converted
    bool ended_ = false;                // EOF seen

    std::string pendingAnnotation_;  // handle of the text of the LEADER just converted
    std::vector<std::pair<Placed, std::string>> leaders_;  // with their texts' handles
    std::map<std::string, Placed> mtexts_;                 // by handle
    RecentAttributes recentAttributes_;
};

}  // namespace brondel::engine::io::dxf
