#include "editor/rulerwidget.h"

#include "editor/editorpage.h"

#include <QPainter>

RulerWidget::RulerWidget(EditorPage& page, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), page_(page), orientation_(orientation) {
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("TRuler")
                                                : QStringLiteral("LRuler"));
    if (orientation == Qt::Horizontal)
        setFixedHeight(20);
    else
        setFixedWidth(20);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RulerWidget::paintEvent(QPaintEvent*) {
    const QImage image = orientation_ == Qt::Horizontal ? page_.TRulerPaint() : page_.LRulerPaint();
    QPainter p(this);
    p.drawImage(0, 0, image);
}
