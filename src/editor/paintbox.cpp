#include "editor/paintbox.h"

#include "editor/editorpage.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

EditorPaintBox::EditorPaintBox(EditorPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAcceptDrops(true);
}

void EditorPaintBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    page_.showEditBitmap(p, event->rect());
    page_.drawFocusFrame(p);
}

void EditorPaintBox::mousePressEvent(QMouseEvent* event) {
    page_.setHeldModifiers(event->modifiers());
    const QPoint pos = event->position().toPoint();
    page_.PaintBox1MouseDown(event->button(), pos.x(), pos.y());
}

void EditorPaintBox::mouseMoveEvent(QMouseEvent* event) {
    page_.setHeldModifiers(event->modifiers());
    const QPoint pos = event->position().toPoint();
    page_.PaintBox1MouseMove(pos.x(), pos.y());
}

void EditorPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    page_.setHeldModifiers(event->modifiers());
    const QPoint pos = event->position().toPoint();
    page_.PaintBox1MouseUp(event->button(), pos.x(), pos.y());
}

void EditorPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    page_.setHeldModifiers(event->modifiers());
    // The second press of a double click arrives here: the double-click handler
    // runs first, then the press as usual.
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        page_.PaintBox1DblClick(pos.x(), pos.y());
    page_.PaintBox1MouseDown(event->button(), pos.x(), pos.y());
}

DroppedFiles droppedFiles(const QMimeData* data) {
    DroppedFiles files;
    if (!data || !data->hasUrls())
        return files;
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return {};
        if (QFileInfo(path).suffix().compare(QLatin1String("ett"), Qt::CaseInsensitive) == 0) {
            if (urls.size() != 1)
                return {};
            files.labelFile = path;
        } else if (EditorPage::acceptsDroppedFile(path)) {
            files.pictures << path;
        } else {
            return {};
        }
    }
    return files;
}

void EditorPaintBox::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFiles(event->mimeData()).accepted())
        event->acceptProposedAction();
    else
        event->ignore();
}

void EditorPaintBox::dragMoveEvent(QDragMoveEvent* event) {
    dragEnterEvent(static_cast<QDragEnterEvent*>(event));
}

void EditorPaintBox::dropEvent(QDropEvent* event) {
    const DroppedFiles files = droppedFiles(event->mimeData());
    if (!files.accepted()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    page_.setHeldModifiers(event->modifiers());
    if (!files.labelFile.isEmpty())
        emit page_.labelFileDropped(files.labelFile);
    else
        page_.dropPictureFiles(files.pictures, event->position().toPoint());
}
