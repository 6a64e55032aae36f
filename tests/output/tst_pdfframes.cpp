// Frames on paper against the bitmap of the label: a PDF printed at 600 dpi and
// rasterised without smoothing, against DrawVCart into a QImage.
#include "document/labeldocument.h"
#include "output/printersetup.h"
#include "output/printrun.h"
#include "pdfraster.h"
#include "render/drawvcart.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int Dpi = 600;

// One figure on a label of the default format, well inside it.
void frameLabel(LabelDocument& doc, int shape, int fillMode, int lineWidth, int widthUnits,
                int heightUnits) {
    doc.computeWorkArea();
    Tobs& o = doc.Objs[1];
    o.Kind = KindFigure;
    o.Shape = shape;
    o.FillMode() = fillMode;
    o.LineWidth() = lineWidth;
    o.Color = 0x808080;
    o.OutlineColor = 0;
    o.X = doc.WorkWidth / 3 + 1733;
    o.Y = doc.WorkHeight / 3 + 1217;
    o.Width = widthUnits;
    o.Height = heightUnits;
}

QImage bitmapOfLabel(LabelDocument& doc, const QSize& size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    const double scale = double(Dpi) / 20000;
    DeviceOutputGuard output(doc.Output, scale);
    QPainter p(&img);
    DrawVCart(p, doc, size.width(), size.height(), size.width(), size.height(), scale, false, 1);
    p.end();
    return img.convertToFormat(QImage::Format_Grayscale8);
}
} // namespace

namespace {
// Ink of a grey picture: darker than the middle.
bool ink(const QImage& img, int x, int y) {
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && img.constScanLine(y)[x] < 64;
}

// Whether a pixel lies at most one pixel away from ink of img.
bool nearInk(const QImage& img, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (ink(img, x + dx, y + dy))
                return true;
    return false;
}
} // namespace

class TestPdfFrames : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

    // The label printed into a PDF and rasterised without smoothing, and the same
    // label drawn into a bitmap.
    void paperAndBitmap(int shape, int fillMode, int lineWidth, int w, int h, QImage& paper,
                        QImage& bitmap) {
        LabelDocument doc;
        frameLabel(doc, shape, fillMode, lineWidth, w, h);
        const QString pdf = tmp.filePath(QStringLiteral("%1.pdf").arg(++runs));
        {
            QPrinter printer(QPrinter::HighResolution);
            setUpPdfPrinter(printer, pdf, Dpi);
            QVERIFY(PrintLabels(doc, printer, RunSettings{0, 1, 1, false}, {}, 1, nullptr).ok);
        }
        const QRect label = deviceLabelRect(doc.Format, {}, Dpi, Dpi, 0, 0);
        paper = pdfraster::area(pdf, 1, label, Dpi, true);
        QVERIFY2(!paper.isNull(), "pdftoppm gave no picture");
        bitmap = bitmapOfLabel(doc, label.size());
        QCOMPARE(paper.size(), bitmap.size());
    }
    int runs = 0;

private slots:
    // Rectangle frames reach the paper as rectangles, also those of wide pens with
    // their round corners: the same pixels.
    void thinFramesSamePixels_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("fillMode");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::newRow("rectangle outline") << 3 << 1 << 0 << 30000 << 10000;
        QTest::newRow("rectangle outline and fill") << 3 << 2 << 0 << 52000 << 24001;
        QTest::newRow("square outline") << 2 << 1 << 0 << 20000 << 30000;
        QTest::newRow("rectangle 0.4 mm") << 3 << 1 << 2 << 52000 << 24000;
        QTest::newRow("rectangle 0.6 mm") << 3 << 1 << 3 << 40000 << 17000;
        QTest::newRow("square 2 mm") << 2 << 1 << 10 << 20000 << 30000;
    }
    void thinFramesSamePixels() {
        QFETCH(int, shape);
        QFETCH(int, fillMode);
        QFETCH(int, lineWidth);
        QFETCH(int, w);
        QFETCH(int, h);
        QImage paper, bitmap;
        paperAndBitmap(shape, fillMode, lineWidth, w, h, paper, bitmap);
        if (QTest::currentTestFailed())
            return;
        int differing = 0, inked = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                inked += ink(bitmap, x, y);
                differing +=
                    std::abs(int(paper.constScanLine(y)[x]) - int(bitmap.constScanLine(y)[x])) > 8;
            }
        QVERIFY2(inked > 0, "the bitmap shows no frame");
        QCOMPARE(differing, 0);
    }

    // Wide pens with their round corners: the paper covers every pixel of the
    // bitmap's frame and reaches at most one pixel beyond it, where the PDF
    // rasteriser takes the pixels that an outline's right and bottom edges touch.
    void wideFramesCoverTheBitmap_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        // 0.4 to 2 mm are 9 to 47 device pixels: odd and even pens.
        QTest::newRow("rectangle 0.4 mm") << 3 << 2 << 52000 << 24000;
        QTest::newRow("rectangle 0.6 mm") << 3 << 3 << 40000 << 17000;
        QTest::newRow("square 2 mm") << 2 << 10 << 20000 << 30000;
        QTest::newRow("rectangle thinner than its pen") << 3 << 10 << 900 << 20000;
        QTest::newRow("rounded rectangle 0.4 mm") << 5 << 2 << 40000 << 20000;
    }
    void wideFramesCoverTheBitmap() {
        QFETCH(int, shape);
        QFETCH(int, lineWidth);
        QFETCH(int, w);
        QFETCH(int, h);
        QImage paper, bitmap;
        paperAndBitmap(shape, 1, lineWidth, w, h, paper, bitmap);
        if (QTest::currentTestFailed())
            return;
        int missing = 0, beyond = 0, inked = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                inked += ink(bitmap, x, y);
                missing += ink(bitmap, x, y) && !ink(paper, x, y);
                beyond += ink(paper, x, y) && !nearInk(bitmap, x, y);
            }
        QVERIFY2(inked > 0, "the bitmap shows no frame");
        QCOMPARE(missing, 0);
        QCOMPARE(beyond, 0);
    }
};

QTEST_MAIN(TestPdfFrames)
#include "tst_pdfframes.moc"
