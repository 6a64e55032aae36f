#pragma once

#include "render/labelgeometry.h"

#include <QRect>
#include <QRectF>
#include <QSize>

#include <vector>

// Where the background picture goes for each fitting mode: the destination
// rectangles of DrawDib (each the whole picture) and whether they are clipped to the
// label in the editor. Modes: 0 stretched to the label, 1 the whole picture centred,
// 2 covering the label centred, 3 tiles from the label's corner; any other mode
// draws nothing.
struct BackgroundPlan {
    std::vector<QRect> tiles;
    bool clipInEditor = false;
};

// label: the label's rectangle; picture: the picture's size (at least 1 x 1);
// AreaWidth, AreaHeight: the call's area, which bounds the tiling. limit: tiles
// starting at or beyond its right or bottom edge are left out (they would be clipped
// away); tiles of no width or height are left out too. Tiling advances by at least
// one pixel.
BackgroundPlan planBackground(int mode, const LabelRect& label, QSize picture, int AreaWidth,
                              int AreaHeight, const QRectF& limit);
