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

ClosedShapePaths closedShapePaths(int shape, const FigureBox& box, double cornerW, double cornerH,
                                  int penWidth) {
    // The centre line runs through the centres of the box's outer pixels, so a
    // one-pixel pen covers exactly their ring.
    const QRectF c(box.l + 0.5, box.t + 0.5, box.r - box.l - 1, box.b - box.t - 1);
    ClosedShapePaths paths;
    if (c.width() == 0 && c.height() == 0) {
        // A box of one pixel: the pen leaves a dot.
        if (penWidth == 1)
            paths.outline.addRect(box.rect());
        else
            paths.outline.addEllipse(c.center(), penWidth / 2.0, penWidth / 2.0);
        return paths;
    }
    switch (shape) {
    case ShapeCircle:
    case ShapeEllipse:
        paths.inside.addEllipse(c);
        break;
    case ShapeSquare:
    case ShapeRectangle:
        paths.inside.addRect(c);
        paths.outline = penRingPath(c, penWidth);
        return paths;
    default:
        // Corner ellipses no larger than the box.
        paths.inside.addRoundedRect(c, std::min(cornerW / 2, c.width() / 2),
                                    std::min(cornerH / 2, c.height() / 2), Qt::AbsoluteSize);
        break;
    }
    paths.outline = penPath(paths.inside, penWidth);
    return paths;
}
