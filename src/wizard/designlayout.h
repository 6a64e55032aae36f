#pragma once

#include "wizard/templatedesign.h"

#include <QHash>
#include <QString>

#include <array>
#include <cstdint>

class QPaintDevice;

// A rectangle in pixels given by its four edges, as the layout computes them.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// The nine cells of a design laid out on a label, indexed [column][row].
using DesignCells = std::array<std::array<CellRect, 3>, 3>;

// The largest font size tried when a design is composed into the document, and in
// the gallery's thumbnails.
inline constexpr int ComposeMaxFontSize = 99;
inline constexpr int GalleryMaxFontSize = 39;

// The margin around a design: 5 mm in pixels for labels of at least 15 x 15 mm,
// none for smaller ones. lw is the label's width in pixels.
int designMargin(int lw, double labelWidthMm, double labelHeightMm);

// Lays out design on the label rectangle: margin, three columns and rows, the
// cells of a row with one element or with the two outer ones merged, gaps of a
// fifth of the margin, and rows 0 and 2 sharing an empty middle row.
DesignCells layoutDesign(const DesignGrid& design, const CellRect& label, int lw,
                         double labelWidthMm, double labelHeightMm);

// Where a picture of pw x ph pixels goes in a cell of the given column and row: as
// large as fits with its own aspect ratio, placed left, centred or right by the
// column and top, centred or bottom by the row.
struct PlacedPicture {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const PlacedPicture&, const PlacedPicture&) = default;
};
PlacedPicture placePicture(const CellRect& cell, int column, int row, int pw, int ph);

// Qt alignment of a text in a column: left, centred, right.
int columnAlignment(int column);

// The largest size from maxSize down to 1 at which the text, word-wrapped in the
// cell's width with the column's alignment in the "Arial" font of that character
// height, fits the cell; 1 when none does.
int fitTextSize(const QString& text, const CellRect& cell, int column, int maxSize,
                QPaintDevice* device = nullptr);

// Fitted sizes remembered by text, cell size, column and maximum: a gallery's
// thumbnails share their cells, so most of them need no measuring at all.
class TextFitCache {
public:
    int fit(const QString& text, const CellRect& cell, int column, int maxSize,
            QPaintDevice* device = nullptr);
    void clear() { sizes_.clear(); }

private:
    QHash<QString, int> sizes_;
};
