#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

class QPainterPath;
class QRectF;

// A rectangle's outline drawn with a pen wider than one pixel: the centre line runs
// through the centres of the box's edge pixels and the pen is laid symmetrically
// around it, with round outer corners (the pen's round joins). As a path: the centre
// line grown by half the pen with rounded corners, less the centre line shrunk by half
// the pen, filled even-odd.
QPainterPath penRingPath(const QRectF& centreLine, int penWidth);

// The pixels that penRingPath covers on a bitmap, for a box of width x height pixels,
// as a few axis-parallel rectangles relative to the box's top-left corner: every
// device draws them exactly, and a PDF holds them in a few short numbers. Empty for
// pens of two pixels, for pens wider than MaxRingPenWidth and for boxes smaller than
// about twice the pen; the caller then fills the path.
constexpr int MaxRingPenWidth = 256;
std::vector<QRect> penRingRects(int64_t width, int64_t height, int penWidth);
