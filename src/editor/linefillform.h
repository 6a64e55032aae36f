#pragma once

#include "document/tobs.h"

#include <QDialog>

#include <memory>

class ColourButton;
class LabelDocument;
class Prompts;
class QButtonGroup;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// "Linie und Füllung": how a figure is filled (gefüllt, nur Umriss, Umriss und
// Füllung), the colour of its outline and its line width in steps of 0.2 mm, with a
// preview drawn by the label renderer. Lines ignore the fill, so for them only the
// width shows. The dialog keeps its values while it is open; only OK stores anything,
// and a field left as it was preset writes nothing.
class TLineFillForm : public QDialog {
    Q_OBJECT
public:
    explicit TLineFillForm(Prompts& prompts, QWidget* parent = nullptr);
    ~TLineFillForm() override;

    static constexpr double MaxLineWidthMm = 20.0;

    QGroupBox* FillGroup = nullptr;
    QRadioButton* FilledBtn = nullptr;  // FillMode 0
    QRadioButton* OutlineBtn = nullptr; // FillMode 1
    QRadioButton* BothBtn = nullptr;    // FillMode 2
    ColourButton* OutlineColourBtn = nullptr;
    QDoubleSpinBox* LineWidthED = nullptr; // millimetres
    QLabel* Preview = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void preset(const Tobs& figure);
    void applyTo(Tobs& figure) const;
    // The line width shown, in 0.2 mm steps.
    int32_t lineWidthSteps() const;

private:
    void updatePreview();
    QLabel* outlineCaption_ = nullptr;
    QButtonGroup* fillModes_ = nullptr;
    Tobs preset_;
    int32_t presetSteps_ = 0;
    std::unique_ptr<LabelDocument> scratch_; // the preview's own document
};
