#include "render/picturedraw.h"

#include "document/labeldocument.h"
#include "document/progpath.h"
#include "document/tobs.h"
#include "merge/fields.h"
#include "render/canvasaccess.h"
#include "render/deviceimagecache.h"
#include "render/dibdraw.h"
#include "render/fieldpicture.h"
#include "render/labelgeometry.h"
#include "render/picturesampler.h"
#include "render/picturestore.h"
#include "render/rendercontext.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Pictures made for one drawing are limited like those of the codec.
constexpr int64_t MaxComposedPixels = 100LL * 1000 * 1000;

// The destination columns and rows, of a picture drawn at (x, y) in cols x rows
// pixels, that the canvas can show: [c0, c1) x [r0, r1) relative to (x, y).
struct Span {
    int64_t c0 = 0, c1 = 0, r0 = 0, r1 = 0;
    bool isEmpty() const { return c1 <= c0 || r1 <= r0; }
    int64_t cols() const { return c1 - c0; }
    int64_t rows() const { return r1 - r0; }
};

Span visibleSpan(const QRectF& visible, int64_t x, int64_t y, int64_t cols, int64_t rows) {
    Span s;
    s.c0 = std::max<int64_t>(0, int64_t(std::floor(visible.left())) - x);
    s.c1 = std::min<int64_t>(cols, int64_t(std::ceil(visible.right())) - x);
    s.r0 = std::max<int64_t>(0, int64_t(std::floor(visible.top())) - y);
    s.r1 = std::min<int64_t>(rows, int64_t(std::ceil(visible.bottom())) - y);
    return s;
}

Span intersect(Span s, const QRect& area, int64_t x, int64_t y) {
    s.c0 = std::max<int64_t>(s.c0, int64_t(area.left()) - x);
    s.c1 = std::min<int64_t>(s.c1, int64_t(area.right()) + 1 - x);
    s.r0 = std::max<int64_t>(s.r0, int64_t(area.top()) - y);
    s.r1 = std::min<int64_t>(s.r1, int64_t(area.bottom()) + 1 - y);
    return s;
}

// The non-transparent pixels of the span as one picture with an alpha channel, for
// canvases whose pixels cannot be read or written one by one: drawn in a single
// call, opaque pixels replace the canvas, transparent ones leave it as it is.
QImage sampleMasked(const PictureSampler& sampler, const Span& s, int64_t cols, int64_t rows) {
    if (s.cols() * s.rows() > MaxComposedPixels)
        return QImage();
    QImage masked(int(s.cols()), int(s.rows()), QImage::Format_ARGB32_Premultiplied);
    if (masked.isNull())
        return masked;
    const std::vector<int> columns = sampleColumns(sampler.width(), cols, s.c0, s.c1);
    for (int64_t r = s.r0; r < s.r1; ++r) {
        const int sy = int(int64_t(sampler.height()) * r / rows);
        sampler.sampleRow(sy, columns, reinterpret_cast<QRgb*>(masked.scanLine(int(r - s.r0))));
    }
    return masked;
}

// Devices that take whole pictures get a transparent picture in bands of rows, each
// sampled and handed over on its own, so that a picture of any size costs at most
// one band of memory at a time (a page at 2400 dots per inch is far larger).
constexpr int64_t BandPixels = 4LL * 1024 * 1024;

// Draws the masked picture band by band; during a print run through the run's cache,
// so that labels showing the same picture at the same size hand the device the same
// pictures.
void drawMasked(RenderContext& rc, const Tobs& o, const PictureSampler& sampler, int64_t x,
                int64_t y, const Span& s, int64_t cols, int64_t rows) {
    DeviceImageCache* cache = rc.document.Output.ImageCache;
    const int64_t bandRows = std::max<int64_t>(1, BandPixels / std::max<int64_t>(1, s.cols()));
    for (int64_t r0 = s.r0; r0 < s.r1; r0 += bandRows) {
        Span band = s;
        band.r0 = r0;
        band.r1 = std::min(s.r1, r0 + bandRows);
        const QImage masked =
            cache ? cache->get({o.Picture.Image.cacheKey(), o.TransColor, cols, rows, band.c0,
                                band.c1, band.r0, band.r1},
                               [&] { return sampleMasked(sampler, band, cols, rows); })
                  : sampleMasked(sampler, band, cols, rows);
        if (!masked.isNull())
            rc.canvas.drawImage(QPointF(double(x + band.c0), double(y + band.r0)), masked);
    }
}

