#include "codec/rasterio.h"
#include "document/progpath.h"
#include "render/picload.h"
#include "render/picturestore.h"

#include "../codec/testpictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum Turn { Right, Left, Half };

// Where old pixel (x, y) of a pw x ph picture goes.
QPoint target(Turn turn, int x, int y, int pw, int ph) {
    switch (turn) {
    case Right:
        return {ph - 1 - y, x};
    case Left:
        return {y, pw - 1 - x};
    default:
        return {pw - 1 - x, ph - 1 - y};
    }
}

void turn(Turn t, TDibRecord& rec, const ProgressFn& progress = {}) {
    switch (t) {
    case Right:
        RotRight(rec, progress);
        break;
    case Left:
        RotLeft(rec, progress);
        break;
    default:
        Rot180(rec, progress);
        break;
    }
}

TDibRecord picture(int bits, int w, int h) {
    return bits == 24 ? testpic::trueColour(w, h, true) : testpic::palette(bits, w, h);
}

} // namespace

class TestPicLoad : public QObject {
    Q_OBJECT
private slots:
    // The 3 x 2 cases: right puts the old top-left pixel at the top right, left puts
    // the old top-right pixel at the top left, a half turn swaps top left and bottom right.
    void smallTurns() {
        TDibRecord rec;
        newdib(rec, 3, 2, 24, nullptr, 0);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                setpixel(rec, x, y, 10 * y + x + 1);
        TDibRecord right = rec;
        RotRight(right);
        QCOMPARE(right.width(), 2);
        QCOMPARE(right.height(), 3);
        QCOMPARE(getpixel(right, 1, 0), 1);
        TDibRecord left = rec;
        RotLeft(left);
        QCOMPARE(left.width(), 2);
        QCOMPARE(left.height(), 3);
        QCOMPARE(getpixel(left, 0, 0), 3);
        TDibRecord half = rec;
        Rot180(half);
        QCOMPARE(half.width(), 3);
        QCOMPARE(half.height(), 2);
        QCOMPARE(getpixel(half, 0, 0), 13);
        QCOMPARE(getpixel(half, 2, 1), 1);
        // The record that was copied before keeps the unturned picture.
        QCOMPARE(rec.width(), 3);
        QCOMPARE(getpixel(rec, 0, 0), 1);
    }

