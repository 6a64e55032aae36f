#include "render/textdraw.h"

#include "document/labeldocument.h"
#include "document/tobs.h"
#include "render/labelgeometry.h"
#include "render/rendercontext.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// The placeholder for the running label number.
const QString NumberPlaceholder = QStringLiteral("%%NUMMER%%");
// Text layout works in 26.6 fixed point; wider boxes are laid out at this width.
constexpr double MaxLayoutWidth = 1e7;

// One copy of the text: its colour and where it goes.
struct TextCopy {
    QColor color;
    QRectF box; // upright texts: the box; turned texts: the anchor in box.topLeft()
};

// The copies in drawing order: shadow, outline (the pairs dx, dy from -t to t, both
// non-zero), text. upright: the copies are boxes, else anchor points.
std::vector<TextCopy> textCopies(const RenderContext& rc, const Tobs& o, const ObjectBox& b,
                                 const QPointF& anchor) {
    std::vector<TextCopy> copies;
    const OutputState& out = rc.document.Output;
    const double w = double(b.w), h = double(b.h);
    const bool upright = o.Rotation == 0;
    if (o.Shadow) {
        const double sx = shadowOffset(o.ShadowDX, out.MmPerInchX, rc.Scale);
        const double sy = shadowOffset(o.ShadowDY, out.MmPerInchY, rc.Scale);
        const QColor c(colorRefToRgb(o.ShadowColor));
        if (upright) {
            // The object's box moved by the shadow offsets, each side truncated.
            const long double X0 = b.X0, Y0 = b.Y0;
            const double l = double(truncSat(X0 + sx) - rc.OffsetX);
            const double t = double(truncSat(Y0 + sy) - rc.OffsetY);
            const double r = double(truncSat(X0 + sx + w) - rc.OffsetX);
            const double bt = double(truncSat(Y0 + sy + h) - rc.OffsetY);
            copies.push_back({c, QRectF(QPointF(l, t), QPointF(r, bt))});
        } else {
            copies.push_back(
                {c, QRectF(anchor + QPointF(std::trunc(sx), std::trunc(sy)), QSizeF(w, h))});
        }
    }
    if (o.Outline) {
        const int t = outlineThickness(out.MmPerInchX, rc.Scale);
        const QColor c(colorRefToRgb(o.OutlineColor));
        for (int dx = -t; dx <= t; ++dx) {
            for (int dy = -t; dy <= t; ++dy) {
                if (dx != 0 && dy != 0)
                    copies.push_back({c, QRectF(anchor + QPointF(dx, dy), QSizeF(w, h))});
            }
        }
    }
    copies.push_back({QColor(colorRefToRgb(o.Color)), QRectF(anchor, QSizeF(w, h))});
    return copies;
}

// Upright text laid out for one box width: lines broken at the line separators and
// between words, each line as high as the font's ascent plus descent (no extra
// leading), aligned within the width. Lines starting below maxHeight are left out.
class UprightLayout {
public:
    UprightLayout(const QString& text, const QFont& font, QPaintDevice* device, int align,
                  double width, double maxHeight)
        : layout_(text, font, device), width_(width) {
        QTextOption option(Qt::Alignment(align) | Qt::AlignAbsolute | Qt::AlignTop);
        option.setWrapMode(QTextOption::WordWrap);
        option.setTextDirection(Qt::LeftToRight);
        layout_.setTextOption(option);
        layout_.setCacheEnabled(true);
        layout_.beginLayout();
        qreal y = 0;
        while (y < maxHeight) {
            QTextLine line = layout_.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(std::min(width, MaxLayoutWidth));
            line.setPosition(QPointF(0, y));
            y += line.ascent() + line.descent();
        }
        layout_.endLayout();
    }
    double width() const { return width_; }
    void draw(QPainter& p, const QPointF& at) { layout_.draw(&p, at); }

private:
    QTextLayout layout_;
    double width_;
};

void drawUpright(RenderContext& rc, const Tobs& o, const ObjectBox& b, const QString& s,
                 const QFont& font) {
    QPainter& p = rc.canvas;
    const QPointF anchor(double(b.x), double(b.y));
    const std::vector<TextCopy> copies = textCopies(rc, o, b, anchor);

    QRectF reach;
    for (const TextCopy& c : copies)
        reach |= c.box;
    if (!rc.isVisible(reach))
        return;

    // The separators that end a line: CR LF once, then CR and LF each.
    QString text = s;
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);

    const int align = o.TextAlign == 1   ? Qt::AlignHCenter
                      : o.TextAlign == 2 ? Qt::AlignRight
                                         : Qt::AlignLeft;
    // Copies of one width share one layout (the shadow's box can be a pixel narrower).
    std::vector<std::unique_ptr<UprightLayout>> layouts;
    for (const TextCopy& c : copies) {
        if (c.box.width() <= 0 || c.box.height() <= 0 || !rc.isVisible(c.box))
            continue;
        UprightLayout* layout = nullptr;
        for (auto& l : layouts) {
            if (l->width() == c.box.width())
                layout = l.get();
        }
        if (!layout) {
            layouts.push_back(std::make_unique<UprightLayout>(text, font, p.device(), align,
                                                              c.box.width(), c.box.height()));
            layout = layouts.back().get();
        }
        p.save();
        p.setClipRect(c.box, Qt::IntersectClip);
        // Laid out at the origin and moved by the painter, so that far positions
        // never enter the layout's fixed-point arithmetic.
        p.translate(c.box.topLeft());
        p.setPen(c.color);
        layout->draw(p, QPointF(0, 0));
        p.restore();
    }
}

void drawTurned(RenderContext& rc, const Tobs& o, const ObjectBox& b, const QString& s,
                const QFont& font) {
    QPainter& p = rc.canvas;
    const double x = double(b.x), y = double(b.y), w = double(b.w), h = double(b.h);
    // The corner from which the turned text starts; the glyphs then stand in the box.
    const QPointF anchor = o.Rotation == 1   ? QPointF(x, y)
                           : o.Rotation == 2 ? QPointF(x + w, y)
                                             : QPointF(x + w, y + h);

    QTextLayout layout(s, font, p.device());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setNumColumns(int(s.size()));
        line.setPosition(QPointF(0, -line.ascent())); // baseline at the anchor
    }
    layout.endLayout();
    if (!line.isValid())
        return;

    const std::vector<TextCopy> copies = textCopies(rc, o, b, anchor);
    // However it is turned, the line stays within its length plus its height of the
    // anchor; italic glyphs may lean out by a fraction of the height.
    const double reachRadius = line.naturalTextWidth() + 2 * (line.ascent() + line.descent()) + 2;
    const QTransform base = p.transform();
    for (const TextCopy& c : copies) {
        const QPointF a = c.box.topLeft();
        if (!rc.isVisible(
                QRectF(a.x() - reachRadius, a.y() - reachRadius, 2 * reachRadius, 2 * reachRadius)))
            continue;
        QTransform t = base;
        t.translate(a.x(), a.y());
        t.rotate(90.0 * o.Rotation);
        p.setTransform(t);
        p.setPen(c.color);
        layout.draw(&p, QPointF(0, 0));
    }
    p.setTransform(base);
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

QString labelText(const QString& text, bool turned, int Number) {
    QString s = text;
    if (turned)
        s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(NumberPlaceholder, QString::number(Number), Qt::CaseInsensitive);
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
    const QString s = labelText(o.Text, turned, rc.Number);
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
