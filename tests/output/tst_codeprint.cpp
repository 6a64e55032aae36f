#include "codec/barcode.h"
#include "document/labeldocument.h"
#include "merge/mergerecord.h"
#include "output/codequestion.h"
#include "output/printersetup.h"
#include "output/printrun.h"
#include "pdfraster.h"
#include "render/codecheck.h"
#include "render/codelayout.h"
#include "scriptedprompts.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#ifdef AWB_HAVE_ZXING
#include <ZXing/ReadBarcode.h>
#endif

#include <cmath>

// Codes printed to PDF, rasterised by poppler at the PDF's own resolution without
// smoothing, and read back by an independent decoder (ZXing's C++ port).

namespace {

constexpr double DocUnitsPerMm = 20000.0 / MmPerInch;

int32_t mm(double v) {
    return int32_t(v * DocUnitsPerMm);
}

// One label of 100 x 60 mm at 10 mm from the page's corner, or a sheet of 3 x 8
// labels of 60 x 30 mm.
void singleLabel(LabelDocument& doc) {
    doc.Format.MarginLeft = 10;
    doc.Format.MarginTop = 10;
    doc.Format.LabelWidth = 100;
    doc.Format.LabelHeight = 60;
    doc.Format.PitchX = 100;
    doc.Format.PitchY = 60;
    doc.Format.Across = 1;
    doc.Format.Down = 1;
    doc.computeWorkArea();
}

void sheetOf24(LabelDocument& doc) {
    doc.Format.MarginLeft = 5;
    doc.Format.MarginTop = 5;
    doc.Format.LabelWidth = 60;
    doc.Format.LabelHeight = 30;
    doc.Format.PitchX = 65;
    doc.Format.PitchY = 35;
    doc.Format.Across = 3;
    doc.Format.Down = 8;
    doc.computeWorkArea();
}

// A code object at (x, y) mm from the label's corner, w x h mm.
Tobs& addCode(LabelDocument& doc, int slot, int symbology, const QString& data, double x, double y,
              double w, double h) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindCode;
    o.Shape = symbology;
    o.Text = data;
    o.X = doc.WorkWidth / 3 + mm(x);
    o.Y = doc.WorkHeight / 3 + mm(y);
    o.Width = mm(w);
    o.Height = mm(h);
    o.FontName = QStringLiteral("Arial");
    return o;
}

// The page area (mm) rasterised at dpi, no anti-aliasing.
QImage raster(const QString& pdf, int dpi, double xMm, double yMm, double wMm, double hMm) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("r"));
    auto px = [dpi](double v) { return QString::number(int(v / MmPerInch * dpi)); };
    pdfraster::run(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-aa"),
                    QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                    QStringLiteral("-x"), px(xMm), QStringLiteral("-y"), px(yMm),
                    QStringLiteral("-W"), px(wMm), QStringLiteral("-H"), px(hMm),
                    QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                    pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

QString decode(const QImage& img) {
#ifdef AWB_HAVE_ZXING
    const ZXing::ImageView view(img.constBits(), img.width(), img.height(), ZXing::ImageFormat::Lum,
                                int(img.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    return r.isValid() ? QString::fromStdString(r.text()) : QString();
#else
    Q_UNUSED(img);
    return QString();
#endif
}

} // namespace

class TestCodePrint : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    int files = 0;

    QString print(LabelDocument& doc, int dpi, int copies, int number) {
        const QString pdf = tmp.filePath(QStringLiteral("codes%1.pdf").arg(++files));
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, pdf, dpi);
        RunSettings run;
        run.Copies = copies;
        const PrintResult r = PrintLabels(doc, printer, run, Calibration{}, number, nullptr);
        return r.ok ? pdf : QString();
    }

private slots:
    void everySymbologyDecodes_data();
    void everySymbologyDecodes();
    void code128BarsAreWholeModules_data();
    void code128BarsAreWholeModules();
    void numberedSheet();
    void mergedRowsDecode();
    void questionBeforeInvalidCodes_data();
    void questionBeforeInvalidCodes();
};

void TestCodePrint::questionBeforeInvalidCodes_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("faultyNumber");
    // EAN-8 of the label number: 7 digits make a code, 8 need the right check digit.
    QTest::newRow("valid") << QStringLiteral("963850%%NUMMER%%") << 9 << false << 0;
    QTest::newRow("fails on a later label")
        << QStringLiteral("963850%%NUMMER%%") << 20 << true << 10;
    QTest::newRow("fails everywhere") << QStringLiteral("A%%NUMMER%%") << 1 << true << 1;
}

