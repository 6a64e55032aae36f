#include "render/figuredraw.h"

#include "document/labeldocument.h"
#include "document/tobs.h"
#include "render/figurepaths.h"
#include "render/labelgeometry.h"
#include "render/penring.h"
#include "render/rendercontext.h"
#include "render/shapestamp.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

using Box = FigureBox;

// Rectangles with a one-pixel pen, the most common figure: the ring and the inside
// as plain rectangles.
void fastRectangle(RenderContext& rc, const Box& box, const QBrush* fill) {
    // Sides far outside the canvas are brought nearer: the ring's pixels that move
    // with them stay outside what the canvas shows.
    const QRectF reach = rc.visible.adjusted(-2, -2, 2, 2) & QRectF(-1e9, -1e9, 2e9, 2e9);
    const QRectF outer(QPointF(std::max(box.l, reach.left()), std::max(box.t, reach.top())),
                       QPointF(std::min(box.r, reach.right()), std::min(box.b, reach.bottom())));
    QPainter& p = rc.canvas;
    const QColor& pen = rc.penColor;
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    if (fill && inner.width() > 0 && inner.height() > 0)
        p.fillRect(inner, *fill);
    p.fillRect(QRectF(outer.left(), outer.top(), outer.width(), 1), pen);
    if (outer.height() > 1)
        p.fillRect(QRectF(outer.left(), outer.bottom() - 1, outer.width(), 1), pen);
    if (outer.height() > 2) {
        p.fillRect(QRectF(outer.left(), outer.top() + 1, 1, outer.height() - 2), pen);
        if (outer.width() > 1)
            p.fillRect(QRectF(outer.right() - 1, outer.top() + 1, 1, outer.height() - 2), pen);
    }
}

// Rectangles with a wide pen: the outline's pixels as rectangles (see penRingRects),
// only those near what the canvas shows. False when the outline needs its path.
bool wideRectangle(RenderContext& rc, const Box& box, int penWidth) {
    const std::vector<QRect> rects =
        penRingRects(int64_t(box.r - box.l), int64_t(box.b - box.t), penWidth);
    if (rects.empty())
        return false;
    const QRectF reach = rc.visible.adjusted(-2, -2, 2, 2);
    std::vector<QRectF> shown;
    shown.reserve(rects.size());
    for (const QRect& r : rects) {
        const QRectF part = QRectF(box.l + r.x(), box.t + r.y(), r.width(), r.height()) & reach;
        if (!part.isEmpty())
            shown.push_back(part);
    }
    // One colour for all of them, each filled on its own: PDF rasterisers fill a lone
    // rectangle exactly, but a path of several by the pixels its edges touch.
    QPainter& p = rc.canvas;
    const QPen pen = p.pen();
    const QBrush brush = p.brush();
    p.setPen(Qt::NoPen);
    p.setBrush(rc.penColor);
    for (const QRectF& r : shown)
        p.drawRect(r);
    p.setBrush(brush);
    p.setPen(pen);
    return true;
}

void closedShape(RenderContext& rc, int shape, const Box& box, double cornerW, double cornerH,
                 int penWidth, bool filled) {
    // An empty box has neither outline nor inside.
    if (!(box.r - box.l >= 1 && box.b - box.t >= 1))
        return;
    const double margin = penWidth;
    if (!rc.isVisible(box.rect().adjusted(-margin, -margin, margin, margin)))
        return;
    QPainter& p = rc.canvas;
    const bool rectangle = isRectangleShape(shape);
    if (rectangle && penWidth == 1) {
        const QBrush fill(rc.brushColor);
        fastRectangle(rc, box, filled ? &fill : nullptr);
        return;
    }
    const double w = box.r - box.l, h = box.b - box.t;
    if (rc.stampable && w <= MaxStampSide && h <= MaxStampSide && penWidth <= MaxStampPen) {
        drawStamp(p, shapeStamp(shape, int(w), int(h), int(cornerW), int(cornerH), penWidth),
                  int(box.l), int(box.t), rc.penColor, filled ? &rc.brushColor : nullptr);
        return;
    }
    // A wide rectangle's outline is drawn as rectangles: its path is not needed then.
    const QPainterPath inside = closedShapeInside(shape, box, cornerW, cornerH);
    if (filled)
        p.fillPath(inside, rc.brushColor);
    if (rectangle && wideRectangle(rc, box, penWidth))
        return;
    p.fillPath(closedShapeOutline(shape, box, inside, penWidth), rc.penColor);
}

int64_t floorDiv(__int128 a, __int128 b) {
    __int128 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return int64_t(q);
}

