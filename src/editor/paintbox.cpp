#include "editor/paintbox.h"

#include "editor/editorpage.h"

#include <QMouseEvent>
#include <QPainter>

EditorPaintBox::EditorPaintBox(EditorPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void EditorPaintBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    page_.showEditBitmap(p, event->rect());
}

void EditorPaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    page_.PaintBox1MouseDown(event->button(), pos.x(), pos.y());
}

void EditorPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    page_.PaintBox1MouseMove(pos.x(), pos.y());
}

void EditorPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    page_.PaintBox1MouseUp(event->button(), pos.x(), pos.y());
}

void EditorPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click arrives here: the double-click handler
    // runs first, then the press as usual.
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        page_.PaintBox1DblClick(pos.x(), pos.y());
    page_.PaintBox1MouseDown(event->button(), pos.x(), pos.y());
}
