#pragma once

#include "wizard/designlayout.h"

#include <QPoint>
#include <QSize>

// Where the gallery puts its thumbnails: 150 pixels high, as wide as the label's
// proportions make them, 10 pixels apart and from the edges, as many columns as
// the pane's width holds (at least one), and one row more than the designs fill.
struct GalleryGeometry {
    static constexpr int ThumbHeight = 150;
    static constexpr int Gap = 10;
    static constexpr int RowStep = ThumbHeight + Gap;
    // Thumbnails are never wider than this, whatever proportions a label has.
    static constexpr int MaxThumbWidth = 4000;

    int thumbWidth = 1;
    int columns = 1;
    int rows = 1;

    // The paint box that holds all thumbnails.
    QSize boxSize() const;
    // Thumbnail i: left and top edge on the thumbnail, right and bottom edge just
    // past it (thumbWidth x 150 pixels).
    CellRect thumbnail(int i) const;
    // The design under a point (edges included), -1 for none.
    int designAt(QPoint p, int designCount) const;
};

GalleryGeometry galleryGeometry(double labelWidthMm, double labelHeightMm, int clientWidth,
                                int designCount);
