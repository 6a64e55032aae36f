#include "document/labeldocument.h"
#include "document/picturefit.h"
#include "document/snapgrid.h"
#include "document/tobs.h"

#include <QtTest>

// The arithmetic of placing: the grid that edges snap to, and pictures fitted into
// the label. The start label is 88.9 x 35.7 mm: 70000 x 28110 units from (70000, 28110).

namespace {
LabelDocument& startDocument() {
    static LabelDocument doc;
    return doc;
}
} // namespace

class TestSnapAndFit : public QObject {
    Q_OBJECT

private slots:
    void labelOfTheStartFormat() {
        const LabelUnits label = labelUnits(startDocument());
        QCOMPARE(label.left, 70000);
        QCOMPARE(label.top, 28110);
        QCOMPARE(label.width(), 70000);
        QCOMPARE(label.height(), 28110);
    }

    // Positions relative to the label's corner; grid point k is k steps in mm
    // converted as every length (d x 20000 / 25.39995, truncated).
    void snapping_data() {
        QTest::addColumn<int>("tenthsMm");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("snapped");
        QTest::newRow("no grid") << 0 << 5296 << 5296;
        QTest::newRow("1 mm, down to 0") << 10 << 393 << 0;
        QTest::newRow("1 mm, up to 1 mm") << 10 << 394 << 787;
        QTest::newRow("1 mm, 7 mm") << 10 << 5296 << 5511;
        QTest::newRow("2,5 mm, 25 mm")
            << 25 << 19000 << 19685; // 10 steps, 25.00 mm to two decimals
        QTest::newRow("5 mm, 5 mm") << 50 << 5296 << 3937;
        QTest::newRow("5 mm, 85 mm") << 50 << 68000 << 66929;
        QTest::newRow("5 mm, left of the label") << 50 << -2500 << -3937;
        QTest::newRow("5 mm, far outside") << 50 << 1500000000 << 1499999015;
    }
    void snapping() {
        QFETCH(int, tenthsMm);
        QFETCH(int, value);
        QFETCH(int, snapped);
        const LabelDocument& doc = startDocument();
        const SnapGrid grid(doc, tenthsMm);
        const LabelUnits label = labelUnits(doc);
        const int64_t x = label.left + int64_t(value);
        const int64_t y = label.top + int64_t(value);
        if (x <= INT32_MAX) {
            QCOMPARE(grid.snapX(int32_t(x)) - label.left, snapped);
            // A grid point stays where it is.
            QCOMPARE(grid.snapX(grid.snapX(int32_t(x))), grid.snapX(int32_t(x)));
        }
        if (y <= INT32_MAX)
            QCOMPARE(grid.snapY(int32_t(y)) - label.top, snapped);
    }

    // Only an axis on which the label holds at least one step has a grid; without
    // one nothing snaps and no dot is counted.
    void labelSmallerThanAStep_data() {
        QTest::addColumn<double>("widthMm");
        QTest::addColumn<double>("heightMm");
        QTest::addColumn<bool>("snapsX");
        QTest::addColumn<bool>("snapsY");
        QTest::addColumn<int>("dotsAcross");
        QTest::newRow("narrow") << 3.0 << 35.7 << false << true << 0;
        QTest::newRow("flat") << 88.9 << 4.9 << true << false << 18;
        QTest::newRow("no label") << 0.0 << 0.0 << false << false << 0;
        QTest::newRow("exactly one step") << 5.0 << 5.0 << true << true << 2;
    }
    void labelSmallerThanAStep() {
        QFETCH(double, widthMm);
        QFETCH(double, heightMm);
        QFETCH(bool, snapsX);
        QFETCH(bool, snapsY);
        QFETCH(int, dotsAcross);
        auto doc = std::make_unique<LabelDocument>();
        doc->Format.LabelWidth = widthMm;
        doc->Format.LabelHeight = heightMm;
        doc->computeWorkArea();
        const SnapGrid grid(*doc, 50);
        QCOMPARE(grid.snapsX(), snapsX);
        QCOMPARE(grid.snapsY(), snapsY);
        QCOMPARE(grid.countX(), dotsAcross);
        const LabelUnits label = labelUnits(*doc);
        const int32_t x = int32_t(label.left + 1234), y = int32_t(label.top + 1234);
        QCOMPARE(grid.snapX(x) == x, !snapsX);
        QCOMPARE(grid.snapY(y) == y, !snapsY);
    }

