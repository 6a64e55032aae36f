// Writing and reading a label file with all 10000 slots in use (texts and figures).
#include "document/labelfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
class SilentPrompts : public Prompts {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
    QString openFileName(FileRequest&) override { return QString(); }
    QString saveFileName(FileRequest&) override { return QString(); }
};

class NoPictures : public PictureLoader {
public:
    PictureLoad load(TDibRecord&, const QString&, int) override { return PictureLoad::Failed; }
};

void fillFullDocument(LabelDocument& doc) {
    for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
        Tobs& o = doc.Objs[slot];
        o.X = 70000 + slot;
        o.Y = 28000 + slot;
        o.Width = 20000;
        o.Height = 8000;
        if (slot % 2) {
            o.Kind = KindText;
            o.Text = QStringLiteral("Text Nummer %1\rmit zweiter Zeile – %%NUMMER%%").arg(slot);
            o.FontName = QStringLiteral("Liberation Sans");
            o.FontSize = 12;
        } else {
            o.Kind = KindFigure;
            o.Shape = slot % 10;
            o.Color = slot * 97;
        }
    }
}

LabelDocument& fullDocument() {
    static LabelDocument* doc = [] {
        auto* d = new LabelDocument;
        fillFullDocument(*d);
        return d;
    }();
    return *doc;
}

void BM_WriteBytes(benchmark::State& state) {
    const LabelDocument& doc = fullDocument();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray b = labelFileBytes(doc);
        bytes += b.size();
        benchmark::DoNotOptimize(b.constData());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WriteBytes)->Unit(benchmark::kMillisecond);

void BM_SaveitToFile(benchmark::State& state) {
    LabelDocument& doc = fullDocument();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("voll.ett"));
    SilentPrompts prompts;
    for (auto _ : state)
        benchmark::DoNotOptimize(Saveit(doc, file, prompts));
}
BENCHMARK(BM_SaveitToFile)->Unit(benchmark::kMillisecond);

void BM_ReadFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("voll.ett"));
    SilentPrompts prompts;
    Saveit(fullDocument(), file, prompts);
    LabelDocument doc;
    NoPictures pictures;
    for (auto _ : state) {
        if (readLabelFile(file, doc, prompts, pictures) != ReadOutcome::Complete)
            state.SkipWithError("the file did not read back");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(file).size());
}
BENCHMARK(BM_ReadFromFile)->Unit(benchmark::kMillisecond);

void BM_ReadFromMemory(benchmark::State& state) {
    const QByteArray bytes = labelFileBytes(fullDocument());
    LabelDocument doc;
    SilentPrompts prompts;
    NoPictures pictures;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(readLabelFile(buffer, QString(), doc, prompts, pictures));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadFromMemory)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts in the object table need it
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
