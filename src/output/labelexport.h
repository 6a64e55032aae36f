#pragma once

#include "codec/dibrecord.h"
#include "document/labeldocument.h"

#include <QString>

struct MergeRecord;

// The label as a picture, as the "eMail Export" makes it: 96 pixels per inch, the
// label alone, white where nothing is drawn.

inline constexpr int ExportPixelsPerInch = 96;

// Picture size of the label: Trunc(label size / MmPerInch x 96) on each axis.
QSize exportPictureSize(const TLabelFormat& format);

// Draws the label into a new 24-bit picture with the label number for "%%NUMMER%%"
// and the fields of record (a data row, or null). False when the label's size gives
// no possible picture.
bool renderLabelPicture(LabelDocument& doc, int number, TDibRecord& picture,
                        const MergeRecord* record = nullptr);
// The same at another scale: a picture of the given size, outputScale pixels per
// document unit (96 / 20000 for the export).
bool renderLabelPicture(LabelDocument& doc, int number, QSize size, double outputScale,
                        TDibRecord& picture, const MergeRecord* record = nullptr);

// The save filter's entries, counted from 1: extension (".bmp" ... ".tif", then
// ".png"), format code index + 2.
inline constexpr int ExportFilterCount = 12;
QString exportFilterExtension(int filterIndex);
inline int exportFormatCode(int filterIndex) {
    return filterIndex + 2;
}
// Format code of a file name's extension (letter case ignored; ".jpeg" and ".tiff"
// count as ".jpg" and ".tif"), 0 when the extension names no writable format.
int exportFormatCodeForName(const QString& fileName);
