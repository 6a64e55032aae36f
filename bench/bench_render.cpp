// Speed of the label renderer: a typical label at editor scale and at 600 dpi (into
// a bitmap and into a PDF), and a label of 10000 small figures.
//
// With AWB_RENDER_DUMP set to a folder, the labels are also written there as PNG
// and PDF files to look at.

#include "codec/dibrecord.h"
#include "document/labeldocument.h"
#include "document/propertycommands.h"
#include "render/drawvcart.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRadialGradient>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

const double Dpi600 = 600.0 / 20000;

// A photograph-like picture: smooth colours with some structure.
TDibRecord photo(int w, int h) {
    TDibRecord rec;
    newdib(rec, w, h, 24, nullptr, 0);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(rec.Image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int r = 128 + int(100 * std::sin(x * 0.004) * std::cos(y * 0.003));
            const int g = (x * 255) / w;
            const int b = (y * 255) / h;
            row[x] = qRgb(r, g, b);
        }
    }
    return rec;
}

// A logo on a white ground, the white to be transparent.
TDibRecord logo(int w, int h) {
    TDibRecord rec;
    newdib(rec, w, h, 24, nullptr, 0);
    rec.Image.fill(Qt::white);
    QPainter p(&rec.Image);
    QRadialGradient g(QPointF(w / 2.0, h / 2.0), h / 2.0);
    g.setColorAt(0, QColor(200, 30, 30));
    g.setColorAt(1, QColor(30, 30, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QRectF(w * 0.1, h * 0.05, w * 0.8, h * 0.9));
    p.setBrush(Qt::yellow);
    p.drawRect(QRectF(w * 0.35, h * 0.35, w * 0.3, h * 0.3));
    return rec;
}

// About 40 objects: 14 texts with shadow and outline (some turned), 24 figures of
// every shape and fill mode, two pictures of 3000 x 2000 pixels (one transparent)
// and a covering background.
std::unique_ptr<LabelDocument> typicalLabel() {
    auto doc = std::make_unique<LabelDocument>();
    const int L = doc->WorkWidth / 3, T = doc->WorkHeight / 3;
    doc->BkgndMode = 2;
    doc->BkgndPic = photo(1200, 800);
    int slot = 1;
    for (int i = 0; i < 24; ++i) {
        Tobs& o = doc->Objs[slot++];
        o.Kind = KindFigure;
        o.Shape = i % 10;
        o.X = L + 1500 + (i % 8) * 8400;
        o.Y = T + 1500 + (i / 8) * 8800;
        o.Width = 7000;
        o.Height = 5000 + (i % 3) * 1000;
        o.Color = int32_t(0x203040 * (i + 1)) & 0xFFFFFF;
        o.OutlineColor = 0x202020;
        o.FillMode() = i % 3;
        o.LineWidth() = i % 4;
    }
    Tobs& p1 = doc->Objs[slot++];
    p1.Kind = KindPicture;
    p1.Picture = photo(3000, 2000);
    p1.X = L + 2000;
    p1.Y = T + 2000;
    p1.Width = 24000;
    p1.Height = 16000;
    p1.KeepAspect = true;
    Tobs& p2 = doc->Objs[slot++];
    p2.Kind = KindPicture;
    p2.Picture = logo(3000, 2000);
    p2.X = L + 42000;
    p2.Y = T + 9000;
    p2.Width = 24000;
    p2.Height = 16000;
    p2.KeepAspect = true;
    p2.Transparent = true;
    p2.TransAuto = true;
    const QStringList lines{
        QStringLiteral("Aufkleber-Werkbank"), QStringLiteral("Nr. %%NUMMER%%"),
        QStringLiteral("Bio-Honig\r500 g"),   QStringLiteral("Mindestens haltbar bis 12/2027"),
        QStringLiteral("Imkerei Sonnenhang"), QStringLiteral("Tel. 0123 / 45 67 89")};
    for (int i = 0; i < 14; ++i) {
        Tobs& t = doc->Objs[slot++];
        t.Kind = KindText;
        t.Text = lines[i % lines.size()];
        t.Rotation = i < 10 ? 0 : i - 10;
        t.X = L + 1000 + (i % 2) * 34000;
        t.Y = T + 800 + (i / 2) * 3800;
        t.Width = 33000;
        t.Height = 7000;
        t.TextAlign = i % 3;
        t.FontName = i % 2 ? QStringLiteral("Times New Roman") : QStringLiteral("Arial");
        t.FontSize = 10 + (i % 5) * 3;
        t.FontStyle = uint8_t(i % 16);
        t.Color = 0x000000;
        t.Shadow = true;
        t.ShadowColor = 0x808080;
        t.Outline = true;
        t.OutlineColor = 0xFFFFFF;
    }
    return doc;
}

// 10000 small figures of every shape all over the label.
std::unique_ptr<LabelDocument> manyFigures() {
    auto doc = std::make_unique<LabelDocument>();
    const int L = doc->WorkWidth / 3, T = doc->WorkHeight / 3;
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        Tobs& o = doc->Objs[i];
        o.Kind = KindFigure;
        o.Shape = i % 10;
        o.X = L + (i % 100) * 690;
        o.Y = T + (i / 100) * 275;
        o.Width = 600;
        o.Height = 500;
        o.Color = (i * 2654435761u) & 0xFFFFFF;
        o.OutlineColor = 0;
        o.FillMode() = i % 3;
    }
    return doc;
}

