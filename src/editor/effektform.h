#pragma once

#include "document/tobs.h"

#include <QDialog>

class ColourButton;
class Prompts;
class QCheckBox;
class QPushButton;
class QSpinBox;

// "Effekte": outline and shadow of a text. The dialog keeps the two colours while it
// is open; only OK stores anything in the object.
class TEffektForm : public QDialog {
    Q_OBJECT
public:
    explicit TEffektForm(Prompts& prompts, QWidget* parent = nullptr);

    QCheckBox* UmrCheck = nullptr;
    ColourButton* BitBtn1 = nullptr; // outline colour
    QCheckBox* SchattCheck = nullptr;
    ColourButton* BitBtn2 = nullptr; // shadow colour
    QSpinBox* SchattED1 = nullptr;   // horizontal distance, 0.1 mm
    QSpinBox* SchattEd2 = nullptr;   // vertical distance, 0.1 mm
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void preset(const Tobs& obj);
    void applyTo(Tobs& obj) const;
};
