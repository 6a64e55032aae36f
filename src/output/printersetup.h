#pragma once

#include <QString>

class QPrinter;

// The printer the program prints on: the system's current printer through CUPS, or
// a PDF file of A4 pages when no printer is installed.

inline constexpr int PdfPixelsPerInch = 600;

// True when the system knows at least one printer.
bool hasSystemPrinter();

// Sets the printer up to write a PDF file: A4 portrait, the given resolution, no
// unprintable border (the printable area is the whole page).
void setUpPdfPrinter(QPrinter& printer, const QString& fileName, int dpi = PdfPixelsPerInch);

// Sets the printer up for the named system printer; false when no such printer exists.
bool setUpSystemPrinter(QPrinter& printer, const QString& name);
