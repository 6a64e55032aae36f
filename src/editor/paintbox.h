#pragma once

#include <QWidget>

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

private:
    EditorPage& page_;
};
