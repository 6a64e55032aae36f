#include "render/shapestamp.h"

#include "render/figurepaths.h"
#include "render/pixelruns.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <map>

namespace {

using StampKey = std::array<int, 6>;

// The stamps a drawing thread has made. A label has few distinct small figures; past
// this many the set starts again, so memory stays bounded.
constexpr size_t MaxStamps = 1024;

const QRgb Paper = qRgb(255, 255, 255);
const QRgb Inside = qRgb(255, 0, 0);
const QRgb Outline = qRgb(0, 0, 255);

std::vector<QRect> rectsOf(const QImage& img, int margin, bool (*pick)(QRgb)) {
    RectCollector out;
    for (int y = 0; y < img.height(); ++y)
        out.add(y - margin, 1, pixelRow(img, y, margin, pick));
    return out.finish();
}

ShapeStamp makeStamp(int shape, int width, int height, int cornerW, int cornerH, int penWidth) {
    // Room for the half of the pen outside the box and the pixel that curves may
    // reach beyond it.
    const int margin = penWidth + 2;
    QImage img(width + 2 * margin, height + 2 * margin, QImage::Format_RGB32);
    img.fill(Paper);
    {
        const ClosedShapePaths paths = closedShapePaths(
            shape,
            {double(margin), double(margin), double(margin + width), double(margin + height)},
            cornerW, cornerH, penWidth);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(paths.inside, QColor(Inside));
        p.fillPath(paths.outline, QColor(Outline));
    }
    ShapeStamp s;
    s.inside = rectsOf(img, margin, [](QRgb c) { return c == Inside; });
    s.outline = rectsOf(img, margin, [](QRgb c) { return c == Outline; });
    s.whole = rectsOf(img, margin, [](QRgb c) { return c != Paper; });
    return s;
}

} // namespace

const ShapeStamp& shapeStamp(int shape, int width, int height, int cornerW, int cornerH,
                             int penWidth) {
    thread_local std::map<StampKey, ShapeStamp> stamps;
    const bool rounded = shape == ShapeRoundSquare || shape == ShapeRoundRect;
    // Shapes that draw alike share their stamps.
    const int kind = shape == ShapeCircle   ? ShapeEllipse
                     : shape == ShapeSquare ? ShapeRectangle
                     : rounded              ? ShapeRoundRect
                                            : shape;
    const StampKey key{kind, width, height, rounded ? cornerW : 0, rounded ? cornerH : 0, penWidth};
    auto it = stamps.find(key);
    if (it == stamps.end()) {
        if (stamps.size() >= MaxStamps)
            stamps.clear();
        it = stamps.emplace(key, makeStamp(kind, width, height, key[3], key[4], penWidth)).first;
    }
    return it->second;
}

void drawStamp(QPainter& p, const ShapeStamp& stamp, int x, int y, const QColor& pen,
               const QColor* fill) {
    const bool oneColour = fill && *fill == pen;
    for (const QRect& r : oneColour ? stamp.whole : stamp.outline)
        p.fillRect(r.translated(x, y), pen);
    if (fill && !oneColour) {
        for (const QRect& r : stamp.inside)
            p.fillRect(r.translated(x, y), *fill);
    }
}
