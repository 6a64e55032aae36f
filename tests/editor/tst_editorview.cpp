#include "document/labelfile.h"
#include "editor/rulerscale.h"
#include "editor/rulerwidget.h"
#include "editor/toolbar.h"
#include "editor/zoomsteps.h"
#include "editorharness.h"
#include "render/picturefileloader.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

namespace {
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Grey = qRgb(128, 128, 128);

bool columnBlack(const QImage& image, int x, int y0, int y1) {
    for (int y = y0; y <= y1; ++y)
        if (image.pixel(x, y) != Black)
            return false;
    return true;
}
bool anyBlack(const QImage& image, const QRect& area) { // dark enough for text
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}
} // namespace

class TestEditorView : public QObject {
    Q_OBJECT

private slots:
    void startViewShowsTheLabelOutlineAndShadow() {
        EditorHarness e;
        QCOMPARE(e.page.PaintBox1->size(), QSize(1009, 405));
        QCOMPARE(e.page.scrollX(), 0);
        QCOMPARE(e.page.EditBitmap.size(), e.page.ScrollBox1->viewport()->size());
        const QImage& b = e.page.EditBitmap;
        // Outline from (336, 135) to (672, 270), right and bottom edge excluded.
        QCOMPARE(b.pixel(336, 135), Black);
        QCOMPARE(b.pixel(671, 135), Black);
        QCOMPARE(b.pixel(336, 269), Black);
        QCOMPARE(b.pixel(671, 269), Black);
        QCOMPARE(b.pixel(335, 135), White);
        QCOMPARE(b.pixel(336, 134), White);
        QCOMPARE(b.pixel(337, 136), White);
        // Grey drop shadow of 5 pixels on the right and at the bottom.
        QCOMPARE(b.pixel(672, 139), White);
        QCOMPARE(b.pixel(672, 140), Grey);
        QCOMPARE(b.pixel(676, 274), Grey);
        QCOMPARE(b.pixel(677, 200), White);
        QCOMPARE(b.pixel(340, 272), White);
        QCOMPARE(b.pixel(341, 270), Grey);
        QCOMPARE(b.pixel(500, 275), White);
        // What the paint box shows is the bitmap.
        const QImage shown = e.page.PaintBox1->grab(QRect(330, 130, 350, 150)).toImage();
        QCOMPARE(shown.pixel(6, 5), Black);
        QCOMPARE(shown.pixel(342, 10), Grey);
    }

    void bitmapHoldsOnlyTheVisiblePane() {
        EditorHarness e(QSize(680, 360));
        e.page.scrollToLabel();
        QCOMPARE(e.page.scrollX(), 336);
        const int v = e.page.scrollY();
        QVERIFY(v > 0 && v <= 135);
        e.page.PaintBox1Paint();
        QCOMPARE(e.page.EditBitmap.size(), e.page.ScrollBox1->viewport()->size());
        QCOMPARE(e.page.EditBitmap.pixel(0, 135 - v), Black); // the label's corner
        QCOMPARE(e.page.EditBitmap.pixel(1, 136 - v), White);
        QCOMPARE(e.page.EditBitmap.pixel(1, 134 - v), White);
    }

    void rulerShowsZeroAtTheLabelsLeftEdge() {
        EditorHarness e(QSize(680, 360));
        e.page.scrollToLabel();
        const QImage top = e.page.TRulerPaint();
        QCOMPARE(top.height(), 20);
        QCOMPARE(top.width(), e.page.TRuler->width());
        QVERIFY(columnBlack(top, 20, 0, 19));
        QVERIFY(anyBlack(top, QRect(21, 1, 5, 9)));   // the number 0 right of the line
        QVERIFY(!anyBlack(top, QRect(21, 10, 5, 3))); // nothing between number and ticks
        const auto ticks =
            rulerTicks(top.width() - 21, 336, 336, e.doc.Format.LabelWidth, 20, true);
        bool zeroAt20 = false;
        for (const RulerTick& t : ticks)
            zeroAt20 |= t.pos == 20 && t.kind == RulerTick::Full && t.value == 0;
        QVERIFY(zeroAt20);
        const QImage left = e.page.LRulerPaint();
        QCOMPARE(left.width(), 20);
        QCOMPARE(left.height(), e.page.LRuler->height());
        QVERIFY(columnBlack(left, 19, 0, left.height() - 1));
        // The left ruler counts from the label's top edge at y = 0 when scrolled there.
        const auto down = rulerTicks(300, 135, 135, e.doc.Format.LabelHeight, 0, false);
        bool zeroAtTop = false;
        for (const RulerTick& t : down)
            zeroAtTop |= t.pos == 0 && t.kind == RulerTick::Full && t.value == 0;
        QVERIFY(zeroAtTop);
    }

