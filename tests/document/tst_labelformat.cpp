#include "document/labeldocument.h"
#include "document/labelformat.h"

#include <QtEndian>
#include <QtTest>

#include <cstring>

class TestLabelFormat : public QObject {
    Q_OBJECT
private slots:
    void recordIsLittleEndianFieldByField() {
        TLabelFormat f;
        f.MarginLeft = 1.5;
        f.Across = 3;
        f.Down = -2;
        f.TypeName = QStringLiteral("Zweckform Ä");
        const QByteArray b = f.toBytes();
        QCOMPARE(b.size(), 112);
        // 1.5 = 0x3FF8000000000000
        QCOMPARE(QByteArray(b.constData(), 8), QByteArray::fromHex("000000000000f83f"));
        QCOMPARE(qFromLittleEndian<qint32>(b.constData() + 48), 3);
        QCOMPARE(qFromLittleEndian<qint32>(b.constData() + 52), -2);
        QCOMPARE(int(quint8(b.at(56))), 11);
        QCOMPARE(QByteArray(b.constData() + 57, 11), QByteArray("Zweckform \xC4"));
        QCOMPARE(b.mid(68), QByteArray(112 - 68, '\0'));
    }

    void startValuesRoundTrip() {
        const TLabelFormat start;
        const QByteArray b = start.toBytes();
        QCOMPARE(QByteArray(b.constData() + 32, 8).toHex(), QByteArray("9a99999999395640")); // 88.9
        TLabelFormat back;
        QVERIFY(TLabelFormat::fromBytes(b, back));
        QCOMPARE(back, start);
        QCOMPARE(back.TypeName, QStringLiteral("Kein Etikettentyp"));
    }

    void readingTakesRecordAsStored_data() {
        QTest::addColumn<int>("lengthByte");
        QTest::addColumn<int>("expectedLength");
        QTest::newRow("plain") << 5 << 5;
        QTest::newRow("full") << 50 << 50;
        QTest::newRow("length byte beyond 50 is cut") << 200 << 50;
    }
    void readingTakesRecordAsStored() {
        QFETCH(int, lengthByte);
        QFETCH(int, expectedLength);
        QByteArray b(112, 'x');
        b[56] = char(lengthByte);
        qToLittleEndian<qint32>(0, b.data() + 48);
        TLabelFormat f;
        QVERIFY(TLabelFormat::fromBytes(b, f));
        QCOMPARE(f.TypeName.size(), expectedLength);
        QCOMPARE(f.Across, 0); // taken as stored; users of the grid clamp
        QVERIFY(!TLabelFormat::fromBytes(b.left(111), f));
    }

    void typeNameKeepsFirstFiftyCharacters() {
        TLabelFormat f;
        f.TypeName = QString(60, QLatin1Char('a'));
        TLabelFormat back;
        QVERIFY(TLabelFormat::fromBytes(f.toBytes(), back));
        QCOMPARE(back.TypeName, QString(50, QLatin1Char('a')));
    }

    void infoLineUsesLocaleSeparator_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("de") << QStringLiteral("de_DE")
                            << QStringLiteral(
                                   "1 x 12 Etiketten á 88,90mm x 35,70mm pro Blatt "
                                   "[Abstände 90,00mm ; 38,00mm] [Ränder 10,00mm ; 1,00mm]");
        QTest::newRow("en") << QStringLiteral("en_US")
                            << QStringLiteral(
                                   "1 x 12 Etiketten á 88.90mm x 35.70mm pro Blatt "
                                   "[Abstände 90.00mm ; 38.00mm] [Ränder 10.00mm ; 1.00mm]");
    }
    void infoLineUsesLocaleSeparator() {
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(InfoLine(TLabelFormat(), QLocale(locale)), expected);
    }

    void infoLineShowsNoGroupSeparator() {
        TLabelFormat f;
        f.LabelWidth = 1234.567;
        QVERIFY(
            InfoLine(f, QLocale(QStringLiteral("de_DE"))).contains(QStringLiteral("á 1234,57mm")));
    }

    void workAreaTruncates_data() {
        QTest::addColumn<double>("mm");
        QTest::addColumn<int>("units");
        QTest::newRow("88.9") << 88.9 << 210000;
        QTest::newRow("35.7") << 35.7 << 84330;
        QTest::newRow("55") << 55.0 << 129921;
        QTest::newRow("90") << 90.0 << 212598;
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("absurd") << 1e12 << 2147483647;
    }
    void workAreaTruncates() {
        QFETCH(double, mm);
        QFETCH(int, units);
        TLabelFormat f;
        f.LabelWidth = mm;
        f.LabelHeight = mm;
        QCOMPARE(workWidthFor(f), units);
        QCOMPARE(workHeightFor(f), units);
    }

    void sheetPositions_data() {
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("sheet");
        QTest::newRow("first") << 3 << 8 << 0 << 0 << 0 << 0;
        QTest::newRow("second row") << 3 << 8 << 4 << 1 << 1 << 0;
        QTest::newRow("last of sheet") << 3 << 8 << 23 << 2 << 7 << 0;
        QTest::newRow("next sheet") << 3 << 8 << 25 << 1 << 0 << 1;
        QTest::newRow("across 0 clamps") << 0 << 2 << 3 << 0 << 1 << 1;
        QTest::newRow("down negative clamps") << 2 << -5 << 3 << 1 << 0 << 1;
    }
    void sheetPositions() {
        QFETCH(int, across);
        QFETCH(int, down);
        QFETCH(int, k);
        TLabelFormat f;
        f.Across = across;
        f.Down = down;
        const SheetPosition p = sheetPosition(f, k);
        QTEST(p.column, "column");
        QTEST(p.row, "row");
        QTEST(p.sheet, "sheet");
        QCOMPARE(p.leftMm, f.MarginLeft + p.column * f.PitchX);
        QCOMPARE(p.topMm, f.MarginTop + p.row * f.PitchY);
    }
};

QTEST_GUILESS_MAIN(TestLabelFormat)
#include "tst_labelformat.moc"
