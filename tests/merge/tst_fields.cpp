#include "merge/fields.h"
#include "merge/mergerecord.h"
#include "merge/rowselection.h"

#include <QTest>

class TestFields : public QObject {
    Q_OBJECT
    const MergeColumns columns{{QStringLiteral("Name"), QStringLiteral("Straße2"),
                                QStringLiteral("Ort"), QStringLiteral("Nummer")}};

private slots:
    void substitution_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("unknown");
        const QStringList row{QStringLiteral("Anna Groß"), QString(), QStringLiteral("Köln"),
                              QStringLiteral("99")};
        QTest::newRow("Groß und klein") << QStringLiteral("%%name%%, %%ORT%%") << row
                                        << QStringLiteral("Anna Groß, Köln") << QStringList();
        QTest::newRow("NUMMER vor der Spalte")
            << QStringLiteral("Nr. %%Nummer%%") << row << QStringLiteral("Nr. 7") << QStringList();
        QTest::newRow("leere Zeile fällt weg")
            << QStringLiteral("%%Name%%\r%%Straße2%%\r%%Ort%%") << row
            << QStringLiteral("Anna Groß\rKöln") << QStringList();
        QTest::newRow("leere letzte Zeile mit LF")
            << QStringLiteral("%%Name%%\n  %%Straße2%% \n") << row << QStringLiteral("Anna Groß\n")
            << QStringList();
        QTest::newRow("leere erste Zeile, CRLF") << QStringLiteral("%%Straße2%%\r\n%%Ort%%") << row
                                                 << QStringLiteral("Köln") << QStringList();
        QTest::newRow("Zeile mit Text bleibt") << QStringLiteral("c/o %%Straße2%%\r%%Ort%%") << row
                                               << QStringLiteral("c/o \rKöln") << QStringList();
        QTest::newRow("unbekanntes Feld bleibt und wird gemeldet")
            << QStringLiteral("%%Vorname%% %%Name%%\r%%vorname%%") << row
            << QStringLiteral("%%Vorname%% Anna Groß\r%%vorname%%")
            << QStringList{QStringLiteral("Vorname")};
        QTest::newRow("Werte werden nicht erneut ersetzt")
            << QStringLiteral("%%Name%%") << QStringList{QStringLiteral("%%Ort%%")}
            << QStringLiteral("%%Ort%%") << QStringList();
        QTest::newRow("Prozentzeichen sind kein Feld")
            << QStringLiteral("100%% sicher %%Ort%%") << row << QStringLiteral("100%% sicher Köln")
            << QStringList();
        QTest::newRow("fehlende Werte sind leer")
            << QStringLiteral("%%Name%%|%%Ort%%") << QStringList{QStringLiteral("A")}
            << QStringLiteral("A|") << QStringList();
    }
    void substitution() {
        QFETCH(QString, text);
        QFETCH(QStringList, values);
        QFETCH(QString, expected);
        QFETCH(QStringList, unknown);
        const MergeRecord record{&columns, values};
        QStringList found;
        QCOMPARE(substituteFields(text, 7, &record, &found), expected);
        QCOMPARE(found, unknown);
    }

    void withoutSourceOnlyTheNumber() {
        QStringList found;
        QCOMPARE(substituteFields(QStringLiteral("%%Name%%\r%%nummer%%"), -3, nullptr, &found),
                 QStringLiteral("%%Name%%\r-3"));
        QVERIFY(found.isEmpty());
        QVERIFY(hasDataFields(QStringLiteral("a %%Name%%")));
        QVERIFY(!hasDataFields(QStringLiteral("a %%NUMMER%% 100%%")));
        QCOMPARE(fieldNames(QStringLiteral("%%A%%%%b%% %%a%%")),
                 (QStringList{QStringLiteral("A"), QStringLiteral("b")}));
    }

    void rowSelection_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QList<qint64>>("in");
        QTest::addColumn<QList<qint64>>("out");
        QTest::newRow("Bereich und Einzelne")
            << QStringLiteral("1-20,25") << true << QList<qint64>{1, 20, 25}
            << QList<qint64>{0, 21, 24, 26};
        QTest::newRow("Leerzeichen") << QStringLiteral(" 3 - 4 , 9") << true
                                     << QList<qint64>{3, 4, 9} << QList<qint64>{2, 5};
        QTest::newRow("rückwärts")
            << QStringLiteral("5-2") << false << QList<qint64>{} << QList<qint64>{};
        QTest::newRow("null") << QStringLiteral("0") << false << QList<qint64>{} << QList<qint64>{};
        QTest::newRow("leerer Teil")
            << QStringLiteral("1,,2") << false << QList<qint64>{} << QList<qint64>{};
        QTest::newRow("Buchstaben")
            << QStringLiteral("a-b") << false << QList<qint64>{} << QList<qint64>{};
    }
    void rowSelection() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QList<qint64>, in);
        QFETCH(QList<qint64>, out);
        const auto s = RowSelection::parse(text);
        QCOMPARE(s.has_value(), valid);
        for (qint64 r : in)
            QVERIFY2(s->contains(r), qPrintable(QString::number(r)));
        for (qint64 r : out)
            QVERIFY2(!s->contains(r), qPrintable(QString::number(r)));
        if (valid)
            QVERIFY(s->pastEnd(25) && !s->pastEnd(in.first()));
    }
};

QTEST_GUILESS_MAIN(TestFields)
#include "tst_fields.moc"
