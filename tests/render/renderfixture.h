#pragma once

// Helpers shared by the renderer's pixel tests: a document on the heap, canvases,
// and measurements of what was drawn.

#include "codec/dibrecord.h"
#include "document/labeldocument.h"
#include "render/drawvcart.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <functional>
#include <memory>

namespace renderfixture {

// Colours as the document stores them (0x00BBGGRR) and as they show in a QImage.
const int32_t Red = 0x0000FF;
const int32_t Blue = 0xFF0000;
const int32_t Green = 0x00FF00;
const QRgb RedRgb = qRgb(255, 0, 0);
const QRgb BlueRgb = qRgb(0, 0, 255);
const QRgb GreenRgb = qRgb(0, 255, 0);

inline const QRgb White = qRgb(255, 255, 255);

// A document whose objects are placed in output pixels: device output at scale 1, so
// that document units are canvas pixels.
inline std::unique_ptr<LabelDocument> pixelDocument() {
    auto doc = std::make_unique<LabelDocument>();
    doc->Output.OutputMode = 1;
    doc->Output.OutputScale = 1.0;
    return doc;
}

inline QImage whiteCanvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(White);
    return img;
}

// Draws the document into a copy of the canvas.
inline QImage render(LabelDocument& doc, QImage canvas, int areaW, int areaH, int offX, int offY,
                     double scale, bool editor, int number = 0) {
    QPainter p(&canvas);
    DrawVCart(p, doc, areaW, areaH, offX, offY, scale, editor, number);
    p.end();
    return canvas;
}

// The pixel-document in the editor: a work area of areaW x areaH at scale 1, no
// scrolling, so objects are not clipped.
inline QImage renderEditor(LabelDocument& doc, int w = 300, int h = 300, int number = 0) {
    return render(doc, whiteCanvas(w, h), w, h, 0, 0, 1.0, true, number);
}

// Bounding box of the pixels for which pred holds.
inline QRect boundsOf(const QImage& img, const std::function<bool(QRgb)>& pred) {
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (pred(row[x] | 0xFF000000u)) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}
inline QRect inkBounds(const QImage& img) {
    return boundsOf(img, [](QRgb p) { return p != White; });
}
inline QRect colourBounds(const QImage& img, QRgb c) {
    return boundsOf(img, [c](QRgb p) { return p == (c | 0xFF000000u); });
}
inline int countColour(const QImage& img, QRgb c, const QRect& area = QRect()) {
    const QRect r = area.isNull() ? img.rect() : area & img.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == (c | 0xFF000000u);
    return n;
}

inline Tobs& figure(LabelDocument& doc, int slot, int shape, int x, int y, int w, int h,
                    int32_t color = 0x0000FF, int fillMode = 0) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindFigure;
    o.Shape = shape;
    o.X = x;
    o.Y = y;
    o.Width = w;
    o.Height = h;
    o.Color = color;
    o.FillMode() = fillMode;
    o.LineWidth() = 0;
    return o;
}

// A true-colour picture filled by a function of (x, y) giving 0x00BBGGRR.
inline TDibRecord picture24(int w, int h, const std::function<int32_t(int, int)>& colour) {
    TDibRecord rec;
    newdib(rec, w, h, 24, nullptr, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(rec, x, y, colour(x, y));
    return rec;
}

// An 8-bit palette picture with the given colours (0x00BBGGRR) and index function.
inline TDibRecord picture8(int w, int h, const QList<int32_t>& colours,
                           const std::function<int(int, int)>& index) {
    QList<QRgb> table;
    for (int32_t c : colours)
        table.push_back(colorRefToRgb(c));
    TDibRecord rec;
    newdib(rec, w, h, 8, &table, 256);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(rec, x, y, index(x, y));
    return rec;
}

} // namespace renderfixture
