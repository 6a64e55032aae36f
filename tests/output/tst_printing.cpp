#include "document/labeldocument.h"
#include "output/pdfoutput.h"
#include "output/printersetup.h"
#include "output/printrun.h"
#include "pdfraster.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace pdfraster;

namespace {
// A document whose one figure, a black rectangle, starts exactly at the label's
// top-left corner and reaches beyond its other edges (cut there by the clipping).
void blackLabel(LabelDocument& doc) {
    doc.computeWorkArea();
    Tobs& o = doc.Objs[1];
    o.Kind = KindFigure;
    o.Shape = 3;
    o.FillMode() = 0;
    o.Color = 0;
    o.X = doc.WorkWidth / 3;
    o.Y = doc.WorkHeight / 3;
    o.Width = doc.WorkWidth / 2;
    o.Height = doc.WorkHeight / 2;
}

// Twelve labels down an A4 sheet.
void compactFormat(LabelDocument& doc) {
    doc.Format.PitchY = 24;
    doc.Format.LabelHeight = 22;
}

// The label rectangle is black: black from its top-left pixel, white just outside;
// at the far edges the rasteriser may add one pixel of its own.
void verifyLabelAt(const QString& pdf, int page, const QRect& r) {
    const QImage tl = area(pdf, page, QRect(r.x() - 2, r.y() - 2, 4, 4));
    QVERIFY2(!tl.isNull(), "pdftoppm gave no picture");
    QVERIFY(isBlack(tl, 2, 2));
    QVERIFY(isWhite(tl, 1, 2));
    QVERIFY(isWhite(tl, 2, 1));
    const QImage br = area(pdf, page, QRect(r.right() - 1, r.bottom() - 1, 4, 4));
    QVERIFY(isBlack(br, 1, 1));
    QVERIFY(isWhite(br, 3, 1));
    QVERIFY(isWhite(br, 1, 3));
}
} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

    QString printed(LabelDocument& doc, const RunSettings& run, const Calibration& cal = {},
                    int number = 1, PrintResult* outcome = nullptr) {
        const QString pdf = tmp.filePath(QStringLiteral("run%1.pdf").arg(++runs));
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, pdf, 600);
        // Through the PDF writer of every PDF the program makes.
        const PrintResult result =
            printOnDevice(printer, LabelJobName, [&](QPagedPaintDevice& device) {
                return PrintLabels(doc, device, run, cal, number, nullptr);
            });
        if (outcome)
            *outcome = result;
        return pdf;
    }
    int runs = 0;

