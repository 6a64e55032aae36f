// Speed of the template wizard: making 100 random designs, and painting the
// gallery's visible part in a pane 800 pixels wide with five long texts and a
// logo (with and without the background picture). "cold" measures every text
// fresh at every paint; "warm" paints again with the sizes already known.

#include "document/labelformat.h"
#include "document/progpath.h"
#include "wizard/gallerypaint.h"
#include "wizard/templatewizard.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_RandomDesigns(benchmark::State& state) {
    DesignRandom random;
    random.seed(1);
    const int elements = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(randomDesigns(elements, 100, random).data());
}
BENCHMARK(BM_RandomDesigns)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);

// A program folder with a logo and a background picture of photo size.
struct Samples {
    QTemporaryDir dir;
    Samples() {
        initProgPath(dir.path());
        QImage logo(600, 300, QImage::Format_RGB32);
        logo.fill(QColor(20, 60, 160));
        QPainter(&logo).fillRect(100, 50, 400, 200, Qt::yellow);
        logo.save(dir.filePath(QStringLiteral("logo.png")));
        QImage back(1600, 1200, QImage::Format_RGB32);
        back.fill(QColor(240, 220, 180));
        QPainter(&back).fillRect(200, 200, 1200, 800, QColor(200, 230, 250));
        back.save(dir.filePath(QStringLiteral("hintergrund.png")));
    }
};

WizardInputs longTexts(bool background) {
    WizardInputs in;
    for (int i = 0; i < 5; ++i)
        in.texts << QStringLiteral("Hausgemachte Erdbeermarmelade aus eigenem Garten, Ernte "
                                   "Sommer 2026, Zeile %1")
                        .arg(i + 1);
    in.withLogo = true;
    in.logoFile = QStringLiteral("logo.png");
    in.withBackground = background;
    in.backgroundFile = QStringLiteral("hintergrund.png");
    return in;
}

void BM_GenerateWithPictures(benchmark::State& state) {
    Samples samples;
    TemplateWizard wizard;
    const WizardInputs in = longTexts(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(wizard.generate(in));
}
BENCHMARK(BM_GenerateWithPictures)->Unit(benchmark::kMillisecond);

// One paint of the visible part of an 800 x 500 pane.
void galleryPaint(benchmark::State& state, bool background, bool warm) {
    Samples samples;
    TemplateWizard wizard;
    wizard.random().seed(9);
    wizard.generate(longTexts(background));
    const TLabelFormat format;
    const GalleryGeometry g = galleryGeometry(format.LabelWidth, format.LabelHeight, 800, 100);
    QImage pane(800, 500, QImage::Format_RGB32);
    TextFitCache fits;
    for (auto _ : state) {
        if (!warm)
            fits.clear();
        pane.fill(Qt::darkGray);
        QPainter p(&pane);
        paintGallery(p, g, pane.rect(), wizard, format.LabelWidth, format.LabelHeight, fits);
        p.end();
        benchmark::DoNotOptimize(pane.constBits());
    }
}
void BM_GalleryPaintCold(benchmark::State& state) {
    galleryPaint(state, state.range(0) != 0, false);
}
void BM_GalleryPaintWarm(benchmark::State& state) {
    galleryPaint(state, state.range(0) != 0, true);
}
BENCHMARK(BM_GalleryPaintCold)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GalleryPaintWarm)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
