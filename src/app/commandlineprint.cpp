#include "app/commandlineprint.h"

#include "app/labelcounter.h"
#include "app/missingpictures.h"
#include "app/streamprompts.h"
#include "document/labelfile.h"
#include "output/calibrationfile.h"
#include "output/pdfoutput.h"
#include "output/printersetup.h"
#include "output/printrun.h"
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
        "  --cut-lines        Zeichnet Schneidelinien um jedes Etikett.\n");
}

PrintCommandLine::PrintCommandLine(QCommandLineParser& parser)
    : parser_(parser), print_(QStringLiteral("print")), printer_(valueOption("printer", "NAME")),
      output_(valueOption("output", "AUSGABE")), dpi_(valueOption("dpi", "N")),
      used_(valueOption("used", "N")), copies_(valueOption("copies", "N")),
      number_(valueOption("number", "N")), cutLines_(QStringLiteral("cut-lines")) {
    parser_.addOptions({print_, printer_, output_, dpi_, used_, copies_, number_, cutLines_});
}

bool PrintCommandLine::requested() const {
    for (const QCommandLineOption* o :
         {&print_, &printer_, &output_, &dpi_, &used_, &copies_, &number_, &cutLines_}) {
        if (parser_.isSet(*o))
            return true;
    }
    return false;
}

QString PrintCommandLine::optionWithoutValue(const QStringList& arguments) const {
    if (arguments.isEmpty())
        return QString();
    const QString last = arguments.constLast();
    for (const QCommandLineOption* o : {&printer_, &output_, &dpi_, &used_, &copies_, &number_}) {
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
    const auto copies = number(parser_, copies_, 10, 1, 1000000, err);
    const auto first = number(parser_, number_, 0, INT32_MIN, INT32_MAX, err);
    if (!dpi || !used || !copies || !first)
        return 2;

    QPrinter printer(QPrinter::HighResolution);
    if (parser_.isSet(output_)) {
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
    const Calibration calibration = readCalibration();
    const PrintResult result = printOnDevice(printer, LabelJobName, [&](QPagedPaintDevice& device) {
        return PrintLabels(doc, device, run, calibration, start, &prompts);
    });
    if (!ownNumber && result.printed > 0)
        storeLabelNumber(advancedNumber(start, result.printed));
    if (!result.ok) {
        err << Program << result.error << Qt::endl;
        return 1;
    }
    return reportMissingPictures(pictures, err);
}
