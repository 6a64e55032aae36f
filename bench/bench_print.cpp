// "--print --output" of A4 sheets of 3 x 8 labels of 70 x 37 mm, each with a
// frame, a 14-point text holding "%%NUMMER%%" and a 2000 x 1500 photo, for 100 and
// for 1000 sheets at 600 dots per inch; and the same label with a fixed text (no
// field), whose layout a run makes once. Counters: the PDF's size, its size per
// sheet, and the process's peak resident memory so far.
//
// With AWB_PRINT_FOLDER set to a folder, the label files and the photo are made
// there and kept, for timing the program itself on them.
#include "app/allocatortuning.h"
#include "app/commandline.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
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

QDir* folder = nullptr;
QString labelFile;
QString fixedTextFile;

QString makeLabel(const QString& name, const QString& textLine) {
    const QString photo = folder->filePath(QStringLiteral("foto.jpg"));
    QImage img(2000, 1500, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 2000, 1500);
    g.setColorAt(0, QColor(30, 90, 160));
    g.setColorAt(1, QColor(230, 180, 40));
    p.fillRect(img.rect(), g);
    for (int i = 0; i < 400; ++i)
        p.fillRect((i * 97) % 1950, (i * 53) % 1450, 50, 50,
                   QColor::fromHsv((i * 37) % 360, 200, 220));
    p.end();
    img.save(photo, "JPG", 90);

    LabelDocument doc;
    doc.Format = TLabelFormat{0.0, 0.5, 70.0, 37.0, 70.0, 37.0, 3, 8, QStringLiteral("3 x 8")};
    doc.computeWorkArea();
    const int32_t left = doc.WorkWidth / 3;
    const int32_t top = doc.WorkHeight / 3;
    const int32_t w = doc.WorkWidth / 3;
    const int32_t h = doc.WorkHeight / 3;
    Tobs& frame = doc.Objs[1];
    frame.Kind = KindFigure;
    frame.Shape = 3;
    frame.FillMode() = 1;
    frame.LineWidth() = 2;
    frame.X = left + 800;
    frame.Y = top + 800;
    frame.Width = w - 1600;
    frame.Height = h - 1600;
    Tobs& text = doc.Objs[2];
    text.Kind = KindText;
    text.Text = textLine;
    text.FontName = QStringLiteral("Arial");
    text.FontSize = 14;
    text.X = left + 2000;
    text.Y = top + 2000;
    text.Width = w / 2;
    text.Height = h / 3;
    Tobs& pic = doc.Objs[3];
    pic.Kind = KindPicture;
    pic.Text = photo;
    pic.KeepAspect = true;
    pic.X = left + w / 2;
    pic.Y = top + h / 3;
    pic.Width = w / 2 - 2000;
    pic.Height = h / 2;
    const QString file = folder->filePath(name);
    SilentPrompts prompts;
    Saveit(doc, file, prompts);
    return file;
}

void printToPdf(benchmark::State& state, const QString& label) {
    const int sheets = int(state.range(0));
    const QString pdf = folder->filePath(QStringLiteral("bogen.pdf"));
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    for (auto _ : state) {
        const int code = commandLineMain(
            {QStringLiteral("aufkleber-werkbank"), QStringLiteral("--print"), label,
             QStringLiteral("--output"), pdf, QStringLiteral("--copies"),
             QString::number(sheets * 24), QStringLiteral("--number"), QStringLiteral("1")},
            outStream, errStream);
        if (code != 0) {
            state.SkipWithError("printing failed");
            break;
        }
    }
    const double bytes = double(QFileInfo(pdf).size());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["pdf_MiB"] = bytes / (1024.0 * 1024.0);
    state.counters["KiB_per_sheet"] = bytes / 1024.0 / sheets;
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}
void BM_PrintToPdf(benchmark::State& state) {
    printToPdf(state, labelFile);
}
BENCHMARK(BM_PrintToPdf)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintFixedTextToPdf(benchmark::State& state) {
    printToPdf(state, fixedTextFile);
}
BENCHMARK(BM_PrintFixedTextToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char** argv) {
    // As the program itself does at its start.
    tuneAllocatorForPrinting();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("AWB_PRINT_FOLDER");
    if (!kept.isEmpty())
        QDir().mkpath(kept);
    QDir dir(kept.isEmpty() ? temporary.path() : kept);
    folder = &dir;
    initProgPath(dir.path());
    SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
    labelFile = makeLabel(QStringLiteral("bogen.ett"), QStringLiteral("Nr. %%NUMMER%%"));
    fixedTextFile =
        makeLabel(QStringLiteral("fest.ett"), QStringLiteral("Bio-Honig aus der Heide"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
