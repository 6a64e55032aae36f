#include "render/canvasaccess.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <cmath>

namespace {
bool isIntegral(qreal v) {
    return std::floor(v) == v && std::abs(v) < 1e9;
}
} // namespace

CanvasPixels::CanvasPixels(QPainter& canvas) {
    QPaintDevice* device = canvas.device();
    if (!device || device->devType() != QInternal::Image)
        return;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
        f != QImage::Format_ARGB32_Premultiplied)
        return;
    // A shared image would be copied on the first write and no longer be the one the
    // painter draws into.
    if (!image->isDetached())
        return;
    const QTransform t = canvas.deviceTransform();
    if (t.type() > QTransform::TxTranslate || !isIntegral(t.dx()) || !isIntegral(t.dy()))
        return;
    image_ = image;
    offset_ = QPoint(int(t.dx()), int(t.dy()));

    // Writing past the painter is only right where the painter would draw plainly.
    if (canvas.opacity() != 1.0 || canvas.compositionMode() != QPainter::CompositionMode_SourceOver)
        return;
    QRect area = image->rect().translated(-offset_);
    if (canvas.hasClipping()) {
        const QRegion clip = canvas.clipRegion();
        if (clip.rectCount() > 1)
            return;
        area &= clip.boundingRect();
    }
    writable_ = area;
    writable_ok_ = true;
}

QRgb CanvasPixels::pixel(int x, int y) const {
    const int ix = x + offset_.x();
    const int iy = y + offset_.y();
    if (!image_ || ix < 0 || iy < 0 || ix >= image_->width() || iy >= image_->height())
        return qRgb(255, 255, 255);
    const QRgb p = reinterpret_cast<const QRgb*>(image_->constScanLine(iy))[ix];
    if (image_->format() == QImage::Format_ARGB32_Premultiplied)
        return qUnpremultiply(p);
    return p;
}

QRgb* CanvasPixels::row(int y) const {
    return reinterpret_cast<QRgb*>(image_->scanLine(y + offset_.y()));
}