    // Each number keeps one free pixel between itself and its own tick line.
    void rulerNumbersKeepClearOfTheirLine() {
        EditorHarness e(QSize(680, 360));
        e.page.setScroll(300, 100);
        const QImage top = e.page.TRulerPaint();
        const QImage left = e.page.LRulerPaint();
        int checked = 0;
        for (const RulerTick& t : rulerTicks(top.width() - 21, e.page.scrollX(), 336,
                                             e.doc.Format.LabelWidth, 20, true)) {
            if (t.kind != RulerTick::Full || t.pos + 8 >= top.width())
                continue;
            QVERIFY2(anyBlack(top, QRect(t.pos + 2, 1, 6, 10)),
                     qPrintable(QString::number(t.value)));
            for (int y = 1; y < 19; ++y)
                QCOMPARE(top.pixel(t.pos + 1, y), White);
            ++checked;
        }
        for (const RulerTick& t : rulerTicks(left.height() - 1, e.page.scrollY(), 135,
                                             e.doc.Format.LabelHeight, 0, false)) {
            if (t.kind != RulerTick::Full || t.pos < 0 || t.pos + 10 >= left.height())
                continue;
            QVERIFY2(anyBlack(left, QRect(1, t.pos + 2, 10, 7)),
                     qPrintable(QString::number(t.value)));
            for (int x = 1; x < 19; ++x)
                QCOMPARE(left.pixel(x, t.pos + 1), White);
            ++checked;
        }
        QVERIFY(checked >= 4);
    }

    // The smallest labels a file may hold, stored far zoomed out: they open, and the
    // view, the rulers, the magnifier and a tiled background cope with a paint box of
    // one pixel.
    void tinyLabelsOpenAndDraw_data() {
        QTest::addColumn<double>("sizeMm");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("unitsPerPixel");
        QTest::newRow("1 mm at zoom 0.05") << 1.0 << 0.05 << 208.0;
        QTest::newRow("1.5 mm zoomed out") << 1.5 << 0.2 << 1053.0;
    }
    void tinyLabelsOpenAndDraw() {
        QFETCH(double, sizeMm);
        QFETCH(double, zoom);
        QFETCH(double, unitsPerPixel);
        QTemporaryDir dir;
        QImage tile(40, 10, QImage::Format_RGB32);
        tile.fill(Qt::red);
        QVERIFY(tile.save(dir.filePath(QStringLiteral("kachel.png"))));
        LabelDocument written;
        written.Format.LabelWidth = written.Format.LabelHeight = sizeMm;
        written.computeWorkArea();
        written.Zoom = zoom;
        written.UnitsPerPixel = unitsPerPixel;
        written.BkgndMode = BkgndTiles;
        written.BkgndFile = dir.filePath(QStringLiteral("kachel.png"));
        Tobs& o = written.Objs[5];
        o.Kind = KindFigure;
        o.X = written.WorkWidth / 3;
        o.Y = written.WorkHeight / 3;
        const QString ett = dir.filePath(QStringLiteral("klein.ett"));
        EditorHarness e;
        QVERIFY(Saveit(written, ett, e.prompts));

        PictureFileLoader pictures;
        QCOMPARE(readLabelFile(ett, e.doc, e.prompts, pictures), ReadOutcome::Complete);
        QCOMPARE(e.prompts.shown.size(), 0);
        QCOMPARE(e.doc.Objs[5].Kind, int(KindFigure));
        e.doc.SelObj = 5;
        e.page.applyWorkArea();
        QCOMPARE(e.page.PaintBox1->size(), QSize(1, 1));
        e.page.zoomOut(0, 0);
        e.page.zoomIn(0, 0);
        e.page.PaintBox1Paint();
        QCOMPARE(e.page.EditBitmap.size(), e.page.ScrollBox1->viewport()->size());
        QCOMPARE(e.page.TRulerPaint().size(), e.page.TRuler->size());
        QCOMPARE(e.page.LRulerPaint().size(), e.page.LRuler->size());
    }

    void rulerStep_data() {
        QTest::addColumn<double>("mmPer50");
        QTest::addColumn<double>("step");
        QTest::newRow("2.49") << 2.49 << 1.0;
        QTest::newRow("2.5") << 2.5 << 5.0;
        QTest::newRow("7.49") << 7.49 << 5.0;
        QTest::newRow("7.5") << 7.5 << 10.0;
        QTest::newRow("14.9") << 14.9 << 10.0;
        QTest::newRow("15") << 15.0 << 20.0;
        QTest::newRow("29.9") << 29.9 << 20.0;
        QTest::newRow("30") << 30.0 << 40.0;
        QTest::newRow("69.9") << 69.9 << 40.0;
        QTest::newRow("70") << 70.0 << 100.0;
    }
    void rulerStep() {
        QFETCH(double, mmPer50);
        QFETCH(double, step);
        QCOMPARE(::rulerStep(mmPer50), step);
    }

