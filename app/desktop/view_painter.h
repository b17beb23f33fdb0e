#pragma once

#include <QImage>
#include <QLineF>
#include <QRgb>
#include <QVector>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/desktop/palette.h"
#include "app/desktop/picture_cache.h"
#include "engine/drawing.h"
#include "engine/view.h"

class QPainter;

// Renders a drawing as a view sees it into an image, in the entities'
// colours, line types and line weights. Boxes of the entities are kept
// between renders so that culling a large drawing costs a compare per
// entity; forget() drops them when the drawing changes.
namespace brondel::desktop {

class ViewPainter {
  public:
    static constexpr QRgb kBackground = kDrawingBackground;

    using Selected = std::function<bool(engine::Handle)>;

    // Draws every live entity on a visible layer into image (sized to the
    // view). selected may be empty when nothing is selected.
    void render(QImage& image, const engine::Drawing& drawing, const engine::View& view,
                const Selected& selected);
    // Draws them with the painter in one ink (texts, fills and block parts
    // included), each line as wide as its weight at unitsPerMm painter units
    // to the millimetre; the view's window pixels are the painter's
    // coordinates. For printing: nothing is rasterized.
    void paint(QPainter& p, const engine::Drawing& drawing, const engine::View& view, QRgb ink,
               double unitsPerMm);
    void forget() {
        cache_.clear();
        order_.clear();
        styles_.clear();
    }
    // The drawing's file, that images' relative paths start from.
    void setDrawingFile(std::string file) { drawingFile_ = std::move(file); }

  private:
    // Line type marks besides indexes in the drawing's line types.
    static constexpr std::uint32_t kSolid = 0xffffffffu, kByLayerType = 0xfffffffeu;

    // How an entity's own properties say its lines are drawn.
    struct Style {
        std::uint32_t lineType;  // in the drawing's line types, kSolid or kByLayerType
        double lineTypeScale;
        std::int16_t lineWeight;  // hundredths of a mm, or engine::lineweight::kByLayer
        auto operator<=>(const Style&) const = default;
    };
    // A style for one render: line weight in output units, <= 0 for the layer's.
    struct StyleLook {
        std::uint32_t lineType;
        double lineTypeScale;
        double width;
    };
    // What a layer gives the entities on it, read afresh at each render.
    struct LayerLook {
        bool visible;
        QRgb color;
        std::uint32_t lineType;  // in the drawing's line types, or kSolid
        double width;
    };
    // Where the lines go: screen pixels or a printer's painter.
    struct Medium {
        std::optional<QRgb> ink;
        double unitsPerMm;
        bool wholePixels;
        double width(std::int16_t lineWeight) const;
    };
    // The lines drawn with one pen.
    struct Stroke {
        QRgb color;
        bool selected;
        double width;
        std::uint32_t lineType;  // kSolid when drawn solid
        double dashScale;        // pattern lengths to pixels; 0 when solid
        bool operator==(const Stroke&) const = default;
    };
    struct Batch {
        Stroke stroke;
        std::vector<double> dashes;  // in pixels; empty when solid
        double repeat = 0;           // one pattern's length in pixels
        QVector<QLineF> lines;       // solid pieces: dashes already cut
        bool used = false;
    };
    // What a render needs of an entity without reading the entity itself: a
    // line is drawn from this alone (its ends are corners of its box).
    struct Cached {
        engine::Box2 box;  // empty for erased entities
        engine::Handle handle;
        std::uint32_t layer;  // index in the drawing's layers, kNoLayer when unknown
        QRgb color;           // the entity's own colour; unused when byLayer
        std::uint8_t flags;
        std::uint16_t style;  // in styles_, kOwnStyle when its properties must be read
    };
    static constexpr std::uint32_t kNoLayer = 0xffffffffu;
    static constexpr std::uint16_t kOwnStyle = 0xffff;
    static constexpr std::uint8_t kLine = 1, kRising = 2, kByLayer = 4, kBackward = 8;

    static Style styleOf(const engine::EntityProps& props, const engine::Drawing& drawing);
    static StyleLook lookOf(const Style& style, const Medium& medium);
    void rebuild(const engine::Drawing& drawing);
    // Culls and draws the entities layer by layer in the order of the
    // drawing's layers: lines into the batches, the rest at once; layerDone
    // draws the batches before the next layer begins.
    void collect(QPainter& p, const engine::Drawing& drawing, const engine::View& view,
                 const Selected& selected, const Medium& medium,
                 const std::function<void()>& layerDone);
    Batch& batch(const Stroke& stroke, const engine::Drawing& drawing);
    void flush(QImage& image, QPainter& p, bool antialiased);

    std::vector<Cached> cache_;  // by position in the drawing's entities
    std::vector<Style> styles_;  // the distinct ones of cache_
    std::deque<Batch> batches_;  // a deque: batches stay put while new ones are made
    Batch* last_ = nullptr;
    PictureCache pictures_;
    std::string drawingFile_;

    // Positions in cache_ bucketed by layer, in the order they are drawn.
    std::vector<std::uint32_t> order_;
};

}  // namespace brondel::desktop
