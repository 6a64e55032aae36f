#pragma once

#include <QWidget>

class QToolButton;

// The file buttons above the editor. They stay disabled until the window connects
// their commands and enables them.
class SpeedBar : public QWidget {
    Q_OBJECT
public:
    explicit SpeedBar(QWidget* parent = nullptr);

    QToolButton* NeuBtn = nullptr;
    QToolButton* OeffnenBtn = nullptr;
    QToolButton* SpeichernBtn = nullptr;
    QToolButton* HintergrundBtn = nullptr;
};
