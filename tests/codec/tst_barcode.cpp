#include "codec/barcode.h"

#include <QtTest>

#include <cmath>

class TestBarcode : public QObject {
    Q_OBJECT
private slots:
    void checkDigits_data();
    void checkDigits();
    void invalidData_data();
    void invalidData();
    void modulesAreWholeUnits_data();
    void modulesAreWholeUnits();
    void barHeightFollowsRequest();
    void humanReadableText();
    void twoDEncodesUtf8();
};

void TestBarcode::checkDigits_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("encoded");
    auto row = [](const char* name, CodeSymbology s, const char* data, const char* encoded) {
        QTest::newRow(name) << int(s) << QString::fromLatin1(data) << QString::fromLatin1(encoded);
    };
    row("ean13 computed", CodeSymbology::Ean13, "400638133393", "4006381333931");
    row("ean13 given", CodeSymbology::Ean13, "4006381333931", "4006381333931");
    row("ean13 add-on 2", CodeSymbology::Ean13, "400638133393+12", "4006381333931+12");
    row("ean13 add-on 5", CodeSymbology::Ean13, "4006381333931+52495", "4006381333931+52495");
    row("ean8 computed", CodeSymbology::Ean8, "9638507", "96385074");
    row("ean8 given", CodeSymbology::Ean8, "96385074", "96385074");
    row("upca computed", CodeSymbology::UpcA, "03600029145", "036000291452");
    row("upca given", CodeSymbology::UpcA, "036000291452", "036000291452");
    row("upce six", CodeSymbology::UpcE, "123456", "01234565");
    row("upce seven", CodeSymbology::UpcE, "0123456", "01234565");
    row("upce given", CodeSymbology::UpcE, "01234565", "01234565");
    row("upce add-on", CodeSymbology::UpcE, "0123456+12", "01234565+12");
    row("itf14 computed", CodeSymbology::Itf14, "1540014128876", "15400141288763");
    row("itf14 given", CodeSymbology::Itf14, "15400141288763", "15400141288763");
    row("code39 no check", CodeSymbology::Code39, "ABC-123", "ABC-123");
    row("i2of5 no check", CodeSymbology::Interleaved2of5, "123456", "123456");
}

void TestBarcode::checkDigits() {
    QFETCH(int, symbology);
    QFETCH(QString, data);
    QFETCH(QString, encoded);
    const CodeSymbol s = encodeCode({symbology, data, true});
    QVERIFY2(s.ok, qPrintable(s.reason));
    QCOMPARE(s.encoded, encoded);
    QVERIFY(!s.bars.empty());
}

void TestBarcode::invalidData_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("reason");
    auto row = [](const char* name, int s, const QString& data, const char* reason) {
        QTest::newRow(name) << s << data << QString::fromUtf8(reason);
    };
    row("ean13 wrong check", int(CodeSymbology::Ean13), QStringLiteral("4006381333932"),
        "Die Prüfziffer ist falsch (richtig wäre 1).");
    row("ean13 letters", int(CodeSymbology::Ean13), QStringLiteral("40063813339A"),
        "EAN-13 darf nur Ziffern enthalten.");
    row("ean13 short", int(CodeSymbology::Ean13), QStringLiteral("12345"),
        "EAN-13 braucht 12 Ziffern, mit Prüfziffer 13.");
    row("ean8 wrong check", int(CodeSymbology::Ean8), QStringLiteral("96385075"),
        "Die Prüfziffer ist falsch (richtig wäre 4).");
    row("upca wrong check", int(CodeSymbology::UpcA), QStringLiteral("036000291453"),
        "Die Prüfziffer ist falsch (richtig wäre 2).");
    row("upce wrong check", int(CodeSymbology::UpcE), QStringLiteral("01234566"),
        "Die Prüfziffer ist falsch (richtig wäre 5).");
    row("upce number system", int(CodeSymbology::UpcE), QStringLiteral("2123456"),
        "UPC-E beginnt mit dem Zahlensystem 0 oder 1.");
    row("itf14 wrong check", int(CodeSymbology::Itf14), QStringLiteral("15400141288764"),
        "Die Prüfziffer ist falsch (richtig wäre 3).");
    row("itf14 add-on", int(CodeSymbology::Itf14), QStringLiteral("1540014128876+12"),
        "ITF-14 nimmt keinen Zusatz an.");
    row("add-on of 3", int(CodeSymbology::Ean13), QStringLiteral("400638133393+123"),
        "Der Zusatz nach dem + braucht 2 oder 5 Ziffern.");
    row("code39 underscore", int(CodeSymbology::Code39), QStringLiteral("A_B"),
        "Die Daten enthalten Zeichen, die dieser Code nicht kennt.");
    row("gs1 without brackets", int(CodeSymbology::Gs1_128), QStringLiteral("0104012345678901"),
        "Ungültige GS1-Daten (Schreibweise: [01]04012345678901).");
    row("empty", int(CodeSymbology::QrCode), QString(), "Der Code enthält keine Daten.");
    row("symbology -1", -1, QStringLiteral("1"), "Unbekannte Codeart.");
    row("symbology 14", 14, QStringLiteral("1"), "Unbekannte Codeart.");
    row("100000 characters", int(CodeSymbology::QrCode), QString(100000, u'7'),
        "Zu viele Daten für diesen Code.");
    row("qr over capacity", int(CodeSymbology::QrCode), QString(7900, u'A'),
        "Die Daten haben die falsche Länge für diesen Code.");
    row("code128 too long", int(CodeSymbology::Code128), QString(7000, u'x'),
        "Die Daten haben die falsche Länge für diesen Code.");
}

