// Painting a million-line drawing into a window-sized image: a full repaint
// at fit-all, and the frames of panning and zooming where a tenth shows;
// the magnifier's and the navigator's pictures of it; a large preview; a
// change of the 3D view's direction.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>

#include "app/desktop/magnifier.h"
#include "app/desktop/navigator.h"
#include "app/desktop/raster_image.h"
#include "app/desktop/view_painter.h"
#include "engine/preview_entities.h"
#include "engine/vecad.h"

namespace {

using namespace brondel;

constexpr int kLines = 1'000'000;
constexpr double kSide = 10000;
constexpr double kLongest = 50;

engine::Vecad& randomDrawing() {
    static engine::Vecad* vecad = [] {
        auto* v = new engine::Vecad;
        v->drawing().keepHistory(false);
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> at(0, kSide), step(-kLongest, kLongest);
        for (int i = 0; i < kLines; ++i) {
            const double x = at(rng), y = at(rng);
            v->AddLine(x, y, 0, x + step(rng), y + step(rng), 0);
        }
        v->view().resize(1200, 800);
        return v;
    }();
    return *vecad;
}

void BM_FullRepaintFitAll(benchmark::State& state) {
    engine::Vecad& v = randomDrawing();
    v.ZoomExtents();
    QImage image(1200, 800, QImage::Format_RGB32);
    desktop::ViewPainter painter;
    painter.render(image, v.drawing(), v.view(), {});  // the boxes, kept between frames
    for (auto _ : state) {
        painter.render(image, v.drawing(), v.view(), {});
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FullRepaintFitAll)->Unit(benchmark::kMillisecond);

// A view of a tenth of the drawing's area, moved a little each frame.
void BM_PanZoomFrame(benchmark::State& state) {
    engine::Vecad& v = randomDrawing();
    v.ZoomExtents();
    engine::View& view = v.view();
    view.zoomBy(std::sqrt(10.0));
    const engine::Point2 home = view.center();
    QImage image(1200, 800, QImage::Format_RGB32);
    desktop::ViewPainter painter;
    painter.render(image, v.drawing(), view, {});
    int frame = 0;
    for (auto _ : state) {
        const double shift = (frame++ % 20) * 10 * view.scale();
        view.set({home.x + shift, home.y - shift}, view.scale());
        painter.render(image, v.drawing(), view, {});
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PanZoomFrame)->Unit(benchmark::kMillisecond);

// The magnifier's loupe at fit-all, moved a little each frame: it is drawn
// again at every cursor move.
void BM_MagnifierFrame(benchmark::State& state) {
    engine::Vecad& v = randomDrawing();
    v.ZoomExtents();
    const engine::View& window = v.view();
    engine::View loupe;
    loupe.resize(desktop::Magnifier::kSize, desktop::Magnifier::kSize);
    QImage image(desktop::Magnifier::kSize, desktop::Magnifier::kSize, QImage::Format_RGB32);
    desktop::ViewPainter painter;
    int frame = 0;
    for (auto _ : state) {
        const double shift = (frame++ % 20) * 10 * window.scale();
        loupe.set({window.center().x + shift, window.center().y},
                  window.scale() / desktop::Magnifier::kZoom);
        painter.render(image, v.drawing(), loupe, {});
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_MagnifierFrame)->Unit(benchmark::kMillisecond);

// The navigator's picture after the drawing changed: its extents, then all
// of it in 144 pixels square.
void BM_NavigatorPicture(benchmark::State& state) {
    engine::Vecad& v = randomDrawing();
    engine::View whole;
    whole.resize(desktop::Navigator::kSize, desktop::Navigator::kSize);
    QImage image(desktop::Navigator::kSize, desktop::Navigator::kSize, QImage::Format_RGB32);
    desktop::ViewPainter painter;
    for (auto _ : state) {
        painter.forget();
        whole.zoomExtents(v.drawing().extents());
        painter.render(image, v.drawing(), whole, {});
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_NavigatorPicture)->Unit(benchmark::kMillisecond);

// Each frame: the preview takes what `next` gives and is painted in one ink
// over a 1200 x 800 view of the square 0..1000, as the command window's
// overlay does at each cursor move.
template <class Next>
void paintPreviewFrames(benchmark::State& state, Next next) {
    engine::View view;
    view.resize(1200, 800);
    engine::Box2 box;
    box.add(0, 0);
    box.add(1000, 1000);
    view.zoomExtents(box);
    engine::Drawing preview;
    preview.keepHistory(false);
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        engine::showPreview(preview, next());
        QPainter p(&image);
        desktop::ViewPainter().paint(p, preview, view, 0xff60d0ff, 6);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// A command's preview of a 100,000-vertex polyline with arcs, as the
// command window's overlay draws it at each cursor move: the preview takes
// the moved last vertex, then is painted in one ink over the frame.
void BM_PreviewLargePolylineFrame(benchmark::State& state) {
    constexpr int kVertices = 100'000;
    engine::PolylineGeom g;
    for (int i = 0; i < kVertices; ++i) {
        g.vertices.push_back({double(i % 1000), double(i / 1000) * 10, 0, i % 3 == 0 ? 0.4 : 0});
    }
    int frame = 0;
    paintPreviewFrames(state, [&] {
        g.vertices.back().x = 990 - (frame++ % 20);
        return std::vector<engine::Entity>{engine::Entity(g)};
    });
}
BENCHMARK(BM_PreviewLargePolylineFrame)->Unit(benchmark::kMillisecond);

// What a Draw command shows under the cursor (a rubber-band line and the
// circle through it), updated and painted as one frame.
void BM_PreviewDrawCommandFrame(benchmark::State& state) {
    int frame = 0;
    paintPreviewFrames(state, [&] {
        const double x = 500 + (frame++ % 200);
        return std::vector<engine::Entity>{
            engine::Entity(engine::LineGeom{{500, 500, 0}, {x, 700, 0}}),
            engine::Entity(engine::CircleGeom{{500, 500, 0}, x - 400})};
    });
}
BENCHMARK(BM_PreviewDrawCommandFrame)->Unit(benchmark::kMicrosecond);

// Export Screen Raster of the whole drawing at 1920 x 1080: a fresh render
// (no boxes kept from an earlier one) encoded as PNG, as the command makes it.
void BM_ExportScreenRasterExtents(benchmark::State& state) {
    engine::Vecad& v = randomDrawing();
    engine::View whole;
    whole.resize(1920, 1080);
    whole.zoomExtents(v.drawing().extents());
    for (auto _ : state) {
        const std::string png = desktop::rasterImage(v, whole, ports::RasterFormat::Png);
        benchmark::DoNotOptimize(png.data());
    }
}
BENCHMARK(BM_ExportScreenRasterExtents)->Unit(benchmark::kMillisecond);

// A change of the view direction, as View 3D gives it: the drawing projected
// afresh, the whole projection fitted and painted with no boxes kept.
void BM_ViewDirectionChange(benchmark::State& state) {
    engine::Vecad& v = randomDrawing();
    QImage image(1200, 800, QImage::Format_RGB32);
    desktop::ViewPainter painter;
    int frame = 0;
    for (auto _ : state) {
        v.setViewDirection(frame++ % 2 ? engine::ViewDirection::SouthWest
                                       : engine::ViewDirection::NorthEast);
        painter.forget();
        painter.render(image, v.shown(), v.view(), {});
        benchmark::DoNotOptimize(image.constBits());
    }
    v.setViewDirection(engine::ViewDirection::Top);
}
BENCHMARK(BM_ViewDirectionChange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
