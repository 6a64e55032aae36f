#include "editor/toolglyphs.h"

#include "editor/editorcursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int Size = 24;

void drawArrow(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrowPath(QPointF(6, 2)));
}

void drawHand(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 224, 189));
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(5.5 + 3.5 * i, 3.5 + (i == 0 || i == 3 ? 2 : 0), 3, 10), 1.5, 1.5);
    p.drawRoundedRect(QRectF(5.5, 10.5, 14, 11), 3, 3);
    p.drawRoundedRect(QRectF(1.5, 10.5, 6, 3), 1.5, 1.5);
}

void drawFigure(QPainter& p) {
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(80, 140, 220));
    p.drawRect(QRectF(2.5, 8.5, 12, 12));
    p.setBrush(QColor(230, 80, 60));
    p.drawEllipse(QRectF(9.5, 2.5, 12, 12));
}

void drawText(QPainter& p) {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, QStringLiteral("A"));
}

// A few bars of a barcode.
void drawCodeGlyph(QPainter& p) {
    const int bars[] = {1, 0, 2, 1, 0, 1, 3, 0, 1, 2, 0, 1, 1, 0, 2, 1};
    double x = 2;
    for (int i = 0; i < 16 && x < 22; ++i) {
        const double w = bars[i] == 0 ? 1 : bars[i];
        if (i % 2 == 0)
            p.fillRect(QRectF(x, 3, w, 18), Qt::black);
        x += w;
    }
}

void drawPicture(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(170, 210, 250));
    p.drawRect(QRectF(1.5, 4.5, 21, 16));
    p.setBrush(QColor(60, 150, 60));
    QPainterPath hill;
    hill.moveTo(2, 20);
    hill.lineTo(9, 11);
    hill.lineTo(14, 16);
    hill.lineTo(17, 13);
    hill.lineTo(22, 20);
    hill.closeSubpath();
    p.drawPath(hill);
    p.setBrush(QColor(250, 210, 40));
    p.drawEllipse(QRectF(15.5, 6.5, 4, 4));
}
} // namespace

QIcon toolGlyph(EditorTool tool) {
    if (tool == EditorTool::Lupe)
        return QIcon(EditorCursors::magnifierPixmap().scaled(Size, Size, Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation));
    QPixmap pm(Size, Size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (tool) {
    case EditorTool::Zeiger:
        drawArrow(p);
        break;
    case EditorTool::Hand:
        drawHand(p);
        break;
    case EditorTool::Figur:
        drawFigure(p);
        break;
    case EditorTool::Text:
        drawText(p);
        break;
    case EditorTool::Bild:
        drawPicture(p);
        break;
    case EditorTool::Code:
        drawCodeGlyph(p);
        break;
    case EditorTool::Lupe:
        break;
    }
    return QIcon(pm);
}

QPainterPath arrowPath(QPointF tip) {
    QPainterPath arrow;
    arrow.moveTo(0, 0);
    arrow.lineTo(0, 17);
    arrow.lineTo(4, 13);
    arrow.lineTo(7, 20);
    arrow.lineTo(9.5, 19);
    arrow.lineTo(6.5, 12);
    arrow.lineTo(12, 12);
    arrow.closeSubpath();
    return arrow.translated(tip);
}
