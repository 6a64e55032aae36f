#pragma once

#include "output/printrun.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPrinter;

// Print jobs that end in a PDF file. The file is made by a PDF writer on a save file
// that is checked: a PDF that could not be written completely (a full disk) replaces
// nothing, and an older file of that name stays as it was.

// True when the printer is set up to write a PDF file instead of printing.
bool printsIntoPdfFile(const QPrinter& printer);

using DeviceJob = std::function<PrintResult(QPagedPaintDevice&)>;

// Runs the job on the printer itself, or, when the printer names a PDF file, on a
// PDF writer with the printer's page layout and resolution. A PDF file that could
// not be opened or written makes the result a failure with nothing printed.
PrintResult printOnDevice(QPrinter& printer, const QString& title, const DeviceJob& job);

// The same for the calibration's test square.
bool printTestSquareOn(QPrinter& printer);