    void rulerTickPatterns() {
        // d = 10: long ticks at odd, short at even millimetres, numbers every 10 mm.
        auto ticks = rulerTicks(1000, 336, 336, 88.9, 20, true);
        QMap<int, RulerTick> byValue;
        for (const RulerTick& t : ticks)
            if (!byValue.contains(t.value) || t.kind == RulerTick::Full)
                byValue[t.value] = t;
        QCOMPARE(byValue[0].pos, 20);
        QCOMPARE(byValue[1].kind, RulerTick::Long);
        QCOMPARE(byValue[2].kind, RulerTick::Short);
        QCOMPARE(byValue[10].kind, RulerTick::Full);
        QCOMPARE(byValue[10].pos, 57); // Trunc(1000 x 10 / 264.58) + 20
        // d = 5: every millimetre has a long tick, numbers only every fifth.
        ticks = rulerTicks(1000, 1000, 1000, 88.9, 20, true);
        QSet<int> longs, fulls;
        for (const RulerTick& t : ticks) {
            if (t.kind == RulerTick::Long)
                longs.insert(t.value);
            if (t.kind == RulerTick::Full)
                fulls.insert(t.value);
        }
        for (int mm = 1; mm < 80; ++mm) {
            QVERIFY2(longs.contains(mm) || fulls.contains(mm), qPrintable(QString::number(mm)));
            QCOMPARE(fulls.contains(mm), mm % 5 == 0);
        }
        // A label too small to measure and a ruler too short to divide draw no ticks.
        QVERIFY(rulerTicks(1000, 0, 0, 88.9, 20, true).isEmpty());
        QVERIFY(rulerTicks(49, 0, 336, 88.9, 20, true).isEmpty());
    }

    void magnifierSteps_data() {
        QTest::addColumn<bool>("in");
        QTest::addColumn<QList<double>>("values");
        QTest::newRow("in") << true << QList<double>{138.67, 92.44, 61.63, 41.09, 41.09};
        QTest::newRow("out") << false << QList<double>{312, 468, 702, 1053, 1053};
    }
    void magnifierSteps() {
        QFETCH(bool, in);
        QFETCH(QList<double>, values);
        EditorHarness e;
        e.page.Toolbar->SpeedZoom->click();
        for (double expected : values) {
            e.click(QPoint(e.page.scrollX() + 50, e.page.scrollY() + 40),
                    in ? Qt::LeftButton : Qt::RightButton);
            QVERIFY2(qAbs(e.doc.UnitsPerPixel - expected) < 0.005,
                     qPrintable(QString::number(e.doc.UnitsPerPixel)));
            QCOMPARE(e.page.PaintBox1->width(), int(210000 / e.doc.UnitsPerPixel));
            QCOMPARE(e.page.PaintBox1->height(), int(84330 / e.doc.UnitsPerPixel));
        }
        QCOMPARE(e.doc.Zoom, 1.0);
        QVERIFY(e.doc.SelObj == 0 && !e.doc.anyObjectInUse()); // the release created nothing
    }

    void zoomingInOnTheLabelCentreKeepsItInTheMiddle() {
        EditorHarness e;
        e.page.Toolbar->SpeedZoom->click();
        e.click(QPoint(504, 202));
        const int cx = int(104832 / e.doc.UnitsPerPixel); // (504 x 208) in new pixels
        const int cy = int(42016 / e.doc.UnitsPerPixel);
        QCOMPARE(cx - e.page.scrollX(), e.page.ScrollBox1->width() / 2);
        QCOMPARE(cy - e.page.scrollY(), e.page.ScrollBox1->height() / 2);
        // The second step, now at the new place of the centre.
        e.click(QPoint(cx, cy));
        const int cx2 = int(104832 / e.doc.UnitsPerPixel);
        QVERIFY(qAbs(cx2 - e.page.scrollX() - e.page.ScrollBox1->width() / 2) <= 1);
    }

    void zoomOutNearTheCornerStaysInRange() {
        EditorHarness e;
        e.page.Toolbar->SpeedZoom->click();
        e.click(QPoint(1000, 400));
        e.click(QPoint(e.page.PaintBox1->width() - 1, e.page.PaintBox1->height() - 1));
        QCOMPARE(e.page.scrollX(), e.page.ScrollBox1->horizontalScrollBar()->maximum());
        for (int i = 0; i < 4; ++i)
            e.click(QPoint(e.page.scrollX() + 5, e.page.scrollY() + 5), Qt::RightButton);
        QCOMPARE(e.doc.UnitsPerPixel, 468.0);
        QCOMPARE(e.page.PaintBox1->width(), 448);
        QCOMPARE(e.page.scrollX(), 0);
        QCOMPARE(e.page.scrollY(), 0);
    }

