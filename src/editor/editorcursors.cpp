#include "editor/editorcursors.h"

#include "editor/toolglyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap blank32() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    return pm;
}
} // namespace

QPixmap EditorCursors::magnifierPixmap() {
    // A magnifying glass with the lens at the top left; the hot spot is (0, 0).
    QPixmap pm = blank32();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(27, 27));
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(0.5, 0.5, 18, 18));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 16, 16));
    return pm;
}

QPixmap EditorCursors::creationPixmap() {
    // An arrow with a small stack of pages below right; the hot spot is (0, 0).
    QPixmap pm = blank32();
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPath(arrowPath(QPointF(0.5, 0.5)));
    for (int i = 0; i < 3; ++i)
        p.drawRect(14 + 3 * i, 14 + 3 * i, 10, 12);
    return pm;
}

EditorCursors::EditorCursors() {
    cursors_[0] = QCursor(Qt::ArrowCursor);
    cursors_[1] = QCursor(Qt::SizeFDiagCursor);
    cursors_[2] = QCursor(Qt::SizeBDiagCursor);
    cursors_[3] = QCursor(Qt::SizeBDiagCursor);
    cursors_[4] = QCursor(Qt::SizeFDiagCursor);
    cursors_[5] = QCursor(Qt::SizeVerCursor);
    cursors_[6] = QCursor(Qt::SizeVerCursor);
    cursors_[7] = QCursor(Qt::SizeHorCursor);
    cursors_[8] = QCursor(Qt::SizeHorCursor);
    cursors_[9] = QCursor(Qt::ClosedHandCursor);
    cursors_[10] = QCursor(Qt::ArrowCursor);
    cursors_[11] = QCursor(magnifierPixmap(), 0, 0);
    cursors_[12] = QCursor(creationPixmap(), 0, 0);
}

const QCursor& EditorCursors::cursor(int number) const {
    return cursors_[number >= 1 && number <= Count ? number : 10];
}
