#include "renderfixture.h"

#include "render/bkgndfit.h"

#include <QtTest>

using namespace renderfixture;

namespace {

// A picture whose top three rows are blue and the rest red.
TDibRecord markedPicture(int w, int h) {
    return picture24(w, h, [](int, int y) { return y < 3 ? 0xFF0000 : 0x0000FF; });
}

// Editor: a work area of 300 x 300 pixels, so the label is (100, 100) to (200, 200),
// 101 pixels wide and high by the background's rule (R - L + 1).
QImage editorBackground(int mode, const TDibRecord& pic) {
    auto doc = pixelDocument();
    doc->BkgndMode = mode;
    doc->BkgndPic = pic;
    return renderEditor(*doc);
}

// Output: the label of 100 x 100 pixels placed at (100, 100) on a 300 x 300 canvas.
QImage outputBackground(int mode, const TDibRecord& pic) {
    auto doc = pixelDocument();
    doc->BkgndMode = mode;
    doc->BkgndPic = pic;
    return render(*doc, whiteCanvas(300, 300), 100, 100, 0, 0, 1.0, false);
}
} // namespace

class TestBackground : public QObject {
    Q_OBJECT
private slots:
    void modes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("editor");
        QTest::addColumn<QRect>("output");
        // Stretched to W x H = 101 x 101: one pixel past the label in the editor.
        QTest::newRow("0 stretched")
            << 0 << QSize(200, 100) << QRect(100, 100, 101, 101) << QRect(100, 100, 100, 100);
        // hh = 100 x 101 div 200 = 50: at (100, 125) size (100, 49).
        QTest::newRow("1 wide picture")
            << 1 << QSize(200, 100) << QRect(100, 125, 100, 49) << QRect(100, 125, 100, 49);
        // ww = 50: at (125, 100) size (49, 100).
        QTest::newRow("1 tall picture")
            << 1 << QSize(100, 200) << QRect(125, 100, 49, 100) << QRect(125, 100, 49, 100);
        // ww = 202 at (50, 100): overhangs, clipped to the label in the editor too.
        QTest::newRow("2 wide picture")
            << 2 << QSize(200, 100) << QRect(100, 100, 100, 100) << QRect(100, 100, 100, 100);
        QTest::newRow("2 tall picture")
            << 2 << QSize(100, 200) << QRect(100, 100, 100, 100) << QRect(100, 100, 100, 100);
        QTest::newRow("3 column of tiles")
            << 3 << QSize(200, 100) << QRect(100, 100, 100, 100) << QRect(100, 100, 100, 100);
        QTest::newRow("3 row of tiles")
            << 3 << QSize(100, 200) << QRect(100, 100, 100, 100) << QRect(100, 100, 100, 100);
        // Tiles of one pixel: the tiling still advances and fills the label.
        QTest::newRow("3 flat tiles")
            << 3 << QSize(1000, 25) << QRect(100, 100, 100, 100) << QRect(100, 100, 100, 100);
        // Tiles of no height are left out.
        QTest::newRow("3 flatter tiles") << 3 << QSize(1000, 1) << QRect() << QRect();
        QTest::newRow("no background") << -1 << QSize(200, 100) << QRect() << QRect();
        QTest::newRow("unknown mode") << 4 << QSize(200, 100) << QRect() << QRect();
        QTest::newRow("negative mode") << -7 << QSize(200, 100) << QRect() << QRect();
    }
    void modes() {
        QFETCH(int, mode);
        QFETCH(QSize, picture);
        QFETCH(QRect, editor);
        QFETCH(QRect, output);
        const TDibRecord pic = markedPicture(picture.width(), picture.height());
        QCOMPARE(inkBounds(editorBackground(mode, pic)), editor);
        QCOMPARE(inkBounds(outputBackground(mode, pic)), output);
    }

    // Tiles start every hh - 1 = 49 pixels from the label's top (or left) edge.
    void tileSteps() {
        const QImage column = editorBackground(3, markedPicture(200, 100));
        for (int y : {100, 149, 198})
            QCOMPARE(column.pixel(150, y), BlueRgb);
        for (int y : {125, 148, 170, 197})
            QCOMPARE(column.pixel(150, y), RedRgb);
        const QImage row = outputBackground(3, markedPicture(100, 200));
        // A row of tiles, each from its own top edge: blue along the top only.
        QCOMPARE(colourBounds(row, BlueRgb).top(), 100);
        QCOMPARE(colourBounds(row, BlueRgb).height() <= 2, true);
        QCOMPARE(countColour(row, RedRgb, QRect(100, 150, 100, 1)), 100);
    }

    // A mode of 0..3 without a picture draws nothing.
    void modeWithoutPicture() {
        for (int mode = 0; mode <= 3; ++mode) {
            QCOMPARE(inkBounds(editorBackground(mode, TDibRecord())), QRect());
            QCOMPARE(inkBounds(outputBackground(mode, TDibRecord())), QRect());
        }
    }

    // The plan leaves out tiles past the limit; the area still bounds the tiling.
    void planLimits() {
        const LabelRect label{100, 100, 200, 200};
        const BackgroundPlan all =
            planBackground(3, label, QSize(200, 100), 300, 300, QRectF(0, 0, 1e6, 1e6));
        QCOMPARE(int(all.tiles.size()), 7); // o = 0, 49, ... 294 < 300
        QVERIFY(all.clipInEditor);
        const BackgroundPlan limited =
            planBackground(3, label, QSize(200, 100), 300, 300, QRectF(0, 0, 300, 160));
        QCOMPARE(int(limited.tiles.size()), 2); // tiles at 100 and 149
        // One-pixel tiles over a huge area stop at the limit.
        const BackgroundPlan flat = planBackground(3, label, QSize(100000, 200), 2000000000,
                                                   2000000000, QRectF(0, 0, 300, 300));
        QCOMPARE(int(flat.tiles.size()), 0); // hh = 0: tiles of no height
        QVERIFY(!planBackground(1, label, QSize(200, 100), 300, 300, QRectF()).clipInEditor);
    }
};

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
