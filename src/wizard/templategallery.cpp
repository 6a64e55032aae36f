#include "wizard/templategallery.h"

#include "document/labeldocument.h"
#include "wizard/gallerypaint.h"
#include "wizard/templatewizard.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
// Room around a thumbnail for the red frame and the focus mark.
constexpr int FrameReach = 8;
} // namespace

GalleryPaintBox::GalleryPaintBox(TemplateGallery& gallery) : QWidget(&gallery), gallery_(gallery) {
    setObjectName(QStringLiteral("PaintBox4"));
    setAccessibleName(QStringLiteral("Vorlagen"));
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
}

void GalleryPaintBox::paintEvent(QPaintEvent* event) {
    // A wrong size is put right first; the resize brings a new paint.
    if (gallery_.syncSize())
        return;
    QPainter p(this);
    const QRect visible = gallery_.visiblePart() & event->rect();
    const TemplateWizard& wizard = gallery_.wizard();
    const GalleryGeometry g = gallery_.geometry();
    const TLabelFormat& format = gallery_.document().Format;
    paintGallery(p, g, visible, wizard, format.LabelWidth, format.LabelHeight, gallery_.fits());
    if (hasFocus() && wizard.hasChosenDesign()) {
        const CellRect t = g.thumbnail(wizard.SelDesign());
        QPen pen(palette().color(QPalette::BrightText), 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(t.left - 7, t.top - 7, t.width() + 13, t.height() + 13));
    }
}

void GalleryPaintBox::mousePressEvent(QMouseEvent* event) {
    gallery_.PaintBox4MouseDown(event->position().toPoint().x(), event->position().toPoint().y());
    QWidget::mousePressEvent(event);
}

void GalleryPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit gallery_.adoptRequested();
}

void GalleryPaintBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        gallery_.moveChoice(Qt::Key(event->key()));
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit gallery_.adoptRequested();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void GalleryPaintBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    gallery_.repaintThumbnail(gallery_.wizard().SelDesign());
}

void GalleryPaintBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    gallery_.repaintThumbnail(gallery_.wizard().SelDesign());
}

TemplateGallery::TemplateGallery(const LabelDocument& doc, TemplateWizard& wizard, QWidget* parent)
    : QScrollArea(parent), doc_(doc), wizard_(wizard) {
    setObjectName(QStringLiteral("ScrollBox4"));
    setAccessibleName(QStringLiteral("Vorlagen-Galerie"));
    setBackgroundRole(QPalette::Dark);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Always there, so that the columns never flip with the scroll bar.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(GalleryGeometry::RowStep);
    PaintBox4 = new GalleryPaintBox(*this);
    setWidget(PaintBox4);
    PaintBox4->move(0, 0);
    syncSize();
    describeChoice();
}

GalleryGeometry TemplateGallery::geometry() const {
    return galleryGeometry(doc_.Format.LabelWidth, doc_.Format.LabelHeight, viewport()->width(),
                           wizard_.DesignCount());
}

QRect TemplateGallery::visiblePart() const {
    return QRect(horizontalScrollBar()->value(), verticalScrollBar()->value(), viewport()->width(),
                 viewport()->height());
}

bool TemplateGallery::syncSize() {
    const QSize wanted = geometry().boxSize();
    if (PaintBox4->size() == wanted)
        return false;
    PaintBox4->resize(wanted);
    return true;
}

void TemplateGallery::PaintBox4Paint() {
    fits_.clear();
    syncSize();
    ++repaintRequests_;
    PaintBox4->update();
    describeChoice();
}

void TemplateGallery::repaintThumbnail(int i) {
    if (i < 0 || i >= wizard_.DesignCount())
        return;
    const CellRect t = geometry().thumbnail(i);
    ++repaintRequests_;
    PaintBox4->update(QRect(t.left - FrameReach, t.top - FrameReach, t.width() + 2 * FrameReach,
                            t.height() + 2 * FrameReach));
}

void TemplateGallery::choose(int i) {
    const int before = wizard_.SelDesign();
    if (!wizard_.choose(i))
        return;
    repaintThumbnail(before);
    repaintThumbnail(i);
    describeChoice();
}

void TemplateGallery::PaintBox4MouseDown(int X, int Y) {
    syncSize();
    choose(geometry().designAt(QPoint(X, Y), wizard_.DesignCount()));
}

void TemplateGallery::moveChoice(Qt::Key key) {
    if (!wizard_.hasChosenDesign())
        return;
    const GalleryGeometry g = geometry();
    const int step = key == Qt::Key_Left    ? -1
                     : key == Qt::Key_Right ? 1
                     : key == Qt::Key_Up    ? -g.columns
                     : key == Qt::Key_Down  ? g.columns
                                            : 0;
    const int next = wizard_.SelDesign() + step;
    if (next < 0 || next >= wizard_.DesignCount())
        return;
    choose(next);
    const CellRect t = g.thumbnail(next);
    ensureVisible((t.left + t.right) / 2, (t.top + t.bottom) / 2, t.width() / 2 + FrameReach,
                  t.height() / 2 + FrameReach);
}

void TemplateGallery::describeChoice() {
    const QString text = wizard_.hasChosenDesign() ? QStringLiteral("Vorlage %1 von %2 gewählt")
                                                         .arg(wizard_.SelDesign() + 1)
                                                         .arg(wizard_.DesignCount())
                                                   : QStringLiteral("Keine Vorlagen berechnet");
    PaintBox4->setAccessibleDescription(text);
}

void TemplateGallery::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    syncSize();
}