// A one-pixel line as the platform draws it: one pixel per step along the longer
// axis, from the first point up to but not including the last, the other
// coordinate rounded to the nearest pixel (halves downwards or rightwards). Qt's
// aliased lines pick their pixels by other rules and drop the wrong end of lines
// drawn leftwards or upwards, so the pixels are set here as runs of rectangles,
// only along the part of the line the canvas shows.
void pixelLine(RenderContext& rc, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t a0 = xMajor ? x0 : y0, b0 = xMajor ? y0 : x0;
    const int64_t da = xMajor ? dx : dy, db = xMajor ? dy : dx;
    const int64_t n = std::abs(da);
    const int64_t step = da > 0 ? 1 : -1;
    const QRectF& v = rc.visible;
    const int64_t aLo = int64_t(std::floor(xMajor ? v.left() : v.top())) - 1;
    const int64_t aHi = int64_t(std::ceil(xMajor ? v.right() : v.bottom())) + 1;
    const int64_t bLo = int64_t(std::floor(xMajor ? v.top() : v.left())) - 1;
    const int64_t bHi = int64_t(std::ceil(xMajor ? v.bottom() : v.right())) + 1;
    int64_t iFirst = step > 0 ? aLo - a0 : a0 - aHi;
    int64_t iLast = step > 0 ? aHi - a0 : a0 - aLo;
    iFirst = std::max<int64_t>(iFirst, 0);
    iLast = std::min<int64_t>(iLast, n - 1);
    auto minorAt = [&](int64_t i) {
        return b0 + floorDiv(__int128(2) * i * db + n, __int128(2) * n);
    };
    auto fillRun = [&](int64_t from, int64_t to, int64_t b) { // steps from..to on row/column b
        if (b < bLo || b > bHi)
            return;
        const int64_t lo = std::min(a0 + from * step, a0 + to * step);
        const double len = double(std::abs(to - from) + 1);
        const QRectF r =
            xMajor ? QRectF(double(lo), double(b), len, 1) : QRectF(double(b), double(lo), 1, len);
        rc.canvas.fillRect(r, rc.penColor);
    };
    int64_t runStart = iFirst;
    int64_t runMinor = iFirst <= iLast ? minorAt(iFirst) : 0;
    for (int64_t i = iFirst + 1; i <= iLast; ++i) {
        const int64_t m = minorAt(i);
        if (m != runMinor) {
            fillRun(runStart, i - 1, runMinor);
            runStart = i;
            runMinor = m;
        }
    }
    if (iFirst <= iLast)
        fillRun(runStart, iLast, runMinor);
}

void line(RenderContext& rc, int64_t x0, int64_t y0, int64_t x1, int64_t y1, int penWidth) {
    // The platform draws a line without its last point: a line to its own start
    // draws nothing.
    if (x0 == x1 && y0 == y1)
        return;
    const double margin = penWidth + 1;
    const QRectF bounds = QRectF(QPointF(double(x0), double(y0)), QPointF(double(x1), double(y1)))
                              .normalized()
                              .adjusted(-margin, -margin, margin, margin);
    if (!rc.isVisible(bounds))
        return;
    QPainter& p = rc.canvas;
    if (penWidth == 1 && rc.pixelDevice) {
        pixelLine(rc, x0, y0, x1, y1);
        return;
    }
    // Wide pens, and every line on vector devices: the pen's path through the pixel
    // centres, with round ends for wide pens.
    QPainterPath path;
    path.moveTo(double(x0) + 0.5, double(y0) + 0.5);
    path.lineTo(double(x1) + 0.5, double(y1) + 0.5);
    if (penWidth == 1) {
        p.setPen(QPen(rc.penColor, 1, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        return;
    }
    p.fillPath(penPath(path, penWidth), rc.penColor);
}

} // namespace

void drawFigure(RenderContext& rc, const Tobs& object, const ObjectBox& b) {
    const int shape = object.Shape;
    // Colours. Lines take Color for pen and brush; closed shapes follow FillMode, and
    // an unknown fill mode keeps the colours that the previous figure left.
    bool filled = true;
    if (shape >= ShapeHorzLine) {
        rc.penColor = rc.brushColor = QColor(colorRefToRgb(object.Color));
    } else {
        switch (object.FillMode()) {
        case 0:
            rc.penColor = rc.brushColor = QColor(colorRefToRgb(object.Color));
            break;
        case 1:
            rc.penColor = QColor(colorRefToRgb(object.OutlineColor));
            filled = false;
            break;
        case 2:
            rc.penColor = QColor(colorRefToRgb(object.OutlineColor));
            rc.brushColor = QColor(colorRefToRgb(object.Color));
            break;
        default:
            break;
        }
    }
    const int penWidth =
        figureLineWidth(object.LineWidth(), rc.document.Output.MmPerInchX, rc.Scale);

    const double x = double(b.x), y = double(b.y), w = double(b.w), h = double(b.h);
    const double d = double(b.d());
    const double cornerW = double(b.w / 3), cornerH = double(b.h / 3);
    switch (shape) {
    case ShapeCircle:
    case ShapeSquare:
    case ShapeRoundSquare:
        closedShape(rc, shape, {x, y, x + d, y + d}, cornerW, cornerH, penWidth, filled);
        break;
    case ShapeEllipse:
    case ShapeRectangle:
    case ShapeRoundRect:
        closedShape(rc, shape, {x, y, x + w, y + h}, cornerW, cornerH, penWidth, filled);
        break;
    case ShapeHorzLine:
        line(rc, x, y, x + w, y, penWidth);
        break;
    case ShapeVertLine:
        line(rc, x, y, x, y + h, penWidth);
        break;
    case ShapeRisingLine:
        line(rc, x, y + h, x + w, y, penWidth);
        break;
    case ShapeFallingLine:
        line(rc, x, y, x + w, y + h, penWidth);
        break;
    default:
        break;
    }
}
