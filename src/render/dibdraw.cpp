#include "render/dibdraw.h"

#include "codec/rasterio.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// round(a * b / c) with the product formed first and halves going to the even
// neighbour; false when c is 0.
bool scaled(qint64 a, qint64 b, qint64 c, int& result) {
    if (c == 0)
        return false;
    result = int(std::rint(double(a * b) / double(c)));
    return true;
}

// Printers and PDF files: QPrinter says so by its device type, QPdfWriter only by
// its paint engine.
bool isPrinter(const QPainter& dc) {
    const QPaintDevice* device = dc.device();
    if (!device)
        return false;
    if (device->devType() == QInternal::Printer)
        return true;
    const QPaintEngine* engine = dc.paintEngine();
    return engine && engine->type() == QPaintEngine::Pdf;
}

// The part of the destination rectangle that can reach the device at all, in the
// painter's coordinates; rows and columns outside it need not be sampled.
QRect visiblePart(const QPainter& dc, const QRect& dest) {
    const QPaintDevice* device = dc.device();
    const qreal ratio = std::max<qreal>(1.0, device->devicePixelRatio());
    const QRectF deviceRect(0, 0, device->width() * ratio, device->height() * ratio);
    bool invertible = false;
    const QTransform toLogical = dc.deviceTransform().inverted(&invertible);
    if (!invertible)
        return {};
    QRect area = toLogical.mapRect(deviceRect).toAlignedRect().adjusted(-1, -1, 1, 1);
    if (dc.hasClipping())
        area &= dc.clipBoundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    return area & dest;
}

// The colours of an indexed picture's entries, 256 of them (missing ones black).
std::array<QRgb, 256> colourLookup(const QImage& img) {
    std::array<QRgb, 256> lut;
    lut.fill(qRgb(0, 0, 0));
    const QList<QRgb> table = img.colorTable();
    for (int i = 0; i < 256 && i < table.size(); ++i)
        lut[size_t(i)] = table[i] | 0xFF000000u;
    return lut;
}

// Nearest-pixel sampling of destW x destH destination pixels into one block that
// covers the visible part; every destination row r is the source row
// srcB + srcH * r div destH, every column i the source column srcX + srcW * i div destW.
// `background` is what a new row picture holds where no source pixel lands.
void drawSampledRows(QPainter& dc, int destX, int destY, int destW, int destH,
                     const QImage& picture, int srcX, int srcB, int srcW, int srcH,
                     QRgb background) {
    if (destW <= 0 || destH <= 0 || picture.isNull() || !dc.isActive())
        return;
    // Pictures are kept as 8-bit indices or 32-bit colours; anything else is made so.
    const bool usable =
        picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_RGB32;
    const QImage src = usable ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const QRect visible = visiblePart(dc, QRect(destX, destY, destW, destH));
    if (visible.isEmpty())
        return;
    const int pw = src.width();
    const int ph = src.height();
    const int i0 = visible.left() - destX;
    const int cols = visible.width();
    const int r0 = visible.top() - destY;
    const int rows = visible.height();

    // Source column of every visible destination column, once per call; -1 where
    // the column lies outside the picture.
    std::vector<int> offset(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        const qint64 off = srcX + qint64(srcW) * (i0 + c) / destW;
        offset[size_t(c)] = off >= 0 && off < pw ? int(off) : -1;
    }

    const bool indexed = src.format() == QImage::Format_Indexed8;
    const std::array<QRgb, 256> lut = indexed ? colourLookup(src) : std::array<QRgb, 256>{};
    const QRgb blank = indexed ? lut[0] : background;

    QImage block(cols, rows, QImage::Format_RGB32);
    if (block.isNull())
        return;
    qint64 previous = -1;
    for (int r = 0; r < rows; ++r) {
        QRgb* d = reinterpret_cast<QRgb*>(block.scanLine(r));
        const qint64 top = srcB + qint64(srcH) * (r0 + r) / destH;
        if (top < 0 || top > ph - 1) {
            std::fill(d, d + cols, blank);
            continue;
        }
        if (top == previous) {
            // The same source row as the row before: copied only once.
            std::memcpy(d, block.constScanLine(r - 1), size_t(cols) * sizeof(QRgb));
            continue;
        }
        previous = top;
        if (indexed) {
            const uchar* s = src.constScanLine(int(top));
            for (int c = 0; c < cols; ++c) {
                const int off = offset[size_t(c)];
                d[c] = off >= 0 ? lut[s[off]] : blank;
            }
        } else {
            const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(int(top)));
            for (int c = 0; c < cols; ++c) {
                const int off = offset[size_t(c)];
                d[c] = off >= 0 ? (s[off] | 0xFF000000u) : blank;
            }
        }
    }
    dc.drawImage(visible.topLeft(), block);
}

// One stretching of the source rectangle (y from the bottom) onto the destination:
// on printers the device scales the picture itself without smoothing; elsewhere the
// same nearest-pixel sampling as the row-by-row drawing is used.
void stretch(QPainter& dc, int destX, int destY, int destW, int destH, const QImage& src, int srcX,
             int srcY, int srcW, int srcH) {
    if (destW <= 0 || destH <= 0 || srcW <= 0 || srcH <= 0 || src.isNull())
        return;
    const int srcB = src.height() - srcY - srcH;
    if (isPrinter(dc)) {
        dc.save();
        dc.setRenderHint(QPainter::SmoothPixmapTransform, false);
        dc.drawImage(QRect(destX, destY, destW, destH), src, QRect(srcX, srcB, srcW, srcH));
        dc.restore();
        return;
    }
    drawSampledRows(dc, destX, destY, destW, destH, src, srcX, srcB, srcW, srcH, qRgb(0, 0, 0));
}

