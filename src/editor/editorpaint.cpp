#include "editor/editorpage.h"

#include "editor/paintbox.h"
#include "editor/rulerscale.h"
#include "editor/rulerwidget.h"
#include "merge/mergerecord.h"
#include "render/drawvcart.h"

#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollArea>

void EditorPage::renderEditBitmap() {
    doc_.Output.OutputMode = 0;
    const QSize client = ScrollBox1->viewport()->size().expandedTo(QSize(1, 1));
    if (EditBitmap.size() != client)
        EditBitmap = QImage(client, QImage::Format_RGB32);
    EditBitmap.fill(palette().color(QPalette::Dark));
    const int h = scrollX(), v = scrollY();
    const int W = PaintBox1->width(), H = PaintBox1->height();

    QPainter p(&EditBitmap);
    // Everything is drawn shifted by the scroll position: the bitmap holds
    // exactly the visible part of the work area.
    p.fillRect(QRect(-h, -v, W, H), Qt::white);
    // The label's outline (right and bottom edge excluded) and its drop shadow.
    const int l = W / 3 - h, t = H / 3 - v, r = 2 * W / 3 - h, b = 2 * H / 3 - v;
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    if (r > l && b > t)
        p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    const QColor grey(128, 128, 128);
    p.fillRect(QRect(QPoint(r, t + 5), QPoint(r + 4, b + 4)), grey);
    p.fillRect(QRect(QPoint(l + 5, b), QPoint(r + 4, b + 4)), grey);

    p.save();
    {
        const QScopedValueRollback<const MergeRecord*> sample(doc_.Output.SampleRecord,
                                                              sampleRecord());
        DrawVCart(p, doc_, W, H, h, v, doc_.Zoom / doc_.UnitsPerPixel, true,
                  labelNumber_ ? labelNumber_() : 0);
    }
    p.restore();
    drawGridDots(p, h, v);
    markrec(p, doc_, MouseState, h, v);
    renderedScroll_ = QPoint(h, v);
}

void EditorPage::PaintBox1Paint() {
    emit labelRepainted();
    selectionShown();
    if (doc_.Output.RenderBusy)
        return;
    if (!ZoomBusy) {
        renderEditBitmap();
        PaintBox1->update(QRect(QPoint(scrollX(), scrollY()), EditBitmap.size()));
    }
    TRuler->update();
    LRuler->update();
    reportCodeProblem();
}

void EditorPage::showEditBitmap(QPainter& painter, const QRect&) {
    if (doc_.Output.RenderBusy)
        return;
    const QPoint scroll(scrollX(), scrollY());
    // The scroll box repaints the paint box when its visible part changes.
    if (!ZoomBusy && (renderedScroll_ != scroll ||
                      EditBitmap.size() != ScrollBox1->viewport()->size().expandedTo(QSize(1, 1))))
        renderEditBitmap();
    painter.drawImage(renderedScroll_, EditBitmap);
}

QImage EditorPage::TRulerPaint() const {
    QImage image(TRuler->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    paintTopRuler(image, scrollX(), PaintBox1->width(), doc_.Format.LabelWidth);
    return image;
}

QImage EditorPage::LRulerPaint() const {
    QImage image(LRuler->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    paintLeftRuler(image, scrollY(), PaintBox1->height(), doc_.Format.LabelHeight);
    return image;
}
