#pragma once

#include <QStringList>
#include <QWidget>

class QMimeData;

// The local files of a drop: picture files the program reads, or a single label
// file; both empty for anything else.
struct DroppedFiles {
    QStringList pictures;
    QString labelFile;
    bool accepted() const { return !pictures.isEmpty() || !labelFile.isEmpty(); }
};
DroppedFiles droppedFiles(const QMimeData* data);

class EditorPage;

// The editor's work area on screen. It shows the page's off-screen bitmap and
// hands every mouse event to the page's dispatch.
class EditorPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit EditorPaintBox(EditorPage& page, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Picture files make picture objects where they are dropped; a label file is
    // handed on to be opened; anything else is refused.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    EditorPage& page_;
};
