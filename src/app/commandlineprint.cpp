#include "app/commandlineprint.h"

#include "app/commandlinemerge.h"
#include "app/labelcounter.h"
#include "app/missingpictures.h"
#include "app/streamprompts.h"
#include "document/labelfile.h"
#include "merge/textsource.h"
#include "output/calibrationfile.h"
#include "output/pdfoutput.h"
#include "output/printersetup.h"
#include "output/printrun.h"
#include "render/codecheck.h"
#include "render/picturefileloader.h"

#include <QCommandLineParser>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextStream>

#include <optional>

namespace {
const QString Program = QStringLiteral("aufkleber-werkbank: ");

int usage(QTextStream& err, const QString& text) {
    err << Program << text << Qt::endl
        << QStringLiteral("Hilfe mit: aufkleber-werkbank --help") << Qt::endl;
    return 2;
}

// The whole-number value of an option within [min, max], or nothing (with a message).
std::optional<int> number(const QCommandLineParser& parser, const QCommandLineOption& option,
                          int fallback, int min, int max, QTextStream& err) {
    if (!parser.isSet(option))
        return fallback;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (ok && value >= min && value <= max)
        return value;
    usage(err, QStringLiteral("Ungültiger Wert \"%1\" für --%2: erlaubt sind %3 bis %4.")
                   .arg(parser.value(option), option.names().constFirst())
                   .arg(min)
                   .arg(max));
    return std::nullopt;
}

QCommandLineOption valueOption(const char* name, const char* valueName) {
    return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(valueName));
}
} // namespace

QString printHelpText() {
    return QStringLiteral(
        "  --print DATEI.ett\n"
        "        Druckt die Etiketten der Datei ohne Fenster, genau wie \"Drucken\": auf den\n"
        "        aktuellen Drucker oder mit --output in eine PDF-Datei (A4). Die gespeicherte\n"
        "        Kalibrierung gilt; die laufende Nummer wird wie beim Drucken weitergezählt.\n"
        "  --printer NAME     Druckt auf den Drucker NAME statt auf den aktuellen.\n"
        "  --output AUSGABE.pdf  Schreibt die Blätter in die PDF-Datei AUSGABE.pdf.\n"
        "  --dpi N            Auflösung in Punkten pro Zoll, 72 bis 2400 (PDF: 600).\n"
        "  --used N           Schon benutzte Positionen des ersten Blatts, 0 bis 100 (0).\n"
        "  --copies N         Anzahl der Etiketten, 1 bis 1000000 (10).\n"
        "  --number N         Erste laufende Nummer; die gespeicherte bleibt dann, wie sie\n"
        "                     ist.\n"
        "  --cut-lines        Zeichnet Schneidelinien um jedes Etikett.\n"
        "  --merge DATEN      Serienetiketten: ein Etikett je Zeile der CSV- oder Textdatei\n"
        "                     oder je Karte der vCard-Datei DATEN (\"-\" liest die\n"
        "                     Standardeingabe); --copies zählt dann je Zeile (1).\n"
        "  --rows LISTE       Nur diese Datenzeilen, etwa 1-20,25 (ab 1, ohne Kopfzeile).\n"
        "  --check            Prüft nur: Felder ohne Spalte, Texte, die nicht in ihr Feld\n"
        "                     passen. Befunde auf der Standardfehlerausgabe, Rückgabewert 3\n"
        "                     bei Befunden, sonst 0. Ohne --check wird trotzdem gedruckt\n"
        "                     und bei Befunden mit 3 beendet.\n");
}

PrintCommandLine::PrintCommandLine(QCommandLineParser& parser)
    : parser_(parser), print_(QStringLiteral("print")), printer_(valueOption("printer", "NAME")),
      output_(valueOption("output", "AUSGABE")), dpi_(valueOption("dpi", "N")),
      used_(valueOption("used", "N")), copies_(valueOption("copies", "N")),
      number_(valueOption("number", "N")), cutLines_(QStringLiteral("cut-lines")),
      merge_(valueOption("merge", "DATEN")), rows_(valueOption("rows", "LISTE")),
      check_(QStringLiteral("check")) {
    parser_.addOptions({print_, printer_, output_, dpi_, used_, copies_, number_, cutLines_, merge_,
                        rows_, check_});
}

bool PrintCommandLine::requested() const {
    for (const QCommandLineOption* o : {&print_, &printer_, &output_, &dpi_, &used_, &copies_,
                                        &number_, &cutLines_, &rows_, &check_}) {
        if (parser_.isSet(*o))
            return true;
    }
    return false;
}

QString PrintCommandLine::optionWithoutValue(const QStringList& arguments) const {
    if (arguments.isEmpty())
        return QString();
    const QString last = arguments.constLast();
    for (const QCommandLineOption* o :
         {&printer_, &output_, &dpi_, &used_, &copies_, &number_, &merge_, &rows_}) {
        const QString name = QStringLiteral("--") + o->names().constFirst();
        if (last == name || last == name.mid(1))
            return name;
    }
    return QString();
}

