#pragma once

#include <QWidget>

class QButtonGroup;
class QToolButton;

enum class EditorTool { Zeiger, Lupe, Hand, Figur, Text, Bild, Code };

// The editor's tool bar: seven buttons in one exclusive group, exactly one down.
// The buttons have no commands of their own; the mouse handlers ask which is down.
class EditorToolbar : public QWidget {
    Q_OBJECT
public:
    explicit EditorToolbar(QWidget* parent = nullptr);

    QToolButton* SpeedItem3 = nullptr;  // "Zeiger"
    QToolButton* SpeedZoom = nullptr;   // "Lupe"
    QToolButton* SpeedHand = nullptr;   // "Hand"
    QToolButton* SpeedItem1 = nullptr;  // "Figur"
    QToolButton* SpeedItem2 = nullptr;  // "Text"
    QToolButton* SpeedItem10 = nullptr; // "Bild"
    QToolButton* SpeedCode = nullptr;   // "Code"

    EditorTool current() const;
    QToolButton* button(EditorTool tool) const;

signals:
    void toolChanged();

private:
    QButtonGroup* group_ = nullptr;
};
