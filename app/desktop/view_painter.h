#pragma once

#include <QImage>
#include <QLineF>
#include <QRgb>
#include <QVector>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/drawing.h"
#include "engine/view.h"

class QPainter;

// Renders a drawing as a view sees it into an image. Boxes of the entities
// are kept between renders so that culling a large drawing costs a compare
// per entity; forget() drops them when the drawing changes.
namespace brondel::desktop {

class ViewPainter {
  public:
    static constexpr QRgb kBackground = 0xff202020;

    using Selected = std::function<bool(engine::Handle)>;

    // Draws every live entity on a visible layer into image (sized to the
    // view). selected may be empty when nothing is selected.
    void render(QImage& image, const engine::Drawing& drawing, const engine::View& view,
                const Selected& selected);
    // Draws them with the painter in one ink (texts, fills and block parts
    // included), lines penWidth wide; the view's window pixels are the
    // painter's coordinates. For printing: nothing is rasterized.
    void paint(QPainter& p, const engine::Drawing& drawing, const engine::View& view, QRgb ink,
               double penWidth);
    void forget() { cache_.clear(); }

  private:
    struct Batch {
        QRgb color;
        bool selected;
        QVector<QLineF> lines;
    };
    // What a render needs of an entity without reading the entity itself: a
    // line is drawn from this alone (its ends are corners of its box).
    struct Cached {
        engine::Box2 box;  // empty for erased entities
        engine::Handle handle;
        std::uint32_t layer;  // index in the drawing's layers, kNoLayer when unknown
        QRgb color;           // the entity's own colour; unused when byLayer
        std::uint8_t flags;
    };
    static constexpr std::uint32_t kNoLayer = 0xffffffffu;
    static constexpr std::uint8_t kLine = 1, kRising = 2, kByLayer = 4;

    void rebuild(const engine::Drawing& drawing);
    // Culls and draws the entities: lines into the batches, the rest at once.
    void collect(QPainter& p, const engine::Drawing& drawing, const engine::View& view,
                 const Selected& selected, std::optional<QRgb> ink);
    QVector<QLineF>& batch(QRgb color, bool selected);
    void flush(QImage& image, QPainter& p, bool antialiased);

    std::vector<Cached> cache_;  // by position in the drawing's entities
    std::vector<Batch> batches_;
    std::size_t lastBatch_ = 0;
};

}  // namespace brondel::desktop
