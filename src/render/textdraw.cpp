#include "render/textdraw.h"

#include "document/labeldocument.h"
#include "document/tobs.h"
#include "merge/fields.h"
#include "render/labelgeometry.h"
#include "render/rendercontext.h"
#include "render/renderrun.h"
#include "render/turnedlayout.h"
#include "render/uprightlayout.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

// One copy of the text: its colour and how far it lies from the text itself.
struct TextCopy {
    QColor color;
    QPoint offset;
    bool outline = false;
};

// Draws the text's glyphs with the painter's pen, moved by offset, clipped as the
// text is.
using GlyphPainter = std::function<void(QPainter&, const QPoint& offset)>;

// Masks larger than this are not made; such texts are drawn copy by copy.
constexpr qint64 MaxMaskPixels = 50LL * 1000 * 1000;

// The outline copies in drawing order: for dx = -t to t and, within it, dy = -t to t,
// every pair with dx and dy both non-zero.
void addOutline(std::vector<TextCopy>& copies, const QColor& color, int t) {
    for (int dx = -t; dx <= t; ++dx) {
        for (int dy = -t; dy <= t; ++dy) {
            if (dx != 0 && dy != 0)
                copies.push_back({color, QPoint(dx, dy), true});
        }
    }
}

// Coverage (alpha) of the glyphs in rect, drawn once.
QImage glyphMask(const QRect& rect, const GlyphPainter& paint, bool antialiased) {
    QImage mask(rect.size(), QImage::Format_ARGB32_Premultiplied);
    if (mask.isNull())
        return mask;
    mask.fill(Qt::transparent);
    QPainter mp(&mask);
    mp.setRenderHint(QPainter::TextAntialiasing, antialiased);
    mp.translate(-rect.topLeft());
    mp.setPen(Qt::black);
    paint(mp, QPoint(0, 0));
    return mask;
}

// The union of the outline copies: the mask moved by every (dx, dy) with dx and dy
// in [-t, t] and both non-zero, each pixel taking the largest coverage. Because the
// offsets form a product of two sets, the union is taken along rows and then along
// columns. The result is larger by t on every side.
QImage outlineMask(const QImage& mask, int t) {
    const int w = mask.width(), h = mask.height();
    const int W = w + 2 * t, H = h + 2 * t;
    std::vector<uchar> across(size_t(W) * size_t(h), 0);
    for (int y = 0; y < h; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        uchar* dst = &across[size_t(y) * W];
        for (int X = 0; X < W; ++X) {
            uchar m = 0;
            for (int dx = -t; dx <= t; ++dx) {
                const int x = X - t - dx;
                if (dx != 0 && x >= 0 && x < w)
                    m = std::max<uchar>(m, uchar(qAlpha(src[x])));
            }
            dst[X] = m;
        }
    }
    QImage out(W, H, QImage::Format_Alpha8);
    if (out.isNull())
        return out;
    for (int Y = 0; Y < H; ++Y) {
        uchar* dst = out.scanLine(Y);
        for (int X = 0; X < W; ++X) {
            uchar m = 0;
            for (int dy = -t; dy <= t; ++dy) {
                const int y = Y - t - dy;
                if (dy != 0 && y >= 0 && y < h)
                    m = std::max(m, across[size_t(y) * W + X]);
            }
            dst[X] = m;
        }
    }
    return out;
}

