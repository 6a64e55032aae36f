#include "app/windowdrops.h"

#include "app/documentcommands.h"
#include "app/sdiappform.h"
#include "editor/editorpage.h"
#include "editor/paintbox.h"

#include <QDropEvent>
#include <QTimer>

WindowDrops::WindowDrops(TSDIAppForm& window) : QObject(&window), window_(window) {
    window_.setAcceptDrops(true);
    window_.installEventFilter(this);
    connect(window_.EditorPg, &EditorPage::labelFileDropped, this,
            [this](const QString& file) { open(file); });
}

void WindowDrops::open(const QString& fileName) {
    // After the drop has ended, so that the drag's source is not kept waiting by the
    // question about saving.
    QTimer::singleShot(0, this, [this, fileName] { window_.Commands->openFile(fileName); });
}

bool WindowDrops::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!droppedFiles(drag->mimeData()).labelFile.isEmpty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFiles(drop->mimeData()).labelFile;
        if (file.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        open(file);
        return true;
    }
    default:
        return false;
    }
}