// The editor: one magnifier step in, the label in a 1000 x 700 pane.
struct EditorView {
    QSize area;
    int offsetX, offsetY;
    double scale;
};
EditorView editorView(LabelDocument& doc) {
    doc.UnitsPerPixel = 208.0 / 1.5;
    doc.Output.OutputMode = 0;
    const QSize area = doc.paintBoxSize();
    return {area, area.width() / 3 - 100, area.height() / 3 - 100, doc.Zoom / doc.UnitsPerPixel};
}

QImage renderEditor(LabelDocument& doc, QImage& canvas) {
    const EditorView v = editorView(doc);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    DrawVCart(p, doc, v.area.width(), v.area.height(), v.offsetX, v.offsetY, v.scale, true, 42);
    return canvas;
}

QSize labelPixels(const LabelDocument& doc) {
    return QSize(int(doc.Format.LabelWidth / MmPerInch * 600),
                 int(doc.Format.LabelHeight / MmPerInch * 600));
}

void renderPrinted(LabelDocument& doc, QPaintDevice& device, int left, int top) {
    const QSize s = labelPixels(doc);
    DeviceOutputGuard output(doc.Output, Dpi600);
    QPainter p(&device);
    DrawVCart(p, doc, s.width(), s.height(), s.width() - left, s.height() - top, Dpi600, false, 42);
}

void setUpPdf(QPdfWriter& pdf) {
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
}

void BM_TypicalLabelEditor(benchmark::State& state) {
    auto doc = typicalLabel();
    QImage canvas(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        renderEditor(*doc, canvas);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(BM_TypicalLabelEditor)->Unit(benchmark::kMillisecond);

void BM_TypicalLabel600DpiBitmap(benchmark::State& state) {
    auto doc = typicalLabel();
    QImage canvas(labelPixels(*doc), QImage::Format_RGB32);
    for (auto _ : state) {
        canvas.fill(Qt::white);
        renderPrinted(*doc, canvas, 0, 0);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(BM_TypicalLabel600DpiBitmap)->Unit(benchmark::kMillisecond);

void BM_TypicalLabel600DpiPdf(benchmark::State& state) {
    auto doc = typicalLabel();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        setUpPdf(pdf);
        renderPrinted(*doc, pdf, 236, 24);
        state.counters["bytes"] = double(buffer.size());
    }
}
BENCHMARK(BM_TypicalLabel600DpiPdf)->Unit(benchmark::kMillisecond);

void BM_TenThousandFiguresEditor(benchmark::State& state) {
    auto doc = manyFigures();
    QImage canvas(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        renderEditor(*doc, canvas);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(BM_TenThousandFiguresEditor)->Unit(benchmark::kMillisecond);

void BM_TenThousandFigures600Dpi(benchmark::State& state) {
    auto doc = manyFigures();
    QImage canvas(labelPixels(*doc), QImage::Format_RGB32);
    for (auto _ : state) {
        canvas.fill(Qt::white);
        renderPrinted(*doc, canvas, 0, 0);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(BM_TenThousandFigures600Dpi)->Unit(benchmark::kMillisecond);

// The arrow keys' step to the next object, without the repaint: three objects far
// apart in the table, so that each step passes thousands of free slots.
void BM_NextObjectStep(benchmark::State& state) {
    LabelDocument doc;
    for (const int slot : {2, 5000, 9999}) {
        doc.Objs[slot].Kind = KindFigure;
        doc.Objs[slot].Width = doc.Objs[slot].Height = 1000;
    }
    doc.SelObj = 2;
    for (auto _ : state) {
        selectNextObject(doc);
        benchmark::DoNotOptimize(doc.SelObj);
    }
}
BENCHMARK(BM_NextObjectStep)->Unit(benchmark::kMicrosecond);

void dump(const QString& folder) {
    QDir().mkpath(folder);
    auto doc = typicalLabel();
    QImage editor(1000, 700, QImage::Format_RGB32);
    renderEditor(*doc, editor).save(folder + QStringLiteral("/typical-editor.png"));
    QImage printed(labelPixels(*doc), QImage::Format_RGB32);
    printed.fill(Qt::white);
    renderPrinted(*doc, printed, 0, 0);
    printed.save(folder + QStringLiteral("/typical-600dpi.png"));
    {
        QPdfWriter pdf(folder + QStringLiteral("/typical-600dpi.pdf"));
        setUpPdf(pdf);
        renderPrinted(*doc, pdf, 236, 24);
    }
    auto many = manyFigures();
    QImage worst(1000, 700, QImage::Format_RGB32);
    renderEditor(*many, worst).save(folder + QStringLiteral("/many-figures-editor.png"));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = qEnvironmentVariable("AWB_RENDER_DUMP");
    if (!folder.isEmpty())
        dump(folder);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
