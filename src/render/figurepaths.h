#pragma once

#include "document/tobs.h"

#include <QPainterPath>
#include <QRectF>

inline bool isRectangleShape(int shape) {
    return shape == ShapeSquare || shape == ShapeRectangle;
}

// A box given by its sides; right and bottom lie just outside the figure.
struct FigureBox {
    double l, t, r, b;
    QRectF rect() const { return QRectF(l, t, r - l, b - t); }
};

// A closed figure's two areas: the inside that the brush fills and the outline that
// the pen covers, which is filled after the inside and overlaps it.
struct ClosedShapePaths {
    QPainterPath inside;
    QPainterPath outline;
};

// The paths of a closed figure in the box, the corners of rounded shapes being
// ellipses cornerW wide and cornerH high. For a box of at least one pixel each way; a
// box of one pixel has no inside and the pen's dot as its outline.
ClosedShapePaths closedShapePaths(int shape, const FigureBox& box, double cornerW, double cornerH,
                                  int penWidth);
// The two parts on their own, for drawings that may not need the outline's path; the
// outline takes the inside that closedShapeInside gave for the same box.
QPainterPath closedShapeInside(int shape, const FigureBox& box, double cornerW, double cornerH);
QPainterPath closedShapeOutline(int shape, const FigureBox& box, const QPainterPath& inside,
                                int penWidth);

// Qt strokes aliased curves up to a pixel outside their path, so outlines are filled
// areas: the pen's path runs through the centres of the box's edge pixels and the
// pen's width is laid symmetrically around it.
QPainterPath penPath(const QPainterPath& centreLine, int penWidth);
