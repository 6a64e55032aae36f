#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

// Direct access to the pixels of a canvas that is a bitmap in memory: reading what
// is drawn so far, and writing single pixels as the platform's SetPixel does.
// Available only when the painter draws into a 32-bit QImage one to one (an
// integer translation at most, full opacity, plain source-over drawing); other
// canvases (printers, PDF, widgets, scaled painters) cannot be read back.
class CanvasPixels {
public:
    explicit CanvasPixels(QPainter& canvas);

    bool readable() const { return image_ != nullptr; }
    bool writable() const { return writable_ok_; }
    // Pixels that may be written directly: the image, limited to the painter's clip
    // when that is one rectangle. Empty when direct writing is not possible.
    QRect writableArea() const { return writable_; }

    // Colour (0xAARRGGBB, alpha ignored) at a painter position; white outside the
    // bitmap, as the platform reports an invalid colour there.
    QRgb pixel(int x, int y) const;
    // Row pointer for painter row y (inside the image); x is converted by the caller
    // with offset().
    QRgb* row(int y) const;
    QPoint offset() const { return offset_; }
    QImage::Format format() const { return image_ ? image_->format() : QImage::Format_Invalid; }

private:
    QImage* image_ = nullptr;
    QPoint offset_; // painter coordinates + offset_ = image coordinates
    QRect writable_;
    bool writable_ok_ = false;
};
