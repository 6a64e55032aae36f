#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Barcodes and 2D codes through libzint. A symbol comes back as shapes in module
// units (one unit = one X-dimension), its quiet zones included, with the origin at
// the top-left corner of the whole symbol. Nothing here knows of devices: the
// renderer decides how many dots a module gets.

// The symbologies in the order of a code object's Shape field.
enum class CodeSymbology : int32_t {
    QrCode = 0,
    DataMatrix = 1,
    Code128 = 2,
    Ean13 = 3,
    Ean8 = 4,
    UpcA = 5,
    UpcE = 6,
    Code39 = 7,
    Itf14 = 8,
    Interleaved2of5 = 9,
    Gs1_128 = 10,
    Pdf417 = 11,
    Aztec = 12,
    Gs1DataMatrix = 13,
};
inline constexpr int CodeSymbologyCount = 14;

// Data longer than this is refused before libzint sees it: no symbology holds more.
inline constexpr int MaxCodeDataLength = 8000;

// The German name of a symbology (for the dialog); empty outside the table.
QString codeSymbologyName(int symbology);
// True for the codes with a nominal size (EAN and UPC).
bool codeHasNominalSize(int symbology);
// True for the codes that take an error correction level (QR code).
bool codeHasErrorCorrection(int symbology);
// True for the 1D codes (bars whose height follows the box).
bool codeIsLinear(int symbology);

struct CodeRequest {
    int symbology = 0;
    QString data; // the data after %%NUMMER%% and merge fields are replaced
    bool humanReadable = false;
    int errorCorrection = 0; // QR: 0 automatic, 1 L, 2 M, 3 Q, 4 H
    // Linear codes: the bars' height in modules; 0 keeps libzint's default.
    double barHeight = 0.0;
};

struct CodeBar {
    double x = 0, y = 0, width = 0, height = 0;
};
struct CodeHexagon {
    double x = 0, y = 0, diameter = 0; // centre and the diameter of the circumscribed circle
    int rotation = 0;                  // degrees: 0, 90, 180, 270
};
struct CodeRing {
    double x = 0, y = 0, diameter = 0; // centre and the diameter inside the line
    double lineWidth = 0;              // 0: a filled disc
    bool background = false;           // drawn in the background colour
};
struct CodeText {
    double x = 0, y = 0; // anchor (by alignment) on the baseline
    double size = 0;     // character height
    double width = 0;    // the width the text should not exceed; 0 for any
    int align = 0;       // 0 centred, 1 left, 2 right
    QString text;
};

struct CodeSymbol {
    bool ok = false;
    QString reason; // German, when not ok
    double width = 0, height = 0;
    double barHeight = 0; // linear codes: the bars' height the symbol was made with
    bool linear = false;
    std::vector<CodeBar> bars;
    std::vector<CodeHexagon> hexagons;
    std::vector<CodeRing> rings;
    std::vector<CodeText> texts;
    QString encoded; // the data as encoded, with a computed check digit
};

// Checks and encodes. Check digits of EAN-13, EAN-8, UPC-A, UPC-E and ITF-14 are
// computed when left out and verified when given, told apart by the number of
// digits; EAN and UPC take an add-on of 2 or 5 digits after a "+".
CodeSymbol encodeCode(const CodeRequest& request);

// The mod-10 check digit of EAN, UPC and ITF-14 (weights 3 and 1 from the right) of
// a string of digits.
int gtinCheckDigit(const QString& digits);