// Printing a label with a code that prints as a red cross asks first.
void TestCodePrint::questionBeforeInvalidCodes() {
    QFETCH(QString, data);
    QFETCH(int, copies);
    QFETCH(bool, asked);
    QFETCH(int, faultyNumber);
    LabelDocument doc;
    singleLabel(doc);
    addCode(doc, 3, int(CodeSymbology::Ean8), data, 5, 5, 80, 45);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, tmp.filePath(QStringLiteral("frage.pdf")), 300);
    for (bool yes : {true, false}) {
        ScriptedPrompts prompts;
        prompts.answers.enqueue(yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        QCOMPARE(confirmCodeFaults(doc, prompts, printer, 1, copies), yes || !asked);
        QCOMPARE(prompts.shown.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(prompts.shown[0].text,
                     QStringLiteral("Einige Codes enthalten ungültige Daten und werden als rotes "
                                    "Kreuz gedruckt. Trotzdem drucken?"));
            QCOMPARE(prompts.shown[0].caption, QStringLiteral("Drucken"));
            QVERIFY(prompts.shown[0].buttons == Prompts::Buttons::YesNo);
        }
    }
    const std::vector<CodeFault> faults = codeFaults(doc, 1, copies, 300);
    QCOMPARE(int(faults.size()), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(faults[0].slot, 3);
        QCOMPARE(faults[0].number, faultyNumber);
    }
}

void TestCodePrint::everySymbologyDecodes_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QString>("decoded");
    struct Case {
        CodeSymbology s;
        const char* data;
        const char* decoded;
    };
    const Case cases[] = {
        {CodeSymbology::QrCode, "Grüße aus der Werkstatt, Regal 7",
         "Grüße aus der Werkstatt, Regal 7"},
        {CodeSymbology::DataMatrix, "Lager 17/B", "Lager 17/B"},
        {CodeSymbology::Code128, "Artikel-0815", "Artikel-0815"},
        {CodeSymbology::Ean13, "400638133393", "4006381333931"},
        {CodeSymbology::Ean8, "9638507", "96385074"},
        {CodeSymbology::UpcA, "03600029145", "036000291452"},
        {CodeSymbology::UpcE, "0123456", "01234565"},
        {CodeSymbology::Code39, "CODE-39", "CODE-39"},
        {CodeSymbology::Itf14, "1540014128876", "15400141288763"},
        {CodeSymbology::Interleaved2of5, "12345678", "12345678"},
        {CodeSymbology::Gs1_128, "[01]04012345678901", "0104012345678901"},
        {CodeSymbology::Pdf417, "PDF417 auf dem Etikett", "PDF417 auf dem Etikett"},
        {CodeSymbology::Aztec, "Aztec 2026", "Aztec 2026"},
        {CodeSymbology::Gs1DataMatrix, "[01]04012345678901", "0104012345678901"},
    };
    for (int dpi : {300, 600}) {
        for (const Case& c : cases) {
            QTest::addRow("%d dpi %s", dpi, qPrintable(codeSymbologyName(int(c.s))))
                << dpi << int(c.s) << QString::fromUtf8(c.data) << 0
                << QString::fromUtf8(c.decoded);
        }
        QTest::addRow("%d dpi turned QR", dpi)
            << dpi << int(CodeSymbology::QrCode) << QStringLiteral("quer") << 1
            << QStringLiteral("quer");
        QTest::addRow("%d dpi turned EAN", dpi)
            << dpi << int(CodeSymbology::Ean13) << QStringLiteral("400638133393") << 3
            << QStringLiteral("4006381333931");
    }
}

void TestCodePrint::everySymbologyDecodes() {
    QFETCH(int, dpi);
    QFETCH(int, symbology);
    QFETCH(QString, data);
    QFETCH(int, rotation);
    QFETCH(QString, decoded);
#ifndef AWB_HAVE_ZXING
    QSKIP("ZXing (libzxing-dev) is not installed");
#endif
    LabelDocument doc;
    singleLabel(doc);
    Tobs& o = addCode(doc, 1, symbology, data, 5, 5, 80, 45);
    o.TextAlign = 1;
    o.Rotation = rotation;
    const QString pdf = print(doc, dpi, 1, 1);
    QVERIFY(!pdf.isEmpty());
    const QImage img = raster(pdf, dpi, 10, 10, 100, 60);
    QVERIFY(!img.isNull());
    QCOMPARE(decode(img), decoded);
}

void TestCodePrint::code128BarsAreWholeModules_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("widthMm");
    for (int dpi : {203, 300, 600})
        for (double w : {37.0, 61.3, 90.0})
            QTest::addRow("%d dpi, %.1f mm", dpi, w) << dpi << w;
}

