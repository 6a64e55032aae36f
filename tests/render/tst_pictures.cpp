#include "renderfixture.h"

#include "document/transcolor.h"
#include "render/picturedraw.h"

#include <QPicture>
#include <QtTest>

using namespace renderfixture;

namespace {

// Screen output at one document unit per pixel.
std::unique_ptr<LabelDocument> screenDocument() {
    auto doc = std::make_unique<LabelDocument>();
    doc->Zoom = 1.0;
    doc->UnitsPerPixel = 1.0;
    return doc;
}

Tobs& picture(LabelDocument& doc, int slot, const TDibRecord& pic, int x, int y, int w, int h) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindPicture;
    o.Picture = pic;
    o.X = x;
    o.Y = y;
    o.Width = w;
    o.Height = h;
    o.KeepAspect = false;
    o.Transparent = false;
    o.TransAuto = false;
    return o;
}

// Red on the left half, blue on the right.
TDibRecord twoColours() {
    return picture24(2, 1, [](int x, int) { return x == 0 ? Red : Blue; });
}

// A green rectangle under the picture's box (10, 10) 10 x 5, and the picture with
// blue transparent.
void transparentScene(LabelDocument& doc) {
    figure(doc, 1, 3, 0, 0, 40, 40, Green);
    Tobs& o = picture(doc, 2, twoColours(), 10, 10, 10, 5);
    o.Transparent = true;
    o.TransColor = Blue;
}

QImage renderInto(LabelDocument& doc, QImage canvas) {
    return render(doc, canvas, 300, 300, 0, 0, 1.0, true);
}

