#pragma once

#include "output/sheetlayout.h"

#include <QString>

#include <functional>

class LabelDocument;
class Prompts;
class QPagedPaintDevice;
class QPrinter;
struct MergeRecord;

inline const QString LabelJobName = QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 Etikett");
inline const QString TestJobName = QStringLiteral("Format-Drucker Testdruck");
// Shown when a device reports different horizontal and vertical resolutions.
inline const QString UnequalResolutionText =
    QStringLiteral("Diese Meldung dürfte nie erscheinen. Das Programm kann mit diesem Drucker "
                   "wahrscheinlich nicht korrekt drucken.");

inline const QString JobNotStartedText =
    QStringLiteral("Der Druckauftrag konnte nicht begonnen werden. Bitte prüfen Sie den Drucker "
                   "oder den Namen der Ausgabedatei.");
inline const QString JobNotFinishedText =
    QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden.");

struct PrintResult {
    bool ok = false;
    int printed = 0; // labels that reached the finished job
    QString error;   // German text when !ok
};

// Called after every label: labels done so far, labels of the run.
using PrintProgress = std::function<void(int done, int total)>;

// The data row of label i of a run (from 0); null for none.
using LabelRecord = std::function<const MergeRecord*(int64_t label)>;

// Prints one run onto a paged device that is set up (a printer, or a PDF writer of
// printToDevice; page, resolution): Copies labels from position Used on, a new page at each sheet
// boundary, each label numbered from firstNumber upwards, cut lines if wanted,
// corrected by the calibration. The output switches of the document are restored
// on every way out. A job that cannot begin or that fails prints nothing and
// reports printed 0. prompts may be null (no messages). With labelRecord, each label
// is drawn with its data row.
PrintResult PrintLabels(LabelDocument& doc, QPagedPaintDevice& device, RunSettings run,
                        const Calibration& calibration, int firstNumber, Prompts* prompts,
                        const PrintProgress& progress = {}, const LabelRecord& labelRecord = {});

// The label counter after a run: start + printed, kept within int.
int advancedNumber(int start, int printed);

// The calibration test: a light grey square of nominally 100 mm with a black
// border at the printable area's corner. False when the job could not be made.
bool printTestSquare(QPagedPaintDevice& device);

// Draws the dotted black outline of a label (white gaps), one device pixel wide.
void drawCutLines(class QPainter& painter, const QRect& label);
