// Drawing a large SFC file: reading it and painting the whole drawing at
// 1920 x 1080, and redrawing views of it zoomed in and panned, as the
// preview does on every wheel notch and mouse move.
//   render_bench FILE.sfc [benchmark flags]
// (scripts/bench-render makes FILE from "makebench mixed 200000").
#include "render/scene_builder.h"
#include "render/scene_painter.h"
#include "sxf/sfc_reader.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

const QSize kScreen(1920, 1080);
QByteArray g_file;

struct Loaded {
    sxf::Drawing drawing;
    render::Scene scene;
};

const Loaded& loaded()
{
    static const Loaded l = [] {
        Loaded out;
        out.drawing = sxf::readSfc(g_file).drawing;
        out.scene = render::buildScene(out.drawing);
        return out;
    }();
    return l;
}

void paintView(render::ScenePainter& painter, const render::Scene& scene, const render::View& view, QImage& image,
               const render::LayerVisibility& visible)
{
    QPainter p(&image);
    painter.paint(p, scene, view, image.size(), visible);
}

void BM_ReadBuildAndPaint(benchmark::State& state)
{
    QImage image(kScreen, QImage::Format_RGB32);
    for (auto _ : state) {
        const sxf::ReadResult read = sxf::readSfc(g_file);
        const render::Scene scene = render::buildScene(read.drawing);
        render::ScenePainter painter;
        paintView(painter, scene, render::fitView(scene.area(), kScreen, 12), image,
                  render::initialVisibility(read.drawing));
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_BuildScene(benchmark::State& state)
{
    const sxf::Drawing& d = loaded().drawing;
    for (auto _ : state) {
        const render::Scene scene = render::buildScene(d);
        benchmark::DoNotOptimize(scene.points.data());
    }
}

// A view zoomed in by range(0) at the middle of the fitted view; the
// painter (and its fonts) kept from frame to frame, as the preview keeps it.
void BM_RedrawZoomed(benchmark::State& state)
{
    const Loaded& l = loaded();
    const render::LayerVisibility visible = render::initialVisibility(l.drawing);
    QImage image(kScreen, QImage::Format_RGB32);
    render::ScenePainter painter;
    const render::View fitted = render::fitView(l.scene.area(), kScreen, 12);
    const render::View view = render::zoomAt(fitted, QPointF(kScreen.width() / 2.0, kScreen.height() / 2.0), double(state.range(0)));
    for (auto _ : state)
        paintView(painter, l.scene, view, image, visible);
}

// Panning by 40 pixels a frame, to and fro, zoomed in by range(0).
void BM_RedrawPanned(benchmark::State& state)
{
    const Loaded& l = loaded();
    const render::LayerVisibility visible = render::initialVisibility(l.drawing);
    QImage image(kScreen, QImage::Format_RGB32);
    render::ScenePainter painter;
    const render::View fitted = render::fitView(l.scene.area(), kScreen, 12);
    render::View view = render::zoomAt(fitted, QPointF(kScreen.width() / 2.0, kScreen.height() / 2.0), double(state.range(0)));
    int frame = 0;
    for (auto _ : state) {
        view = render::panBy(view, QPointF((frame++ / 10) % 2 ? -40 : 40, 0));
        paintView(painter, l.scene, view, image, visible);
    }
}

}  // namespace

BENCHMARK(BM_ReadBuildAndPaint)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BuildScene)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RedrawZoomed)->Arg(1)->Arg(4)->Arg(16)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawPanned)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fputs("usage: render_bench FILE.sfc [benchmark flags]\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    g_file = file.readAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
