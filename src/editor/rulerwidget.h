#pragma once

#include <QWidget>

class EditorPage;

// One of the two millimetre rulers beside the editor's pane.
class RulerWidget : public QWidget {
    Q_OBJECT
public:
    RulerWidget(EditorPage& page, Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EditorPage& page_;
    Qt::Orientation orientation_;
};
