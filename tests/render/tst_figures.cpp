#include "renderfixture.h"

#include "render/figurepaths.h"
#include "render/labelgeometry.h"
#include "render/penring.h"

#include <QPainterPath>

#include <QtTest>

using namespace renderfixture;

class TestFigures : public QObject {
    Q_OBJECT
private slots:
    // Every shape in the box (10, 20) 40 x 30 with a one-pixel pen: the box's pixels
    // without the right column and bottom row; lines without their last point.
    void shapeBoxes_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("circle uses the smaller side") << 0 << QRect(10, 20, 30, 30);
        QTest::newRow("ellipse") << 1 << QRect(10, 20, 40, 30);
        QTest::newRow("square") << 2 << QRect(10, 20, 30, 30);
        QTest::newRow("rectangle") << 3 << QRect(10, 20, 40, 30);
        QTest::newRow("rounded square") << 4 << QRect(10, 20, 30, 30);
        QTest::newRow("rounded rectangle") << 5 << QRect(10, 20, 40, 30);
        QTest::newRow("horizontal line") << 6 << QRect(10, 20, 40, 1);
        QTest::newRow("vertical line") << 7 << QRect(10, 20, 1, 30);
        QTest::newRow("rising diagonal") << 8 << QRect(10, 21, 40, 30);
        QTest::newRow("falling diagonal") << 9 << QRect(10, 20, 40, 30);
    }
    void shapeBoxes() {
        QFETCH(int, shape);
        QFETCH(QRect, expected);
        for (int fillMode : {0, 1, 2}) {
            auto doc = pixelDocument();
            figure(*doc, 1, shape, 10, 20, 40, 30, Red, fillMode).OutlineColor = Blue;
            const QImage img = renderEditor(*doc);
            QCOMPARE(inkBounds(img), expected);
        }
    }

    // Outline only: a ring one pixel wide in OutlineColor, nothing inside; filled in
    // one colour; outline and fill in their two colours.
    void fillModes() {
        auto doc = pixelDocument();
        figure(*doc, 1, 3, 10, 20, 40, 30, Red, 1).OutlineColor = Blue;
        QImage img = renderEditor(*doc);
        QCOMPARE(countColour(img, BlueRgb), 2 * (40 + 30) - 4);
        QCOMPARE(countColour(img, RedRgb), 0);
        QCOMPARE(img.pixel(30, 35), White);

        doc->Objs[1].FillMode() = 0;
        img = renderEditor(*doc);
        QCOMPARE(countColour(img, RedRgb), 40 * 30);

        doc->Objs[1].FillMode() = 2;
        img = renderEditor(*doc);
        QCOMPARE(countColour(img, BlueRgb), 2 * (40 + 30) - 4);
        QCOMPARE(countColour(img, RedRgb), 38 * 28);

        // Ellipse: the outline ring keeps the inside apart from the outside.
        doc->Objs[1].Shape = 1;
        img = renderEditor(*doc);
        QCOMPARE(colourBounds(img, BlueRgb), QRect(10, 20, 40, 30));
        QCOMPARE(colourBounds(img, RedRgb), QRect(11, 21, 38, 28));
    }

    // Lines take Color for pen and brush, whatever FillMode says.
    void linesUseColor() {
        auto doc = pixelDocument();
        figure(*doc, 1, 6, 10, 20, 40, 30, Red, 1).OutlineColor = Blue;
        const QImage img = renderEditor(*doc);
        QCOMPARE(countColour(img, RedRgb), 40);
    }

    // An unknown fill mode draws with the pen and brush the previous figure left.
    void unknownFillModeKeepsColours() {
        auto doc = pixelDocument();
        figure(*doc, 1, 3, 10, 10, 20, 20, Green, 2).OutlineColor = Blue;
        figure(*doc, 2, 3, 100, 10, 20, 20, Red, 7).OutlineColor = Red;
        const QImage img = renderEditor(*doc);
        QCOMPARE(countColour(img, BlueRgb, QRect(100, 10, 20, 20)), 2 * (20 + 20) - 4);
        QCOMPARE(countColour(img, GreenRgb, QRect(100, 10, 20, 20)), 18 * 18);
        QCOMPARE(countColour(img, RedRgb), 0);

        // As the first figure: white pen, and the canvas's white brush.
        auto doc2 = pixelDocument();
        figure(*doc2, 1, 3, 10, 10, 20, 20, Red, -1);
        QImage canvas = whiteCanvas(100, 100);
        canvas.fill(qRgb(0, 0, 0));
        const QImage img2 = render(*doc2, canvas, 300, 300, 0, 0, 1.0, true);
        QCOMPARE(countColour(img2, White), 20 * 20);
    }

    // The rounded square of a 90 x 30 box is 30 x 30 with corners 30 wide and 10
    // high: the top edge has no straight part, the left edge a long one.
    void roundedSquareCorners() {
        auto doc = pixelDocument();
        figure(*doc, 1, 4, 10, 20, 90, 30, Red, 1).OutlineColor = Blue;
        const QImage img = renderEditor(*doc);
        QCOMPARE(inkBounds(img), QRect(10, 20, 30, 30));
        const int top = countColour(img, BlueRgb, QRect(10, 20, 30, 1));
        const int left = countColour(img, BlueRgb, QRect(10, 20, 1, 30));
        QVERIFY2(top < 16, qPrintable(QString::number(top)));
        QVERIFY2(left >= 18 && left <= 24, qPrintable(QString::number(left)));
        // Round corners of 10 x 10 would give a top edge as long as the left one.
        figure(*doc, 1, 5, 10, 20, 30, 30, Red, 1).OutlineColor = Blue;
        const QImage square = renderEditor(*doc);
        QVERIFY(countColour(square, BlueRgb, QRect(10, 20, 30, 1)) >= 18);
    }

    void lineWidths_data() {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<double>("mmPerInch");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("pixels");
        QTest::newRow("0 gives one pixel") << 0 << MmPerInch << 1.0 << 1;
        QTest::newRow("negative gives one pixel") << -5 << MmPerInch << 1.0 << 1;
        QTest::newRow("1 mm on screen") << 5 << MmPerInch << 1.0 / 208 << 3;
        QTest::newRow("0.2 mm at 600 dpi") << 1 << MmPerInch << 600.0 / 20000 << 4;
        QTest::newRow("calibrated divisor") << 1 << 12.7 << 600.0 / 20000 << 9;
        QTest::newRow("zero divisor") << 1 << 0.0 << 0.03 << 1;
    }
    void lineWidths() {
        QFETCH(int, lineWidth);
        QFETCH(double, mmPerInch);
        QFETCH(double, scale);
        QFETCH(int, pixels);
        if (mmPerInch == 0.0)
            QVERIFY(figureLineWidth(lineWidth, mmPerInch, scale) >= 1);
        else
            QCOMPARE(figureLineWidth(lineWidth, mmPerInch, scale), pixels);
    }

    // A wider pen lies across the line's path, with round ends.
    void widePen() {
        auto doc = pixelDocument();
        doc->Output.OutputScale = 1.0 / 208; // 208 units per pixel
        Tobs& o = figure(*doc, 1, 6, 10 * 208, 20 * 208, 40 * 208, 0, Red);
        o.LineWidth() = 5; // 1 mm: 3 pixels at 96 dpi
        const QImage img = render(*doc, whiteCanvas(100, 100), 300, 300, 0, 0, 1.0 / 208, true);
        const QRect ink = inkBounds(img);
        QCOMPARE(ink.height(), 3);
        QVERIFY(ink.contains(QPoint(30, 20)));
        QVERIFY(ink.left() <= 10 && ink.right() >= 49);
    }

    // Degenerate boxes draw nothing or a sliver, and never fail.
    void degenerateBoxes_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("rectangle of no width") << 3 << 0 << 30 << QRect();
        QTest::newRow("ellipse of no height") << 1 << 40 << 0 << QRect();
        QTest::newRow("negative square") << 2 << -40 << -30 << QRect();
        QTest::newRow("rectangle one pixel wide") << 3 << 1 << 30 << QRect(10, 20, 1, 30);
        QTest::newRow("rounded rectangle 1 x 1") << 5 << 1 << 1 << QRect(10, 20, 1, 1);
        QTest::newRow("line of no length") << 6 << 0 << 30 << QRect();
        QTest::newRow("line leftwards") << 6 << -5 << 0 << QRect(6, 20, 5, 1);
    }
    void degenerateBoxes() {
        QFETCH(int, shape);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QRect, expected);
        auto doc = pixelDocument();
        figure(*doc, 1, shape, 10, 20, w, h, Red, 1).OutlineColor = Blue;
        QCOMPARE(inkBounds(renderEditor(*doc)), expected);
    }

    // Figures far outside the canvas, or reaching across it from far away.
    void farAway() {
        auto doc = pixelDocument();
        figure(*doc, 1, 9, -2000000000, -2000000000, 2147483647, 2147483647, Green);
        // Ends at x = 0, so its right column is x = -1.
        figure(*doc, 2, 3, -2000000000, 50, 2000000000, 10, Red, 1).OutlineColor = Red;
        figure(*doc, 3, 3, -2000000000, 100, 2100000000, 10, Red, 1).OutlineColor = Blue;
        figure(*doc, 4, 1, 2000000000, 10, 2000000000, 40, Red);
        const QImage img = renderEditor(*doc, 200, 200);
        QCOMPARE(countColour(img, RedRgb), 0);
        // Of the rectangle reaching across only its top and bottom edge show.
        QCOMPARE(countColour(img, BlueRgb, QRect(0, 100, 200, 10)), 2 * 200);
        // The diagonal from far up-left runs through the canvas at 45 degrees.
        QCOMPARE(countColour(img, GreenRgb, QRect(0, 0, 100, 100)), 100);
    }

    // A rectangle's wide-pen outline as rectangles covers exactly the pixels of its
    // path, at every pen width, size and position; boxes too small get no rectangles.
    void wideOutlineRects_data() {
        QTest::addColumn<int>("pen");
        QTest::addColumn<QRect>("box");
        for (int pen : {3, 4, 5, 8, 9, 10, 13, 24, 47}) {
            const int least = 2 * pen + 4;
            QTest::addRow("pen %d, smallest box", pen) << pen << QRect(7, 5, least, least);
            QTest::addRow("pen %d, one wider", pen) << pen << QRect(60, 61, least + 1, least);
            QTest::addRow("pen %d, far, flat", pen) << pen << QRect(1493, 1011, 300, least + 3);
            QTest::addRow("pen %d, too small", pen) << pen << QRect(9, 9, least - 1, 200);
        }
        // Corners of one pixel's radius take pixels by where the box lies: a path.
        QTest::newRow("pen 2") << 2 << QRect(60, 61, 50, 50);
    }
    void wideOutlineRects() {
        QFETCH(int, pen);
        QFETCH(QRect, box);
        // Drawn where they lie, without moving the painter.
        const QRect area = box.adjusted(-pen - 2, -pen - 2, pen + 2, pen + 2);
        QImage path(area.right() + 1, area.bottom() + 1, QImage::Format_RGB32);
        path.fill(Qt::white);
        QImage rects = path;
        QPainter p(&path);
        p.fillPath(penRingPath(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), pen), Qt::black);
        p.end();
        const std::vector<QRect> parts = penRingRects(box.width(), box.height(), pen);
        if (pen < 3 || box.width() < 2 * pen + 4) {
            QVERIFY(parts.empty());
            return;
        }
        QVERIFY(!parts.empty());
        QVERIFY(parts.size() <= 4 * size_t(pen) + 2);
        QPainter q(&rects);
        for (const QRect& r : parts)
            q.fillRect(r.translated(box.topLeft()), Qt::black);
        q.end();
        QCOMPARE(rects, path);
    }

    // Small closed figures on a bitmap are stamped from pixels drawn once, so a figure
    // has the same pixels wherever it lies, whatever its pen. With pens of one and three
    // pixels these are the pixels of its paths drawn in place. With even pens the
    // paths' edges run through pixel centres, and wider pens give curves whose edge
    // pixels in place depend on where the figure lies.
    void smallFiguresAlikeEverywhere_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("pen");
        for (int shape = 0; shape <= 5; ++shape) {
            for (int pen : {1, 2, 3, 4, 7})
                QTest::addRow("shape %d, pen %d", shape, pen) << shape << pen;
        }
    }
    void smallFiguresAlikeEverywhere() {
        QFETCH(int, shape);
        QFETCH(int, pen);
        const QList<QSize> sizes = {{2, 1},  {1, 3},   {2, 2},   {3, 3},   {5, 4},   {6, 9},
                                    {12, 7}, {17, 17}, {31, 22}, {64, 40}, {96, 96}, {95, 80}};
        const bool square = shape % 2 == 0;
        // Document units are pixels; a drawing scale of 1/208 gives pens of about 0.76
        // pixel per line width step.
        const double scale = 1.0 / 208;
        for (int fillMode : {0, 1, 2}) {
            auto doc = pixelDocument();
            QImage inPlace = whiteCanvas(2400, 900);
            QPainter p(&inPlace);
            QList<QRect> cells;
            for (int slot = 0; slot < 21 * 8; ++slot) {
                const int col = slot % 21, row = slot / 21;
                const QSize s = sizes[slot % sizes.size()];
                const int x = 7 + col * 113 + (col * 3) % 5, y = 7 + row * 110 + row % 3;
                Tobs& o = figure(*doc, slot + 1, shape, x, y, s.width(), s.height(), Red, fillMode);
                o.OutlineColor = Blue;
                while (figureLineWidth(o.LineWidth(), doc->Output.MmPerInchX, scale) < pen)
                    ++o.LineWidth();
                QCOMPARE(figureLineWidth(o.LineWidth(), doc->Output.MmPerInchX, scale), pen);
                const QSize box = square ? QSize(1, 1) * std::min(s.width(), s.height()) : s;
                cells.append(QRect(QPoint(x, y), box).adjusted(-pen, -pen, pen, pen));
                const ClosedShapePaths shapes = closedShapePaths(
                    shape,
                    {double(x), double(y), double(x + box.width()), double(y + box.height())},
                    s.width() / 3, s.height() / 3, pen);
                if (fillMode != 1)
                    p.fillPath(shapes.inside, QColor(RedRgb));
                p.fillPath(shapes.outline, QColor(fillMode == 0 ? RedRgb : BlueRgb));
            }
            p.end();
            const QImage drawn = render(*doc, whiteCanvas(2400, 900), 2400, 900, 0, 0, scale, true);
            for (int i = sizes.size(); i < cells.size(); ++i) {
                const QRect first = cells[i % sizes.size()];
                QCOMPARE(drawn.copy(cells[i]), drawn.copy(first));
            }
            if (pen == 1 || pen == 3)
                QCOMPARE(drawn, inPlace);
        }
    }

    // On a canvas of twice the pixels per point the figure is not stamped but drawn
    // from its paths, at the canvas's own resolution.
    void scaledCanvasDrawsPaths() {
        auto doc = pixelDocument();
        figure(*doc, 1, 1, 10, 20, 31, 22, Red, 2).OutlineColor = Blue;
        QImage drawn = whiteCanvas(200, 200);
        drawn.setDevicePixelRatio(2);
        drawn = render(*doc, drawn, 100, 100, 0, 0, 1.0, true);
        QImage paths = whiteCanvas(200, 200);
        paths.setDevicePixelRatio(2);
        QPainter p(&paths);
        const ClosedShapePaths shapes = closedShapePaths(1, {10, 20, 41, 42}, 10, 7, 1);
        p.fillPath(shapes.inside, QColor(RedRgb));
        p.fillPath(shapes.outline, QColor(BlueRgb));
        p.end();
        QCOMPARE(drawn, paths);
        QCOMPARE(colourBounds(drawn, BlueRgb), QRect(20, 40, 62, 44));
    }
};

QTEST_MAIN(TestFigures)
#include "tst_figures.moc"