// Screen: a true-colour copy of (W' - 1) x (H' - 1) pixels in which every
// transparent pixel takes the colour the canvas shows there, drawn one to one. Only
// the part the canvas can show is composed; drawn one to one, the rest would not
// appear anyway.
void drawTransparentScreen(RenderContext& rc, const Tobs& o, const PictureSampler& sampler,
                           int64_t x, int64_t y, const PictureSize& size) {
    const int64_t cols = size.w - 1;
    const int64_t rows = size.h - 1;
    if (cols < 1 || rows < 1)
        return;
    const Span s = visibleSpan(rc.visible, x, y, cols, rows);
    if (s.isEmpty())
        return;
    CanvasPixels canvasPixels(rc.canvas);
    if (!canvasPixels.readable()) {
        drawMasked(rc, o, sampler, x, y, s, cols, rows);
        return;
    }
    if (s.cols() * s.rows() > MaxComposedPixels)
        return;
    TDibRecord copy;
    if (!newdib(copy, int(s.cols()), int(s.rows()), 24, nullptr, 0))
        return;
    const std::vector<int> columns = sampleColumns(sampler.width(), cols, s.c0, s.c1);
    for (int64_t r = s.r0; r < s.r1; ++r) {
        const int sy = int(int64_t(sampler.height()) * r / rows);
        QRgb* out = reinterpret_cast<QRgb*>(copy.Image.scanLine(int(r - s.r0)));
        sampler.sampleRow(sy, columns, out);
        for (int64_t c = s.c0; c < s.c1; ++c) {
            QRgb& p = out[c - s.c0];
            if (p == 0)
                p = 0xFF000000u | canvasPixels.pixel(int(x + c), int(y + r));
        }
    }
    DrawDib(rc.canvas, int(x + s.c0), int(y + s.r0), int(s.cols()), int(s.rows()), copy, 0, 0,
            int(s.cols()), int(s.rows()), false, false);
    deldib(copy);
}

// Device: every device pixel of the W' x H' box takes its picture pixel unless that
// one is transparent; transparent pixels are left untouched.
void drawTransparentDevice(RenderContext& rc, const Tobs& o, const PictureSampler& sampler,
                           int64_t x, int64_t y, const PictureSize& size) {
    const int64_t cols = size.w;
    const int64_t rows = size.h;
    if (cols < 1 || rows < 1)
        return;
    Span s = visibleSpan(rc.visible, x, y, cols, rows);
    if (s.isEmpty())
        return;
    CanvasPixels canvasPixels(rc.canvas);
    if (!canvasPixels.writable()) {
        drawMasked(rc, o, sampler, x, y, s, cols, rows);
        return;
    }
    s = intersect(s, canvasPixels.writableArea(), x, y);
    if (s.isEmpty())
        return;
    const std::vector<int> columns = sampleColumns(sampler.width(), cols, s.c0, s.c1);
    std::vector<QRgb> line(columns.size());
    const int ox = canvasPixels.offset().x();
    for (int64_t r = s.r0; r < s.r1; ++r) {
        const int sy = int(int64_t(sampler.height()) * r / rows);
        sampler.sampleRow(sy, columns, line.data());
        QRgb* out = canvasPixels.row(int(y + r)) + (x + s.c0 + ox);
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] != 0)
                out[i] = line[i];
        }
    }
}

