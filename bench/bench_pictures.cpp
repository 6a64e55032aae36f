// Turning and drawing a 6000 x 4000 true-colour picture, beside Qt's own
// operations on the same picture.

#include "codec/dibrecord.h"
#include "render/dibdraw.h"
#include "render/picload.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <benchmark/benchmark.h>

namespace {

constexpr int PictureW = 6000;
constexpr int PictureH = 4000;
constexpr int TargetW = 1000;
constexpr int TargetH = 700;

const TDibRecord& bigPicture() {
    static const TDibRecord picture = [] {
        TDibRecord rec;
        newdib(rec, PictureW, PictureH, 24, nullptr, 0);
        for (int y = 0; y < PictureH; ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(rec.Image.scanLine(y));
            for (int x = 0; x < PictureW; ++x)
                line[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
        }
        return rec;
    }();
    return picture;
}

void BM_RotRight(benchmark::State& state) {
    const TDibRecord& source = bigPicture();
    int lastProgress = 0;
    for (auto _ : state) {
        TDibRecord rec = source;
        RotRight(rec, [&lastProgress](int p) { lastProgress = p; });
        benchmark::DoNotOptimize(rec.Image.constBits());
    }
    benchmark::DoNotOptimize(lastProgress);
}
BENCHMARK(BM_RotRight)->Unit(benchmark::kMillisecond);

void BM_QtTransformed90(benchmark::State& state) {
    const QImage& source = bigPicture().Image;
    for (auto _ : state) {
        QImage turned = source.transformed(QTransform().rotate(90));
        benchmark::DoNotOptimize(turned.constBits());
    }
}
BENCHMARK(BM_QtTransformed90)->Unit(benchmark::kMillisecond);

void BM_DrawDib(benchmark::State& state) {
    const TDibRecord& source = bigPicture();
    QImage target(TargetW, TargetH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        DrawDib(p, 0, 0, TargetW, TargetH, source, 0, 0, PictureW, PictureH);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_DrawDib)->Unit(benchmark::kMillisecond);

void BM_QtDrawImage(benchmark::State& state) {
    const QImage& source = bigPicture().Image;
    QImage target(TargetW, TargetH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        p.drawImage(QRect(0, 0, TargetW, TargetH), source);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_QtDrawImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
