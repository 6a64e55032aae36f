#include "codec/barcode.h"
#include "render/codedata.h"
#include "render/codelayout.h"
#include "renderfixture.h"

#include <QtTest>

using namespace renderfixture;

namespace {

constexpr int W = 600, H = 400; // the label, in device pixels

// A code object at (x, y) of the label, in device pixels of a pixel document.
Tobs& code(LabelDocument& doc, int slot, CodeSymbology s, const QString& data, int x, int y, int w,
           int h) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindCode;
    o.Shape = int(s);
    o.Text = data;
    o.X = W + x;
    o.Y = H + y;
    o.Width = w;
    o.Height = h;
    o.Color = 0;
    return o;
}

QImage renderLabel(LabelDocument& doc, int number = 0) {
    return render(doc, whiteCanvas(W, H), W, H, W, H, 1.0, false, number);
}

bool isRed(QRgb p) {
    return p == (RedRgb | 0xFF000000u);
}
bool isDark(QRgb p) {
    return qGray(p) < 64;
}

// The lengths of the runs of equal colour along row y from x0 to x1 (exclusive).
QList<int> runs(const QImage& img, int y, int x0, int x1) {
    QList<int> out;
    int n = 0;
    bool dark = isDark(img.pixel(x0, y));
    for (int x = x0; x < x1; ++x) {
        const bool d = isDark(img.pixel(x, y));
        if (d != dark) {
            out << n;
            n = 0;
            dark = d;
        }
        ++n;
    }
    out << n;
    return out;
}

} // namespace

class TestCodeDraw : public QObject {
    Q_OBJECT
private slots:
    void crossForBadCodes_data();
    void crossForBadCodes();
    void wholeDotsAndCentred();
    void transparency();
    void turnedFitsExchangedSides();
    void editorShowsPrintedSize();
    void numberIsEncoded();
};

void TestCodeDraw::crossForBadCodes_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("wrong check digit")
        << int(CodeSymbology::Ean13) << QStringLiteral("4006381333932") << 300 << 200;
    QTest::newRow("letters in EAN")
        << int(CodeSymbology::Ean13) << QStringLiteral("40063813339X") << 300 << 200;
    QTest::newRow("box too small")
        << int(CodeSymbology::QrCode) << QStringLiteral("Hallo") << 20 << 20;
    QTest::newRow("flat box") << int(CodeSymbology::Code128) << QStringLiteral("A") << 300 << 3;
    QTest::newRow("empty") << int(CodeSymbology::QrCode) << QString() << 200 << 200;
    QTest::newRow("unknown symbology") << 99 << QStringLiteral("1") << 200 << 200;
    QTest::newRow("zero box") << int(CodeSymbology::QrCode) << QStringLiteral("1") << 0 << 0;
}

void TestCodeDraw::crossForBadCodes() {
    QFETCH(int, symbology);
    QFETCH(QString, data);
    QFETCH(int, width);
    QFETCH(int, height);
    auto doc = pixelDocument();
    code(*doc, 1, CodeSymbology(symbology), data, 50, 50, width, height);
    doc->Objs[1].Shape = symbology;
    const QImage img = renderLabel(*doc);
    QCOMPARE(countColour(img, qRgb(0, 0, 0)), 0);
    if (width > 10 && height > 10) {
        // Both diagonals are red.
        QVERIFY(isRed(img.pixel(50 + width / 2, 50 + height / 2)));
        QVERIFY(isRed(img.pixel(50 + 2, 50 + 2)));
        QVERIFY(isRed(img.pixel(50 + width - 3, 50 + 2)));
    }
    QVERIFY(!codeProblem(doc->Objs[1], 0, 600).isEmpty() || width <= 20);
}

// A QR code: square modules of one whole size, the largest that fits, centred.
void TestCodeDraw::wholeDotsAndCentred() {
    auto doc = pixelDocument();
    code(*doc, 1, CodeSymbology::QrCode, QStringLiteral("Hallo"), 10, 20, 250, 200);
    const QImage img = renderLabel(*doc);
    const CodeSymbol s = encodeCode({0, QStringLiteral("Hallo")});
    const int modules = int(s.width); // 21 + 2 x 4 quiet zone
    const int m = 200 / modules;
    const QRect ink = colourBounds(img, qRgb(0, 0, 0));
    QCOMPARE(ink.width(), (modules - 8) * m);
    QCOMPARE(ink.height(), (modules - 8) * m);
    QCOMPARE(ink.left(), 10 + (250 - modules * m) / 2 + 4 * m);
    QCOMPARE(ink.top(), 20 + (200 - modules * m) / 2 + 4 * m);
    // The finder pattern's top row: 7 modules dark.
    QCOMPARE(runs(img, ink.top(), ink.left(), ink.left() + 8 * m).first(), 7 * m);
}

