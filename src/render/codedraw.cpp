#include "render/codedraw.h"

#include "codec/dibrecord.h"
#include "document/labeldocument.h"
#include "document/tobs.h"
#include "render/codedata.h"
#include "render/codelayout.h"
#include "render/labelgeometry.h"
#include "render/rendercontext.h"
#include "render/textdraw.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// Layout dots (u, v) onto the canvas: the box's corner, the quarter turn, and the
// canvas pixels per layout dot f. w, h: the box on the canvas.
QTransform boxTransform(const ObjectBox& b, int rotation, double f) {
    const double x = double(b.x), y = double(b.y), w = double(b.w), h = double(b.h);
    switch (rotation) {
    case 1:
        return QTransform(0, f, -f, 0, x + w, y);
    case 2:
        return QTransform(-f, 0, 0, -f, x + w, y + h);
    case 3:
        return QTransform(0, -f, f, 0, x, y + h);
    default:
        return QTransform(f, 0, 0, f, x, y);
    }
}

void drawCross(QPainter& p, const ObjectBox& b, double Scale, double mmPerInch) {
    const QRectF r(double(b.x), double(b.y), double(b.w), double(b.h));
    // 0.3 mm, at least one pixel.
    const double width = std::max(1.0, std::floor(6000.0 / mmPerInch * Scale));
    QPen pen(QColor(255, 0, 0), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.drawRect(r);
    p.setPen(Qt::NoPen);
}

QPolygonF hexagon(const CodeHexagon& hx, double m, const QPointF& origin) {
    QPolygonF poly;
    const double r = hx.diameter * m / 2;
    const double start = (hx.rotation == 90 || hx.rotation == 270) ? 0.0 : 30.0;
    for (int k = 0; k < 6; ++k) {
        const double a = (start + 60.0 * k) * M_PI / 180.0;
        poly << origin + QPointF(hx.x * m + r * std::cos(a), hx.y * m + r * std::sin(a));
    }
    return poly;
}

void drawTexts(QPainter& p, const Tobs& o, const CodeFit& fit, const QColor& colour) {
    const double m = double(fit.module);
    const QString family = o.FontName.isEmpty() ? QStringLiteral("Arial") : o.FontName;
    p.setPen(colour);
    for (const CodeText& t : fit.symbol.texts) {
        const int size = std::clamp(int(std::lround(t.size * m)), 1, MaxCharHeight);
        QFont font = labelFont(family, size, uint8_t(o.FontStyle & 0x3));
        QFontMetricsF metrics(font, p.device());
        double advance = metrics.horizontalAdvance(t.text);
        const double room = t.width * m;
        if (room > 0 && advance > room) {
            font.setPixelSize(std::max(1, int(size * room / advance)));
            metrics = QFontMetricsF(font, p.device());
            advance = metrics.horizontalAdvance(t.text);
        }
        const double ax = double(fit.left) + t.x * m;
        const double x = t.align == 1 ? ax : t.align == 2 ? ax - advance : ax - advance / 2;
        p.setFont(font);
        p.drawText(QPointF(x, double(fit.top) + t.y * m), t.text);
    }
    p.setPen(Qt::NoPen);
}

} // namespace

void drawCode(RenderContext& rc, const Tobs& o, const ObjectBox& box) {
    if (o.Rotation < 0 || o.Rotation > 3)
        return;
    const QRectF area(double(box.x), double(box.y), double(box.w), double(box.h));
    if (!rc.isVisible(area.adjusted(-2, -2, 2, 2)))
        return;
    const OutputState& out = rc.document.Output;
    const bool onDevice = out.OutputMode == 1 && !out.CodesAsPrinted;
    const bool turned = o.Rotation == 1 || o.Rotation == 3;

    // The box in layout dots and the canvas pixels per layout dot.
    int64_t bw = 0, bh = 0;
    double f = 1.0;
    if (onDevice) {
        bw = turned ? box.h : box.w;
        bh = turned ? box.w : box.h;
    } else {
        const int dpi = std::clamp(out.CodeDotsPerInch, 72, 4800);
        codeBoxDots(o, dpi, bw, bh);
        f = rc.Scale * 20000.0 / dpi;
    }

    QPainter& p = rc.canvas;
    const CodeFit fit = fitCode(codeRequest(o, codeData(o.Text, rc.Number, rc.Record)), bw, bh);
    if (!fit.ok()) {
        drawCross(p, box, rc.Scale, out.MmPerInchX);
        return;
    }

    p.save();
    p.setTransform(boxTransform(box, o.Rotation, f), true);
    p.setPen(Qt::NoPen);
    if (!o.Transparent)
        p.fillRect(QRectF(double(fit.left), double(fit.top), double(fit.width), double(fit.height)),
                   Qt::white);
    const QColor colour(colorRefToRgb(o.Color));
    const int64_t m = fit.module;
    auto dot = [m](double v) { return double(std::llround(v * double(m))); };
    for (const CodeBar& b : fit.symbol.bars) {
        const double l = dot(b.x), t = dot(b.y);
        const double r = dot(b.x + b.width), bo = dot(b.y + b.height);
        p.fillRect(QRectF(double(fit.left) + l, double(fit.top) + t, r - l, bo - t), colour);
    }
    const QPointF origin(double(fit.left), double(fit.top));
    const double md = double(m);
    if (!fit.symbol.hexagons.empty()) {
        p.setBrush(colour);
        for (const CodeHexagon& hx : fit.symbol.hexagons)
            p.drawPolygon(hexagon(hx, md, origin));
        p.setBrush(Qt::NoBrush);
    }
    for (const CodeRing& ring : fit.symbol.rings) {
        const QColor c = ring.background ? QColor(Qt::white) : colour;
        const QPointF centre = origin + QPointF(ring.x * md, ring.y * md);
        const double radius = ring.diameter * md / 2;
        if (ring.lineWidth > 0) {
            p.setPen(QPen(c, ring.lineWidth * md));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(centre, radius + ring.lineWidth * md / 2,
                          radius + ring.lineWidth * md / 2);
            p.setPen(Qt::NoPen);
        } else {
            p.setBrush(c);
            p.drawEllipse(centre, radius, radius);
            p.setBrush(Qt::NoBrush);
        }
    }
    if (!fit.symbol.texts.empty())
        drawTexts(p, o, fit, colour);
    p.restore();
}