    // Every pixel of pictures larger than the working tiles, of every depth.
    void everyPixel_data() {
        QTest::addColumn<int>("turn");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QSize>("size");
        for (int t : {Right, Left, Half})
            for (int bits : {1, 4, 8, 24})
                for (QSize s : {QSize(70, 45), QSize(1, 33), QSize(33, 1)})
                    QTest::addRow("%s %d bit %dx%d",
                                  t == Right  ? "right"
                                  : t == Left ? "left"
                                              : "half",
                                  bits, s.width(), s.height())
                        << t << bits << s;
    }
    void everyPixel() {
        QFETCH(int, turn);
        QFETCH(int, bits);
        QFETCH(QSize, size);
        const TDibRecord old = picture(bits, size.width(), size.height());
        TDibRecord rec = old;
        ::turn(Turn(turn), rec);
        QCOMPARE(rec.BitsPerPixel, bits);
        QCOMPARE(rec.Image.colorTable(), old.Image.colorTable());
        QCOMPARE(rec.Image.size(), turn == Half ? old.Image.size() : old.Image.size().transposed());
        for (int y = 0; y < old.height(); ++y) {
            for (int x = 0; x < old.width(); ++x) {
                const QPoint p = target(Turn(turn), x, y, old.width(), old.height());
                if (getpixel(rec, p.x(), p.y()) != getpixel(old, x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    void turnsUndoEachOther() {
        for (int bits : {1, 4, 8, 24}) {
            const TDibRecord old = picture(bits, 67, 41);
            TDibRecord rec = old;
            RotRight(rec);
            RotLeft(rec);
            QCOMPARE(rec.Image, old.Image);
            for (int i = 0; i < 4; ++i)
                RotRight(rec);
            QCOMPARE(rec.Image, old.Image);
            Rot180(rec);
            Rot180(rec);
            QCOMPARE(rec.Image, old.Image);
            RotLeft(rec);
            RotLeft(rec);
            Rot180(rec);
            QCOMPARE(rec.Image, old.Image);
        }
    }

    // Progress: 0, then once per source row y * 100 div (height - 1), then 0.
    void progress_data() {
        QTest::addColumn<int>("turn");
        QTest::addColumn<int>("height");
        for (int t : {Right, Left, Half}) {
            QTest::addRow("%d, 5 rows", t) << t << 5;
            QTest::addRow("%d, 101 rows", t) << t << 101;
            QTest::addRow("%d, 1 row", t) << t << 1;
        }
    }
    void progress() {
        QFETCH(int, turn);
        QFETCH(int, height);
        TDibRecord rec = picture(24, 7, height);
        QList<int> seen;
        ::turn(Turn(turn), rec, [&seen](int p) { seen << p; });
        QList<int> expected{0};
        for (int y = 0; y < height; ++y)
            expected << (height > 1 ? y * 100 / (height - 1) : 100);
        expected << 0;
        QCOMPARE(seen, expected);
    }

    void noPictureStaysWithout() {
        TDibRecord rec;
        QList<int> seen;
        RotRight(rec, [&seen](int p) { seen << p; });
        QVERIFY(!rec.hasPicture());
        QCOMPARE(seen, (QList<int>{0, 0}));
    }

    void storedRotation_data() {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("turn"); // -1: unchanged
        QTest::newRow("0") << 0 << -1;
        QTest::newRow("1 right") << 1 << int(Right);
        QTest::newRow("2 half") << 2 << int(Half);
        QTest::newRow("3 left") << 3 << int(Left);
        QTest::newRow("4") << 4 << -1;
        QTest::newRow("-1") << -1 << -1;
    }
    void storedRotation() {
        QFETCH(int, rotation);
        QFETCH(int, turn);
        const TDibRecord old = picture(8, 5, 3);
        TDibRecord rec = old;
        applyRotation(rec, rotation);
        TDibRecord expected = old;
        if (turn >= 0)
            ::turn(Turn(turn), expected);
        QCOMPARE(rec.Image, expected.Image);
    }

    // Bare names are looked for in the program folder, other names where they say.
    void fileNames() {
        QTemporaryDir prog;
        QTemporaryDir other;
        initProgPath(prog.path());
        const TDibRecord pic = picture(24, 12, 9);
        QCOMPARE(SaveDib(pic, prog.filePath(QStringLiteral("logo.bmp")), 3), 1);
        QCOMPARE(SaveDib(picture(8, 5, 4), other.filePath(QStringLiteral("logo.bmp")), 3), 1);
        QCOMPARE(resolvePictureName(QStringLiteral("logo.bmp")),
                 prog.filePath(QStringLiteral("logo.bmp")));
        QCOMPARE(resolvePictureName(QStringLiteral("C:\\Bilder\\logo.bmp")),
                 QStringLiteral("C:\\Bilder\\logo.bmp"));
        TDibRecord rec;
        QVERIFY(LoadDIBit(rec, QStringLiteral("logo.bmp")));
        QCOMPARE(rec.Image, pic.Image);
        QVERIFY(LoadDIBit(rec, other.filePath(QStringLiteral("logo.bmp"))));
        QCOMPARE(rec.width(), 5);
        QCOMPARE(rec.BitsPerPixel, 8);
        initProgPath(QString());
    }

    // A file that cannot be read leaves the blank: a white 320 x 200 true-colour picture,
    // known as the stand-in also after a turn.
    void unreadableFiles_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("Hallo, kein Bild.\n");
        QTest::newRow("cut-off BMP")
            << QByteArray("BM\x36\x10\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18);
    }
    void unreadableFiles() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("bild.bmp"));
        if (!content.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        TDibRecord rec = picture(8, 5, 4);
        const TDibRecord copy = rec;
        QVERIFY(!LoadDIBit(rec, file));
        QVERIFY(rec.hasPicture());
        QCOMPARE(rec.width(), 320);
        QCOMPARE(rec.height(), 200);
        QCOMPARE(rec.BitsPerPixel, 24);
        QImage white(320, 200, QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(rec.Image.convertToFormat(QImage::Format_RGB32), white);
        QVERIFY(isStandIn(rec));
        RotRight(rec);
        QCOMPARE(rec.Image.size(), QSize(200, 320));
        QVERIFY(isStandIn(rec));
        QVERIFY(!isStandIn(copy));
        // A copy made before keeps its own picture.
        QCOMPARE(copy.width(), 5);

        QImage preview;
        QVERIFY(!LoadBit(preview, file));
        QCOMPARE(preview.size(), QSize(100, 100));
    }

    void preview() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("bild.tif"));
        const TDibRecord pic = picture(24, 30, 20);
        QCOMPARE(SaveDib(pic, file, 13), 1);
        QImage preview;
        QVERIFY(LoadBit(preview, file));
        QCOMPARE(preview, testpic::shown(pic));
    }
};

QTEST_GUILESS_MAIN(TestPicLoad)
#include "tst_picload.moc"
