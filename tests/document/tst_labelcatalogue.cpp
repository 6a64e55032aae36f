#include "document/csvreader.h"
#include "document/labelcatalogue.h"
#include "document/labelstocks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(TLabelFormat)

namespace {
TLabelFormat entry(const QString& name, double width = 90, double height = 55) {
    TLabelFormat f;
    f.MarginLeft = 0;
    f.MarginTop = 0;
    f.LabelWidth = width;
    f.LabelHeight = height;
    f.PitchX = width + 2;
    f.PitchY = height;
    f.Across = 2;
    f.Down = 5;
    f.TypeName = name;
    return f;
}

QByteArray fileBytes(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
} // namespace

// The catalogue file, its limits and the shipped list of commercial stocks.
class TestLabelCatalogue : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file;
    QString backup;

private slots:
    void init() {
        file = dir.filePath(QStringLiteral("Etikett.dat"));
        backup = file + QStringLiteral(".bak");
        QFile::remove(file);
        QFile::remove(backup);
    }

    void writtenFileHoldsEveryEntry_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("leer") << 0;
        QTest::newRow("eins") << 1;
        QTest::newRow("drei") << 3;
        QTest::newRow("zehntausend") << 10000;
    }
    void writtenFileHoldsEveryEntry() {
        QFETCH(int, n);
        LabelCatalogue cat(file);
        cat.LoadEttTypes();
        QCOMPARE(cat.fileState(), LabelCatalogue::FileState::Missing);
        for (int i = 0; i < n; ++i)
            cat.append(entry(QStringLiteral("Typ %1 Ä").arg(i), 10 + i % 500));
        cat.SaveEttTypes();
        const QByteArray bytes = fileBytes(file);
        QCOMPARE(bytes.size(), 8 + 112 * n);
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData()), 64687);
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 4), n);

        LabelCatalogue again(file);
        again.LoadEttTypes();
        QCOMPARE(again.fileState(), LabelCatalogue::FileState::Read);
        QCOMPARE(again.entries(), cat.entries());
    }

    // Every record is held to the dialog's limits; a bad one is left out, the others kept.
    void recordsOutsideTheLimitsAreDropped_data() {
        QTest::addColumn<TLabelFormat>("record");
        QTest::addColumn<bool>("kept");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        auto with = [](auto change) {
            TLabelFormat f = entry(QStringLiteral("x"));
            change(f);
            return f;
        };
        QTest::newRow("Breite 0") << with([](TLabelFormat& f) { f.LabelWidth = f.PitchX = 0; })
                                  << false;
        QTest::newRow("Höhe 0,5") << with([](TLabelFormat& f) { f.LabelHeight = f.PitchY = 0.5; })
                                  << false;
        QTest::newRow("Rand NaN") << with([&](TLabelFormat& f) { f.MarginLeft = nan; }) << false;
        QTest::newRow("Rand oben 1000,5")
            << with([](TLabelFormat& f) { f.MarginTop = 1000.5; }) << false;
        QTest::newRow("Abstand negativ")
            << with([](TLabelFormat& f) { f.PitchX = f.LabelWidth - 1; }) << false;
        QTest::newRow("Abstand unendlich")
            << with([](TLabelFormat& f) { f.PitchY = HUGE_VAL; }) << false;
        QTest::newRow("0 pro Zeile") << with([](TLabelFormat& f) { f.Across = 0; }) << false;
        QTest::newRow("51 pro Spalte") << with([](TLabelFormat& f) { f.Down = 51; }) << false;
        QTest::newRow("50 pro Spalte") << with([](TLabelFormat& f) { f.Down = 50; }) << true;
        QTest::newRow("51 pro Zeile") << with([](TLabelFormat& f) { f.Across = 51; }) << false;
        QTest::newRow("Grenzwerte") << with([](TLabelFormat& f) {
            f.MarginLeft = 3000;
            f.MarginTop = 1000;
            f.LabelWidth = 1;
            f.LabelHeight = 1000;
            f.PitchX = 3001;
            f.PitchY = 2000;
            f.Across = 50;
            f.Down = 1;
        }) << true;
    }
    void recordsOutsideTheLimitsAreDropped() {
        QFETCH(TLabelFormat, record);
        QFETCH(bool, kept);
        const TLabelFormat first = entry(QStringLiteral("erster"));
        const TLabelFormat last = entry(QStringLiteral("letzter"));
        writeBytes(file, catalogueBytes({first, record, last}));
        LabelCatalogue cat(file);
        cat.LoadEttTypes();
        const QList<TLabelFormat> expected =
            kept ? QList<TLabelFormat>{first, record, last} : QList<TLabelFormat>{first, last};
        QCOMPARE(cat.entries(), expected);
        QCOMPARE(cat.fileState(),
                 kept ? LabelCatalogue::FileState::Read : LabelCatalogue::FileState::NotTaken);
    }

    void nameLengthByteAbove50DropsTheRecord() {
        QByteArray bytes = catalogueBytes({entry(QStringLiteral("a")), entry(QStringLiteral("b"))});
        bytes[8 + 112 + 56] = char(51);
        const CatalogueContent content = parseCatalogue(bytes);
        QVERIFY(content.recognised);
        QCOMPARE(content.entries.size(), 1);
        QCOMPARE(content.entries[0].TypeName, QStringLiteral("a"));
        QCOMPARE(content.dropped, 1);
    }

    // A file that exists but is not taken completely is left alone while the list is
    // unchanged, and kept as Etikett.dat.bak before a changed list replaces it.
    void unreadFileIsKeptAsBackup_data() {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("entriesRead");
        const QByteArray good = catalogueBytes({entry(QStringLiteral("a"))});
        QByteArray otherId = good;
        otherId[0] = 0x12;
        QByteArray countTooHigh = good;
        countTooHigh[4] = 2;
        QByteArray negativeCount = good.left(8);
        qToLittleEndian<qint32>(-1, negativeCount.data() + 4);
        QByteArray badRecord =
            catalogueBytes({entry(QStringLiteral("a")), entry(QStringLiteral("b"))});
        badRecord[8 + 112 + 48] = 0; // Across 0
        QTest::newRow("andere Kennung") << otherId << 0;
        QTest::newRow("ein Byte zu lang") << good + '\0' << 0;
        QTest::newRow("Anzahl zu hoch") << countTooHigh << 0;
        QTest::newRow("Anzahl negativ") << negativeCount << 0;
        QTest::newRow("nur vier Bytes") << good.left(4) << 0;
        QTest::newRow("ein Satz ungültig") << badRecord << 1;
    }
    void unreadFileIsKeptAsBackup() {
        QFETCH(QByteArray, old);
        QFETCH(int, entriesRead);
        writeBytes(file, old);
        {
            LabelCatalogue cat(file);
            cat.LoadEttTypes();
            QCOMPARE(cat.fileState(), LabelCatalogue::FileState::NotTaken);
            QCOMPARE(cat.count(), entriesRead);
            cat.SaveEttTypes(); // as the dialog does on every close
            cat.FreeEttTypes();
        }
        QCOMPARE(fileBytes(file), old);
        QVERIFY(!QFile::exists(backup));

        LabelCatalogue cat(file);
        cat.LoadEttTypes();
        cat.append(entry(QStringLiteral("neu")));
        cat.SaveEttTypes();
        cat.SaveEttTypes(); // a second close must not replace the backup with the new file
        QCOMPARE(fileBytes(backup), old);
        QCOMPARE(fileBytes(file).size(), 8 + 112 * (entriesRead + 1));
    }

    void csvReader_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("records");
        QTest::newRow("CRLF und leere Felder")
            << QStringLiteral("a,b,\r\n1,,3\r\n")
            << QList<QStringList>{{QStringLiteral("a"), QStringLiteral("b"), QString()},
                                  {QStringLiteral("1"), QString(), QStringLiteral("3")}};
        QTest::newRow("Anführungszeichen")
            << QStringLiteral("\"x,y\",\"er sagte \"\"ja\"\"\",\"zwei\nZeilen\"\nletzte")
            << QList<QStringList>{{QStringLiteral("x,y"), QStringLiteral("er sagte \"ja\""),
                                   QStringLiteral("zwei\nZeilen")},
                                  {QStringLiteral("letzte")}};
        QTest::newRow("leere Zeilen") << QStringLiteral("\n\r\na\n\n\"\"\n")
                                      << QList<QStringList>{{QStringLiteral("a")}, {QString()}};
    }
    void csvReader() {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, records);
        QCOMPARE(parseCsv(text), records);
    }

    void stockRowsAreReadByColumnName_data() {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QStringList>("parts");
        const QString header = QStringLiteral(
            "down,brand,part,paper,label_width_mm,label_height_mm,margin_left_mm,margin_top_mm,"
            "pitch_x_mm,pitch_y_mm,across,same_as\n");
        QTest::newRow("Spalten vertauscht")
            << header + QStringLiteral("7,Avery,X1,A4,63.5,38.1,7,15,66,38.1,3,\n")
            << QStringList{QStringLiteral("X1")};
        QTest::newRow("kaputte Zeilen fallen weg")
            << header + QStringLiteral("7,Avery,X1,A4,abc,38.1,7,15,66,38.1,3,\n"
                                       "7,Avery,X2,A4,63.5\n"
                                       "7,Avery,X3,A4,0,38.1,7,15,66,38.1,3,\n"
                                       "70,Avery,X4,A4,63.5,38.1,7,15,66,38.1,3,\n"
                                       "7,Avery,X5,A4,63.5,38.1,7,15,66,38.1,3,\n")
            << QStringList{QStringLiteral("X5")};
        // Exactly 50 down or across is a sheet the list keeps; 51 is not.
        QTest::newRow("50 pro Spalte oder Zeile")
            << header + QStringLiteral("50,Avery,D50,A4,10,5,7,15,12,5,2,\n"
                                       "2,Avery,A50,A4,3,5,7,15,4,5,50,\n"
                                       "51,Avery,D51,A4,10,5,7,15,12,5,2,\n"
                                       "2,Avery,A51,A4,3,5,7,15,4,5,51,\n")
            << QStringList{QStringLiteral("D50"), QStringLiteral("A50")};
        QTest::newRow("ohne Kopfzeile")
            << QStringLiteral("7,Avery,X1,A4,63.5,38.1,7,15,66,38.1,3,\n") << QStringList();
    }
    void stockRowsAreReadByColumnName() {
        QFETCH(QString, csv);
        QFETCH(QStringList, parts);
        QStringList read;
        for (const LabelStock& s : parseLabelStocks(csv))
            read.append(s.Part);
        QCOMPARE(read, parts);
    }

    void shippedListMatchesTheCsv() {
        QFile csv(qEnvironmentVariable("AWB_TEST_DATA") +
                  QStringLiteral("/../../resources/label-stocks.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const int rows = int(csv.readAll().count('\n')) - 1; // without the header
        const QList<LabelStock>& stocks = shippedLabelStocks();
        QCOMPARE(stocks.size(), rows);
        QCOMPARE(rows, 1167);

        // Avery,32250A,A4,155.000,125.000,27.500,22.000,155.000,125.000,1,1,8435A
        const auto it = std::find_if(stocks.begin(), stocks.end(), [](const LabelStock& s) {
            return s.Part == QLatin1String("32250A");
        });
        QVERIFY(it != stocks.end());
        QCOMPARE(it->Brand, QStringLiteral("Avery"));
        QCOMPARE(it->Paper, QStringLiteral("A4"));
        QCOMPARE(it->LabelWidth, 155.0);
        QCOMPARE(it->LabelHeight, 125.0);
        QCOMPARE(it->MarginLeft, 27.5);
        QCOMPARE(it->MarginTop, 22.0);
        QCOMPARE(it->PitchX, 155.0);
        QCOMPARE(it->PitchY, 125.0);
        QCOMPARE(it->Across, 1);
        QCOMPARE(it->Down, 1);
        QCOMPARE(it->SameAs, QStringLiteral("8435A"));
        QVERIFY(it->matches(QStringLiteral("8435a")));
        QVERIFY(!it->matches(QStringLiteral("Herma")));
        QVERIFY(shippedLabelStocksNotice().contains(QStringLiteral("Copyright (c) 2001-2009")));
    }

    // Listed pitches below the label size (single rows or columns, touching labels) would
    // be negative gaps: the format takes the label size instead.
    void stockFormatNeverHasNegativeGaps() {
        LabelStock s;
        s.Brand = QStringLiteral("Avery");
        s.Part = QStringLiteral("7161");
        s.LabelWidth = 63.571;
        s.LabelHeight = 46.778;
        s.PitchX = 0;
        s.PitchY = 46.743;
        const TLabelFormat f = s.format();
        QCOMPARE(f.PitchX, 63.571);
        QCOMPARE(f.PitchY, 46.778);
        QCOMPARE(f.TypeName, QStringLiteral("Avery 7161"));
        QVERIFY(withinLabelTypeLimits(f));
    }
};

QTEST_GUILESS_MAIN(TestLabelCatalogue)
#include "tst_labelcatalogue.moc"
