#include "codec/rasterio.h"
#include "render/dibdraw.h"

#include "../codec/testpictures.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(DibRects)
Q_DECLARE_METATYPE(DibDrawWay)

namespace {

constexpr QRgb Marker = 0xFF123456;

// A picture whose every pixel has its own colour: red = x, green = y (from the top).
TDibRecord coordinatePicture(int bits, int w, int h) {
    TDibRecord rec;
    if (bits == 24) {
        newdib(rec, w, h, 24, nullptr, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                setpixel(rec, x, y, rgbToColorRef(qRgb(x, y, 99)));
        return rec;
    }
    // Palette pictures: index = y * w + x, the colour again tells x and y.
    const int n = 1 << bits;
    QList<QRgb> table(n, qRgb(0, 0, 0));
    for (int i = 0; i < n && i < w * h; ++i)
        table[i] = qRgb(i % w, i / w, 99);
    newdib(rec, w, h, bits, &table, n);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(rec, x, y, y * w + x);
    return rec;
}

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Marker);
    return img;
}

// The source pixel (x, y from the top) a canvas pixel shows, or (-1, -1) where
// the canvas was not painted.
QPoint shownSource(const QImage& img, int x, int y) {
    const QRgb c = img.pixel(x, y);
    if (c == Marker)
        return {-1, -1};
    return {qRed(c), qGreen(c)};
}

} // namespace

class TestDibDraw : public QObject {
    Q_OBJECT
private slots:
    void clipping_data() {
        QTest::addColumn<DibRects>("in");
        QTest::addColumn<int>("pw");
        QTest::addColumn<int>("ph");
        QTest::addColumn<bool>("drawn");
        QTest::addColumn<DibRects>("out");
        QTest::newRow("inside") << DibRects{10, 20, 300, 200, 0, 0, 100, 50} << 100 << 50 << true
                                << DibRects{10, 20, 300, 200, 0, 0, 100, 50};
        // A quarter past the right edge: three quarters of the width, same left edge;
        // 151.5 rounds to 152, 154.5 to 154.
        QTest::newRow("right, half up to even")
            << DibRects{10, 20, 202, 50, 25, 0, 100, 50} << 100 << 50 << true
            << DibRects{10, 20, 152, 50, 25, 0, 75, 50};
        QTest::newRow("right, half down to even")
            << DibRects{10, 20, 206, 50, 25, 0, 100, 50} << 100 << 50 << true
            << DibRects{10, 20, 154, 50, 25, 0, 75, 50};
        // A quarter past the left edge: the destination keeps its right edge (212).
        QTest::newRow("left") << DibRects{10, 20, 202, 50, -25, 0, 100, 50} << 100 << 50 << true
                              << DibRects{60, 20, 152, 50, 0, 0, 75, 50};
        // Below the bottom edge: the lowest rows are cut, the top stays.
        QTest::newRow("bottom") << DibRects{0, 5, 40, 101, 0, -10, 40, 50} << 40 << 50 << true
                                << DibRects{0, 5, 40, 81, 0, 0, 40, 40};
        // Above the top edge: the destination keeps its bottom edge (105).
        QTest::newRow("top") << DibRects{0, 5, 40, 100, 0, 10, 40, 50} << 40 << 50 << true
                             << DibRects{0, 25, 40, 80, 0, 10, 40, 40};
        QTest::newRow("top, 2.5 to 2") << DibRects{0, 0, 40, 5, 0, 1, 40, 2} << 40 << 2 << true
                                       << DibRects{0, 3, 40, 2, 0, 1, 40, 1};
        QTest::newRow("all four edges") << DibRects{0, 0, 160, 160, -20, -20, 80, 80} << 40 << 40
                                        << true << DibRects{40, 40, 80, 80, 0, 0, 40, 40};
        QTest::newRow("right of the picture")
            << DibRects{0, 0, 10, 10, 50, 0, 10, 10} << 40 << 40 << false << DibRects{};
        QTest::newRow("destination height 0")
            << DibRects{0, 0, 10, 0, 0, 0, 10, 10} << 40 << 40 << false << DibRects{};
        QTest::newRow("source width 0")
            << DibRects{0, 0, 10, 10, 0, 0, 0, 10} << 40 << 40 << false << DibRects{};
    }
    void clipping() {
        QFETCH(DibRects, in);
        QFETCH(int, pw);
        QFETCH(int, ph);
        QFETCH(bool, drawn);
        QFETCH(DibRects, out);
        DibRects r = in;
        QCOMPARE(clipDibRects(r, pw, ph), drawn);
        if (drawn) {
            QCOMPARE(r.destX, out.destX);
            QCOMPARE(r.destY, out.destY);
            QCOMPARE(r.destW, out.destW);
            QCOMPARE(r.destH, out.destH);
            QCOMPARE(r.srcX, out.srcX);
            QCOMPARE(r.srcY, out.srcY);
            QCOMPARE(r.srcW, out.srcW);
            QCOMPARE(r.srcH, out.srcH);
        }
    }

