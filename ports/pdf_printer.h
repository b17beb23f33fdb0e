#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/geometry.h"
#include "engine/pages.h"
#include "ports/printer.h"

namespace brondel::engine {
class Drawing;
}

// The headless printer: a control's drawing becomes a one-page PDF file,
// the drawing fitted to the sheet of its current page, or, when that page
// has no paper size, to an A4 page (landscape when it is wider than tall).
namespace brondel::ports {

// What the page shows, in drawing units: chains of straight strokes (arcs,
// circles, ellipses, splines and curved polyline segments as short chords;
// block references, dimensions and hatches by their parts) and markers,
// drawn as small crosses of a fixed size on paper (points and the insertion
// points of texts). Rays and construction lines are left out.
struct PrintPicture {
    std::vector<std::vector<engine::Point2>> strokes;
    std::vector<engine::Point2> markers;
};

PrintPicture drawingPicture(const engine::Drawing& drawing);

// A complete one-page PDF document showing the picture fitted to the page:
// the sheet given, else A4 the way round the picture fits best.
std::string pictureToPdf(const PrintPicture& picture,
                         const std::optional<engine::Sheet>& sheet = std::nullopt);

class PdfPrinter : public Printer {
  public:
    explicit PdfPrinter(std::string path);

    void print(const engine::Vecad& control) override;
    void preview(const engine::Vecad& control) override;
    void setup() override { ++setups_; }

    const std::string& path() const { return path_; }
    int setups() const { return setups_; }

  private:
    std::string path_;
    int setups_ = 0;
};

}  // namespace brondel::ports
