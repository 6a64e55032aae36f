#include "render/turnedlayout.h"

#include <QPainter>

TurnedLayout::TurnedLayout(const QString& text, const QFont& font, QPaintDevice* device)
    : layout_(text, font, device) {
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);
    layout_.beginLayout();
    QTextLine line = layout_.createLine();
    if (line.isValid()) {
        line.setNumColumns(int(text.size()));
        line.setPosition(QPointF(0, -line.ascent())); // baseline at the origin
    }
    layout_.endLayout();
    valid_ = line.isValid();
    if (valid_) {
        ascent_ = line.ascent();
        descent_ = line.descent();
        width_ = line.naturalTextWidth();
    }
}

void TurnedLayout::draw(QPainter& p) const {
    layout_.draw(&p, QPointF(0, 0));
}