// The coverage of an alpha image or the alpha of a mask, in one colour.
QImage colouredMask(const QImage& coverage, const QColor& color) {
    QImage out(coverage.size(), QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        return out;
    const QRgb c = color.rgb();
    const bool alphaOnly = coverage.format() == QImage::Format_Alpha8;
    for (int y = 0; y < coverage.height(); ++y) {
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        const uchar* a8 = coverage.constScanLine(y);
        const QRgb* argb = reinterpret_cast<const QRgb*>(a8);
        for (int x = 0; x < coverage.width(); ++x) {
            const int a = alphaOnly ? a8[x] : qAlpha(argb[x]);
            dst[x] = a == 0 ? 0u : qPremultiply(qRgba(qRed(c), qGreen(c), qBlue(c), a));
        }
    }
    return out;
}

// Draws the copies in their order. On pixel devices a text with an outline of two
// pixels or more is drawn once into a coverage mask, and the copies are that mask in
// their colours: the many outline copies become one picture. Vector devices get
// every copy as text, so that the text stays text.
void drawCopies(RenderContext& rc, const std::vector<TextCopy>& copies, const GlyphPainter& paint,
                const QRectF& extent, int t) {
    QPainter& p = rc.canvas;
    const bool anyOutline =
        std::any_of(copies.begin(), copies.end(), [](const TextCopy& c) { return c.outline; });
    QRect area;
    // Four copies (thickness 1) draw faster as text from Qt's glyph cache.
    if (rc.pixelDevice && anyOutline && t >= 2) {
        int reach = t;
        for (const TextCopy& c : copies)
            reach = std::max({reach, std::abs(c.offset.x()), std::abs(c.offset.y())});
        const QRectF seen = rc.visible.adjusted(-reach - 1, -reach - 1, reach + 1, reach + 1);
        area = (extent & seen).toAlignedRect();
    }
    if (area.isEmpty() || qint64(area.width()) * area.height() > MaxMaskPixels) {
        for (const TextCopy& c : copies) {
            if (!rc.isVisible(extent.translated(c.offset)))
                continue;
            p.setPen(c.color);
            paint(p, c.offset);
        }
        return;
    }
    const QImage mask = glyphMask(area, paint, p.testRenderHint(QPainter::TextAntialiasing));
    if (mask.isNull())
        return;
    bool outlineDone = false;
    for (const TextCopy& c : copies) {
        if (c.outline) {
            if (!outlineDone)
                p.drawImage(area.topLeft() - QPoint(t, t),
                            colouredMask(outlineMask(mask, t), c.color));
            outlineDone = true;
            continue;
        }
        p.drawImage(area.topLeft() + c.offset, colouredMask(mask, c.color));
    }
}

// The layouts of a text: made for this label, or, in a run and for a text without
// fields, taken from the run's layouts that every label shares.
std::shared_ptr<const UprightLayout> uprightLayout(RenderContext& rc, const Tobs& o,
                                                   const QString& text, const QFont& font,
                                                   int align, double width, double height) {
    QPaintDevice* device = rc.canvas.device();
    auto make = [&] {
        return std::make_shared<const UprightLayout>(text, font, device, align, width, height);
    };
    if (!rc.run || !TextLayoutCache::cacheable(o.Text))
        return make();
    return rc.run->texts().upright({text, font.key(), device, align, width, height}, make);
}

std::shared_ptr<const TurnedLayout> turnedLayout(RenderContext& rc, const Tobs& o,
                                                 const QString& text, const QFont& font) {
    QPaintDevice* device = rc.canvas.device();
    auto make = [&] { return std::make_shared<const TurnedLayout>(text, font, device); };
    if (!rc.run || !TextLayoutCache::cacheable(o.Text))
        return make();
    return rc.run->texts().turned({text, font.key(), device, 0, 0, 0}, make);
}

void drawUpright(RenderContext& rc, const Tobs& o, const ObjectBox& b, const QString& s,
                 const QFont& font) {
    QPainter& p = rc.canvas;
    const OutputState& out = rc.document.Output;
    const QRectF box(double(b.x), double(b.y), double(b.w), double(b.h));
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const int t = o.Outline ? outlineThickness(out.MmPerInchX, rc.Scale) : 0;

    // The shadow's box: the object's box moved by the shadow offsets, each side
    // truncated on its own, so it can come out a pixel smaller.
    QRectF shadowBox;
    if (o.Shadow) {
        const double sx = shadowOffset(o.ShadowDX, out.MmPerInchX, rc.Scale);
        const double sy = shadowOffset(o.ShadowDY, out.MmPerInchY, rc.Scale);
        const long double X0 = b.X0, Y0 = b.Y0;
        shadowBox = QRectF(
            QPointF(double(truncSat(X0 + sx) - rc.OffsetX), double(truncSat(Y0 + sy) - rc.OffsetY)),
            QPointF(double(truncSat(X0 + sx + box.width()) - rc.OffsetX),
                    double(truncSat(Y0 + sy + box.height()) - rc.OffsetY)));
    }
    QRectF reach = box.adjusted(-t, -t, t, t);
    if (o.Shadow)
        reach |= shadowBox;
    if (!rc.isVisible(reach))
        return;

    const QString text = withLineSeparators(s);
    const int align = o.TextAlign == 1   ? Qt::AlignHCenter
                      : o.TextAlign == 2 ? Qt::AlignRight
                                         : Qt::AlignLeft;
    const std::shared_ptr<const UprightLayout> layout =
        uprightLayout(rc, o, text, font, align, box.width(), box.height());

    std::vector<TextCopy> copies;
    if (o.Shadow) {
        const QColor color(colorRefToRgb(o.ShadowColor));
        if (shadowBox.size() == box.size()) {
            copies.push_back({color, (shadowBox.topLeft() - box.topLeft()).toPoint()});
        } else if (shadowBox.width() > 0 && shadowBox.height() > 0 && rc.isVisible(shadowBox)) {
            // A box of another size wraps and clips on its own.
            const std::shared_ptr<const UprightLayout> shadowLayout =
                uprightLayout(rc, o, text, font, align, shadowBox.width(), shadowBox.height());
            p.setPen(color);
            shadowLayout->draw(p, shadowBox);
        }
    }
    if (o.Outline)
        addOutline(copies, QColor(colorRefToRgb(o.OutlineColor)), t);
    copies.push_back({QColor(colorRefToRgb(o.Color)), QPoint(0, 0)});
    drawCopies(
        rc, copies,
        [&](QPainter& painter, const QPoint& offset) {
            layout->draw(painter, box.translated(offset));
        },
        box, t);
}

void drawTurned(RenderContext& rc, const Tobs& o, const ObjectBox& b, const QString& s,
                const QFont& font) {
    const OutputState& out = rc.document.Output;
    const double x = double(b.x), y = double(b.y), w = double(b.w), h = double(b.h);
    // The corner from which the turned text starts; the glyphs then stand in the box.
    const QPointF anchor = o.Rotation == 1   ? QPointF(x, y)
                           : o.Rotation == 2 ? QPointF(x + w, y)
                                             : QPointF(x + w, y + h);

    const std::shared_ptr<const TurnedLayout> layout = turnedLayout(rc, o, s, font);
    if (!layout->isValid())
        return;

    // Where the glyphs can lie: the line's length and height, turned about the
    // anchor, with room for glyphs that lean out (italics) or reach past the line.
    const double lineHeight = layout->ascent() + layout->descent();
    const double margin = lineHeight / 2 + 2;
    QTransform turn;
    turn.translate(anchor.x(), anchor.y());
    turn.rotate(90.0 * o.Rotation);
    const QRectF extent =
        turn.mapRect(QRectF(-margin, -layout->ascent() - margin,
                            layout->naturalWidth() + 2 * margin, lineHeight + 2 * margin));

    const int t = o.Outline ? outlineThickness(out.MmPerInchX, rc.Scale) : 0;
    std::vector<TextCopy> copies;
    if (o.Shadow) {
        const double sx = shadowOffset(o.ShadowDX, out.MmPerInchX, rc.Scale);
        const double sy = shadowOffset(o.ShadowDY, out.MmPerInchY, rc.Scale);
        copies.push_back({QColor(colorRefToRgb(o.ShadowColor)),
                          QPoint(int(std::trunc(sx)), int(std::trunc(sy)))});
    }
    if (o.Outline)
        addOutline(copies, QColor(colorRefToRgb(o.OutlineColor)), t);
    copies.push_back({QColor(colorRefToRgb(o.Color)), QPoint(0, 0)});
    drawCopies(
        rc, copies,
        [&](QPainter& painter, const QPoint& offset) {
            painter.save();
            painter.translate(anchor + offset);
            painter.rotate(90.0 * o.Rotation);
            layout->draw(painter);
            painter.restore();
        },
        extent, t);
}

} // namespace

