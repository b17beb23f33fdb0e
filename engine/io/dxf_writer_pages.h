#pragma once

#include <dxflib/dl_writer.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/tables.h"

// The drawing's pages in a DXF 2000 file: each a LAYOUT object with its plot
// settings, owning a block record and an empty block. The current page's
// block is *Paper_Space, the others' *Paper_Space0, *Paper_Space1, ...
namespace brondel::engine::io {

class PageWriter {
  public:
    // The pages take handles from firstHandle on, handles() of them; their
    // names come already in the file's code page.
    PageWriter(const DL_Writer& w, const DrawingHeader& header, std::vector<std::string> names,
               unsigned long firstHandle);

    unsigned long handles() const { return 4 * pages_.size(); }
    // The start of the BLOCK_RECORD table and the records of model space
    // and of the pages.
    void blockRecords() const;
    void blocks() const;
    // The start of the OBJECTS section: the dictionaries and objects dxflib
    // writes, the drawing's multi-line style, a layout per page beside the
    // model's.
    void objects() const;

  private:
    struct Written {
        std::string name, block;
        const Page* page;
        unsigned long record, layout, begin, end;
    };
    void layout(const Written& p, int tabOrder) const;
    // Groups listed as "code value|code value|...".
    void groups(std::string_view listed) const;
    void multiLineStyle() const;

    const DL_Writer& w_;
    std::vector<Written> pages_;
    std::vector<double> multiLineOffsets_;
    std::vector<Color> multiLineColors_;
};

}  // namespace brondel::engine::io
