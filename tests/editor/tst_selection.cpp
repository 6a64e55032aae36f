#include "editor/selection.h"
#include "editorharness.h"

#include <QPainter>

class TestSelection : public QObject {
    Q_OBJECT

private slots:
    void hitTestPrefersTheHigherSlotAndIncludesTheFrame() {
        LabelDocument doc;
        auto put = [&](int slot, int x, int y, int w, int h) {
            Tobs& o = doc.Objs[slot];
            o.Kind = KindFigure;
            o.X = x * 208;
            o.Y = y * 208;
            o.Width = w * 208;
            o.Height = h * 208;
        };
        put(3, 100, 100, 50, 50);
        put(9000, 130, 130, 50, 50);
        QCOMPARE(hitTest(doc, 140, 140), 9000);
        QCOMPARE(hitTest(doc, 110, 110), 3);
        QCOMPARE(hitTest(doc, 150, 120), 3); // exactly on the right frame line
        QCOMPARE(hitTest(doc, 151, 120), 0);
        QCOMPARE(hitTest(doc, 99, 120), 0);
        doc.Objs[9000].Kind = KindFree;
        QCOMPARE(hitTest(doc, 140, 140), 3);
    }

    void pressOnTopObjectOfAnOverlapSelectsIt() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        e.place(2, 130, 130, 50, 50);
        e.click(QPoint(140, 140));
        QCOMPARE(e.doc.SelObj, 2);
        QCOMPARE(e.page.MouseState, 0);
        e.click(QPoint(300, 300));
        QCOMPARE(e.doc.SelObj, 0);
    }

    void pressInsideTheSelectedLowerObjectDragsIt() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        e.place(2, 130, 130, 50, 50);
        e.click(QPoint(105, 105)); // selects slot 1; a selecting press never drags
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(e.pixels(1), QRect(100, 100, 50, 50));
        e.press(QPoint(140, 140)); // inside the overlap, where slot 2 lies on top
        QCOMPARE(e.page.MouseState, 1);
        QCOMPARE(e.page.Drag.DragMode, 9);
        e.move(QPoint(150, 145));
        e.release(QPoint(160, 150));
        QCOMPARE(e.page.MouseState, 0);
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(e.pixels(1), QRect(120, 110, 50, 50));
        QCOMPARE(e.pixels(2), QRect(130, 130, 50, 50));
    }

    void selectingPressDoesNotStartADrag() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        e.press(QPoint(120, 120));
        e.move(QPoint(160, 170));
        e.release(QPoint(160, 170));
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(e.pixels(1), QRect(100, 100, 50, 50));
    }

    void handles_data() {
        QTest::addColumn<QPoint>("grab");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("after"); // after moving the mouse by (+10, +7)
        QTest::newRow("top-left") << QPoint(100, 100) << 1 << QRect(110, 107, 40, 33);
        QTest::newRow("top-left, off the point") << QPoint(102, 98) << 1 << QRect(110, 107, 40, 33);
        QTest::newRow("top-right") << QPoint(150, 100) << 2 << QRect(100, 107, 60, 33);
        QTest::newRow("bottom-left") << QPoint(100, 140) << 3 << QRect(110, 100, 40, 47);
        QTest::newRow("bottom-right") << QPoint(150, 140) << 4 << QRect(100, 100, 60, 47);
        QTest::newRow("top middle") << QPoint(125, 100) << 5 << QRect(100, 107, 50, 33);
        QTest::newRow("bottom middle") << QPoint(125, 140) << 6 << QRect(100, 100, 50, 47);
        QTest::newRow("left middle") << QPoint(100, 120) << 7 << QRect(110, 100, 40, 40);
        QTest::newRow("right middle") << QPoint(150, 120) << 8 << QRect(100, 100, 60, 40);
        QTest::newRow("inside") << QPoint(120, 115) << 9 << QRect(110, 107, 50, 40);
        QTest::newRow("handle beats body") << QPoint(147, 123) << 8 << QRect(100, 100, 60, 40);
    }
    void handles() {
        QFETCH(QPoint, grab);
        QFETCH(int, mode);
        QFETCH(QRect, after);
        EditorHarness e;
        e.place(1, 100, 100, 50, 40);
        e.doc.SelObj = 1;
        e.page.PaintBox1Paint();
        e.move(grab);
        QCOMPARE(e.page.Drag.DragMode, mode);
        QCOMPARE(e.page.CurrentCursor, mode);
        e.press(grab);
        QCOMPARE(e.page.MouseState, 1);
        e.move(grab + QPoint(4, 3));
        e.release(grab + QPoint(10, 7));
        QCOMPARE(e.pixels(1), after);
        QCOMPARE(e.doc.Objs[1].X, after.x() * 208);
        QCOMPARE(e.doc.Objs[1].Width, after.width() * 208);
    }

    void handleCrossingTheOppositeEdgeBecomesItsMirror() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 40);
        e.doc.SelObj = 1;
        e.press(QPoint(100, 100)); // top-left handle
        e.move(QPoint(170, 100));
        QCOMPARE(e.pixels(1), QRect(150, 100, 20, 40));
        QCOMPARE(e.page.Drag.DragMode, 2); // now the top-right handle
        e.move(QPoint(190, 100));
        QCOMPARE(e.pixels(1), QRect(150, 100, 40, 40));
        e.move(QPoint(190, 160)); // and down across the bottom edge
        QCOMPARE(e.page.Drag.DragMode, 4);
        QCOMPARE(e.pixels(1), QRect(150, 140, 40, 20));
        e.release(QPoint(190, 160));
        QCOMPARE(e.pixels(1), QRect(150, 140, 40, 20));
    }

    void handleOntoTheOppositeEdgeLeavesWidthZero() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 40);
        e.doc.SelObj = 1;
        e.press(QPoint(150, 120));
        e.release(QPoint(100, 120));
        QCOMPARE(e.doc.Objs[1].Width, 0);
        QCOMPARE(e.doc.Objs[1].Kind, int(KindFigure));
        QCOMPARE(e.doc.SelObj, 1);
    }

    void dragStopsAtTheWorkAreaEdge_data() {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        // The right and bottom edges stay right of / below the work area's left
        // and top edge; the left and top edges stay inside the work area.
        QTest::newRow("far left") << QPoint(-5000, 120) << -50 * 208 << 90 * 208;
        QTest::newRow("far up") << QPoint(120, -5000) << 90 * 208 << -40 * 208;
        QTest::newRow("far right") << QPoint(90000, 120) << 1009 * 208 - 1 << 90 * 208;
        QTest::newRow("far down") << QPoint(120, 90000) << 90 * 208 << 405 * 208 - 1;
        QTest::newRow("extreme") << QPoint(-2000000000, 2000000000) << -50 * 208 << 405 * 208 - 1;
    }
    void dragStopsAtTheWorkAreaEdge() {
        QFETCH(QPoint, to);
        QFETCH(int, x);
        QFETCH(int, y);
        EditorHarness e;
        e.place(1, 100, 100, 50, 40);
        e.doc.SelObj = 1;
        e.page.PaintBox1MouseDown(Qt::LeftButton, 130, 130); // grabbed 30, 30 inside
        QCOMPARE(e.page.Drag.DragMode, 9);
        e.page.PaintBox1MouseMove(to.x(), to.y());
        e.page.PaintBox1MouseUp(Qt::LeftButton, to.x(), to.y());
        QCOMPARE(e.doc.Objs[1].X, x);
        QCOMPARE(e.doc.Objs[1].Y, y);
        QCOMPARE(e.doc.Objs[1].Width, 50 * 208);
        QCOMPARE(e.doc.Objs[1].Height, 40 * 208);
    }

    void markrecInvertsTheFrameReversibly() {
        LabelDocument doc;
        Tobs& o = doc.Objs[4];
        o.Kind = KindText;
        o.X = 10 * 208;
        o.Y = 20 * 208;
        o.Width = 30 * 208;
        o.Height = 12 * 208;
        doc.SelObj = 4;
        QImage image(80, 60, QImage::Format_RGB32);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                image.setPixel(x, y, qRgb(x * 3, y * 4, 100));
        const QImage before = image;
        {
            QPainter p(&image);
            markrec(p, doc, 1, 0, 0);
        }
        // The frame runs from (10, 20) to (40, 32), right and bottom edge excluded.
        QCOMPARE(image.pixel(10, 20), qRgb(255 - 30, 255 - 80, 155));
        QCOMPARE(image.pixel(39, 31), qRgb(255 - 117, 255 - 124, 155));
        QCOMPARE(image.pixel(25, 20), qRgb(255 - 75, 255 - 80, 155));
        QCOMPARE(image.pixel(40, 31), before.pixel(40, 31));
        QCOMPARE(image.pixel(25, 25), before.pixel(25, 25));
        QCOMPARE(image.pixel(7, 17), before.pixel(7, 17)); // no handles while dragging
        {
            QPainter p(&image);
            markrec(p, doc, 1, 0, 0);
        }
        QCOMPARE(image, before);
    }

    void markrecDrawsHandlesWhenIdleAndNothingWithoutSelection() {
        LabelDocument doc;
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            markrec(p, doc, 0, 0, 0);
        }
        QCOMPARE(image.pixel(10, 20), qRgb(255, 255, 255));
        Tobs& o = doc.Objs[1];
        o.Kind = KindFigure;
        o.X = 10 * 208;
        o.Y = 20 * 208;
        o.Width = 30 * 208;
        o.Height = 12 * 208;
        doc.SelObj = 1;
        {
            QPainter p(&image);
            markrec(p, doc, 0, 0, 0);
        }
        // Handle squares of 6 x 6 around (10, 20) and the middle of the bottom (25, 32).
        QCOMPARE(image.pixel(7, 17), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(12, 22), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(13, 23), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(22, 29), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(27, 34), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(28, 35), qRgb(255, 255, 255));
    }

    void dragMovesOnlyTheFrameOverTheLastPicture() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 40);
        e.doc.SelObj = 1;
        e.press(QPoint(120, 120));
        QCOMPARE(e.page.MouseState, 1);
        const QImage atStart = e.page.EditBitmap;
        // A mark that only a new rendering would take away.
        e.page.EditBitmap.setPixel(400, 300, qRgb(255, 0, 0));
        e.move(QPoint(160, 150));
        QCOMPARE(e.page.EditBitmap.pixel(400, 300), qRgb(255, 0, 0));
        QCOMPARE(e.page.EditBitmap.pixel(140, 130), qRgb(0, 0, 0)); // new frame, inverted white
        e.move(QPoint(120, 120));
        e.page.EditBitmap.setPixel(400, 300, atStart.pixel(400, 300));
        QCOMPARE(e.page.EditBitmap, atStart);
        e.release(QPoint(120, 120));
        QCOMPARE(e.page.MouseState, 0);
        QCOMPARE(e.page.EditBitmap.pixel(400, 300), qRgb(255, 255, 255)); // rendered anew
        QCOMPARE(e.page.EditBitmap.pixel(97, 97), qRgb(0, 0, 0));         // handles back
    }
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