QFont labelFont(const QString& fontName, int charHeight, uint8_t fontStyle) {
    QFont font;
    if (!fontName.isEmpty())
        font.setFamily(fontName);
    font.setPixelSize(std::max(charHeight, 1));
    font.setWeight((fontStyle & 1) ? QFont::Bold : QFont::Normal);
    font.setItalic(fontStyle & 2);
    font.setUnderline(fontStyle & 4);
    font.setStrikeOut(fontStyle & 8);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

QString labelText(const QString& text, bool turned, int Number, const MergeRecord* record) {
    QString s = substituteFields(text, Number, record);
    if (turned)
        s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}

void drawText(RenderContext& rc, const Tobs& o, const ObjectBox& b) {
    if (o.Rotation < 0 || o.Rotation > 3)
        return;
    const int height = charHeight(o.FontSize, rc.Scale);
    // A font of no height shows nothing.
    if (height < 1)
        return;
    const bool turned = o.Rotation != 0;
    const QString s = labelText(o.Text, turned, rc.Number, rc.Record);
    if (s.isEmpty())
        return;
    QFont font = labelFont(o.FontName, height, o.FontStyle);
    QPainter& p = rc.canvas;
    // A canvas that asks for plain text gets glyphs without antialiasing; Qt's font
    // engines do not all follow the painter's hint alone.
    if (!p.testRenderHint(QPainter::TextAntialiasing))
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoAntialias));
    p.save();
    p.setBrush(Qt::NoBrush);
    if (turned)
        drawTurned(rc, o, b, s, font);
    else
        drawUpright(rc, o, b, s, font);
    p.restore();
}