// The same drawing recorded into a QPicture (a canvas that cannot be read back) and
// played back onto a white bitmap.
QImage renderThroughPicture(LabelDocument& doc) {
    QPicture recording;
    QPainter p(&recording);
    DrawVCart(p, doc, 300, 300, 0, 0, 1.0, true, 0);
    p.end();
    QImage img = whiteCanvas(100, 100);
    QPainter q(&img);
    q.drawPicture(0, 0, recording);
    q.end();
    return img;
}
} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    // Drawn one pixel smaller than the (fitted) box, from its top-left corner.
    void sizes_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<bool>("keepAspect");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("stretched")
            << QSize(20, 10) << QSize(40, 100) << false << QRect(10, 10, 39, 99);
        QTest::newRow("tall box keeps the top")
            << QSize(20, 10) << QSize(40, 100) << true << QRect(10, 10, 39, 19);
        QTest::newRow("wide box keeps the left")
            << QSize(20, 10) << QSize(200, 40) << true << QRect(10, 10, 79, 39);
        QTest::newRow("1 x 1 picture")
            << QSize(1, 1) << QSize(30, 20) << false << QRect(10, 10, 29, 19);
        QTest::newRow("1 x 1 picture kept square")
            << QSize(1, 1) << QSize(30, 20) << true << QRect(10, 10, 19, 19);
        QTest::newRow("box of one pixel") << QSize(20, 10) << QSize(1, 1) << false << QRect();
        QTest::newRow("box of no size") << QSize(20, 10) << QSize(0, 0) << true << QRect();
        QTest::newRow("negative box") << QSize(20, 10) << QSize(-30, -30) << true << QRect();
    }
    void sizes() {
        QFETCH(QSize, picture);
        QFETCH(QSize, box);
        QFETCH(bool, keepAspect);
        QFETCH(QRect, expected);
        for (bool transparent : {false, true}) {
            auto doc = pixelDocument();
            Tobs& o = ::picture(
                *doc, 1, picture24(picture.width(), picture.height(), [](int, int) { return Red; }),
                10, 10, box.width(), box.height());
            o.KeepAspect = keepAspect;
            o.Transparent = transparent;
            o.TransColor = Blue; // no pixel has it
            doc->Output.OutputMode = 0;
            doc->UnitsPerPixel = 1.0;
            QCOMPARE(inkBounds(renderEditor(*doc)), expected);
        }
    }

    void fittedSize() {
        const PictureSize s = fittedPictureSize(40, 100, 20, 10, true);
        QCOMPARE(s.w, 40);
        QCOMPARE(s.h, 20);
        const PictureSize huge = fittedPictureSize(2000000000, 2000000000, 30000, 1, true);
        QCOMPARE(huge.h, 66666);
    }

    // Screen: a copy of 9 x 4 pixels, columns 2c div 9; the blue half shows the green
    // canvas. The box's last column and row are not drawn.
    void transparentOnScreen() {
        auto doc = screenDocument();
        transparentScene(*doc);
        const QImage img = renderInto(*doc, whiteCanvas(100, 100));
        QCOMPARE(colourBounds(img, RedRgb), QRect(10, 10, 5, 4));
        QCOMPARE(countColour(img, BlueRgb), 0);
        QCOMPARE(countColour(img, GreenRgb, QRect(10, 10, 10, 5)), 10 * 5 - 5 * 4);
        QCOMPARE(doc->Objs[2].TransColor, Blue);
    }

    // Device: every pixel of the 10 x 5 box, columns 2c div 10; transparent pixels
    // untouched.
    void transparentOnDevice() {
        auto doc = pixelDocument();
        transparentScene(*doc);
        const QImage img = renderInto(*doc, whiteCanvas(100, 100));
        QCOMPARE(colourBounds(img, RedRgb), QRect(10, 10, 5, 5));
        QCOMPARE(countColour(img, BlueRgb), 0);
        QCOMPARE(countColour(img, GreenRgb, QRect(10, 10, 10, 5)), 10 * 5 - 5 * 5);
    }

    // Canvases that cannot be read back get the same pixels from one picture with an
    // alpha channel; so do bitmaps in other pixel formats.
    void canvasesThatCannotBeRead() {
        for (int mode : {0, 1}) {
            auto doc = screenDocument();
            doc->Output.OutputMode = mode;
            doc->Output.OutputScale = 1.0;
            transparentScene(*doc);
            // A second, larger picture with a pattern, partly transparent.
            Tobs& o = picture(
                *doc, 3, picture24(7, 5, [](int x, int y) { return (x + y) % 3 ? Red : Blue; }), 30,
                20, 53, 31);
            o.Transparent = true;
            o.TransColor = Blue;
            const QImage direct = renderInto(*doc, whiteCanvas(100, 100));
            QCOMPARE(renderThroughPicture(*doc), direct);
            for (QImage::Format f : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888}) {
                QImage canvas(100, 100, f);
                canvas.fill(Qt::white);
                QCOMPARE(renderInto(*doc, canvas).convertToFormat(QImage::Format_RGB32), direct);
            }
        }
    }

    // TransAuto makes the bottom-left pixel's colour transparent, also when the picture
    // lies outside the canvas; drawing leaves the object as it is (the commands set
    // TransColor).
    void transAuto() {
        for (int x : {10, 5000}) {
            auto doc = pixelDocument();
            Tobs& o = picture(*doc, 1,
                              picture24(4, 4,
                                        [](int px, int py) {
                                            return py == 3 && px == 0 ? Green : py < 2 ? Red : Blue;
                                        }),
                              x, 10, 4, 4);
            o.Transparent = true;
            o.TransAuto = true;
            o.TransColor = Red;
            const QImage img = renderEditor(*doc);
            QCOMPARE(o.TransColor, Red);
            settleTransColor(o);
            QCOMPARE(o.TransColor, Green);
            if (x == 10) {
                QCOMPARE(countColour(img, GreenRgb), 0);
                QCOMPARE(countColour(img, RedRgb), 8);
                QCOMPARE(countColour(img, BlueRgb), 7);
            }
        }
    }

    // Palette pictures: pixels are compared with the index of the first entry of the
    // colour TransColor, found anew at each drawing, and drawn in their palette colour.
    // The object keeps the colour, so every repaint makes the same pixels transparent.
    void paletteTransparency() {
        auto doc = pixelDocument();
        // Entry 0 has the colour 0x000001, which a stored index 1 would stand for.
        const QRgb entry0 = colorRefToRgb(0x000001);
        const TDibRecord pal = picture8(4, 2, {0x000001, Red, Blue, Red}, [](int x, int y) {
            return x == 0 && y == 0 ? 0 : x < 2 ? 1 : 2;
        });
        Tobs& o = picture(*doc, 1, pal, 10, 10, 4, 2);
        o.Transparent = true;
        o.TransColor = Red;
        for (int repaint = 0; repaint < 2; ++repaint) {
            const QImage img = renderEditor(*doc);
            QCOMPARE(o.TransColor, Red);
            QCOMPARE(countColour(img, RedRgb), 0);
            QCOMPARE(countColour(img, entry0), 1);
            QCOMPARE(colourBounds(img, BlueRgb), QRect(12, 10, 2, 2));
        }

        // TransAuto takes the bottom-left pixel; settling keeps its colour, not its index.
        o.TransAuto = true;
        o.TransColor = 0;
        const QImage img = renderEditor(*doc);
        QCOMPARE(o.TransColor, 0);
        settleTransColor(o);
        QCOMPARE(o.TransColor, Red);
        QCOMPARE(countColour(img, RedRgb), 0);
        QCOMPARE(countColour(img, entry0), 1);
    }

    // A negative TransColor matches no pixel.
    void negativeTransColor() {
        auto doc = pixelDocument();
        Tobs& o = picture(*doc, 1, twoColours(), 10, 10, 10, 5);
        o.Transparent = true;
        o.TransColor = -1;
        const QImage img = renderEditor(*doc);
        QCOMPARE(countColour(img, RedRgb), 25);
        QCOMPARE(countColour(img, BlueRgb), 25);
    }

    // Written straight into the bitmap, the device path still keeps to the label.
    void devicePathIsClipped() {
        auto doc = pixelDocument();
        Tobs& o = picture(*doc, 1, twoColours(), 50, 50, 200, 200);
        o.Transparent = true;
        o.TransColor = Green;
        // Label of 100 x 100 at (100, 100).
        const QImage img = render(*doc, whiteCanvas(300, 300), 100, 100, 0, 0, 1.0, false);
        QCOMPARE(inkBounds(img), QRect(100, 100, 100, 100));
    }

    // Huge boxes are drawn only where the canvas shows them.
    void hugeTransparentBox() {
        for (int mode : {0, 1}) {
            auto doc = screenDocument();
            doc->Output.OutputMode = mode;
            doc->Output.OutputScale = 1.0;
            Tobs& o = picture(*doc, 1, twoColours(), -500000000, 0, 2000000000, 2000000000);
            o.Transparent = true;
            o.TransColor = Blue;
            const QImage img = renderEditor(*doc, 100, 100);
            QCOMPARE(countColour(img, RedRgb), 100 * 100);
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
