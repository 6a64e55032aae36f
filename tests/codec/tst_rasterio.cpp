#include "codec/rasterio.h"
#include "testpictures.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

namespace {
TDibRecord kindPicture(const QString& kind) {
    if (kind == QLatin1String("1bit"))
        return testpic::palette(1, 37, 23);
    if (kind == QLatin1String("4bit"))
        return testpic::palette(4, 37, 23);
    if (kind == QLatin1String("8bit"))
        return testpic::palette(8, 41, 29);
    if (kind == QLatin1String("few"))
        return testpic::trueColour(53, 31, false);
    return testpic::trueColour(64, 48, true);
}
} // namespace

class TestRasterIo : public QObject {
    Q_OBJECT
private slots:
    void probe_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("kind");
        for (int code = 3; code <= 13; ++code)
            for (const char* kind : {"1bit", "4bit", "8bit", "few", "many"})
                QTest::addRow("%d %s", code, kind) << code << QString::fromLatin1(kind);
    }
    void probe() {
        QFETCH(int, code);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const TDibRecord pic = kindPicture(kind);
        const QString file = dir.filePath(QStringLiteral("p.") + saveFormatExtension(code));
        SetJPEGQual(95);
        QCOMPARE(SaveDib(pic, file, code), 1);
        TDibRecord back;
        QVERIFY(OpenDib(back, file));
        qInfo() << code << kind << "bits" << pic.BitsPerPixel << "->" << back.BitsPerPixel << "same"
                << testpic::sameColours(pic, back) << "diff" << testpic::meanDifference(pic, back)
                << "size" << QFileInfo(file).size();
    }
};

QTEST_GUILESS_MAIN(TestRasterIo)
#include "tst_rasterio.moc"
