#include "app/commandline.h"
#include "app/labelcounter.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "merge/win1252.h"
#include "pdfraster.h"
#include "scriptedprompts.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

namespace {
struct Run {
    int code = -1;
    QString err;
};

Run run(const QStringList& args) {
    Run r;
    QString out;
    QTextStream o(&out);
    QTextStream e(&r.err);
    r.code = commandLineMain(QStringList{QStringLiteral("aufkleber-werkbank")} + args, o, e);
    e.flush();
    return r;
}

QString executable() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/aufkleber-werkbank");
}

QString pdfText(const QString& pdf) {
    return pdfraster::run(QStringLiteral("pdftotext"),
                          {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QStringList utf8List(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items)
        out.append(QString::fromUtf8(s));
    return out;
}

// The words of the text, blanks and line ends dropped.
QStringList words(const QString& s) {
    return s.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}
} // namespace

// Merged printing from the command line: the data file as another program writes
// it, the PDF read back as text.
class TestMergePrint : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString label;   // name, street line 2, town and the running number
    QString csv;     // three rows, the second without a second street line
    QString unknown; // a label with a field that no column names

    QString path(const QString& name) const { return tmp.filePath(name); }

    static void addText(LabelDocument& doc, int slot, const QString& text, int row, int rows) {
        Tobs& t = doc.Objs[slot];
        t.Kind = KindText;
        t.Text = text;
        t.FontName = QStringLiteral("Arial");
        t.FontSize = 10;
        t.X = doc.WorkWidth / 3;
        t.Y = doc.WorkHeight / 3 + doc.WorkHeight / 3 * row / rows;
        t.Width = doc.WorkWidth / 3;
        t.Height = doc.WorkHeight / 3 / rows;
    }

    void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        initProgPath(tmp.path());
        SettingsStore::setOverridePath(path(QStringLiteral("settings.ini")));
        ScriptedPrompts prompts;
        LabelDocument doc;
        doc.computeWorkArea();
        addText(doc, 1, QStringLiteral("%%Name%% Nr%%NUMMER%%\r%%Zusatz%%\r%%Ort%%"), 0, 1);
        label = path(QStringLiteral("adresse.ett"));
        QVERIFY(Saveit(doc, label, prompts));
        LabelDocument other;
        other.computeWorkArea();
        addText(other, 1, QStringLiteral("%%Vorname%% %%Name%%"), 0, 1);
        unknown = path(QStringLiteral("unbekannt.ett"));
        QVERIFY(Saveit(other, unknown, prompts));
        // As a German spreadsheet saves it: semicolons, Windows-1252, CRLF.
        csv = path(QStringLiteral("adressen.csv"));
        write(csv, toWin1252(QStringLiteral("Name;Zusatz;Ort\r\nAnna Groß;Hinterhaus;Köln\r\n"
                                            "Bernd Öz;;Ulm\r\n\"Cora; Dr.\";Büro 2;Bonn\r\n")));
    }

    // 3 rows x 2 copies on the 1 x 12 start sheet: each row's text twice, one label
    // under the other, the numbers running on; the empty second line of row 2 is
    // left out, so its town follows its name directly.
    void threeRowsTwoCopies() {
        const QString pdf = path(QStringLiteral("serie.pdf"));
        const Run r = run({QStringLiteral("--print"), label, QStringLiteral("--output"), pdf,
                           QStringLiteral("--merge"), csv, QStringLiteral("--copies"),
                           QStringLiteral("2"), QStringLiteral("--number"), QStringLiteral("5")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(pdfraster::pageCount(pdf), 1);
        const QString text = pdfText(pdf);
        QCOMPARE(
            words(text),
            utf8List({"Anna",       "Groß", "Nr5",   "Hinterhaus", "Köln", "Anna", "Groß",  "Nr6",
                      "Hinterhaus", "Köln", "Bernd", "Öz",         "Nr7",  "Ulm",  "Bernd", "Öz",
                      "Nr8",        "Ulm",  "Cora;", "Dr.",        "Nr9",  "Büro", "2",     "Bonn",
                      "Cora;",      "Dr.",  "Nr10",  "Büro",       "2",    "Bonn"}));
        // In the layout every label's first line lies below the one before.
        const QStringList lines = text.split(QLatin1Char('\n'));
        int last = -1;
        for (const char* number : {"Nr5", "Nr6", "Nr7", "Nr8", "Nr9", "Nr10"}) {
            int at = -1;
            for (int i = 0; i < lines.size() && at < 0; ++i) {
                if (words(lines[i]).contains(QLatin1String(number)))
                    at = i;
            }
            QVERIFY2(at > last, number);
            last = at;
        }
    }

    void rowsChooseASubset() {
        const QString pdf = path(QStringLiteral("auswahl.pdf"));
        const Run r = run({QStringLiteral("--print"), label, QStringLiteral("--output"), pdf,
                           QStringLiteral("--merge"), csv, QStringLiteral("--rows"),
                           QStringLiteral("3,1"), QStringLiteral("--number"), QStringLiteral("1")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(words(pdfText(pdf)), utf8List({"Anna", "Groß", "Nr1", "Hinterhaus", "Köln",
                                                "Cora;", "Dr.", "Nr2", "Büro", "2", "Bonn"}));
    }

    void checkExitCodes_data() {
        QTest::addColumn<QString>("labelName");
        QTest::addColumn<bool>("print");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("finding");
        QTest::newRow("nur prüfen, alles gut")
            << QStringLiteral("adresse.ett") << false << 0 << QString();
        QTest::newRow("nur prüfen, Feld fehlt")
            << QStringLiteral("unbekannt.ett") << false << 3
            << QStringLiteral("Das Feld %%Vorname%% im Etikett nennt keine Spalte der Daten; es "
                              "wird gedruckt, wie es dasteht.");
        QTest::newRow("drucken, Feld fehlt")
            << QStringLiteral("unbekannt.ett") << true << 3 << QStringLiteral("%%Vorname%%");
    }
    void checkExitCodes() {
        QFETCH(QString, labelName);
        QFETCH(bool, print);
        QFETCH(int, code);
        QFETCH(QString, finding);
        const QString pdf = path(QStringLiteral("pruefung.pdf"));
        QFile::remove(pdf);
        const int before = storedLabelNumber();
        QStringList args{QStringLiteral("--print"),  path(labelName),
                         QStringLiteral("--output"), pdf,
                         QStringLiteral("--merge"),  csv};
        if (!print)
            args << QStringLiteral("--check");
        const Run r = run(args);
        QCOMPARE(r.code, code);
        QCOMPARE(QFile::exists(pdf), print);
        QCOMPARE(storedLabelNumber(), print ? before + 3 : before);
        if (finding.isEmpty())
            QCOMPARE(r.err, QString());
        else
            QVERIFY2(r.err.contains(finding), qPrintable(r.err));
    }

    void textThatDoesNotFitIsFound() {
        ScriptedPrompts prompts;
        LabelDocument doc;
        doc.computeWorkArea();
        addText(doc, 1, QStringLiteral("%%Ort%%"), 0, 8); // one line of an eighth label
        doc.Objs[1].FontSize = 10;
        const QString small = path(QStringLiteral("klein.ett"));
        QVERIFY(Saveit(doc, small, prompts));
        const QString data = path(QStringLiteral("lang.csv"));
        write(data,
              QByteArray("Ort\nUlm\nEin Ortsname, der nie in eine Zeile passt und "
                         "umbrochen wird, weil er so lang ist, viel zu lang für eine Zeile\n"));
        const Run r = run({QStringLiteral("--print"), small, QStringLiteral("--merge"), data,
                           QStringLiteral("--check")});
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err, QStringLiteral("aufkleber-werkbank: Datensatz 2: Der Text mit %%Ort%% "
                                       "passt nicht in sein Feld und würde abgeschnitten.\n"));
    }

    // A code takes its data from the row: a row with letters in an EAN and a row
    // whose field is empty are found before printing, the good row is not.
    void codeDataFromTheRowIsChecked() {
        ScriptedPrompts prompts;
        LabelDocument doc;
        doc.computeWorkArea();
        Tobs& c = doc.Objs[1];
        c.Kind = KindCode;
        c.Shape = 3; // EAN-13
        c.Text = QStringLiteral("%%EAN%%");
        c.X = doc.WorkWidth / 3;
        c.Y = doc.WorkHeight / 3;
        c.Width = doc.WorkWidth / 3;
        c.Height = doc.WorkHeight / 3;
        const QString codes = path(QStringLiteral("codes.ett"));
        QVERIFY(Saveit(doc, codes, prompts));
        const QString data = path(QStringLiteral("ean.csv"));
        write(data, QByteArray("EAN\n400638133393\n40063813339A\n\"\"\n"));
        const Run r = run({QStringLiteral("--print"), codes, QStringLiteral("--merge"), data,
                           QStringLiteral("--check")});
        QCOMPARE(r.code, 3);
        const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(QStringLiteral("aufkleber-werkbank: Datensatz 2: Der Code "
                                                    "mit %%EAN%% wird als rotes Kreuz")),
                 qPrintable(r.err));
        QVERIFY2(lines[1].contains(QStringLiteral("Datensatz 3:")), qPrintable(r.err));
    }

    // A picture named by a field shows each row's file beside the label; a file that
    // is missing is found before printing, an empty field shows no picture. A turned
    // text that runs past the label's edge is found too.
    void rowPicturesAndTurnedTexts() {
        ScriptedPrompts prompts;
        LabelDocument doc;
        doc.computeWorkArea();
        Tobs& picture = doc.Objs[1];
        picture.Kind = KindPicture;
        picture.Text = QStringLiteral("%%Bild%%");
        picture.X = doc.WorkWidth / 3;
        picture.Y = doc.WorkHeight / 3;
        picture.Width = doc.WorkWidth / 9;
        picture.Height = doc.WorkHeight / 3;
        addText(doc, 2, QStringLiteral("%%Name%%"), 0, 1);
        doc.Objs[2].Rotation = 1;
        doc.Objs[2].X = doc.WorkWidth / 2;
        const QString ett = path(QStringLiteral("bilder.ett"));
        QVERIFY(Saveit(doc, ett, prompts));
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(path(QStringLiteral("rot.png"))));
        const QString data = path(QStringLiteral("bilder.csv"));
        write(data, QByteArray("Name;Bild\nAnna;rot.png\nBernd;fehlt.png\nCora;\n"
                               "Ein Name, der viel zu lang f\xC3\xBCr das Etikett ist;rot.png\n"));
        const Run check = run({QStringLiteral("--print"), ett, QStringLiteral("--merge"), data,
                               QStringLiteral("--check")});
        QCOMPARE(check.code, 3);
        QCOMPARE(check.err,
                 QStringLiteral("aufkleber-werkbank: Datensatz 2: Das Bild \"fehlt.png\" zu "
                                "%%Bild%% kann nicht geladen werden; an seiner Stelle bleibt das "
                                "Etikett weiß.\naufkleber-werkbank: Datensatz 4: Der gedrehte "
                                "Text mit %%Name%% reicht über den Rand des Etiketts und würde "
                                "abgeschnitten.\n"));
        for (int row = 1; row <= 3; ++row) {
            const QString bmp = path(QStringLiteral("zeile%1.bmp").arg(row));
            const Run r =
                run({QStringLiteral("--export-image"), ett, bmp, QStringLiteral("--merge"), data,
                     QStringLiteral("--row"), QString::number(row)});
            QCOMPARE(r.code, row == 2 ? 3 : 0);
            QCOMPARE(r.err.contains(QStringLiteral("Konnte Bild (%1) nicht Laden.")
                                        .arg(path(QStringLiteral("fehlt.png")))),
                     row == 2);
            const QImage image(bmp);
            QVERIFY(!image.isNull());
            bool anyRed = false;
            for (int y = 0; y < image.height() && !anyRed; ++y)
                for (int x = 0; x < image.width() && !anyRed; ++x)
                    anyRed = image.pixel(x, y) == qRgb(255, 0, 0);
            QCOMPARE(anyRed, row == 1);
        }
    }

    void wrongUse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("--rows ungültig")
            << QStringList{QStringLiteral("--print"), QStringLiteral("x.ett"),
                           QStringLiteral("--merge"), QStringLiteral("d.csv"),
                           QStringLiteral("--rows"),  QStringLiteral("5-2")}
            << 2 << QStringLiteral("Ungültige Zeilenauswahl \"5-2\" für --rows");
        QTest::newRow("--check ohne --merge")
            << QStringList{QStringLiteral("--print"), QStringLiteral("x.ett"),
                           QStringLiteral("--check")}
            << 2 << QStringLiteral("--rows und --check gelten nur mit --merge.");
        QTest::newRow("keine Zeile gewählt")
            << QStringList{QStringLiteral("--print"),  QStringLiteral("@label"),
                           QStringLiteral("--merge"),  QStringLiteral("@csv"),
                           QStringLiteral("--rows"),   QStringLiteral("9-10"),
                           QStringLiteral("--output"), QStringLiteral("@pdf")}
            << 1 << QStringLiteral("Die Daten enthalten keine der gewählten Zeilen");
        QTest::newRow("Daten fehlen")
            << QStringList{QStringLiteral("--print"),  QStringLiteral("@label"),
                           QStringLiteral("--merge"),  QStringLiteral("/nicht/da.csv"),
                           QStringLiteral("--output"), QStringLiteral("@pdf")}
            << 1 << QStringLiteral("Die Datei \"da.csv\" kann nicht geöffnet werden.");
        QTest::newRow("--row ohne --merge")
            << QStringList{QStringLiteral("--export-image"), QStringLiteral("@label"),
                           QStringLiteral("x.bmp"), QStringLiteral("--row"), QStringLiteral("2")}
            << 2 << QStringLiteral("--row gilt nur mit --merge.");
    }
    void wrongUse() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        args.replaceInStrings(QStringLiteral("@label"), label);
        args.replaceInStrings(QStringLiteral("@csv"), csv);
        args.replaceInStrings(QStringLiteral("@pdf"), path(QStringLiteral("falsch.pdf")));
        const Run r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    // "-" reads standard input (a vCard here, told by its content), in the program
    // itself; --row picks the card for the picture export.
    void standardInputAndRowExport() {
        const QByteArray cards("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Erika Muster\r\n"
                               "ADR:;;Weg 1;Jena;;07743;\r\nEND:VCARD\r\n"
                               "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Max Probe\r\nEND:VCARD\r\n");
        ScriptedPrompts prompts;
        LabelDocument doc;
        doc.computeWorkArea();
        addText(doc, 1, QStringLiteral("%%Name%%\r%%Straße%%\r%%PLZ%% %%Ort%%"), 0, 1);
        const QString card = path(QStringLiteral("karte.ett"));
        QVERIFY(Saveit(doc, card, prompts));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        QProcess program;
        program.setProcessEnvironment(env);
        const QString pdf = path(QStringLiteral("stdin.pdf"));
        program.start(executable(), {QStringLiteral("--print"), card, QStringLiteral("--output"),
                                     pdf, QStringLiteral("--merge"), QStringLiteral("-"),
                                     QStringLiteral("--number"), QStringLiteral("1")});
        QVERIFY(program.waitForStarted());
        program.write(cards);
        program.closeWriteChannel();
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(words(pdfText(pdf)),
                 utf8List({"Erika", "Muster", "Weg", "1", "07743", "Jena", "Max", "Probe"}));

        const QString vcf = path(QStringLiteral("karten.vcf"));
        write(vcf, cards);
        const QString first = path(QStringLiteral("erste.bmp"));
        const QString second = path(QStringLiteral("zweite.bmp"));
        QCOMPARE(
            run({QStringLiteral("--export-image"), card, first, QStringLiteral("--merge"), vcf})
                .code,
            0);
        QCOMPARE(run({QStringLiteral("--export-image"), card, second, QStringLiteral("--merge"),
                      vcf, QStringLiteral("--row"), QStringLiteral("2")})
                     .code,
                 0);
        QVERIFY(!QImage(first).isNull());
        QVERIFY(QImage(first) != QImage(second));
        const Run missing =
            run({QStringLiteral("--export-image"), card, second, QStringLiteral("--merge"), vcf,
                 QStringLiteral("--row"), QStringLiteral("3")});
        QCOMPARE(missing.code, 1);
        QVERIFY(missing.err.contains(QStringLiteral("Die Daten haben keine Zeile 3")));
    }
};

QTEST_MAIN(TestMergePrint)
#include "tst_mergeprint.moc"
