// Opening a label whose 10000 slots all hold pictures: once naming 20 distinct
// pictures of 1000 x 1000 pixels, once naming pictures that do not exist. Each
// iteration opens the file into a fresh picture store, so every picture is decoded
// again. peak_MB is the process's peak resident memory so far; run one benchmark at
// a time (--benchmark_filter) to read it for that case alone.
#include "document/labelfile.h"
#include "render/picturefileloader.h"
#include "render/picturestore.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace {
class SilentPrompts : public Prompts {
public:
    int errors = 0;
    Answer message(const QString&, const QString&, Buttons, Icon icon) override {
        errors += icon == Icon::Error;
        return Answer::Ok;
    }
    QString openFileName(FileRequest&) override { return QString(); }
    QString saveFileName(FileRequest&) override { return QString(); }
};

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A label file in dir whose slots name the given pictures in turn.
QString labelNaming(const QTemporaryDir& dir, const QStringList& names) {
    auto doc = std::make_unique<LabelDocument>();
    for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
        Tobs& o = doc->Objs[slot];
        o.Kind = KindPicture;
        o.Text = names[slot % names.size()];
        o.X = 70000 + slot;
        o.Y = 28000;
        o.Width = 4000;
        o.Height = 4000;
    }
    const QString file = dir.filePath(QStringLiteral("bilder.ett"));
    SilentPrompts prompts;
    Saveit(*doc, file, prompts);
    return file;
}

void openRepeatedly(benchmark::State& state, const QString& file) {
    SilentPrompts prompts;
    auto doc = std::make_unique<LabelDocument>();
    qint64 held = 0;
    for (auto _ : state) {
        PictureStore store;
        PictureFileLoader loader({}, &store);
        if (readLabelFile(file, *doc, prompts, loader) != ReadOutcome::Complete)
            state.SkipWithError("the label did not open");
        held = store.bytesHeld();
    }
    state.counters["decoded_MB"] = double(held) / (1024.0 * 1024.0);
    state.counters["messages_per_open"] = double(prompts.errors) / double(state.iterations());
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_Open20SharedPictures(benchmark::State& state) {
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < 20; ++i) {
        QImage img(1000, 1000, QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                line[x] = qRgb((x + i * 13) & 0xFF, (y * 3) & 0xFF, (x ^ y) & 0xFF);
        }
        names << dir.filePath(QStringLiteral("bild%1.jpg").arg(i));
        img.save(names.last(), "JPEG", 90);
    }
    openRepeatedly(state, labelNaming(dir, names));
}
BENCHMARK(BM_Open20SharedPictures)->Unit(benchmark::kMillisecond);

void BM_Open10000MissingPictures(benchmark::State& state) {
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < ObjectTable::MaxObjs; ++i)
        names << QStringLiteral("C:\\Bilder\\fehlt%1.jpg").arg(i);
    openRepeatedly(state, labelNaming(dir, names));
}
BENCHMARK(BM_Open10000MissingPictures)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