void TestBarcode::invalidData() {
    QFETCH(int, symbology);
    QFETCH(QString, data);
    QFETCH(QString, reason);
    const CodeSymbol s = encodeCode({symbology, data, true});
    QVERIFY(!s.ok);
    QCOMPARE(s.reason, reason);
    QVERIFY(s.bars.empty());
}

void TestBarcode::modulesAreWholeUnits_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    auto row = [](CodeSymbology s, const char* data) {
        QTest::newRow(qPrintable(codeSymbologyName(int(s)))) << int(s) << QString::fromUtf8(data);
    };
    row(CodeSymbology::QrCode, "https://example.org/äöü");
    row(CodeSymbology::DataMatrix, "Lager 17");
    row(CodeSymbology::Code128, "ABC-123");
    row(CodeSymbology::Ean13, "400638133393");
    row(CodeSymbology::Ean8, "9638507");
    row(CodeSymbology::UpcA, "03600029145");
    row(CodeSymbology::UpcE, "0123456");
    row(CodeSymbology::Code39, "CODE39");
    row(CodeSymbology::Itf14, "1540014128876");
    row(CodeSymbology::Interleaved2of5, "12345678");
    row(CodeSymbology::Gs1_128, "[01]04012345678901");
    row(CodeSymbology::Pdf417, "PDF417 Etikett");
    row(CodeSymbology::Aztec, "Aztec");
    row(CodeSymbology::Gs1DataMatrix, "[01]04012345678901[10]ABC");
}

// The renderer gives every module a whole number of dots; that only works if the
// symbol's shapes start and end on whole modules across.
void TestBarcode::modulesAreWholeUnits() {
    QFETCH(int, symbology);
    QFETCH(QString, data);
    const CodeSymbol s = encodeCode({symbology, data, false});
    QVERIFY2(s.ok, qPrintable(s.reason));
    QCOMPARE(s.linear, codeIsLinear(symbology));
    QCOMPARE(s.width, std::floor(s.width));
    for (const CodeBar& b : s.bars) {
        QCOMPARE(b.x, std::floor(b.x));
        QCOMPARE(b.width, std::floor(b.width));
        QVERIFY(b.width >= 1);
        if (!s.linear) {
            QCOMPARE(b.y, std::floor(b.y));
        }
    }
}

// The fit relies on what lies above and below the bars staying the same whatever
// the bars' height.
void TestBarcode::barHeightFollowsRequest() {
    for (int sym : {int(CodeSymbology::Code128), int(CodeSymbology::Ean13),
                    int(CodeSymbology::Itf14), int(CodeSymbology::UpcE)}) {
        const QString data = sym == int(CodeSymbology::Code128) ? QStringLiteral("A1")
                             : sym == int(CodeSymbology::UpcE)  ? QStringLiteral("0123456")
                                                                : QStringLiteral("1540014128876");
        const CodeSymbol a = encodeCode({sym, data.left(sym == 3 ? 12 : 13), true, 0, 20});
        const CodeSymbol b = encodeCode({sym, data.left(sym == 3 ? 12 : 13), true, 0, 45.5});
        QVERIFY2(a.ok && b.ok, qPrintable(a.reason + b.reason));
        QCOMPARE(a.barHeight, 20.0);
        QCOMPARE(b.barHeight, 45.5);
        QVERIFY(std::abs(b.height - a.height - 25.5) < 1e-3);
        QCOMPARE(a.width, b.width);
    }
}

void TestBarcode::humanReadableText() {
    const CodeSymbol with =
        encodeCode({int(CodeSymbology::Ean13), QStringLiteral("400638133393"), true});
    const CodeSymbol without =
        encodeCode({int(CodeSymbology::Ean13), QStringLiteral("400638133393"), false});
    QString shown;
    for (const CodeText& t : with.texts)
        shown += t.text;
    QCOMPARE(shown, QStringLiteral("4006381333931"));
    QVERIFY(without.texts.empty());
    QVERIFY(with.height > without.height);
}

// Letters outside Latin-1 still make a QR code (libzint adds the ECI).
void TestBarcode::twoDEncodesUtf8() {
    const CodeSymbol s = encodeCode({int(CodeSymbology::QrCode), QStringLiteral("€ 5 – Ω"), false});
    QVERIFY2(s.ok, qPrintable(s.reason));
    const CodeSymbol binary =
        encodeCode({int(CodeSymbology::QrCode), QString::fromLatin1("\x01\x02\x7f\x1b"), false});
    QVERIFY2(binary.ok, qPrintable(binary.reason));
}

QTEST_APPLESS_MAIN(TestBarcode)
#include "tst_barcode.moc"