    void handScrollingKeepsThePressedPointUnderTheMouse() {
        EditorHarness e;
        e.page.Toolbar->SpeedZoom->click();
        e.click(QPoint(504, 202));
        e.click(QPoint(int(104832 / e.doc.UnitsPerPixel), int(42016 / e.doc.UnitsPerPixel)));
        e.page.Toolbar->SpeedHand->click();
        const int h0 = e.page.scrollX(), v0 = e.page.scrollY();
        const QPoint start(h0 + 300, v0 + 200);
        e.press(start);
        QCOMPARE(e.page.MouseState, 2);
        e.move(start - QPoint(40, 30));
        QCOMPARE(e.page.scrollX(), h0 + 40);
        QCOMPARE(e.page.scrollY(), v0 + 30);
        // The same screen point is now the pressed paint-box point again.
        e.move(start);
        QCOMPARE(e.page.scrollX(), h0 + 40);
        e.release(start + QPoint(10, 0));
        QCOMPARE(e.page.scrollX(), h0 + 30);
        QCOMPARE(e.page.MouseState, 0);
        // Pulling towards the top-left corner stops at 0.
        e.press(QPoint(e.page.scrollX() + 10, e.page.scrollY() + 10));
        e.move(QPoint(e.page.scrollX() + 20000, e.page.scrollY() + 20000));
        e.release(QPoint(e.page.scrollX() + 20000, e.page.scrollY() + 20000));
        QCOMPARE(e.page.scrollX(), 0);
        QCOMPARE(e.page.scrollY(), 0);
        QVERIFY(!e.doc.anyObjectInUse());
    }

    void busyRendererDrawsNothing() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        const QImage before = e.page.EditBitmap;
        e.doc.SelObj = 1;
        e.doc.Output.RenderBusy = true;
        e.page.PaintBox1Paint();
        QCOMPARE(e.page.EditBitmap, before);
        e.doc.Output.RenderBusy = false;
        e.page.PaintBox1Paint();
        QVERIFY(e.page.EditBitmap != before);
    }

    void cursorsFollowToolAndHandle_data() {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("shape");
        QTest::newRow("pointer outside")
            << int(EditorTool::Zeiger) << QPoint(300, 300) << 10 << int(Qt::ArrowCursor);
        QTest::newRow("pointer inside")
            << int(EditorTool::Zeiger) << QPoint(120, 120) << 9 << int(Qt::ClosedHandCursor);
        QTest::newRow("top-left") << int(EditorTool::Zeiger) << QPoint(100, 100) << 1
                                  << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right")
            << int(EditorTool::Zeiger) << QPoint(150, 100) << 2 << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom middle")
            << int(EditorTool::Zeiger) << QPoint(125, 150) << 6 << int(Qt::SizeVerCursor);
        QTest::newRow("left middle")
            << int(EditorTool::Zeiger) << QPoint(97, 128) << 7 << int(Qt::SizeHorCursor);
        QTest::newRow("magnifier")
            << int(EditorTool::Lupe) << QPoint(120, 120) << 11 << int(Qt::BitmapCursor);
        QTest::newRow("hand") << int(EditorTool::Hand) << QPoint(120, 120) << 9
                              << int(Qt::ClosedHandCursor);
        QTest::newRow("figure") << int(EditorTool::Figur) << QPoint(120, 120) << 12
                                << int(Qt::BitmapCursor);
        QTest::newRow("picture") << int(EditorTool::Bild) << QPoint(300, 300) << 12
                                 << int(Qt::BitmapCursor);
    }
    void cursorsFollowToolAndHandle() {
        QFETCH(int, tool);
        QFETCH(QPoint, at);
        QFETCH(int, number);
        QFETCH(int, shape);
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        e.doc.SelObj = 1;
        e.page.Toolbar->button(EditorTool(tool))->click();
        e.move(at + QPoint(1, 1)); // a move to where the mouse already is would be dropped
        e.move(at);
        QCOMPARE(e.page.CurrentCursor, number);
        QCOMPARE(int(e.page.PaintBox1->cursor().shape()), shape);
        if (number >= 11)
            QCOMPARE(e.page.PaintBox1->cursor().pixmap().size(), QSize(32, 32));
        QCOMPARE(e.page.Drag.DragMode, tool == int(EditorTool::Zeiger) && number < 10 ? number : 0);
    }

    void pressGivesTheKeyboardToTheFocusHolder() {
        EditorHarness e;
        e.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.page));
        e.page.Toolbar->SpeedItem3->setFocus();
        e.click(QPoint(300, 300), Qt::MiddleButton);
        QVERIFY(e.page.KeyEdit->hasFocus());
        QVERIFY(!e.page.KeyEdit->isVisibleTo(&e.page) ||
                e.page.KeyEdit->geometry().intersects(e.page.ScrollBox1->geometry()));
    }
};

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"
