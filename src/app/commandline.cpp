#include "app/commandline.h"

#include "app/application.h"
#include "app/commandlinemerge.h"
#include "app/commandlineprint.h"
#include "app/commandlinethumbnail.h"
#include "app/labelcounter.h"
#include "app/missingpictures.h"
#include "app/streamprompts.h"
#include "codec/rasterio.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "output/labelexport.h"
#include "render/fieldpicture.h"
#include "render/picturefileloader.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>

namespace {
const QString ProgramName = QStringLiteral("aufkleber-werkbank");

QString helpText() {
    return QStringLiteral(
               "Aufruf: aufkleber-werkbank [--export-image DATEI.ett AUSGABE [--filter-index K]]\n"
               "        aufkleber-werkbank --export-image DATEI.ett AUSGABE --merge DATEN [--row "
               "N]\n"
               "        aufkleber-werkbank --thumbnail DATEI.ett AUSGABE.png [GRÖSSE]\n"
               "        aufkleber-werkbank --print DATEI.ett [--printer NAME] [--output "
               "AUSGABE.pdf]\n"
               "                           [--dpi N] [--used N] [--copies N] [--number N] "
               "[--cut-lines]\n"
               "                           [--merge DATEN [--rows LISTE] [--check]]\n"
               "\n"
               "Ohne Optionen startet die Aufkleber-Werkbank mit ihrem Fenster.\n"
               "\n"
               "Optionen:\n"
               "  --export-image DATEI.ett AUSGABE\n"
               "        Zeichnet das Etikett der Datei DATEI.ett ohne Fenster mit 96 Pixeln pro "
               "Zoll\n"
               "        und speichert es als Bild AUSGABE (wie \"eMail Export\"). Die laufende "
               "Nummer\n"
               "        ist die zuletzt im Programm eingestellte; sie wird nicht weitergezählt.\n"
               "  --filter-index K\n"
               "        Bildformat K: 1 BMP, 2 DIB, 3 GIF, 4 IFF, 5 JIF, 6 JPG, 7 LBM, 8 PCX,\n"
               "        9 RLE, 10 TGA, 11 TIF, 12 PNG. Ein Name ohne Endung erhält die Endung\n"
               "        des Formats.\n"
               "        Ohne diese Option bestimmt die Endung von AUSGABE das Format.\n"
               "        Mit --merge DATEN wird das Etikett mit der Datenzeile N gezeichnet\n"
               "        (--row N, ab 1, ohne Angabe 1).\n"
               "  --thumbnail DATEI.ett AUSGABE.png [GRÖSSE]\n"
               "        Speichert ein Vorschaubild des Etiketts als PNG, dessen längere Seite\n"
               "        GRÖSSE Pixel misst (1 bis 1024, ohne Angabe 256).\n"
               "%1"
               "  -h, --help      Zeigt diese Hilfe.\n"
               "  -v, --version   Zeigt die Version.\n")
        .arg(printHelpText());
}

// Options that Qt's application object takes for the window system ("-platform xcb",
// "--style=fusion" and the like).
bool isWindowSystemOption(const char* arg) {
    const char* name = arg + (std::strncmp(arg, "--", 2) == 0 ? 2 : 1);
    const size_t length = std::strcspn(name, "=");
    for (const char* option : {"platform",
                               "platformpluginpath",
                               "platformtheme",
                               "plugin",
                               "qwindowgeometry",
                               "qwindowicon",
                               "qwindowtitle",
                               "reverse",
                               "session",
                               "style",
                               "stylesheet",
                               "widgetcount",
                               "display",
                               "geometry",
                               "title",
                               "name",
                               "nograb",
                               "dograb",
                               "sync",
                               "qmljsdebugger"}) {
        if (std::strlen(option) == length && std::strncmp(name, option, length) == 0)
            return true;
    }
    return false;
}

int usageError(QTextStream& err, const QString& text) {
    err << ProgramName << ": " << text << Qt::endl
        << QStringLiteral("Hilfe mit: aufkleber-werkbank --help") << Qt::endl;
    return 2;
}

int thumbnailJob(const QCommandLineParser& parser, QTextStream& err) {
    const QStringList args = parser.positionalArguments();
    if (parser.optionNames().size() != 1)
        return usageError(err, QStringLiteral("--thumbnail steht allein."));
    if (args.size() < 2 || args.size() > 3)
        return usageError(err, QStringLiteral("--thumbnail braucht die Etikettdatei, die "
                                              "PNG-Datei und wahlweise die Größe."));
    int size = DefaultThumbnailSize;
    bool ok = true;
    if (args.size() == 3)
        size = args[2].toInt(&ok);
    if (!ok || size < 1 || size > MaxThumbnailSize)
        return usageError(err, QStringLiteral("Ungültige Größe \"") + args[2] +
                                   QStringLiteral("\": erlaubt sind 1 bis 1024."));
    return writeLabelThumbnail(args[0], args[1], size, storedLabelNumber(), err);
}
} // namespace

