#include "render/uprightlayout.h"

#include <QPainter>

#include <algorithm>

namespace {
// Text layout works in 26.6 fixed point; wider boxes are laid out at this width.
constexpr double MaxLayoutWidth = 1e7;
} // namespace

UprightLayout::UprightLayout(const QString& text, const QFont& font, QPaintDevice* device,
                             int align, double width, double maxHeight)
    : layout_(text, font, device) {
    QTextOption option(Qt::Alignment(align) | Qt::AlignAbsolute | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);
    layout_.beginLayout();
    qreal y = 0;
    qreal widest = 0;
    int end = 0;
    while (y < maxHeight) {
        QTextLine line = layout_.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::min(width, MaxLayoutWidth));
        line.setPosition(QPointF(0, y));
        y += line.ascent() + line.descent();
        widest = std::max(widest, line.naturalTextWidth());
        end = line.textStart() + line.textLength();
    }
    layout_.endLayout();
    extent_ = QSizeF(widest, y);
    complete_ = end >= text.size();
}

void UprightLayout::draw(QPainter& p, const QRectF& box) const {
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    p.translate(box.topLeft());
    layout_.draw(&p, QPointF(0, 0));
    p.restore();
}

QString withLineSeparators(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    s.replace(QLatin1Char('\r'), QChar::LineSeparator);
    s.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return s;
}