// Every bar and every space is its module count times one constant number of dots.
void TestCodePrint::code128BarsAreWholeModules() {
    QFETCH(int, dpi);
    QFETCH(double, widthMm);
    LabelDocument doc;
    singleLabel(doc);
    const QString data = QStringLiteral("Werkbank-128");
    addCode(doc, 1, int(CodeSymbology::Code128), data, 3, 5, widthMm, 20);
    const QString pdf = print(doc, dpi, 1, 1);
    QVERIFY(!pdf.isEmpty());
    const QImage img = raster(pdf, dpi, 10, 10, 100, 60);
    QVERIFY(!img.isNull());

    // The module pattern: the widths of bars and spaces in modules, from libzint.
    const CodeSymbol s = encodeCode({int(CodeSymbology::Code128), data});
    QList<int> modules;
    double end = -1;
    for (const CodeBar& b : s.bars) {
        if (end >= 0)
            modules << int(b.x - end);
        modules << int(b.width);
        end = b.x + b.width;
    }
    int64_t boxW = 0, boxH = 0;
    codeBoxDots(doc.Objs[1], dpi, boxW, boxH);
    const int m = int(fitCode({int(CodeSymbology::Code128), data}, boxW, boxH).module);
    QVERIFY(m >= 1);

    // A row through the middle of the bars.
    const int y = int((5 + 10) / MmPerInch * dpi);
    QList<int> runs;
    int x = 0;
    while (x < img.width() && qGray(img.pixel(x, y)) > 128)
        ++x;
    int last = img.width() - 1;
    while (last > x && qGray(img.pixel(last, y)) > 128)
        --last;
    bool dark = true;
    int n = 0;
    for (; x <= last; ++x) {
        const bool d = qGray(img.pixel(x, y)) < 128;
        if (d != dark) {
            runs << n;
            n = 0;
            dark = d;
        }
        ++n;
    }
    runs << n;
    QCOMPARE(runs.size(), modules.size());
    for (int i = 0; i < runs.size(); ++i)
        QCOMPARE(runs[i], modules[i] * m);
}

// 24 labels numbered 1..24, each with a QR code and a Code 128 of %%NUMMER%%.
void TestCodePrint::numberedSheet() {
#ifndef AWB_HAVE_ZXING
    QSKIP("ZXing (libzxing-dev) is not installed");
#endif
    LabelDocument doc;
    sheetOf24(doc);
    addCode(doc, 1, int(CodeSymbology::QrCode), QStringLiteral("%%NUMMER%%"), 1, 2, 24, 26);
    addCode(doc, 2, int(CodeSymbology::Code128), QStringLiteral("%%nummer%%"), 27, 5, 32, 20);
    const int dpi = 300;
    const QString pdf = print(doc, dpi, 24, 1);
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(pdfraster::pageCount(pdf), 1);
    const QImage page = raster(pdf, dpi, 0, 0, 200, 290);
    QVERIFY(!page.isNull());
    auto part = [&](double x, double y, double w, double h) {
        auto px = [dpi](double v) { return int(v / MmPerInch * dpi); };
        return page.copy(px(x), px(y), px(w), px(h));
    };
    for (int k = 0; k < 24; ++k) {
        const double x = 5 + 65 * (k % 3), y = 5 + 35 * (k / 3);
        const QString number = QString::number(k + 1);
        QCOMPARE(decode(part(x, y, 26, 30)), number);
        QCOMPARE(decode(part(x + 26, y, 34, 30)), number);
    }
}

// A code of a data field prints each row's value at that row's position.
void TestCodePrint::mergedRowsDecode() {
#ifndef AWB_HAVE_ZXING
    QSKIP("ZXing (libzxing-dev) is not installed");
#endif
    LabelDocument doc;
    sheetOf24(doc);
    addCode(doc, 1, int(CodeSymbology::Code128), QStringLiteral("%%Artikel%%-%%NUMMER%%"), 1, 5, 58,
            20);
    const MergeColumns columns({QStringLiteral("artikel")});
    const QStringList values{QStringLiteral("A-100"), QStringLiteral("B-2"),
                             QStringLiteral("C-30")};
    MergeRecord record{&columns, {}};
    const int dpi = 300;
    const QString pdf = tmp.filePath(QStringLiteral("merged.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, pdf, dpi);
    RunSettings run;
    run.Copies = 3;
    const PrintResult r =
        PrintLabels(doc, printer, run, Calibration{}, 7, nullptr, {}, [&](int64_t label) {
            record.values = QStringList{values.at(int(label))};
            return &record;
        });
    QVERIFY(r.ok);
    const QImage page = raster(pdf, dpi, 0, 0, 200, 40);
    auto px = [dpi](double v) { return int(v / MmPerInch * dpi); };
    for (int k = 0; k < 3; ++k)
        QCOMPARE(decode(page.copy(px(5 + 65 * k), px(5), px(60), px(30))),
                 values.at(k) + QLatin1Char('-') + QString::number(7 + k));
}

QTEST_MAIN(TestCodePrint)
#include "tst_codeprint.moc"
