#pragma once

#include "document/tobs.h"

#include <QDialog>

class ColourButton;
class Prompts;
class QCheckBox;
class QPushButton;

// "Transparenz": which colour of a picture lets the label show through.
class TTransForm : public QDialog {
    Q_OBJECT
public:
    explicit TTransForm(Prompts& prompts, QWidget* parent = nullptr);

    QCheckBox* TransCheck = nullptr;
    ColourButton* BitBtn2 = nullptr; // the transparent colour
    QCheckBox* AutoCheck = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void preset(const Tobs& obj);
    void applyTo(Tobs& obj) const;
};
