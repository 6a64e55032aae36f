#pragma once

#include <QRect>

#include <vector>

class QColor;
class QPainter;

// The pixels of a small closed figure on a bitmap as rectangles relative to its box's
// top-left corner. Each shape, size and pen is drawn once and then only stamped, so a
// figure has the same pixels wherever it lies (a path drawn in place may take one
// pixel more or less where its edge runs through pixel centres, as with even pens).
struct ShapeStamp {
    // The brush's pixels that the outline leaves showing.
    std::vector<QRect> inside;
    std::vector<QRect> outline;
    // Inside and outline together, for figures whose pen and brush agree.
    std::vector<QRect> whole;
};

// Boxes up to this many pixels each way, with pens up to this width, are stamped.
constexpr int MaxStampSide = 96;
constexpr int MaxStampPen = 32;

// The stamp of a closed figure (a FigureShape) in a box of width x height pixels, the
// corners of rounded shapes being cornerW wide and cornerH high. Sizes and pen within
// the limits above; the box at least one pixel each way.
const ShapeStamp& shapeStamp(int shape, int width, int height, int cornerW, int cornerH,
                             int penWidth);

// Draws the stamp with its box's top-left corner at (x, y): the outline in pen and,
// when fill is given, the inside in fill.
void drawStamp(QPainter& p, const ShapeStamp& stamp, int x, int y, const QColor& pen,
               const QColor* fill);