bool isCommandLineJob(int argc, char** argv) {
    // Every option is the program's own (or refused as unknown), except the options of
    // Qt's own that the window understands.
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' && !isWindowSystemOption(argv[i]))
            return true;
    }
    return false;
}

int runCommandLine(int argc, char** argv) {
    // Fonts need a GUI application, a display it does not need. Whatever platform
    // the environment names (perhaps one that cannot start here, as over ssh), the
    // job runs on the offscreen one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    configureApplication();
    initProgPath();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return commandLineMain(QGuiApplication::arguments(), out, err);
}

int commandLineMain(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption exportOption(QStringLiteral("export-image"));
    const QCommandLineOption filterOption(QStringLiteral("filter-index"), QString(),
                                          QStringLiteral("K"));
    const QCommandLineOption helpOption(
        QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption versionOption(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption thumbnailOption(QStringLiteral("thumbnail"));
    const QCommandLineOption rowOption(QStringLiteral("row"), QString(), QStringLiteral("N"));
    parser.addOptions(
        {exportOption, filterOption, helpOption, versionOption, thumbnailOption, rowOption});
    const PrintCommandLine print(parser);

    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return usageError(err, QStringLiteral("Unbekannte Option: ") +
                                       parser.unknownOptionNames().join(QStringLiteral(", ")));
        if (const QString missing = print.optionWithoutValue(arguments); !missing.isEmpty())
            return usageError(err,
                              QStringLiteral("Zu ") + missing + QStringLiteral(" fehlt der Wert."));
        // The other refusals: a value given to an option that takes none, or none given to
        // --filter-index.
        for (const QString& a : arguments.mid(1)) {
            const qsizetype eq = a.indexOf(QLatin1Char('='));
            if (a.startsWith(QLatin1Char('-')) && eq > 0 &&
                !a.left(eq).endsWith(QLatin1String("filter-index")))
                return usageError(err, QStringLiteral("Die Option ") + a.left(eq) +
                                           QStringLiteral(" nimmt keinen Wert."));
        }
        if (arguments.constLast() == QLatin1String("--row"))
            return usageError(err, QStringLiteral("Zu --row fehlt die Nummer der Datenzeile."));
        return usageError(err, QStringLiteral("Zu --filter-index fehlt die Nummer des Formats."));
    }
    if (parser.isSet(helpOption)) {
        out << helpText() << Qt::flush;
        return 0;
    }
    if (parser.isSet(versionOption)) {
        out << ProgramName << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    }
    if (print.requested()) {
        if (parser.isSet(exportOption) || parser.isSet(thumbnailOption) ||
            parser.isSet(filterOption))
            return usageError(err, QStringLiteral("--print schließt --export-image, --thumbnail "
                                                  "und --filter-index aus."));
        return print.run(err);
    }
    if (parser.isSet(thumbnailOption))
        return thumbnailJob(parser, err);
    if (!parser.isSet(exportOption)) {
        if (!print.mergeSource().isEmpty() || parser.isSet(rowOption))
            return usageError(err, QStringLiteral("--merge gilt nur mit --print oder "
                                                  "--export-image, --row nur mit "
                                                  "--export-image."));
        return usageError(err, QStringLiteral("--filter-index gilt nur mit --export-image."));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return usageError(err, QStringLiteral("--export-image braucht genau zwei Namen: die "
                                              "Etikettdatei und die Bilddatei."));
    int filterIndex = 0;
    if (parser.isSet(filterOption)) {
        bool ok = false;
        filterIndex = parser.value(filterOption).toInt(&ok);
        if (!ok || filterIndex < 1 || filterIndex > ExportFilterCount)
            return usageError(err, QStringLiteral("Ungültiger Filterindex \"") +
                                       parser.value(filterOption) +
                                       QStringLiteral("\": erlaubt sind 1 bis 12."));
    }
    int row = 1;
    if (parser.isSet(rowOption)) {
        bool ok = false;
        row = parser.value(rowOption).toInt(&ok);
        if (print.mergeSource().isEmpty())
            return usageError(err, QStringLiteral("--row gilt nur mit --merge."));
        if (!ok || row < 1)
            return usageError(err, QStringLiteral("Ungültige Datenzeile \"") +
                                       parser.value(rowOption) +
                                       QStringLiteral("\": erwartet wird eine Zahl ab 1."));
    }
    return exportLabelImage(files[0], files[1], filterIndex, err, print.mergeSource(), row);
}

int exportLabelImage(const QString& labelFile, const QString& output, int filterIndex,
                     QTextStream& err, const QString& mergeSource, int row) {
    QString fileName = output;
    int formatCode = 0;
    if (filterIndex > 0) {
        if (QFileInfo(fileName).suffix().isEmpty())
            fileName += exportFilterExtension(filterIndex);
        formatCode = exportFormatCode(filterIndex);
    } else {
        formatCode = exportFormatCodeForName(fileName);
        if (formatCode == 0)
            return usageError(err, QStringLiteral("Das Bildformat von \"") + output +
                                       QStringLiteral("\" ist unbekannt. Erlaubt sind die Endungen "
                                                      ".bmp .dib .gif .iff .jif .jpg .lbm .pcx "
                                                      ".rle .tga .tif .png, oder --filter-index."));
    }

    StreamPrompts prompts(err);
    PictureFileLoader loader;
    MissingPictures pictures(loader);
    LabelDocument doc;
    const ReadOutcome read = readLabelFile(labelFile, doc, prompts, pictures);
    if (read != ReadOutcome::Complete) {
        err << ProgramName << ": " << QStringLiteral("Es wurde kein Bild gespeichert.") << Qt::endl;
        return 1;
    }

    // The record refers to the stream's columns: both live until the picture is drawn.
    MergeInput data;
    MergeRowStream stream;
    MergeRecord record;
    if (!mergeSource.isEmpty()) {
        QString error;
        qint64 fileRow = 0;
        if (!data.open(mergeSource, err))
            return 1;
        if (!stream.open(data.path(), *RowSelection::parse(QString::number(row)), 1, &error)) {
            err << ProgramName << ": " << error << Qt::endl;
            return 1;
        }
        if (!stream.nextChosen(record, fileRow)) {
            err << ProgramName << ": "
                << QStringLiteral("Die Daten haben keine Zeile %1; es wurde kein Bild "
                                  "gespeichert.")
                       .arg(row)
                << Qt::endl;
            return 1;
        }
    }
    TDibRecord picture;
    if (!renderLabelPicture(doc, storedLabelNumber(), picture,
                            mergeSource.isEmpty() ? nullptr : &record)) {
        const QSize size = exportPictureSize(doc.Format);
        err << ProgramName << ": "
            << QStringLiteral("Aus einem Etikett von %1 x %2 Pixeln lässt sich kein Bild machen.")
                   .arg(size.width())
                   .arg(size.height())
            << Qt::endl;
        return 1;
    }
    if (SaveDib(picture, fileName, formatCode) != 1) {
        err << ProgramName << ": " << QStringLiteral("Das Bild konnte nicht als \"") << fileName
            << QStringLiteral("\" gespeichert werden.") << Qt::endl;
        return 1;
    }
    int code = reportMissingPictures(pictures, err);
    // The pictures that the row names are fetched as the label is drawn.
    if (!mergeSource.isEmpty()) {
        for (const QString& name : unloadableRowPictures(doc, storedLabelNumber(), &record)) {
            err << ProgramName << ": " << pictureFailedMessage(name) << Qt::endl;
            code = MissingPicturesExitCode;
        }
    }
    return code;
}
