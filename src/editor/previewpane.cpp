#include "editor/previewpane.h"

#include <QPainter>

QRect previewRect(QSize area, QSize picture) {
    if (picture.width() < 1 || picture.height() < 1)
        return QRect();
    long long w = area.width();
    long long h = w * picture.height() / picture.width();
    if (h > area.height()) {
        h = area.height();
        w = h * picture.width() / picture.height();
    }
    return QRect(0, 0, int(w), int(h));
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox1"));
}

void PreviewPane::setPicture(const QImage* picture, bool enabled) {
    picture_ = picture;
    enabled_ = enabled;
    update();
}

void PreviewPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().brush(QPalette::Dark));
    if (!enabled_ || !picture_ || picture_->isNull())
        return;
    p.drawImage(previewRect(size(), picture_->size()), *picture_);
}
