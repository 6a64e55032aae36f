#pragma once

#include "document/labelformat.h"

#include <QRect>

#include <cstdint>

// Where labels land on the sheets of a run: the run settings of the print page,
// the rules that keep them consistent, and the label rectangles in preview and
// device pixels.

struct RunSettings {
    static constexpr int MaxUsed = 100;
    static constexpr int MaxCopies = 1000;
    static constexpr int MaxPage = 1000;

    int Used = 0;    // positions already used at the start of the first sheet
    int Copies = 10; // labels to print
    int Page = 1;    // sheet shown in the preview, from 1
    bool CutLines = false;
};

// Positions on one sheet (Across x Down, each at least 1, at most INT32_MAX).
int positionsPerSheet(const TLabelFormat& format);
// Sheets that positions Used .. Used + Copies - 1 need.
int pagesFor(const TLabelFormat& format, int used, int copies);

// Keeps one position of the first sheet free (step 1, optional) and the shown page
// within the sheets the run needs (steps 2 and 3).
void ClampRunSettings(RunSettings& run, const TLabelFormat& format, bool clampUsed = true);

// Trunc(mm / mmPerInch x pixelsPerInch): a length in pixels.
int mmToPixels(double mm, double mmPerInch, int pixelsPerInch);

// The preview: label size and the corner of position (column, row) at `zoom` pixels
// per inch, uncalibrated.
QSize previewLabelSize(const TLabelFormat& format, int zoom);
QPoint previewCorner(const TLabelFormat& format, int zoom, int column, int row);
// The preview page: the printable page of pageW x pageH device pixels at dpiX x dpiY
// shown at `zoom` pixels per inch (64-bit, never dividing by 0).
QSize previewPageSize(QSize devicePage, int dpiX, int dpiY, int zoom);

// The preview zoom steps: the next value, or the same one at the limits.
int zoomedIn(int zoom);
int zoomedOut(int zoom);
inline constexpr int StartPreviewZoom = 35;

// The printer calibration: measured offsets of the printable area and measured size
// of the 100 mm test square, in millimetres.
struct Calibration {
    double Links = 0.0;
    double Oben = 0.0;
    double Breit = 100.0;
    double Hoch = 100.0;

    // Millimetres per inch for each axis while printing.
    double mmPerInchX() const { return Breit * MmPerInch / 100.0; }
    double mmPerInchY() const { return Hoch * MmPerInch / 100.0; }
    // Each value limited to its range; values that are no numbers keep the start value.
    Calibration clamped() const;
    bool operator==(const Calibration&) const = default;
};

// A label rectangle on the printer page in device pixels, calibrated.
QRect deviceLabelRect(const TLabelFormat& format, const Calibration& calibration, int dpiX,
                      int dpiY, int column, int row);
