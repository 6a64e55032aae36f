#include "render/figurepaths.h"

#include "render/penring.h"

#include <QPainterPathStroker>

#include <algorithm>

QPainterPath penPath(const QPainterPath& centreLine, int penWidth) {
    QPainterPathStroker stroker;
    stroker.setWidth(penWidth);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(centreLine);
}

namespace {
// The centre line runs through the centres of the box's outer pixels, so a one-pixel
// pen covers exactly their ring.
QRectF centreLine(const FigureBox& box) {
    return QRectF(box.l + 0.5, box.t + 0.5, box.r - box.l - 1, box.b - box.t - 1);
}

bool isOnePixel(const QRectF& centre) {
    return centre.width() == 0 && centre.height() == 0;
}
} // namespace

QPainterPath closedShapeInside(int shape, const FigureBox& box, double cornerW, double cornerH) {
    const QRectF c = centreLine(box);
    QPainterPath inside;
    if (isOnePixel(c))
        return inside;
    switch (shape) {
    case ShapeCircle:
    case ShapeEllipse:
        inside.addEllipse(c);
        break;
    case ShapeSquare:
    case ShapeRectangle:
        inside.addRect(c);
        break;
    default:
        // Corner ellipses no larger than the box.
        inside.addRoundedRect(c, std::min(cornerW / 2, c.width() / 2),
                              std::min(cornerH / 2, c.height() / 2), Qt::AbsoluteSize);
        break;
    }
    return inside;
}

QPainterPath closedShapeOutline(int shape, const FigureBox& box, const QPainterPath& inside,
                                int penWidth) {
    const QRectF c = centreLine(box);
    if (isOnePixel(c)) {
        // A box of one pixel: the pen leaves a dot.
        QPainterPath dot;
        if (penWidth == 1)
            dot.addRect(box.rect());
        else
            dot.addEllipse(c.center(), penWidth / 2.0, penWidth / 2.0);
        return dot;
    }
    return isRectangleShape(shape) ? penRingPath(c, penWidth) : penPath(inside, penWidth);
}

ClosedShapePaths closedShapePaths(int shape, const FigureBox& box, double cornerW, double cornerH,
                                  int penWidth) {
    ClosedShapePaths paths;
    paths.inside = closedShapeInside(shape, box, cornerW, cornerH);
    paths.outline = closedShapeOutline(shape, box, paths.inside, penWidth);
    return paths;
}