// In the editor a picture that could not be loaded shows a thin grey frame and the
// name of its file, so that the white stand-in can still be found.
void markStandIn(RenderContext& rc, const Tobs& o, int64_t x, int64_t y, const PictureSize& size) {
    const int64_t w = size.w - 1;
    const int64_t h = size.h - 1;
    if (w < 1 || h < 1 || !rc.isVisible(QRectF(double(x), double(y), double(w), double(h))))
        return;
    QPainter& p = rc.canvas;
    p.save();
    const QRect frame(clampInt(x), clampInt(y), clampInt(w), clampInt(h));
    p.setPen(QPen(QColor(128, 128, 128), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const QRect inside = frame.adjusted(3, 2, -3, -2);
    p.setClipRect(frame, Qt::IntersectClip);
    const QString name = fileNamePart(o.Text);
    p.drawText(inside, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere,
               name.isEmpty() ? o.Text : name);
    p.restore();
}

} // namespace

PictureSize fittedPictureSize(int64_t boxW, int64_t boxH, int pictureW, int pictureH,
                              bool keepAspect) {
    PictureSize s{boxW, boxH};
    if (keepAspect && pictureW > 0 && pictureH > 0) {
        const int64_t hh = int64_t(pictureH) * s.w / pictureW;
        if (hh < s.h)
            s.h = hh;
        else
            s.w = int64_t(pictureW) * s.h / pictureH;
    }
    return s;
}

int32_t transparentValue(const Tobs& o) {
    const PictureSampler sampler(o.Picture);
    if (sampler.isNull())
        return -1;
    const bool palette = sampler.indexed() && o.Picture.BitsPerPixel < 24;
    const QList<QRgb> table = palette ? o.Picture.colorTable() : QList<QRgb>();
    if (o.TransAuto) {
        // TransColor already holds this pixel's colour (settleTransColor).
        return sampler.value(0, sampler.height() - 1);
    }
    if (!palette)
        return o.TransColor;
    const int bits = std::clamp(o.Picture.BitsPerPixel, 1, 8);
    const int entries = std::min<int>(1 << bits, int(table.size()));
    for (int i = 0; i < entries; ++i) {
        if (rgbToColorRef(table[i]) == o.TransColor)
            return i;
    }
    return o.TransColor;
}

namespace {

void drawLoadedPicture(RenderContext& rc, Tobs& o, const ObjectBox& b) {
    if (!o.Picture.hasPicture())
        return;
    const int pw = o.Picture.width();
    const int ph = o.Picture.height();
    const PictureSize size = fittedPictureSize(b.w, b.h, pw, ph, o.KeepAspect);

    if (!o.Transparent) {
        const int64_t w = size.w - 1;
        const int64_t h = size.h - 1;
        if (w < 1 || h < 1 || !rc.isVisible(QRectF(double(b.x), double(b.y), double(w), double(h))))
            return;
        DrawDib(rc.canvas, clampInt(b.x), clampInt(b.y), clampInt(w), clampInt(h), o.Picture, 0, 0,
                pw, ph, false, false);
        if (rc.editorView && isStandIn(o.Picture))
            markStandIn(rc, o, b.x, b.y, size);
        return;
    }

    const int32_t transparent = transparentValue(o);
    PictureSampler sampler(o.Picture);
    if (sampler.isNull())
        return;
    sampler.setTransparentValue(transparent);
    if (rc.document.Output.OutputMode == 1)
        drawTransparentDevice(rc, o, sampler, b.x, b.y, size);
    else
        drawTransparentScreen(rc, o, sampler, b.x, b.y, size);
    if (rc.editorView && isStandIn(o.Picture))
        markStandIn(rc, o, b.x, b.y, size);
}

} // namespace

void drawPicture(RenderContext& rc, Tobs& o, const ObjectBox& b) {
    // A name with fields: the picture that this label's row names.
    if (hasFields(o.Text)) {
        Tobs shown;
        if (rowPictureObject(rc, o, shown))
            drawLoadedPicture(rc, shown, b);
        return;
    }
    drawLoadedPicture(rc, o, b);
}
