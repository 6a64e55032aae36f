// Merged printing of 10,000 address rows (5 fields, 3 lines of text each) on A4
// sheets of 3 x 8 labels: "--print --output --merge" at 600 dots per inch, the
// check alone ("--check"), and reading the source into the print page's table.
// Counters: the PDF's size and the process's peak resident memory so far.
#include "app/commandline.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "merge/mergetable.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {
class SilentPrompts : public Prompts {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
    QString openFileName(FileRequest&) override { return QString(); }
    QString saveFileName(FileRequest&) override { return QString(); }
};

constexpr int Rows = 10000;
QTemporaryDir* folder = nullptr;
QString labelFile;
QString dataFile;

void makeFiles() {
    LabelDocument doc;
    doc.Format = TLabelFormat{0.0, 0.5, 70.0, 37.0, 70.0, 37.0, 3, 8, QStringLiteral("3 x 8")};
    doc.computeWorkArea();
    Tobs& text = doc.Objs[1];
    text.Kind = KindText;
    text.Text = QStringLiteral("%%Vorname%% %%Name%%\r%%Straße%%\r%%PLZ%% %%Ort%%");
    text.FontName = QStringLiteral("Arial");
    text.FontSize = 11;
    text.X = doc.WorkWidth / 3 + 1500;
    text.Y = doc.WorkHeight / 3 + 1500;
    text.Width = doc.WorkWidth / 3 - 3000;
    text.Height = doc.WorkHeight / 3 - 3000;
    labelFile = folder->filePath(QStringLiteral("adressen.ett"));
    SilentPrompts prompts;
    Saveit(doc, labelFile, prompts);

    dataFile = folder->filePath(QStringLiteral("adressen.csv"));
    QFile f(dataFile);
    if (!f.open(QIODevice::WriteOnly))
        return;
    QByteArray csv("Vorname;Name;Stra\xDF"
                   "e;PLZ;Ort\r\n");
    for (int i = 0; i < Rows; ++i)
        csv += "J\xFCrgen;M\xFCller " + QByteArray::number(i) +
               ";Hauptstra\xDF"
               "e " +
               QByteArray::number(i % 200 + 1) + ";" + QByteArray::number(10000 + i * 7 % 89999) +
               ";K\xF6ln\r\n";
    f.write(csv);
}

int runJob(const QStringList& extra) {
    QString out, err;
    QTextStream o(&out), e(&err);
    return commandLineMain(QStringList{QStringLiteral("aufkleber-werkbank"),
                                       QStringLiteral("--print"), labelFile,
                                       QStringLiteral("--merge"), dataFile} +
                               extra,
                           o, e);
}

void peak(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

void BM_MergeToPdf(benchmark::State& state) {
    const QString pdf = folder->filePath(QStringLiteral("serie.pdf"));
    for (auto _ : state) {
        if (runJob({QStringLiteral("--output"), pdf, QStringLiteral("--number"),
                    QStringLiteral("1")}) != 0) {
            state.SkipWithError("printing failed");
            break;
        }
    }
    state.counters["pdf_MiB"] = double(QFileInfo(pdf).size()) / (1024.0 * 1024.0);
    peak(state);
}
BENCHMARK(BM_MergeToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MergeCheck(benchmark::State& state) {
    for (auto _ : state) {
        if (runJob({QStringLiteral("--check")}) != 0) {
            state.SkipWithError("the check found something");
            break;
        }
    }
    peak(state);
}
BENCHMARK(BM_MergeCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenSourceForThePage(benchmark::State& state) {
    for (auto _ : state) {
        MergeTable table;
        QString error;
        if (!table.load(dataFile, &error) || table.rowCount() != Rows) {
            state.SkipWithError("reading failed");
            break;
        }
        benchmark::DoNotOptimize(table.rowCount());
    }
    peak(state);
}
BENCHMARK(BM_OpenSourceForThePage)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    initProgPath(dir.path());
    SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
    makeFiles();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
