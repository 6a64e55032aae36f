#include "merge/mergetable.h"
#include "merge/tablereader.h"
#include "merge/textsource.h"

#include <QTemporaryDir>
#include <QTest>

// Every reader test writes the bytes another program would have written and reads
// them back through openTable.
class TestTableReaders : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("daten.csv")) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qFatal("cannot write test file");
        return path;
    }

    // Columns, then each row, values joined by '|'.
    static QStringList readAll(const QString& path, QStringList* problems = nullptr) {
        QString error;
        auto reader = openTable(path, &error);
        if (!reader)
            return {QStringLiteral("FEHLER ") + error};
        QStringList out{reader->columns().names().join(QLatin1Char('|'))};
        MergeRecord r;
        while (reader->next(r))
            out.append(r.values.join(QLatin1Char('|')));
        if (problems)
            *problems = reader->problems();
        return out;
    }

private slots:
    void delimitedText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        const QStringList plain{QStringLiteral("Name|Ort"), QStringLiteral("Anna|Köln"),
                                QStringLiteral("Bernd|Ulm")};
        QTest::newRow("Semikolon")
            << QByteArray("Name;Ort\nAnna;K\xC3\xB6ln\nBernd;Ulm\n") << plain;
        QTest::newRow("Komma, CRLF")
            << QByteArray("Name,Ort\r\nAnna,K\xC3\xB6ln\r\nBernd,Ulm") << plain;
        QTest::newRow("Tabulator")
            << QByteArray("Name\tOrt\nAnna\tK\xC3\xB6ln\nBernd\tUlm\n") << plain;
        QTest::newRow("UTF-8 mit BOM")
            << QByteArray("\xEF\xBB\xBFName;Ort\nAnna;K\xC3\xB6ln\nBernd;Ulm\n") << plain;
        QTest::newRow("Windows-1252")
            << QByteArray("Name;Ort\r\nAnna;K\xF6ln\r\nBernd;Ulm\r\n") << plain;
        QTest::newRow("Windows-1252 mit Euro und ß")
            << QByteArray("Preis;Stra\xDF"
                          "e\n5 \x80;Gro\xDF"
                          "e Str. 1\n")
            << QStringList{QStringLiteral("Preis|Straße"), QStringLiteral("5 €|Große Str. 1")};
        QTest::newRow("Anführungszeichen mit Trennern und Zeilenumbruch")
            << QByteArray("Name;Adresse;Notiz\n\"M\xC3\xBCller; Sohn\";\"Weg 1\r\n12345 Ort\";"
                          "\"sagt \"\"hallo\"\"\"\n")
            << QStringList{QStringLiteral("Name|Adresse|Notiz"),
                           QStringLiteral("Müller; Sohn|Weg 1\r\n12345 Ort|sagt \"hallo\"")};
        QTest::newRow("Komma im Text, Semikolon trennt")
            << QByteArray("Name;Notiz\n\"A, B\";x, y\nC;z\n")
            << QStringList{QStringLiteral("Name|Notiz"), QStringLiteral("A, B|x, y"),
                           QStringLiteral("C|z")};
        QTest::newRow("eine Spalte, Kommas im Text")
            << QByteArray("Ort\nUlm\nAm See, Nord\n")
            << QStringList{QStringLiteral("Ort"), QStringLiteral("Ulm"),
                           QStringLiteral("Am See, Nord")};
        QTest::newRow("leere Zeilen")
            << QByteArray("Name\n\nAnna\n\r\n")
            << QStringList{QStringLiteral("Name"), QStringLiteral("Anna")};
    }
    void delimitedText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QStringList problems;
        QCOMPARE(readAll(write(bytes), &problems), expected);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void badTables_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("problem");
        QTest::newRow("zu wenige und zu viele Felder")
            << QByteArray("A;B\n1\n1;2;3\n")
            << QStringList{QStringLiteral("A|B"), QStringLiteral("1|"), QStringLiteral("1|2")}
            << QStringLiteral("Zeile 2 (Datensatz 1) hat 1 statt 2 Felder.");
        QTest::newRow("leerer und doppelter Spaltenname")
            << QByteArray("A;;a\n1;2;3\n")
            << QStringList{QStringLiteral("A|Spalte 2|a"), QStringLiteral("1|2|3")}
            << QStringLiteral("Der Spaltenname \"a\" kommt mehrfach vor; ein Feld mit diesem "
                              "Namen nimmt die erste Spalte.");
        QTest::newRow("offenes Anführungszeichen")
            << QByteArray("A;B\n1;2\n\"3;4\n5;6\n")
            << QStringList{QStringLiteral("A|B"), QStringLiteral("1|2"),
                           QStringLiteral("3;4\n5;6\n|")}
            << QStringLiteral("Das Anführungszeichen in Zeile 3 wird nicht geschlossen; der Rest "
                              "der Datei wurde als ein Feld gelesen.");
    }
    void badTables() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(QString, problem);
        QStringList problems;
        QCOMPARE(readAll(write(bytes), &problems), expected);
        QVERIFY2(problems.contains(problem), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("leer") << QByteArray()
                              << QStringLiteral("Die Datei \"daten.csv\" ist leer: Die erste "
                                                "Zeile muss die Namen der Spalten enthalten.");
        QByteArray png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
        QTest::newRow("Bild") << png
                              << QStringLiteral(
                                     "Die Datei \"daten.csv\" ist keine Text- oder vCard-Datei.");
    }
    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QString message;
        QVERIFY(!openTable(write(bytes), &message));
        QCOMPARE(message, error);
    }

    void tooLargeFileIsRefused() {
        const QString path = dir_.filePath(QStringLiteral("gross.csv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write("A\n1\n") == 4);
        QVERIFY(f.resize(MaxSourceBytes + 1)); // sparse: no disk space used
        f.close();
        QString message;
        QVERIFY(!openTable(path, &message));
        QVERIFY2(message.contains(QStringLiteral("zu groß")), qPrintable(message));
    }

    void vCards_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected"); // Name, Straße, PLZ, Ort, Telefon, Mobil
        QTest::newRow("2.1 mit quoted-printable und CHARSET")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1:M\xFCller;J\xFCrgen\r\n"
                   "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=BCrgen M=C3=BCller\r\n"
                   "ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;Hauptstra=C3=9Fe 1=\r\n"
                   ";K=C3=B6ln;;50667;\r\nTEL;CELL:0170\r\nTEL;HOME:0221\r\n"
                   "TEL;WORK;PREF:0222\r\nEND:VCARD\r\n")
            << QStringList{QStringLiteral("Jürgen Müller|Jürgen|Müller|Hauptstraße 1|50667|Köln|"
                                          "0222|0170")};
        QTest::newRow("3.0 gefaltet, escaped, zwei Karten")
            << QByteArray("begin:vcard\nVERSION:3.0\nFN:Anna\n  Schmidt\nN:Schmidt;Anna;;;\n"
                          "item1.ADR;TYPE=WORK:;;Weg 2\\, Hof;Ulm;;89073;\n"
                          "ADR;TYPE=HOME,PREF:;;Gasse 3;Bonn;;53111;\nTEL;TYPE=CELL:0171\n"
                          "END:VCARD\nBEGIN:VCARD\nVERSION:3.0\nFN:Bernd\nEND:VCARD\n")
            << QStringList{QStringLiteral("Anna Schmidt|Anna|Schmidt|Gasse 3|53111|Bonn||0171"),
                           QStringLiteral("Bernd|||||||")};
        QTest::newRow("4.0 mit PREF=1 und ohne END")
            << QByteArray("BEGIN:VCARD\nVERSION:4.0\nFN:Clara Zoe\nTEL;TYPE=home:1\n"
                          "TEL;TYPE=work;PREF=1:2\n")
            << QStringList{QStringLiteral("Clara Zoe||||||2|")};
    }
    void vCards() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QString error;
        // A vCard is told by its content, not its name.
        auto reader = openTable(write(bytes, QStringLiteral("adressen.txt")), &error);
        QVERIFY2(reader, qPrintable(error));
        const MergeColumns& c = reader->columns();
        QCOMPARE(c.size(), 14);
        QStringList rows;
        MergeRecord r;
        while (reader->next(r)) {
            QStringList v;
            for (const char* name :
                 {"Name", "Vorname", "Nachname", "Straße", "PLZ", "Ort", "Telefon", "Mobil"})
                v.append(r.value(c.indexOf(QString::fromUtf8(name))));
            rows.append(v.join(QLatin1Char('|')));
        }
        QCOMPARE(rows, expected);
        if (!bytes.contains("END:VCARD"))
            QVERIFY(reader->problems().contains(
                QStringLiteral("Die Karte 1 endet nicht mit END:VCARD; sie wurde bis zum Ende der "
                               "Datei gelesen.")));
    }

    void tableKeepsRowsAndSearches() {
        QByteArray bytes("Name;Ort\n");
        for (int i = 0; i < 5000; ++i)
            bytes += "Person " + QByteArray::number(i) + ";Ort" + QByteArray::number(i % 7) + "\n";
        MergeTable table;
        QString error;
        QVERIFY(table.load(write(bytes), &error));
        QCOMPARE(table.rowCount(), 5000);
        QCOMPARE(table.value(4321, 0), QStringLiteral("Person 4321"));
        QCOMPARE(table.value(4321, 1), QStringLiteral("Ort2"));
        QCOMPARE(table.record(10).values,
                 (QStringList{QStringLiteral("Person 10"), QStringLiteral("Ort3")}));
        QVERIFY(table.rowContains(12, QStringLiteral("ort5")));
        QVERIFY(!table.rowContains(12, QStringLiteral("ort6")));
        QVERIFY(!table.truncated());
    }

    // The print page keeps at most a million rows and says that it stopped there.
    void pageTableStopsAtItsLimit() {
        QByteArray bytes("Nr\n");
        bytes.reserve(3 + 2 * (MergeTable::MaxRows + 2));
        for (int i = 0; i <= MergeTable::MaxRows; ++i)
            bytes += "7\n";
        MergeTable table;
        QString error;
        QVERIFY(table.load(write(bytes), &error));
        QCOMPARE(table.rowCount(), MergeTable::MaxRows);
        QVERIFY(table.truncated());
        QCOMPARE(table.problems().value(0),
                 QStringLiteral("Die Datei hat mehr Zeilen, als die Seite zeigen kann; gelesen "
                                "wurden die ersten 1.000.000."));
    }
};

QTEST_GUILESS_MAIN(TestTableReaders)
#include "tst_tablereaders.moc"
