#include "wizard/gallerygeometry.h"

#include <algorithm>
#include <cmath>

GalleryGeometry galleryGeometry(double labelWidthMm, double labelHeightMm, int clientWidth,
                                int designCount) {
    GalleryGeometry g;
    const double tw = labelWidthMm * GalleryGeometry::ThumbHeight / labelHeightMm;
    // A label without height or width (or with a nonsense size) still gets a
    // thumbnail that can be drawn and clicked.
    g.thumbWidth =
        std::isfinite(tw)
            ? int(std::clamp(std::trunc(tw), 1.0, double(GalleryGeometry::MaxThumbWidth)))
            : 1;
    g.columns =
        std::max(1, (clientWidth - GalleryGeometry::Gap) / (g.thumbWidth + GalleryGeometry::Gap));
    g.rows = std::max(0, designCount) / g.columns + 1;
    return g;
}

QSize GalleryGeometry::boxSize() const {
    return {(thumbWidth + Gap) * columns + Gap, RowStep * rows + Gap};
}

CellRect GalleryGeometry::thumbnail(int i) const {
    const int c = i % columns, r = i / columns;
    const int left = (thumbWidth + Gap) * c + Gap, top = RowStep * r + Gap;
    return {left, top, left + thumbWidth, top + ThumbHeight};
}

int GalleryGeometry::designAt(QPoint p, int designCount) const {
    int found = -1;
    for (int i = 0; i < designCount; ++i) {
        const CellRect t = thumbnail(i);
        if (p.x() >= t.left && p.x() <= t.right && p.y() >= t.top && p.y() <= t.bottom)
            found = i;
    }
    return found;
}
