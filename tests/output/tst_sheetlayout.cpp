#include "output/calibrationfile.h"
#include "output/sheetlayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(Calibration)

namespace {
TLabelFormat grid(int across, int down) {
    TLabelFormat f;
    f.Across = across;
    f.Down = down;
    return f;
}

QByteArray doubles(const QList<double>& values) {
    QByteArray bytes(values.size() * 8, '\0');
    for (int i = 0; i < values.size(); ++i)
        qToLittleEndian<double>(values[i], bytes.data() + 8 * i);
    return bytes;
}
} // namespace

class TestSheetLayout : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void clampRunSettings_data() {
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("usedAfter");
        QTest::addColumn<int>("pageAfter");
        QTest::addColumn<int>("pages");
        QTest::newRow("start values") << 1 << 12 << 0 << 10 << 1 << 0 << 1 << 1;
        QTest::newRow("used 11 spills over") << 1 << 12 << 11 << 10 << 2 << 11 << 2 << 2;
        QTest::newRow("used 50 kept below a sheet") << 1 << 12 << 50 << 10 << 5 << 11 << 2 << 2;
        QTest::newRow("page beyond the run") << 1 << 12 << 0 << 24 << 5 << 0 << 2 << 2;
        QTest::newRow("24 copies fill two sheets") << 1 << 12 << 0 << 24 << 2 << 0 << 2 << 2;
        QTest::newRow("one position per sheet") << 1 << 1 << 3 << 1000 << 1000 << 0 << 1000 << 1000;
        QTest::newRow("damaged format") << 0 << -3 << 5 << 2 << 1 << 0 << 1 << 2;
    }
    void clampRunSettings() {
        QFETCH(int, across);
        QFETCH(int, down);
        QFETCH(int, used);
        QFETCH(int, copies);
        QFETCH(int, page);
        RunSettings run;
        run.Used = used;
        run.Copies = copies;
        run.Page = page;
        ClampRunSettings(run, grid(across, down));
        QTEST(run.Used, "usedAfter");
        QTEST(run.Page, "pageAfter");
        QTEST(pagesFor(grid(across, down), run.Used, run.Copies), "pages");
    }

    // The default label at zoom 35: 122 x 49 pixels at x 13 and y 1, 53, 106 ...
    void previewPositions() {
        const TLabelFormat f;
        QCOMPARE(previewLabelSize(f, 35), QSize(122, 49));
        const QList<int> ys = {1, 53, 106, 158, 210, 263, 315, 367, 420, 472};
        for (int row = 0; row < ys.size(); ++row)
            QCOMPARE(previewCorner(f, 35, 0, row), QPoint(13, ys[row]));
    }

    void zoomSteps() {
        QList<int> reached = {StartPreviewZoom};
        for (int z = StartPreviewZoom; zoomedIn(z) != z; z = zoomedIn(z))
            reached.append(zoomedIn(z));
        for (int z = StartPreviewZoom; zoomedOut(z) != z; z = zoomedOut(z))
            reached.prepend(zoomedOut(z));
        QCOMPARE(reached, (QList<int>{15, 23, 35, 52, 78, 117, 175, 262}));
    }

    void previewPageNeverDividesByZero() {
        // A4 printable area of a 96 dpi printer at zoom 262: larger than the printer.
        QCOMPARE(previewPageSize(QSize(794, 1123), 96, 96, 262), QSize(2166, 3064));
        QCOMPARE(previewPageSize(QSize(4960, 7016), 600, 600, 35), QSize(289, 409));
        QCOMPARE(previewPageSize(QSize(100, 100), 0, 0, 35), QSize(3500, 3500));
    }

    void deviceRects_data() {
        QTest::addColumn<Calibration>("calibration");
        QTest::addColumn<int>("row");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("row 0") << Calibration{} << 0 << QRect(236, 23, 2100, 843);
        QTest::newRow("row 1") << Calibration{} << 1 << QRect(236, 921, 2100, 843);
        QTest::newRow("row 2") << Calibration{} << 2 << QRect(236, 1818, 2100, 843);
        // 7 mm x 100 / 101 from the edge; the width shrinks by the same factor.
        QTest::newRow("left 3 mm, width 101")
            << Calibration{3, 0, 101, 100} << 0 << QRect(163, 23, 2079, 843);
        QTest::newRow("height 99")
            << Calibration{0, 2.5, 100, 99} << 1 << QRect(236, 870, 2100, 851);
    }
    void deviceRects() {
        QFETCH(Calibration, calibration);
        QFETCH(int, row);
        QTEST(deviceLabelRect(TLabelFormat(), calibration, 600, 600, 0, row), "rect");
    }

    // The largest formats a label file may hold, at the largest resolution, on the
    // last position of the sheet: every rectangle keeps its sides in order.
    void formatsAtTheLimits_data() {
        QTest::addColumn<double>("margin");
        QTest::addColumn<Calibration>("calibration");
        QTest::newRow("margins 10000 mm, shrinking calibration")
            << 10000.0 << Calibration{0, 0, 95, 95};
        QTest::newRow("margins -10000 mm, stretching calibration")
            << -10000.0 << Calibration{6, 6, 105, 105};
    }
    void formatsAtTheLimits() {
        QFETCH(double, margin);
        QFETCH(Calibration, calibration);
        TLabelFormat f;
        f.MarginLeft = f.MarginTop = margin;
        f.PitchX = f.PitchY = f.LabelWidth = f.LabelHeight = 10000;
        f.Across = f.Down = 1000;
        const int last = f.Across - 1;
        const QRect r = deviceLabelRect(f, calibration, 2400, 2400, last, last);
        const long double mx = (long double)calibration.Breit * MmPerInch / 100;
        const long double x = ((margin - calibration.Links) + 10000.0L * last) / mx * 2400;
        QVERIFY(std::abs((long double)r.x() - x) < 2);
        QVERIFY(r.right() > r.left() && r.bottom() > r.top());
        QCOMPARE(r.width(), int(10000.0L / mx * 2400));
        const QPoint at = previewCorner(f, 262, last, last);
        const QRect shown(at, previewLabelSize(f, 262));
        QVERIFY(shown.right() > shown.left() && shown.bottom() > shown.top());
        QCOMPARE(pagesFor(f, RunSettings::MaxUsed, RunSettings::MaxCopies), 1);
    }

    void calibrationFile_data() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Calibration>("values");
        QTest::newRow("missing") << QByteArray() << Calibration{};
        QTest::newRow("measured") << doubles({3.0, 2.5, 101.0, 99.0})
                                  << Calibration{3.0, 2.5, 101.0, 99.0};
        QTest::newRow("beyond the ranges")
            << doubles({10.0, -1.0, 200.0, 50.0}) << Calibration{6.0, 0.0, 105.0, 95.0};
        QTest::newRow("short") << doubles({3.0, 2.5}).append("xyz")
                               << Calibration{3.0, 2.5, 100, 100};
        QTest::newRow("not numbers")
            << doubles({nan, 1.0, INFINITY, 98.0}) << Calibration{0.0, 1.0, 100.0, 98.0};
    }
    void calibrationFile() {
        QFETCH(QByteArray, bytes);
        const QString path = tmp.filePath(QStringLiteral("options.dat"));
        QFile::remove(path);
        if (!bytes.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QTEST(readCalibration(path), "values");
    }

    void calibrationWrittenAndDivisors() {
        const QString path = tmp.filePath(QStringLiteral("written.dat"));
        const Calibration c{3.0, 2.5, 101.0, 99.0};
        QVERIFY(writeCalibration(c, path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), doubles({3.0, 2.5, 101.0, 99.0}));
        QCOMPARE(readCalibration(path), c);
        QVERIFY(std::abs(c.mmPerInchX() - 25.6539495) < 1e-9);
        QVERIFY(std::abs(c.mmPerInchY() - 25.1459505) < 1e-9);
        QVERIFY(!writeCalibration(c, tmp.filePath(QStringLiteral("kein/ordner/options.dat"))));
    }
};

QTEST_GUILESS_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
