#include "app/commandline.h"
#include "app/labelcounter.h"
#include "codec/magickcodec.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "output/labelexport.h"
#include "pdfraster.h"
#include "quarterlabel.h"
#include "render/picturefileloader.h"
#include "scriptedprompts.h"

#include <Magick++.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

#include <cmath>
#include <unistd.h>

namespace {
struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run run(const QStringList& args) {
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = commandLineMain(QStringList{QStringLiteral("aufkleber-werkbank")} + args, out, err);
    out.flush();
    err.flush();
    return r;
}

QByteArray head(const QString& file, int n) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

const QString Usage = QStringLiteral("Hilfe mit: aufkleber-werkbank --help\n");

// The resolution a picture file declares, as GraphicsMagick reads it (the IFF
// formats by their "DPI " chunk, which it does not read).
double declaredDpi(const QByteArray& bytes) {
    if (bytes.startsWith("FORM")) {
        const qsizetype at = bytes.indexOf("DPI ");
        if (at < 0 || at + 12 > bytes.size())
            return 0;
        const auto be16 = [&](qsizetype i) { return (uchar(bytes[i]) << 8) | uchar(bytes[i + 1]); };
        return be16(at + 8) == be16(at + 10) ? be16(at + 8) : -1;
    }
    initMagick();
    Magick::Image image;
    image.read(Magick::Blob(bytes.constData(), size_t(bytes.size())));
    const double x = image.xResolution();
    const double y = image.yResolution();
    const double perInch =
        image.resolutionUnits() == Magick::PixelsPerCentimeterResolution ? 2.54 : 1.0;
    return x == y ? std::round(x * perInch) : -1;
}

// The built program beside the tests.
QString executable() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/aufkleber-werkbank");
}
} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString startLabel;

    QString path(const QString& name) const { return tmp.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        initProgPath(tmp.path());
        SettingsStore::setOverridePath(path(QStringLiteral("settings.ini")));
        auto settings = SettingsStore::open();
        settings->setValue(QStringLiteral("Zaehler/LaufendeNummer"), 42);
        settings->sync();
        startLabel = path(QStringLiteral("start.ett"));
        LabelDocument doc;
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, startLabel, prompts));
    }

    void startLabelGives336x134White() {
        const QString out = path(QStringLiteral("start.bmp"));
        const Run r = run({QStringLiteral("--export-image"), startLabel, out});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QImage img(out);
        QCOMPARE(img.size(), QSize(336, 134));
        for (const QPoint p : {QPoint(0, 0), QPoint(335, 133), QPoint(168, 67)})
            QCOMPARE(img.pixel(p), qRgb(255, 255, 255));
        // The counter is read, never advanced.
        QCOMPARE(SettingsStore::open()->value(QStringLiteral("Zaehler/LaufendeNummer")).toInt(),
                 42);
    }

    void labelIsDrawnAloneAtExportScale() {
        // A black rectangle over the label's top-left quarter, one outside the label.
        LabelDocument doc;
        const Tobs& quarter = addQuarterRectangle(doc);
        Tobs& outside = doc.Objs[2];
        outside = quarter;
        outside.X = 0;
        outside.Y = 0;
        const QString ett = path(QStringLiteral("viertel.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, ett, prompts));
        const QString out = path(QStringLiteral("viertel.bmp"));
        QCOMPARE(run({QStringLiteral("--export-image"), ett, out}).code, 0);
        const QImage img(out);
        QCOMPARE(img.size(), QSize(336, 134));
        QCOMPARE(img.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(160, 60), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(175, 72), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(335, 133), qRgb(255, 255, 255));
    }

    void pictureSizeFollowsTheLabel_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QSize>("size");
        QTest::newRow("start label") << 88.9 << 35.7 << QSize(336, 134);
        QTest::newRow("truncated") << 55.0 << 25.39 << QSize(207, 95); // 207.87 x 95.96
        QTest::newRow("25.4 mm is a little over an inch")
            << 25.4 << 25.4 << QSize(96, 96); // 207.87, 96.0 - 0.0002
        QTest::newRow("A4") << 210.0 << 297.0 << QSize(793, 1122);
    }
    void pictureSizeFollowsTheLabel() {
        QFETCH(double, width);
        QFETCH(double, height);
        TLabelFormat f;
        f.LabelWidth = width;
        f.LabelHeight = height;
        QTEST(exportPictureSize(f), "size");
    }

    void extensionTable_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("extension");
        const char* table[] = {".bmp", ".dib", ".gif", ".iff", ".jif", ".jpg",
                               ".lbm", ".pcx", ".rle", ".tga", ".tif", ".png"};
        for (int i = 1; i <= 12; ++i)
            QTest::addRow("%d", i) << i << QString::fromLatin1(table[i - 1]);
        QTest::newRow("outside") << 13 << QString();
    }
    void extensionTable() {
        QFETCH(int, index);
        QFETCH(QString, extension);
        QCOMPARE(exportFilterExtension(index), extension);
        if (extension.isEmpty())
            return;
        QCOMPARE(exportFormatCode(index), index + 2);
        QCOMPARE(exportFormatCodeForName(QStringLiteral("a/b.c/bild") + extension.toUpper()),
                 index + 2);
    }

    void formatByFilterIndex_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("1 without extension")
            << QStringLiteral("a") << 1 << QStringLiteral("a.bmp") << QByteArray("BM");
        QTest::newRow("png name kept, BMP written")
            << QStringLiteral("b.png") << 1 << QStringLiteral("b.png") << QByteArray("BM");
        QTest::newRow("5 JIF is JPEG")
            << QStringLiteral("d") << 5 << QStringLiteral("d.jif") << QByteArray("\xFF\xD8");
        QTest::newRow("6 JPG") << QStringLiteral("e") << 6 << QStringLiteral("e.jpg")
                               << QByteArray("\xFF\xD8");
        QTest::newRow("6 with a wrong extension")
            << QStringLiteral("f.bmp") << 6 << QStringLiteral("f.bmp") << QByteArray("\xFF\xD8");
        QTest::newRow("12 PNG, after the eleven")
            << QStringLiteral("g") << 12 << QStringLiteral("g.png") << QByteArray("\x89PNG");
    }
    void formatByFilterIndex() {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, magic);
        const Run r = run({QStringLiteral("--export-image"), startLabel, path(name),
                           QStringLiteral("--filter-index"), QString::number(filter)});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(head(path(written), magic.size()), magic);
        QCOMPARE(QImage(path(written)).size(), QSize(336, 134));
    }

    void formatByExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("bmp") << QStringLiteral("x.bmp") << QByteArray("BM");
        QTest::newRow("upper case") << QStringLiteral("x2.BMP") << QByteArray("BM");
        QTest::newRow("jpeg") << QStringLiteral("x.jpeg") << QByteArray("\xFF\xD8");
        QTest::newRow("png") << QStringLiteral("x.png") << QByteArray("\x89PNG");
    }

    // The export is drawn at 96 pixels per inch, and every format with a field for it
    // says so (read back by another decoder than the program's).
    void exportDeclares96Dpi_data() {
        QTest::addColumn<int>("filter");
        for (int filter : {1, 2, 4, 5, 6, 7, 8, 9, 11, 12})
            QTest::addRow("%d", filter) << filter;
    }
    void exportDeclares96Dpi() {
        QFETCH(int, filter);
        const QString out = path(QStringLiteral("dpi%1").arg(filter));
        QCOMPARE(run({QStringLiteral("--export-image"), startLabel, out,
                      QStringLiteral("--filter-index"), QString::number(filter)})
                     .code,
                 0);
        QFile file(out + exportFilterExtension(filter));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(declaredDpi(bytes), 96.0);
    }
    void formatByExtension() {
        QFETCH(QString, name);
        QFETCH(QByteArray, magic);
        const Run r = run({QStringLiteral("--export-image"), startLabel, path(name)});
        QCOMPARE(r.code, 0);
        QCOMPARE(head(path(name), magic.size()), magic);
    }

    void wrongUse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString ett = QStringLiteral("e.ett");
        const QString opt = QStringLiteral("--export-image");
        const QString fi = QStringLiteral("--filter-index");
        QTest::newRow("unknown extension")
            << QStringList{opt, ett, QStringLiteral("bild.webp")}
            << QStringLiteral("Das Bildformat von \"bild.webp\" ist unbekannt. Erlaubt sind die "
                              "Endungen .bmp .dib .gif .iff .jif .jpg .lbm .pcx .rle .tga .tif "
                              ".png, oder --filter-index.");
        QTest::newRow("no extension")
            << QStringList{opt, ett, QStringLiteral("bild")}
            << QStringLiteral("Das Bildformat von \"bild\" ist unbekannt. "
                              "Erlaubt sind die Endungen .bmp .dib .gif "
                              ".iff .jif .jpg .lbm .pcx .rle .tga .tif "
                              ".png, oder --filter-index.");
        for (const char* k : {"0", "13", "-1", "sechs"})
            QTest::addRow("filter index %s", k)
                << QStringList{opt, ett, QStringLiteral("b"), fi, QLatin1String(k)}
                << QStringLiteral("Ungültiger Filterindex \"%1\": erlaubt sind 1 bis 12.")
                       .arg(QLatin1String(k));
        QTest::newRow("filter index without value")
            << QStringList{opt, ett, QStringLiteral("b"), fi}
            << QStringLiteral("Zu --filter-index fehlt die Nummer des Formats.");
        QTest::newRow("one name") << QStringList{opt, ett}
                                  << QStringLiteral("--export-image braucht genau zwei Namen: die "
                                                    "Etikettdatei und die Bilddatei.");
        QTest::newRow("three names") << QStringList{opt, ett, ett, ett}
                                     << QStringLiteral("--export-image braucht genau zwei Namen: "
                                                       "die Etikettdatei und die Bilddatei.");
        QTest::newRow("filter index alone")
            << QStringList{fi, QStringLiteral("3")}
            << QStringLiteral("--filter-index gilt nur mit --export-image.");
        QTest::newRow("unknown option")
            << QStringList{opt, ett, QStringLiteral("b.bmp"), QStringLiteral("--farbe")}
            << QStringLiteral("Unbekannte Option: farbe");
        QTest::newRow("value for a switch")
            << QStringList{QStringLiteral("--export-image=e.ett"), QStringLiteral("b.bmp")}
            << QStringLiteral("Die Option --export-image nimmt keinen Wert.");
        const QString print = QStringLiteral("--print");
        QTest::newRow("an option the program does not know")
            << QStringList{QStringLiteral("--foo")} << QStringLiteral("Unbekannte Option: foo");
        QTest::newRow("print without a file")
            << QStringList{print}
            << QStringLiteral("--print braucht genau einen Namen: die "
                              "Etikettdatei.");
        QTest::newRow("dpi too low")
            << QStringList{print, ett, QStringLiteral("--dpi"), QStringLiteral("50")}
            << QStringLiteral("Ungültiger Wert \"50\" für --dpi: erlaubt sind 72 bis 2400.");
        QTest::newRow("too many copies")
            << QStringList{print, ett, QStringLiteral("--copies"), QStringLiteral("1000001")}
            << QStringLiteral("Ungültiger Wert \"1000001\" für --copies: erlaubt sind 1 bis "
                              "1000000.");
        QTest::newRow("copies without value") << QStringList{print, ett, QStringLiteral("--copies")}
                                              << QStringLiteral("Zu --copies fehlt der Wert.");
        const QString notWithPrint =
            QStringLiteral("--print schließt --export-image, --thumbnail und --filter-index aus.");
        QTest::newRow("print and export")
            << QStringList{print, ett, opt, QStringLiteral("b.bmp")} << notWithPrint;
        QTest::newRow("print and thumbnail")
            << QStringList{print, ett, QStringLiteral("--thumbnail")} << notWithPrint;
        QTest::newRow("print and filter index")
            << QStringList{print, ett, fi, QStringLiteral("3")} << notWithPrint;
        QTest::newRow("print option alone")
            << QStringList{QStringLiteral("--cut-lines")}
            << QStringLiteral("Diese Optionen gelten nur mit --print.");
    }

    // Printing into a PDF file advances the stored counter unless --number is given.
    void printIntoPdf() {
        const QString pdf = path(QStringLiteral("druck.pdf"));
        const QStringList args = {QStringLiteral("--print"),  startLabel,
                                  QStringLiteral("--output"), pdf,
                                  QStringLiteral("--used"),   QStringLiteral("11"),
                                  QStringLiteral("--copies"), QStringLiteral("3")};
        const int before = storedLabelNumber();
        QCOMPARE(run(args).code, 0);
        QCOMPARE(pdfraster::pageCount(pdf), 2);
        QCOMPARE(storedLabelNumber(), before + 3);
        QCOMPARE(run(args + QStringList{QStringLiteral("--number"), QStringLiteral("7")}).code, 0);
        QCOMPARE(storedLabelNumber(), before + 3);
    }

    // A code with a wrong check digit prints as a red cross: data and reason on
    // standard error, exit code 3, the PDF written.
    void invalidCodePrintsWithExit3() {
        LabelDocument doc;
        doc.computeWorkArea();
        Tobs& o = doc.Objs[1];
        o.Kind = KindCode;
        o.Shape = 3; // EAN-13
        o.Text = QStringLiteral("4006381333932");
        o.X = doc.WorkWidth / 3;
        o.Y = doc.WorkHeight / 3;
        o.Width = doc.WorkWidth / 6;
        o.Height = doc.WorkHeight / 6;
        ScriptedPrompts prompts;
        const QString ett = path(QStringLiteral("code.ett"));
        QVERIFY(Saveit(doc, ett, prompts));
        const QString pdf = path(QStringLiteral("code.pdf"));
        const Run r = run({QStringLiteral("--print"), ett, QStringLiteral("--output"), pdf,
                           QStringLiteral("--copies"), QStringLiteral("1"),
                           QStringLiteral("--number"), QStringLiteral("5")});
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err, QStringLiteral("aufkleber-werkbank: Code \"4006381333932\" (Etikett 5) "
                                       "wird als rotes Kreuz gedruckt: Die Prüfziffer ist falsch "
                                       "(richtig wäre 1).\n"));
        QCOMPARE(pdfraster::pageCount(pdf), 1);
        o.Text = QStringLiteral("400638133393");
        QVERIFY(Saveit(doc, ett, prompts));
        QCOMPARE(run({QStringLiteral("--print"), ett, QStringLiteral("--output"), pdf,
                      QStringLiteral("--copies"), QStringLiteral("1"), QStringLiteral("--number"),
                      QStringLiteral("5")})
                     .code,
                 0);
    }

    void printFailures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown printer")
            << QStringList{QStringLiteral("--printer"), QStringLiteral("Gibt-es-nicht")}
            << QStringLiteral("Den Drucker \"Gibt-es-nicht\" gibt es nicht.");
        QTest::newRow("unwritable output")
            << QStringList{QStringLiteral("--output"), QStringLiteral("/kein/ordner/x.pdf")}
            << QStringLiteral("Der Druckauftrag konnte nicht begonnen werden. Bitte prüfen Sie "
                              "den Drucker oder den Namen der Ausgabedatei.");
    }
    void printFailures() {
        QFETCH(QStringList, args);
        const int before = storedLabelNumber();
        const Run r = run(QStringList{QStringLiteral("--print"), startLabel} + args);
        QCOMPARE(r.code, 1);
        QTEST(r.err.section(QStringLiteral(": "), 1).trimmed(), "message");
        QCOMPARE(storedLabelNumber(), before);
    }
    void wrongUse() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err,
                 QStringLiteral("aufkleber-werkbank: ") + message + QLatin1Char('\n') + Usage);
        QCOMPARE(r.out, QString());
    }

    void unreadableLabelFiles_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("message");
        const QByteArray good = labelFileBytes(LabelDocument());
        QTest::newRow("missing") << QByteArray()
                                 << QStringLiteral(
                                        "Fehler: Datei konnte nicht geöffnet werden: "
                                        "Beim Öffnen der Datei ist ein Fehler aufgetreten!");
        QTest::newRow("wrong identification")
            << QByteArray(good).replace("Werkbank", "Werkbunk")
            << QStringLiteral("Dateikennung falsch: Es handelt sich nicht um eine Etikett im "
                              "NOR-VEX Aufkleber-Werkbank 2.1-Format!");
        QTest::newRow("damaged header")
            << good.left(150)
            << QStringLiteral("Fehler: Datei beschädigt: Die Datei ist beschädigt und wurde nicht "
                              "geöffnet. Sie endet schon im Dateikopf.");
        QTest::newRow("incomplete")
            << good.chopped(2)
            << QStringLiteral("Warnung: Datei unvollständig: Die Datei ist unvollständig, sie "
                              "endet zu früh. Geladen wurde, was bis dahin lesbar war; das "
                              "Etikett hat jetzt keinen Dateinamen.");
    }
    void unreadableLabelFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString ett =
            path(QStringLiteral("kaputt-%1.ett").arg(QLatin1String(QTest::currentDataTag())));
        if (!bytes.isEmpty()) {
            QFile f(ett);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        const QString out = path(QStringLiteral("nie.bmp"));
        const Run r = run({QStringLiteral("--export-image"), ett, out});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err,
                 QStringLiteral("aufkleber-werkbank: ") + message +
                     QStringLiteral("\naufkleber-werkbank: Es wurde kein Bild gespeichert.\n"));
        QVERIFY(!QFileInfo::exists(out));
    }

    // A label whose picture is missing is still made (with a blank stand-in), but the
    // job ends with 3; a thumbnail that was written counts as done.
    void missingPictureWarnsAndExports_data() {
        QTest::addColumn<QStringList>("job");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("code");
        QTest::newRow("export") << QStringList{QStringLiteral("--export-image")}
                                << QStringLiteral("ohne-bild.bmp") << 3;
        QTest::newRow("print") << QStringList{QStringLiteral("--print"), QStringLiteral("--output")}
                               << QStringLiteral("ohne-bild.pdf") << 3;
        QTest::newRow("thumbnail")
            << QStringList{QStringLiteral("--thumbnail")} << QStringLiteral("ohne-bild.png") << 0;
    }
    void missingPictureWarnsAndExports() {
        QFETCH(QStringList, job);
        QFETCH(QString, output);
        LabelDocument doc;
        Tobs& o = doc.Objs[1];
        o.Kind = KindPicture;
        o.X = 70000;
        o.Y = 28110;
        o.Width = 20000;
        o.Height = 20000;
        o.Text = QStringLiteral("C:\\Bilder\\fehlt.jpg");
        const QString ett = path(QStringLiteral("ohne-bild.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, ett, prompts));
        const QString out = path(output);
        QFile::remove(out);
        QStringList args = {job[0], ett};
        args << job.mid(1) << out;
        if (job[0] == QLatin1String("--print")) // the stored counter stays as it is
            args << QStringLiteral("--number") << QStringLiteral("1");
        const Run r = run(args);
        QCOMPARE(r.err,
                 QStringLiteral(
                     "aufkleber-werkbank: Konnte Bild (C:\\Bilder\\fehlt.jpg) nicht Laden.\n"));
        QTEST(r.code, "code");
        QVERIFY(QFileInfo(out).size() > 0);
    }

    void unwritablePictureFails() {
        const Run r = run({QStringLiteral("--export-image"), startLabel,
                           path(QStringLiteral("gibtsnicht/bild.bmp"))});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("aufkleber-werkbank: Das Bild konnte nicht als \"") +
                            path(QStringLiteral("gibtsnicht/bild.bmp")) +
                            QStringLiteral("\" gespeichert werden.\n"));
    }

    void helpAndVersion() {
        const Run help = run({QStringLiteral("--help")});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.startsWith(QStringLiteral(
            "Aufruf: aufkleber-werkbank [--export-image DATEI.ett AUSGABE [--filter-index K]]\n")));
        QVERIFY(help.out.endsWith(QStringLiteral("  -v, --version   Zeigt die Version.\n")));
        QCOMPARE(run({QStringLiteral("-h")}).out, help.out);
        const Run version = run({QStringLiteral("--version")});
        QCOMPARE(version.code, 0);
        QCOMPARE(
            version.out,
            QStringLiteral("aufkleber-werkbank %1\n").arg(QCoreApplication::applicationVersion()));
    }

    // The manual names every exit code the jobs end with.
    void manualListsTheExitCodes() {
        QFile man(qEnvironmentVariable("AWB_TEST_DATA") +
                  QStringLiteral("/../../dist/aufkleber-werkbank.1"));
        QVERIFY(man.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(man.readAll());
        const QString section = text.section(QStringLiteral(".SH EXIT-STATUS\n"), 1)
                                    .section(QStringLiteral("\n.SH "), 0, 0);
        for (int code = 0; code <= 3; ++code)
            QVERIFY2(section.contains(QStringLiteral(".TP\n.B %1\n").arg(code)),
                     qPrintable(QString::number(code)));
    }

    void commandLineJobIsRecognised_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("job");
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("Qt's own option")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")} << false;
        QTest::newRow("export") << QStringList{QStringLiteral("--export-image"),
                                               QStringLiteral("a.ett"), QStringLiteral("b.bmp")}
                                << true;
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << true;
        QTest::newRow("short help") << QStringList{QStringLiteral("-h")} << true;
        QTest::newRow("version") << QStringList{QStringLiteral("-v")} << true;
        QTest::newRow("filter index with =")
            << QStringList{QStringLiteral("--filter-index=3")} << true;
        QTest::newRow("print") << QStringList{QStringLiteral("--print"), QStringLiteral("a.ett")}
                               << true;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--foo")} << true;
        QTest::newRow("Qt's style with =")
            << QStringList{QStringLiteral("--style=fusion")} << false;
        QTest::newRow("label file only") << QStringList{QStringLiteral("a.ett")} << false;
    }
    void commandLineJobIsRecognised() {
        QFETCH(QStringList, args);
        QList<QByteArray> bytes{QByteArray("aufkleber-werkbank")};
        for (const QString& a : args)
            bytes << a.toUtf8();
        QList<char*> argv;
        for (QByteArray& b : bytes)
            argv << b.data();
        QTEST(isCommandLineJob(int(argv.size()), argv.data()), "job");
    }

    // The program itself, started without any display, whatever platform the
    // environment names.
    void runsWithoutADisplay_data() {
        QTest::addColumn<QString>("platform"); // empty: not set
        QTest::newRow("not set") << QString();
        QTest::newRow("xcb") << QStringLiteral("xcb");
        QTest::newRow("wayland;xcb") << QStringLiteral("wayland;xcb");
    }
    void runsWithoutADisplay() {
        QFETCH(QString, platform);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QLatin1String(name));
        if (!platform.isEmpty())
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        QProcess program;
        program.setProcessEnvironment(env);
        const std::pair<const char*, const char*> jobs[] = {
            {"--help", "Aufruf: aufkleber-werkbank"}, {"--version", "aufkleber-werkbank 2.1"}};
        for (const auto& [option, output] : jobs) {
            program.start(executable(), {QString::fromLatin1(option)});
            QVERIFY(program.waitForFinished(60000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            QVERIFY(program.readAllStandardOutput().startsWith(output));
        }
        const QString out = path(QStringLiteral("prozess"));
        QFile::remove(out + QStringLiteral(".jpg"));
        program.start(executable(), {QStringLiteral("--export-image"), startLabel, out,
                                     QStringLiteral("--filter-index"), QStringLiteral("6")});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QImage(out + QStringLiteral(".jpg")).size(), QSize(336, 134));

        program.start(executable(),
                      {QStringLiteral("--export-image"), path(QStringLiteral("nicht-da.ett")),
                       out + QStringLiteral(".bmp")});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(QString::fromUtf8(program.readAllStandardError())
                    .contains(QStringLiteral("Beim Öffnen der Datei ist ein Fehler aufgetreten!")));
    }

    // Installed in a folder the user cannot write, the program takes the per-user
    // folder and puts its sample pictures there, and a label using them exports
    // without a missing picture. Root writes everywhere, so as root the program
    // runs as the user "nobody".
    void samplesReachTheUserFolderOfAReadOnlyInstall() {
        QTemporaryDir base(QDir::tempPath() + QStringLiteral("/awb-XXXXXX"));
        QVERIFY(base.isValid());
        const QString bin = base.filePath(QStringLiteral("bin"));
        const QString data = base.filePath(QStringLiteral("daten"));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(data));
        const QString exe = bin + QStringLiteral("/aufkleber-werkbank");
        QVERIFY(QFile::copy(executable(), exe));
        LabelDocument doc;
        Tobs& logo = doc.Objs[1];
        logo.Kind = KindPicture;
        logo.Text = QStringLiteral("logo.jpg");
        logo.Width = logo.Height = 20000;
        const QString ett = base.filePath(QStringLiteral("logo.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, ett, prompts));
        const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(base.path(), open));
        QVERIFY(QFile::setPermissions(data, open | QFile::WriteGroup | QFile::WriteOther));
        QVERIFY(QFile::setPermissions(bin, open & ~QFile::WriteOwner));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), data);
        env.insert(QStringLiteral("XDG_DATA_HOME"), data);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), data);
        QProcess program;
        program.setProcessEnvironment(env);
        const QStringList args{QStringLiteral("--export-image"), ett,
                               data + QStringLiteral("/logo.bmp")};
        if (geteuid() == 0)
            program.start(QStringLiteral("setpriv"),
                          QStringList{QStringLiteral("--reuid=nobody"),
                                      QStringLiteral("--regid=nogroup"),
                                      QStringLiteral("--clear-groups"), exe} +
                              args);
        else
            program.start(exe, args);
        QVERIFY(program.waitForFinished(60000));
        const QByteArray err = program.readAllStandardError();
        QVERIFY(QFile::setPermissions(bin, open)); // the folder can be removed again
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(!err.contains("Konnte Bild"), err.constData());
        const QString resources =
            qEnvironmentVariable("AWB_TEST_DATA") + QStringLiteral("/../../resources/");
        for (const QString& name :
             {QStringLiteral("logo.jpg"), QStringLiteral("hintergrund.jpg")}) {
            QVERIFY2(QFile::exists(data + QStringLiteral("/aufkleber-werkbank/") + name),
                     qPrintable(name));
            QCOMPARE(head(data + QStringLiteral("/aufkleber-werkbank/") + name, 1 << 24),
                     head(resources + name, 1 << 24));
        }
        QVERIFY(!QFile::exists(bin + QStringLiteral("/logo.jpg")));
    }

    // The program's own picture loader behind the label file reader.
    void labelPicturesThroughTheProgramsLoader() {
        QTemporaryDir dir;
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        img.setPixel(39, 0, qRgb(255, 0, 0)); // top-right corner
        QVERIFY(img.save(dir.filePath(QStringLiteral("bild.png"))));
        LabelDocument doc;
        Tobs& o = doc.Objs[8];
        o.Kind = KindPicture;
        o.Text = QStringLiteral("C:\\Eigene Dateien\\bild.png");
        o.Rotation = 3;
        o.Width = 10000;
        o.Height = 20000;
        // A device named as a picture is not read (it would never end).
        Tobs& device = doc.Objs[9];
        device.Kind = KindPicture;
        device.Text = QStringLiteral("/dev/zero");
        const QString ett = dir.filePath(QStringLiteral("bild.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, ett, prompts));

        LabelDocument back;
        PictureFileLoader pictures;
        QCOMPARE(readLabelFile(ett, back, prompts, pictures), ReadOutcome::Complete);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text, QStringLiteral("Konnte Bild (/dev/zero) nicht Laden."));
        QCOMPARE(back.Objs[9].Picture.Image.size(), QSize(320, 200));
        const TDibRecord& pic = back.Objs[8].Picture;
        QCOMPARE(pic.Image.size(), QSize(20, 40));
        // Turned left, the top-right corner comes to the top left.
        QCOMPARE(getpixel(pic, 0, 0), rgbToColorRef(qRgb(255, 0, 0)));
        QCOMPARE(back.Objs[8].Width, 10000);
        QCOMPARE(back.Objs[8].Height, 20000);
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
