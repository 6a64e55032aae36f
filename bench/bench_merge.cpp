// Merged printing of 10,000 address rows (5 fields, 3 lines of text each) on A4
// sheets of 3 x 8 labels: "--print --output --merge" at 600 dots per inch, the
// check alone ("--check"), and reading the source into the print page's table.
// Then 10,000 product labels, each with a picture of its own (%%Artikel%%.png, 200 x
// 200 pixels, 156 KiB decoded, 1.5 GiB for all), printed and checked.
// Counters: the PDF's size, the process's peak resident memory so far (run one
// benchmark at a time with --benchmark_filter to read it for that case alone) and
// the bytes the picture store holds afterwards.
#include "app/commandline.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "merge/mergetable.h"
#include "render/picturestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
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
QString productLabel;
QString productData;

// A label with a picture named by the article number and the number beneath it, and
// its rows; the pictures lie in the label's folder "produkte".
void makeProductFiles() {
    LabelDocument doc;
    doc.Format = TLabelFormat{0.0, 0.5, 70.0, 37.0, 70.0, 37.0, 3, 8, QStringLiteral("3 x 8")};
    doc.computeWorkArea();
    Tobs& picture = doc.Objs[1];
    picture.Kind = KindPicture;
    picture.KeepAspect = true;
    picture.Text = QStringLiteral("produkte/%%Artikel%%.png");
    picture.X = doc.WorkWidth / 3 + 1000;
    picture.Y = doc.WorkHeight / 3 + 1000;
    picture.Width = doc.WorkWidth / 6;
    picture.Height = doc.WorkHeight / 3 - 2000;
    Tobs& text = doc.Objs[2];
    text.Kind = KindText;
    text.Text = QStringLiteral("Art. %%Artikel%%");
    text.FontName = QStringLiteral("Arial");
    text.FontSize = 11;
    text.X = doc.WorkWidth / 2;
    text.Y = doc.WorkHeight / 3 + 1500;
    text.Width = doc.WorkWidth / 6 - 1000;
    text.Height = doc.WorkHeight / 3 - 3000;
    productLabel = folder->filePath(QStringLiteral("produkte.ett"));
    SilentPrompts prompts;
    Saveit(doc, productLabel, prompts);

    QDir(folder->path()).mkdir(QStringLiteral("produkte"));
    QByteArray csv("Artikel\n");
    QImage image(200, 200, QImage::Format_RGB32);
    for (int i = 0; i < Rows; ++i) {
        const QByteArray number = QByteArray::number(100000 + i);
        image.fill(QColor::fromHsv(i % 360, 200, 100 + i % 150));
        image.setPixel(i % 200, i / 200 % 200, qRgb(0, 0, 0));
        image.save(folder->filePath(QStringLiteral("produkte/") + QString::fromLatin1(number) +
                                    QStringLiteral(".png")));
        csv += number + "\n";
    }
    productData = folder->filePath(QStringLiteral("produkte.csv"));
    QFile f(productData);
    if (f.open(QIODevice::WriteOnly))
        f.write(csv);
}

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

int runJob(const QStringList& extra, const QString& label = labelFile,
           const QString& data = dataFile) {
    QString out, err;
    QTextStream o(&out), e(&err);
    return commandLineMain(QStringList{QStringLiteral("aufkleber-werkbank"),
                                       QStringLiteral("--print"), label, QStringLiteral("--merge"),
                                       data} +
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

void BM_ProductPicturesToPdf(benchmark::State& state) {
    if (productLabel.isEmpty())
        makeProductFiles();
    const QString pdf = folder->filePath(QStringLiteral("produkte.pdf"));
    for (auto _ : state) {
        if (runJob(
                {QStringLiteral("--output"), pdf, QStringLiteral("--number"), QStringLiteral("1")},
                productLabel, productData) != 0) {
            state.SkipWithError("printing failed or found something");
            break;
        }
    }
    state.counters["pdf_MiB"] = double(QFileInfo(pdf).size()) / (1024.0 * 1024.0);
    state.counters["store_KiB"] = double(PictureStore::shared().bytesHeld()) / 1024.0;
    peak(state);
}
BENCHMARK(BM_ProductPicturesToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ProductPicturesCheck(benchmark::State& state) {
    if (productLabel.isEmpty())
        makeProductFiles();
    for (auto _ : state) {
        if (runJob({QStringLiteral("--check")}, productLabel, productData) != 0) {
            state.SkipWithError("the check found something");
            break;
        }
    }
    peak(state);
}
BENCHMARK(BM_ProductPicturesCheck)->Unit(benchmark::kMillisecond)->Iterations(1);
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