void drawHalftoned(QPainter& dc, const DibRects& r, const TDibRecord& picture) {
    const int pw = picture.width();
    const int ph = picture.height();
    TDibRecord copy;
    if (r.srcW > r.destW || r.srcH > r.destH) {
        // Shrunk: the copy already has the destination's scale and is drawn one to one.
        int cw = 0;
        int ch = 0;
        if (!scaled(pw, r.destW, r.srcW, cw) || !scaled(ph, r.destH, r.srcH, ch) ||
            !DIBHalftoneDIBXY(copy, picture, cw, ch))
            return;
        int sx = 0;
        int sy = 0;
        scaled(cw, r.srcX, pw, sx);
        scaled(ch, r.srcY, ph, sy);
        stretch(dc, r.destX, r.destY, r.destW, r.destH, copy.Image, sx, sy, r.destW, r.destH);
    } else {
        if (!DIBHalftoneDIB(copy, picture))
            return;
        stretch(dc, r.destX, r.destY, r.destW, r.destH, copy.Image, r.srcX, r.srcY, r.srcW, r.srcH);
    }
    deldib(copy);
}

} // namespace

bool clipDibRects(DibRects& r, int pw, int ph) {
    if (r.destW <= 0 || r.destH <= 0 || r.srcW <= 0 || r.srcH <= 0)
        return false;
    // Right edge.
    if (pw < r.srcX + r.srcW) {
        const int n = pw - r.srcX;
        if (!scaled(r.destW, n, r.srcW, r.destW))
            return false;
        r.srcW = n;
    }
    // Bottom edge: the rows cut off are the lowest ones, the destination keeps its top.
    if (r.srcY < 0) {
        if (!scaled(r.srcH + r.srcY, r.destH, r.srcH, r.destH))
            return false;
        r.srcH += r.srcY;
        r.srcY = 0;
    }
    // Top edge: the destination keeps its bottom.
    if (ph < r.srcY + r.srcH) {
        const int n = ph - r.srcY;
        int k = 0;
        if (!scaled(r.destH, n, r.srcH, k))
            return false;
        r.destY += r.destH - k;
        r.destH = k;
        r.srcH = n;
    }
    // Left edge: the destination keeps its right edge.
    if (r.srcX < 0) {
        int k = 0;
        if (!scaled(r.srcX + r.srcW, r.destW, r.srcW, k))
            return false;
        r.destX += r.destW - k;
        r.destW = k;
        r.srcW += r.srcX;
        r.srcX = 0;
    }
    return r.destW > 0 && r.destH > 0 && r.srcW > 0 && r.srcH > 0;
}

DibDrawWay dibDrawWay(const QPainter& dc, const TDibRecord& picture, bool halftone,
                      int screenBits) {
    const bool printer = isPrinter(dc);
    if (picture.BitsPerPixel == 24 && screenBits <= 8 && halftone)
        return DibDrawWay::Halftone;
    if (picture.BitsPerPixel == 24 && !printer)
        return DibDrawWay::Rows24;
    if (picture.BitsPerPixel == 8 && !printer)
        return DibDrawWay::Rows8;
    return DibDrawWay::Stretch;
}

void DrawDibRows24(QPainter& dc, int destX, int destY, int destW, int destH,
                   const TDibRecord& picture, int srcX, int srcB, int srcW, int srcH) {
    drawSampledRows(dc, destX, destY, destW, destH, picture.Image, srcX, srcB, srcW, srcH,
                    qRgb(0, 0, 0));
}

void DrawDibRows8(QPainter& dc, int destX, int destY, int destW, int destH,
                  const TDibRecord& picture, int srcX, int srcB, int srcW, int srcH) {
    drawSampledRows(dc, destX, destY, destW, destH, picture.Image, srcX, srcB, srcW, srcH,
                    qRgb(0, 0, 0));
}

void DrawDibForScreenDepth(QPainter& dc, int destX, int destY, int destW, int destH,
                           const TDibRecord& picture, int srcX, int srcY, int srcW, int srcH,
                           bool halftone, int screenBits) {
    if (!picture.hasPicture() || !dc.isActive())
        return;
    DibRects r{destX, destY, destW, destH, srcX, srcY, srcW, srcH};
    if (!clipDibRects(r, picture.width(), picture.height()))
        return;
    // Palettes need no selecting: every device Qt draws on takes true colour.
    const int srcB = picture.height() - r.srcY - r.srcH;
    switch (dibDrawWay(dc, picture, halftone, screenBits)) {
    case DibDrawWay::Halftone:
        drawHalftoned(dc, r, picture);
        break;
    case DibDrawWay::Rows24:
        DrawDibRows24(dc, r.destX, r.destY, r.destW, r.destH, picture, r.srcX, srcB, r.srcW,
                      r.srcH);
        break;
    case DibDrawWay::Rows8:
        DrawDibRows8(dc, r.destX, r.destY, r.destW, r.destH, picture, r.srcX, srcB, r.srcW, r.srcH);
        break;
    case DibDrawWay::Stretch:
        stretch(dc, r.destX, r.destY, r.destW, r.destH, picture.Image, r.srcX, r.srcY, r.srcW,
                r.srcH);
        break;
    }
}

void DrawDib(QPainter& dc, int destX, int destY, int destW, int destH, const TDibRecord& picture,
             int srcX, int srcY, int srcW, int srcH, bool halftone, bool) {
    DrawDibForScreenDepth(dc, destX, destY, destW, destH, picture, srcX, srcY, srcW, srcH, halftone,
                          ScreenBitsPerPixel());
}

int ColorCount(const TDibRecord& picture) {
    return 1 << picture.BitsPerPixel;
}

int ScreenBitsPerPixel() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? screen->depth() : 32;
}