    // A picture larger than the label is scaled into it, aspect kept, and moved
    // inside; a smaller one keeps its size and place, even where it sticks out.
    void fitting_data() {
        QTest::addColumn<QRect>("created"); // put point relative to the label, size
        QTest::addColumn<QRect>("placed");
        QTest::addColumn<bool>("fitted");
        QTest::newRow("small") << QRect(1000, 1000, 20000, 10000) << QRect(1000, 1000, 20000, 10000)
                               << false;
        QTest::newRow("small, sticking out")
            << QRect(60000, 20000, 20000, 10000) << QRect(60000, 20000, 20000, 10000) << false;
        QTest::newRow("as large as the label")
            << QRect(0, 0, 70000, 28110) << QRect(0, 0, 70000, 28110) << false;
        QTest::newRow("too wide") << QRect(10000, 5000, 140000, 28110)
                                  << QRect(0, 5000, 70000, 14055) << true;
        QTest::newRow("too high") << QRect(30000, 10000, 20000, 56220)
                                  << QRect(30000, 0, 10000, 28110) << true;
        QTest::newRow("huge, put left of the label")
            << QRect(-5000, -9000, 700000, 700000) << QRect(0, 0, 28110, 28110) << true;
        QTest::newRow("no width") << QRect(69000, 0, 0, 90000) << QRect(69000, 0, 0, 28110) << true;
    }
    void fitting() {
        QFETCH(QRect, created);
        QFETCH(QRect, placed);
        QFETCH(bool, fitted);
        const LabelUnits label = labelUnits(startDocument());
        Tobs picture;
        picture.Kind = KindPicture;
        picture.X = int32_t(label.left) + created.x();
        picture.Y = int32_t(label.top) + created.y();
        picture.Width = created.width();
        picture.Height = created.height();
        QCOMPARE(fitPictureToLabel(picture, label), fitted);
        QCOMPARE(QRect(int(picture.X - label.left), int(picture.Y - label.top), picture.Width,
                       picture.Height),
                 placed);
    }

    // Dropped pictures side by side from the drop point, a new row where the next one
    // would pass the label's right edge, each fitted on its own.
    void rowsOfDroppedPictures_data() {
        QTest::addColumn<QPoint>("drop"); // relative to the label
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::addColumn<QList<QPoint>>("corners"); // relative to the label
        QTest::addColumn<QList<QSize>>("placedSizes");
        const QSize small(30000, 10000);
        QTest::newRow("three, the third wraps")
            << QPoint(5000, 2000) << QList<QSize>{small, small, small}
            << QList<QPoint>{{5000, 2000}, {35000, 2000}, {5000, 12000}}
            << QList<QSize>{small, small, small};
        QTest::newRow("a big one between small ones")
            << QPoint(5000, 2000) << QList<QSize>{small, QSize(140000, 28110), small}
            << QList<QPoint>{{5000, 2000}, {0, 12000}, {5000, 26055}}
            << QList<QSize>{small, QSize(70000, 14055), small};
        QTest::newRow("one a row")
            << QPoint(1000, 2000) << QList<QSize>{QSize(69000, 5000), QSize(69000, 8000)}
            << QList<QPoint>{{1000, 2000}, {1000, 7000}}
            << QList<QSize>{QSize(69000, 5000), QSize(69000, 8000)};
    }
    void rowsOfDroppedPictures() {
        QFETCH(QPoint, drop);
        QFETCH(QList<QSize>, sizes);
        QFETCH(QList<QPoint>, corners);
        QFETCH(QList<QSize>, placedSizes);
        const LabelUnits label = labelUnits(startDocument());
        PictureRows rows(int32_t(label.left) + drop.x(), int32_t(label.top) + drop.y(), label);
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            Tobs picture;
            picture.Width = sizes[i].width();
            picture.Height = sizes[i].height();
            rows.place(picture);
            QCOMPARE(QPoint(int(picture.X - label.left), int(picture.Y - label.top)), corners[i]);
            QCOMPARE(QSize(picture.Width, picture.Height), placedSizes[i]);
        }
    }
};

QTEST_GUILESS_MAIN(TestSnapAndFit)
#include "tst_snapandfit.moc"
