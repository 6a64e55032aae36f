#include "document/progpath.h"
#include "document/settingsstore.h"
#include "document/win1252.h"

#include <QTemporaryDir>
#include <QtTest>

class TestTextAndPaths : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = fromWin1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(toWin1252(text), all);
    }

    void knownCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("umlauts") << QStringLiteral("Größe äÖü ß á")
                                 << QByteArray("Gr\xF6\xDF"
                                               "e \xE4\xD6\xFC \xDF \xE1");
        QTest::newRow("euro and quotes")
            << QStringLiteral("€ „x“ – …") << QByteArray("\x80 \x84x\x93 \x96 \x85");
        QTest::newRow("outside the table") << QStringLiteral("a→b ☺ 中") << QByteArray("a?b ? ?");
        QTest::newRow("surrogate pair is one character")
            << QString::fromUtf8("x\xF0\x9F\x98\x80y") << QByteArray("x?y");
        QTest::newRow("carriage return") << QStringLiteral("a\rb") << QByteArray("a\rb");
    }
    void knownCharacters() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toWin1252(text), bytes);
    }

    void subProgPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare name")
            << QStringLiteral("/opt/awb/logo.jpg") << QStringLiteral("logo.jpg");
        QTest::newRow("letter case ignored")
            << QStringLiteral("/OPT/Awb/Logo.JPG") << QStringLiteral("Logo.JPG");
        QTest::newRow("subfolder unchanged") << QStringLiteral("/opt/awb/bilder/logo.jpg")
                                             << QStringLiteral("/opt/awb/bilder/logo.jpg");
        QTest::newRow("elsewhere unchanged")
            << QStringLiteral("/home/u/logo.jpg") << QStringLiteral("/home/u/logo.jpg");
        QTest::newRow("the folder itself")
            << QStringLiteral("/opt/awb/") << QStringLiteral("/opt/awb/");
        QTest::newRow("similar prefix")
            << QStringLiteral("/opt/awbx/logo.jpg") << QStringLiteral("/opt/awbx/logo.jpg");
    }
    void subProgPath() {
        QFETCH(QString, path);
        QTEST(SubProgPath(path, QStringLiteral("/opt/awb/")), "expected");
    }

    void fileNamePartSplitsBothSeparators_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("windows") << QStringLiteral("C:\\Bilder\\logo.jpg")
                                 << QStringLiteral("logo.jpg");
        QTest::newRow("unix") << QStringLiteral("/home/u/logo.jpg") << QStringLiteral("logo.jpg");
        QTest::newRow("mixed") << QStringLiteral("D:\\a/b\\c.bmp") << QStringLiteral("c.bmp");
        QTest::newRow("bare") << QStringLiteral("c.bmp") << QStringLiteral("c.bmp");
    }
    void fileNamePartSplitsBothSeparators() {
        QFETCH(QString, stored);
        QTEST(fileNamePart(stored), "expected");
    }

    void forcedProgPathEndsWithSlash() {
        initProgPath(QStringLiteral("/tmp/awb-test"));
        QCOMPARE(ProgPath(), QStringLiteral("/tmp/awb-test/"));
        QCOMPARE(SubProgPath(QStringLiteral("/tmp/awb-test/x.png")), QStringLiteral("x.png"));
    }

    void settingsFallBackOnGarbage() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("s.ini"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x01\x02[[[garbage\nZaehler/LaufendeNummer=zwölf\n\xff\xfe");
        f.close();
        SettingsStore::setOverridePath(ini);
        auto s = SettingsStore::open();
        QCOMPARE(SettingsStore::readInt(*s, QStringLiteral("Zaehler/LaufendeNummer"), 1, -100, 100),
                 1);
        s->setValue(QStringLiteral("x"), 500);
        QCOMPARE(SettingsStore::readInt(*s, QStringLiteral("x"), 7, -100, 100), 7);
        s->setValue(QStringLiteral("x"), -42);
        QCOMPARE(SettingsStore::readInt(*s, QStringLiteral("x"), 7, -100, 100), -42);
        SettingsStore::setOverridePath(QString());
    }
};

QTEST_GUILESS_MAIN(TestTextAndPaths)
#include "tst_textandpaths.moc"
