#include "render/rendercontext.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>

namespace {
// Larger than any canvas, small enough for exact float arithmetic on its sides.
const QRectF Unbounded(-1e12, -1e12, 2e12, 2e12);
} // namespace

QRectF visibleArea(const QPainter& canvas) {
    QRectF area = Unbounded;
    const QPaintDevice* device = canvas.device();
    if (device) {
        const int type = device->devType();
        // A printer's size is its page: nothing beyond it reaches the paper.
        if (type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget ||
            type == QInternal::Printer) {
            bool invertible = false;
            const QTransform inverse = canvas.deviceTransform().inverted(&invertible);
            if (invertible) {
                const qreal ratio = device->devicePixelRatioF();
                const QRectF deviceRect(0, 0, device->width() * ratio, device->height() * ratio);
                area = inverse.mapRect(deviceRect);
            }
        }
    }
    if (canvas.hasClipping())
        area &= canvas.clipBoundingRect();
    return area;
}

bool isPixelDevice(const QPainter& canvas) {
    const QPaintEngine* engine = canvas.paintEngine();
    if (!engine)
        return true;
    const QPaintEngine::Type type = engine->type();
    return type != QPaintEngine::Pdf && type != QPaintEngine::SVG &&
           type != QPaintEngine::MacPrinter;
}

bool isWholePixelRaster(const QPainter& canvas) {
    const QPaintEngine* engine = canvas.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return false;
    const QTransform t = canvas.deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy());
}