private slots:
    void labelsOnTheSheets_data() {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("row");
        QTest::newRow("first label") << 0 << 10 << 1 << 1 << 0;
        QTest::newRow("third label") << 0 << 10 << 1 << 1 << 2;
        QTest::newRow("used 11: row 11 of page 1") << 11 << 10 << 2 << 1 << 11;
        QTest::newRow("used 11: row 8 of page 2") << 11 << 10 << 2 << 2 << 8;
        QTest::newRow("24 copies: page 2 full") << 0 << 24 << 2 << 2 << 11;
    }
    void labelsOnTheSheets() {
        QFETCH(int, used);
        QFETCH(int, copies);
        QFETCH(int, page);
        QFETCH(int, row);
        LabelDocument doc;
        compactFormat(doc);
        blackLabel(doc);
        PrintResult result;
        const QString pdf = printed(doc, RunSettings{used, copies, 1, false}, {}, 1, &result);
        QVERIFY(result.ok);
        QCOMPARE(result.printed, copies);
        QTEST(pageCount(pdf), "pages");
        verifyLabelAt(pdf, page, deviceLabelRect(doc.Format, {}, 600, 600, 0, row));
    }

    // A PDF has no unprintable border: 10 mm on the sheet are 10 mm from the page edge.
    void positionsAt600Dpi() {
        QCOMPARE(deviceLabelRect(TLabelFormat(), {}, 600, 600, 0, 1), QRect(236, 921, 2100, 843));
    }

    // The content follows the calibrated label: an object at the label's left edge is
    // printed at the rectangle's edge, not 21 device pixels right of it.
    void calibratedContentStaysOnTheLabel() {
        LabelDocument doc;
        blackLabel(doc);
        const Calibration cal{0, 0, 101, 100};
        const QString pdf = printed(doc, RunSettings{0, 1, 1, false}, cal);
        const QRect r = deviceLabelRect(doc.Format, cal, 600, 600, 0, 0);
        QCOMPARE(r.width(), 2079);
        verifyLabelAt(pdf, 1, r);
        QCOMPARE(doc.Output.OutputMode, 0);
        QCOMPARE(doc.Output.MmPerInchX, MmPerInch);
        QCOMPARE(doc.Output.OutputScaleY, 0.0);
    }

    void runningNumbers() {
        LabelDocument doc;
        doc.computeWorkArea();
        Tobs& t = doc.Objs[1];
        t.Kind = KindText;
        t.Text = QStringLiteral("Nr %%nummer%%");
        t.FontName = QStringLiteral("Arial");
        t.FontSize = 14;
        t.X = doc.WorkWidth / 3;
        t.Y = doc.WorkHeight / 3;
        t.Width = doc.WorkWidth / 3;
        t.Height = doc.WorkHeight / 3;
        const QString pdf = printed(doc, RunSettings{0, 3, 1, false}, {}, 5);
        QCOMPARE(text(pdf).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("Nr"), QStringLiteral("5"), QStringLiteral("Nr"),
                              QStringLiteral("6"), QStringLiteral("Nr"), QStringLiteral("7")}));
    }

    void cutLinesOnTheRectangle() {
        LabelDocument doc;
        doc.computeWorkArea();
        const QString pdf = printed(doc, RunSettings{0, 1, 1, true});
        const QImage top = area(pdf, 1, QRect(236, 22, 2101, 3));
        int black = 0;
        // Between the two upright sides.
        for (int x = 1; x < top.width() - 1; ++x) {
            black += isBlack(top, x, 1);
            QVERIFY(isWhite(top, x, 0) && isWhite(top, x, 2));
        }
        QVERIFY2(black > top.width() / 4 && black < top.width() * 3 / 4, "dotted, not solid");
    }

    void unwritablePdfPrintsNothing() {
        LabelDocument doc;
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, tmp.filePath(QStringLiteral("kein/ordner/x.pdf")), 600);
        const PrintResult r =
            PrintLabels(doc, printer, RunSettings{}, Calibration{0, 0, 101, 99}, 1, nullptr);
        QVERIFY(!r.ok);
        QCOMPARE(r.printed, 0);
        QVERIFY(!r.error.isEmpty());
        QCOMPARE(doc.Output.OutputMode, 0);
        QCOMPARE(doc.Output.MmPerInchY, MmPerInch);
        QVERIFY(!doc.Output.RenderBusy);
    }

    void testSquare() {
        const QString pdf = tmp.filePath(QStringLiteral("square.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, pdf, 600);
        QVERIFY(printTestSquareOn(printer));
        const QImage img = area(pdf, 1, QRect(0, 0, 2364, 2364));
        QVERIFY(isBlack(img, 0, 0) && isBlack(img, 2361, 2361));
        QVERIFY(isWhite(img, 2362, 1000) && isWhite(img, 1000, 2362));
        QCOMPARE(qGray(img.pixel(1000, 1000)), 192);
    }

    // However many labels show a picture, the PDF holds it once, transparent or not.
    void picturesEmbeddedOncePerRun() {
        LabelDocument doc;
        doc.computeWorkArea();
        QImage photo(64, 48, QImage::Format_RGB32);
        photo.fill(qRgb(10, 200, 30));
        photo.setPixel(0, 47, qRgb(255, 255, 255));
        for (int slot : {1, 2}) {
            Tobs& o = doc.Objs[slot];
            o.Kind = KindPicture;
            o.Picture.Image = photo;
            o.Picture.BitsPerPixel = 24;
            o.Transparent = slot == 2;
            o.TransAuto = true;
            o.X = doc.WorkWidth / 3 + slot * 2000;
            o.Y = doc.WorkHeight / 3;
            o.Width = 20000;
            o.Height = 15000;
        }
        const QString pdf = printed(doc, RunSettings{0, 24, 1, false});
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        // The plain picture, the transparent one and its mask.
        QCOMPARE(bytes.count("/Subtype /Image"), 3);
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
