#pragma once

#include "document/tobs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Code...": the symbology, the data, the human-readable text, the QR code's error
// correction and the white ground of a code object, with a line that tells the
// X-dimension the code gets on the current printer.
class TCodeForm : public QDialog {
    Q_OBJECT
public:
    explicit TCodeForm(QWidget* parent = nullptr);

    QComboBox* ArtBox = nullptr;
    QLineEdit* DatenEd = nullptr;
    QCheckBox* KlartextCheck = nullptr;
    QComboBox* KorrekturBox = nullptr;
    QCheckBox* WeissCheck = nullptr;
    QLabel* ModulLabel = nullptr; // the X-dimension line
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The object's fields; dotsPerInch: the current printer, Number: the label number
    // that the X-dimension line uses for %%NUMMER%%.
    void preset(const Tobs& obj, int dotsPerInch, int Number);
    void applyTo(Tobs& obj) const;

private:
    void updateModuleLine();

    Tobs object_; // the object as the dialog would leave it, for the X-dimension line
    int dotsPerInch_ = 600;
    int number_ = 0;
};

// The text of the X-dimension line for a code object on a printer of dotsPerInch.
QString codeModuleLine(const Tobs& obj, int dotsPerInch, int Number);
