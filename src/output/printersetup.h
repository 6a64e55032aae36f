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

// Makes the printable area the one the printer reports (its smallest margins)
// instead of the print system's own default border.
void usePrinterMargins(QPrinter& printer);

// Sets the printer up for the named system printer with its own printable area;
// false when no such printer exists.
bool setUpSystemPrinter(QPrinter& printer, const QString& name);