    // Which source pixel lands on which canvas pixel, for every kind of picture.
    void exactPixels_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QRect>("dest");
        QTest::addColumn<QRect>("src");          // x, y from the bottom, w, h as DrawDib takes them
        QTest::addColumn<QList<int>>("columns"); // source column of each destination column
        QTest::addColumn<QList<int>>("rows"); // source row (from the top) of each destination row
        for (int bits : {24, 8, 4, 1}) {
            const QByteArray b = QByteArray::number(bits) + " bit, ";
            if (bits != 1) {
                QTest::newRow(b + "one to one") << bits << QRect(2, 1, 3, 2) << QRect(0, 0, 3, 2)
                                                << QList<int>{0, 1, 2} << QList<int>{0, 1};
                // 3 x 2 enlarged to 7 x 5: column i * 3 div 7, row r * 2 div 5.
                QTest::newRow(b + "enlarged")
                    << bits << QRect(1, 1, 7, 5) << QRect(0, 0, 3, 2)
                    << QList<int>{0, 0, 0, 1, 1, 2, 2} << QList<int>{0, 0, 0, 1, 1};
                // 3 x 2 shrunk to 2 x 1: column i * 3 div 2, row r * 2 div 1.
                QTest::newRow(b + "shrunk") << bits << QRect(0, 0, 2, 1) << QRect(0, 0, 3, 2)
                                            << QList<int>{0, 1} << QList<int>{0};
                // Source rows 1..2 from the bottom of a 3-row picture are rows 0..1 from the top.
                QTest::newRow(b + "part, y from the bottom")
                    << bits << QRect(0, 0, 2, 2) << QRect(1, 1, 2, 2) << QList<int>{1, 2}
                    << QList<int>{0, 1};
                // Half past the right edge: 6 wide becomes 3 wide, columns 1..2 of 3.
                QTest::newRow(b + "past the right edge")
                    << bits << QRect(0, 0, 6, 2) << QRect(1, 0, 4, 2) << QList<int>{1, 1, 2}
                    << QList<int>{0, 1};
                // Past the left edge: the destination keeps its right edge at x = 6.
                QTest::newRow(b + "past the left edge")
                    << bits << QRect(0, 0, 6, 2) << QRect(-1, 0, 3, 2)
                    << QList<int>{-1, -1, 0, 0, 1, 1} << QList<int>{0, 1};
            } else {
                QTest::newRow(b + "enlarged") << bits << QRect(1, 1, 3, 4) << QRect(0, 0, 2, 1)
                                              << QList<int>{0, 0, 1} << QList<int>{0, 0, 0, 0};
            }
        }
    }
    void exactPixels() {
        QFETCH(int, bits);
        QFETCH(QRect, dest);
        QFETCH(QRect, src);
        QFETCH(QList<int>, columns);
        QFETCH(QList<int>, rows);
        const int w = bits == 1 ? 2 : 3;
        const int h = bits == 1 ? 1 : (src.y() > 0 ? 3 : 2);
        const TDibRecord pic = coordinatePicture(bits, w, h);
        QImage img = canvas(10, 8);
        {
            QPainter p(&img);
            DrawDib(p, dest.x(), dest.y(), dest.width(), dest.height(), pic, src.x(), src.y(),
                    src.width(), src.height());
        }
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const int i = x - dest.x();
                const int r = y - dest.y();
                QPoint expected(-1, -1);
                if (i >= 0 && r >= 0 && i < columns.size() && r < rows.size() && columns[i] >= 0)
                    expected = QPoint(columns[i], rows[r]);
                if (shownSource(img, x, y) != expected) {
                    qWarning() << "canvas" << x << y << "shows" << shownSource(img, x, y)
                               << "expected" << expected;
                    QFAIL("wrong pixel");
                }
            }
        }
    }

    // A destination far larger than the canvas and partly left of it: what shows is
    // still exactly the sampled pixels.
    void destinationBeyondTheCanvas() {
        const TDibRecord pic = coordinatePicture(24, 200, 100);
        QImage img = canvas(50, 30);
        {
            QPainter p(&img);
            p.translate(3, 2);
            p.setClipRect(0, 0, 40, 20);
            DrawDib(p, -1000, -500, 4000, 2000, pic, 0, 0, 200, 100);
        }
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const int lx = x - 3;
                const int ly = y - 2;
                QPoint expected(-1, -1);
                if (lx >= 0 && ly >= 0 && lx < 40 && ly < 20)
                    expected = QPoint(int(qint64(200) * (lx + 1000) / 4000),
                                      int(qint64(100) * (ly + 500) / 2000));
                QCOMPARE(shownSource(img, x, y), expected);
            }
        }
    }

    void nothingDrawn_data() {
        QTest::addColumn<QRect>("dest");
        QTest::addColumn<QRect>("src");
        QTest::newRow("destination height 0") << QRect(0, 0, 5, 0) << QRect(0, 0, 3, 2);
        QTest::newRow("destination width 0") << QRect(0, 0, 0, 5) << QRect(0, 0, 3, 2);
        QTest::newRow("source right of the picture") << QRect(0, 0, 5, 5) << QRect(3, 0, 3, 2);
        QTest::newRow("source above the picture") << QRect(0, 0, 5, 5) << QRect(0, 2, 3, 2);
    }
    void nothingDrawn() {
        QFETCH(QRect, dest);
        QFETCH(QRect, src);
        for (int bits : {1, 4, 8, 24}) {
            const TDibRecord pic = coordinatePicture(bits, 3, 2);
            QImage img = canvas(10, 8);
            QPainter p(&img);
            DrawDib(p, dest.x(), dest.y(), dest.width(), dest.height(), pic, src.x(), src.y(),
                    src.width(), src.height());
            p.end();
            QCOMPARE(img, canvas(10, 8));
        }
    }

    // Destination rows and columns whose source lies outside the picture show what a
    // new row picture holds: black, or colour 0 of an 8-bit picture's table.
    void rowsOutsideThePicture_data() {
        QTest::addColumn<int>("bits");
        QTest::newRow("24 bit") << 24;
        QTest::newRow("8 bit") << 8;
    }
    void rowsOutsideThePicture() {
        QFETCH(int, bits);
        TDibRecord pic = coordinatePicture(bits, 3, 2);
        QRgb blank = qRgb(0, 0, 0);
        if (bits == 8) {
            QList<QRgb> table = pic.Image.colorTable();
            table[0] = qRgb(7, 8, 9);
            pic.Image.setColorTable(table);
            blank = table[0];
        }
        QImage img = canvas(4, 4);
        {
            QPainter p(&img);
            // Columns -1, 0, 1, 2 and rows -1, 0, 1, 2 (from the top) of a 3 x 2 picture.
            if (bits == 24)
                DrawDibRows24(p, 0, 0, 4, 4, pic, -1, -1, 4, 4);
            else
                DrawDibRows8(p, 0, 0, 4, 4, pic, -1, -1, 4, 4);
        }
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                const bool outside = x == 0 || y == 0 || y == 3;
                if (outside)
                    QCOMPARE(img.pixel(x, y), blank | 0xFF000000u);
                else if (!(bits == 8 && x == 1 && y == 1)) // pixel (0, 0) has colour 0 itself
                    QCOMPARE(shownSource(img, x, y), QPoint(x - 1, y - 1));
            }
        }
    }

    void noPictureDrawsNothing() {
        QImage img = canvas(10, 8);
        QPainter p(&img);
        DrawDib(p, 0, 0, 10, 8, TDibRecord(), 0, 0, 3, 2);
        p.end();
        QCOMPARE(img, canvas(10, 8));
    }

    void wayOfDrawing_data() {
        QTest::addColumn<bool>("pdf");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("halftone");
        QTest::addColumn<int>("screenBits");
        QTest::addColumn<DibDrawWay>("way");
        for (bool pdf : {false, true}) {
            const QByteArray d = pdf ? "PDF, " : "bitmap, ";
            QTest::newRow(d + "24 bit, halftone, 256 colours")
                << pdf << 24 << true << 8 << DibDrawWay::Halftone;
            QTest::newRow(d + "24 bit, halftone, 16 colours")
                << pdf << 24 << true << 4 << DibDrawWay::Halftone;
            QTest::newRow(d + "24 bit, halftone, true colour")
                << pdf << 24 << true << 32 << (pdf ? DibDrawWay::Stretch : DibDrawWay::Rows24);
            QTest::newRow(d + "24 bit, no halftone, 256 colours")
                << pdf << 24 << false << 8 << (pdf ? DibDrawWay::Stretch : DibDrawWay::Rows24);
            QTest::newRow(d + "8 bit, halftone, 256 colours")
                << pdf << 8 << true << 8 << (pdf ? DibDrawWay::Stretch : DibDrawWay::Rows8);
            QTest::newRow(d + "8 bit")
                << pdf << 8 << false << 32 << (pdf ? DibDrawWay::Stretch : DibDrawWay::Rows8);
            QTest::newRow(d + "4 bit") << pdf << 4 << false << 32 << DibDrawWay::Stretch;
            QTest::newRow(d + "1 bit, halftone, 256 colours")
                << pdf << 1 << true << 8 << DibDrawWay::Stretch;
        }
    }
    void wayOfDrawing() {
        QFETCH(bool, pdf);
        QFETCH(int, bits);
        QFETCH(bool, halftone);
        QFETCH(int, screenBits);
        QFETCH(DibDrawWay, way);
        const TDibRecord pic = coordinatePicture(bits, 2, 1);
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath(QStringLiteral("seite.pdf")));
        QImage img = canvas(4, 4);
        QPainter p;
        QVERIFY(pdf ? p.begin(&writer) : p.begin(&img));
        QCOMPARE(dibDrawWay(p, pic, halftone, screenBits), way);
        p.end();
    }

    // On a PDF page the picture goes in as it is, scaled by the page.
    void printerDrawsThePicture() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("seite.pdf"));
        qint64 emptySize = 0;
        for (bool withPicture : {false, true}) {
            QPdfWriter writer(file);
            QPainter p(&writer);
            if (withPicture)
                DrawDib(p, 100, 100, 3000, 2000, testpic::trueColour(300, 200, true), 0, 0, 300,
                        200);
            p.end();
            const qint64 size = QFileInfo(file).size();
            if (!withPicture)
                emptySize = size;
            else
                QVERIFY2(size > emptySize + 10000, "the picture is in the page");
        }
    }

    // Halftoning for screens of 256 colours: only colours of the halftone palette,
    // close to the picture on average, with and without shrinking.
    void halftoned_data() {
        QTest::addColumn<QSize>("destSize");
        QTest::newRow("same size") << QSize(40, 30);
        QTest::newRow("enlarged") << QSize(80, 45);
        QTest::newRow("shrunk") << QSize(20, 15);
    }
    void halftoned() {
        QFETCH(QSize, destSize);
        TDibRecord pic;
        newdib(pic, 40, 30, 24, nullptr, 0);
        pic.Image.fill(qRgb(200, 120, 40));
        QImage img = canvas(100, 60);
        {
            QPainter p(&img);
            DrawDibForScreenDepth(p, 5, 5, destSize.width(), destSize.height(), pic, 0, 0, 40, 30,
                                  true, 8);
        }
        const auto inPalette = [](QRgb c) {
            const bool cube = qRed(c) % 51 == 0 && qGreen(c) % 51 == 0 && qBlue(c) % 51 == 0;
            const bool grey = qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
            return cube || grey;
        };
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                const bool inside = QRect(QPoint(5, 5), destSize).contains(x, y);
                QCOMPARE(c != Marker, inside);
                if (!inside)
                    continue;
                QVERIFY(inPalette(c));
                r += qRed(c);
                g += qGreen(c);
                b += qBlue(c);
            }
        }
        const double n = destSize.width() * destSize.height();
        QVERIFY(qAbs(r / n - 200) < 12);
        QVERIFY(qAbs(g / n - 120) < 12);
        QVERIFY(qAbs(b / n - 40) < 12);
    }

    void colourCount_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("count");
        QTest::newRow("1") << 1 << 2;
        QTest::newRow("4") << 4 << 16;
        QTest::newRow("8") << 8 << 256;
        QTest::newRow("24") << 24 << 16777216;
    }
    void colourCount() {
        QFETCH(int, bits);
        QFETCH(int, count);
        QCOMPARE(ColorCount(coordinatePicture(bits, 2, 1)), count);
    }
};

QTEST_MAIN(TestDibDraw)
#include "tst_dibdraw.moc"