void TestCodeDraw::transparency() {
    for (bool transparent : {false, true}) {
        auto doc = pixelDocument();
        figure(*doc, 1, 3, W, H, W, H, Blue);
        Tobs& o = code(*doc, 2, CodeSymbology::Code128, QStringLiteral("ABC"), 100, 100, 300, 100);
        o.Transparent = transparent;
        const QImage img = renderLabel(*doc);
        const QRect ink = colourBounds(img, qRgb(0, 0, 0));
        QVERIFY(!ink.isEmpty());
        // Within the bars' span the spaces are white, or the blue shows through.
        const int blueInside = countColour(img, BlueRgb, ink);
        const int whiteInside = countColour(img, White, ink);
        QCOMPARE(blueInside > 0, transparent);
        QCOMPARE(whiteInside > 0, !transparent);
        // The quiet zone left of the first bar is white when not transparent.
        QCOMPARE(img.pixel(ink.left() - 2, ink.center().y()) == (White | 0xFF000000u),
                 !transparent);
    }
}

// A code turned by a quarter turn uses the box's height as its length: bars run
// across, and the longer side of the box decides the module width.
void TestCodeDraw::turnedFitsExchangedSides() {
    auto doc = pixelDocument();
    Tobs& o = code(*doc, 1, CodeSymbology::Code128, QStringLiteral("Turn1"), 100, 20, 120, 360);
    const CodeSymbol s = encodeCode({int(CodeSymbology::Code128), QStringLiteral("Turn1")});
    for (int rotation : {1, 3}) {
        o.Rotation = rotation;
        const QImage img = renderLabel(*doc);
        const QRect ink = colourBounds(img, qRgb(0, 0, 0));
        const int m = 360 / int(s.width);
        QVERIFY(m >= 2);
        QCOMPARE(ink.height(), (int(s.width) - 20) * m); // 10 modules quiet zone each side
        QVERIFY(ink.width() > 100);
        // A bar is a horizontal line across the code.
        const int y = ink.top();
        for (int x = ink.left(); x <= ink.right(); ++x)
            QVERIFY(isDark(img.pixel(x, y)));
    }
}

// In the editor the code shows at the size that a printer of CodeDotsPerInch prints.
void TestCodeDraw::editorShowsPrintedSize() {
    LabelDocument doc;
    doc.Output.OutputMode = 0;
    doc.Zoom = 1;
    doc.UnitsPerPixel = 20000.0 / 96;
    doc.Output.CodeDotsPerInch = 203;
    Tobs& o = doc.Objs[1];
    o.Kind = KindCode;
    o.Shape = int(CodeSymbology::Ean13);
    o.Text = QStringLiteral("400638133393");
    o.X = 2000;
    o.Y = 2000;
    o.Width = 20000; // one inch: 203 dots, 113 modules with the quiet zones
    o.Height = 10000;
    QImage img = whiteCanvas(300, 300);
    {
        QPainter p(&img);
        DrawVCart(p, doc, 300, 300, 0, 0, doc.Zoom / doc.UnitsPerPixel, true, 0);
    }
    const QRect ink = colourBounds(img, qRgb(0, 0, 0));
    // One dot per module at 203 dpi: 95 modules of bars = 95/203 inch = 44.9 px.
    QVERIFY2(qAbs(ink.width() - 95.0 * 96 / 203) <= 1.5, qPrintable(QString::number(ink.width())));
}

void TestCodeDraw::numberIsEncoded() {
    QCOMPARE(codeData(QStringLiteral("A%%nummer%%B%%NUMMER%%"), 42), QStringLiteral("A42B42"));
    auto doc = pixelDocument();
    // One inch by half an inch: at 300 dpi room for 3 dots per module.
    code(*doc, 1, CodeSymbology::Ean8, QStringLiteral("%%NUMMER%%"), 10, 10, 20000, 10000);
    QVERIFY(!codeProblem(doc->Objs[1], 1234567, 300).size());
    QVERIFY(codeProblem(doc->Objs[1], 12, 300).size());
}

QTEST_MAIN(TestCodeDraw)
#include "tst_codedraw.moc"
