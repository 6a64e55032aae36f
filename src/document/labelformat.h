#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstdint>

// Millimetres per inch used throughout the program (deliberately not 25.4).
inline constexpr double MmPerInch = 25.39995;
// Logical screen pixels per inch; high-DPI screens are served by the device pixel ratio.
inline constexpr int ScreenPixelsPerInch = 96;

// The sheet format: one label stock with a regular grid of equal labels.
// Stored as a 112-byte little-endian record in label files and in the catalogue.
struct TLabelFormat {
    static constexpr int RecordSize = 112;
    static constexpr int MaxTypeNameLength = 50;

    double MarginLeft = 10.0;
    double MarginTop = 1.0;
    double PitchX = 90.0;
    double PitchY = 38.0;
    double LabelWidth = 88.9;
    double LabelHeight = 35.7;
    int32_t Across = 1;
    int32_t Down = 12;
    QString TypeName = QStringLiteral("Kein Etikettentyp");

    // Writes the record field by field; the type name is cut to 50 characters,
    // unused name bytes and the padding are zero.
    QByteArray toBytes() const;
    // Reads a record as stored; needs at least RecordSize bytes (false otherwise).
    static bool fromBytes(const QByteArray& bytes, TLabelFormat& out);

    bool operator==(const TLabelFormat&) const = default;
};

// The one-line summary of a format, with the locale's decimal separator.
QString InfoLine(const TLabelFormat& format, const QLocale& locale = QLocale());

// Work area (three labels by three labels) in document units, 1/20000 inch.
int32_t workWidthFor(const TLabelFormat& format);
int32_t workHeightFor(const TLabelFormat& format);

// Where label position k (0-based, counted over consecutive sheets) lies.
struct SheetPosition {
    int column = 0;
    int row = 0;
    int sheet = 0;
    double leftMm = 0; // from the left edge of the printable area
    double topMm = 0;  // from the top edge of the printable area
};
// Across and Down below 1 count as 1, so a damaged format never divides by zero.
SheetPosition sheetPosition(const TLabelFormat& format, int k);