int PrintCommandLine::run(QTextStream& err) const {
    if (!parser_.isSet(print_))
        return usage(err, QStringLiteral("Diese Optionen gelten nur mit --print."));
    const QStringList files = parser_.positionalArguments();
    if (files.size() != 1)
        return usage(err, QStringLiteral("--print braucht genau einen Namen: die Etikettdatei."));
    if (parser_.isSet(printer_) && parser_.isSet(output_))
        return usage(err, QStringLiteral("--printer und --output schließen einander aus."));
    const auto dpi = number(parser_, dpi_, PdfPixelsPerInch, 72, 2400, err);
    const auto used = number(parser_, used_, 0, 0, RunSettings::MaxUsed, err);
    const bool merged = parser_.isSet(merge_);
    if (!merged && (parser_.isSet(rows_) || parser_.isSet(check_)))
        return usage(err, QStringLiteral("--rows und --check gelten nur mit --merge."));
    std::optional<RowSelection> rows = RowSelection();
    if (parser_.isSet(rows_))
        rows = RowSelection::parse(parser_.value(rows_));
    if (!rows)
        return usage(err, QStringLiteral("Ungültige Zeilenauswahl \"%1\" für --rows: erwartet "
                                         "wird etwa 1-20,25.")
                              .arg(parser_.value(rows_)));
    const auto copies = number(parser_, copies_, merged ? 1 : 10, 1, 1000000, err);
    const auto first = number(parser_, number_, 0, INT32_MIN, INT32_MAX, err);
    if (!dpi || !used || !copies || !first)
        return 2;

    QPrinter printer(QPrinter::HighResolution);
    // A check alone needs no printer, only a resolution: that of the PDF output
    // unless a printer is named.
    if (parser_.isSet(output_) || (parser_.isSet(check_) && !parser_.isSet(printer_))) {
        setUpPdfPrinter(printer, parser_.value(output_), *dpi);
    } else {
        const QString name =
            parser_.isSet(printer_) ? parser_.value(printer_) : QPrinterInfo::defaultPrinterName();
        if (name.isEmpty()) {
            err << Program
                << QStringLiteral("Es ist kein Drucker eingerichtet. Geben Sie mit --printer "
                                  "einen Drucker oder mit --output eine PDF-Datei an.")
                << Qt::endl;
            return 1;
        }
        if (!setUpSystemPrinter(printer, name)) {
            err << Program << QStringLiteral("Den Drucker \"%1\" gibt es nicht.").arg(name)
                << Qt::endl;
            return 1;
        }
        if (parser_.isSet(dpi_))
            printer.setResolution(*dpi);
    }

    StreamPrompts prompts(err);
    PictureFileLoader loader;
    MissingPictures pictures(loader);
    LabelDocument doc;
    if (readLabelFile(files[0], doc, prompts, pictures) != ReadOutcome::Complete) {
        err << Program << QStringLiteral("Es wurde nichts gedruckt.") << Qt::endl;
        return 1;
    }
    RunSettings run;
    run.Used = *used;
    run.Copies = *copies;
    run.CutLines = parser_.isSet(cutLines_);
    const bool ownNumber = parser_.isSet(number_);
    const int start = ownNumber ? *first : storedLabelNumber();

    MergeInput data;
    MergeRowStream stream;
    MergeSurvey survey;
    if (merged) {
        if (!data.open(parser_.value(merge_), err))
            return 1;
        survey = surveyMerge(doc, data.path(), *rows, *copies, start, printer.logicalDpiX(), err);
        if (!survey.ok)
            return 1;
        reportSurvey(survey, displayName(data.name()), err);
        if (parser_.isSet(check_))
            return survey.findingCount > 0 ? 3 : 0;
        if (survey.rows == 0) {
            err << Program
                << QStringLiteral("Die Daten enthalten keine der gewählten Zeilen; es "
                                  "wurde nichts gedruckt.")
                << Qt::endl;
            return 1;
        }
        if (survey.rows * *copies > INT32_MAX) {
            err << Program << QStringLiteral("So viele Etiketten passen in keinen Druckauftrag.")
                << Qt::endl;
            return 1;
        }
        QString error;
        if (!stream.open(data.path(), *rows, *copies, &error)) {
            err << Program << error << Qt::endl;
            return 1;
        }
        run.Copies = int(survey.rows * *copies);
    }
    LabelRecord labelRecord;
    if (merged)
        labelRecord = [&stream](int64_t label) { return stream.recordForLabel(label); };
    const std::vector<CodeFault> faults =
        codeFaults(doc, start, run.Copies, printer.logicalDpiX(), merged);
    for (const CodeFault& f : faults)
        err << Program
            << QStringLiteral("Code \"%1\" (Etikett %2) wird als rotes Kreuz gedruckt: %3")
                   .arg(f.data.left(200))
                   .arg(f.number)
                   .arg(f.reason)
            << Qt::endl;
    const Calibration calibration = readCalibration();
    const PrintResult result = printOnDevice(printer, LabelJobName, [&](QPagedPaintDevice& device) {
        return PrintLabels(doc, device, run, calibration, start, &prompts, {}, labelRecord);
    });
    if (!ownNumber && result.printed > 0)
        storeLabelNumber(advancedNumber(start, result.printed));
    if (!result.ok) {
        err << Program << result.error << Qt::endl;
        return 1;
    }
    const int pictureCode = reportMissingPictures(pictures, err);
    return faults.empty() && survey.findingCount == 0 ? pictureCode : 3;
}

QString PrintCommandLine::mergeSource() const {
    return parser_.isSet(merge_) ? parser_.value(merge_) : QString();
}
