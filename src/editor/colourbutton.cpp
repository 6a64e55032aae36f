#include "editor/colourbutton.h"

#include "codec/dibrecord.h"
#include "document/prompts.h"
#include "editor/accessiblename.h"

#include <QPainter>
#include <QPixmap>

ColourButton::ColourButton(Prompts& prompts, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent), prompts_(prompts) {
    setAccessibleCaption(this, caption);
    setIconSize(QSize(16, 16));
    setColor(0);
    connect(this, &QPushButton::clicked, this, &ColourButton::pick);
}

void ColourButton::setColor(int32_t color) {
    color_ = color & 0xFFFFFF;
    QPixmap swatch(iconSize());
    swatch.fill(QColor(colorRefToRgb(color_)));
    QPainter p(&swatch);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    p.end();
    setIcon(QIcon(swatch));
}

void ColourButton::pick() {
    int32_t chosen = color_;
    if (prompts_.chooseColor(chosen))
        setColor(chosen);
}
