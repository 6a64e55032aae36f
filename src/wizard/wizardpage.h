#pragma once

#include "wizard/templatewizard.h"

#include <QWidget>

#include <array>
#include <functional>

class FileNameEdit;
class LabelDocument;
class Prompts;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TemplateGallery;

// The page "Vorlagen Assistent": up to five lines of text, a logo and a background
// picture become random label designs in a gallery; the chosen one is taken over
// into the document. It also holds the running label number, which replaces the
// placeholder %%NUMMER%% in texts and is kept between runs.
class WizardPage : public QWidget {
    Q_OBJECT
public:
    WizardPage(LabelDocument& doc, Prompts& prompts, QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr;
    std::array<QLineEdit*, 5> TextED{}; // Text1ED .. Text5ED
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* TextRadio = nullptr;
    QRadioButton* GrafikRadio = nullptr;
    FileNameEdit* GrafikFileEd = nullptr;
    QCheckBox* BkGndCheck = nullptr;
    FileNameEdit* BkGndFileED = nullptr;
    QPushButton* RenderBtn = nullptr;
    QPushButton* UseTemplateBtn = nullptr;
    QSpinBox* NummerEd = nullptr;
    QLabel* Label3 = nullptr;
    TemplateGallery* ScrollBox4 = nullptr;

    // The whole-number value of the running label number.
    int labelNumber() const;
    void setLabelNumber(int value);

    // How adoption saves first (false: nothing saved) and empties the document.
    using SaveCommand = std::function<bool()>;
    using ResetCommand = std::function<void()>;
    void setDocumentCommands(SaveCommand save, ResetCommand reset);

    // "Vorlagen &berechnen": new random designs from the fields.
    void RenderBtnClick();
    // "Vorlage über&nehmen" and the gallery's double click: replaces the document
    // with the chosen design, after the question about saving.
    void UseTemplateBtnClick();

    // The document's sheet format changed: the thumbnails take the label's new
    // proportions at once, also while the page is shown.
    void labelFormatChanged();

    const TemplateWizard& wizard() const { return wizard_; }
    // Makes the designs of later generations repeatable.
    void seedRandom(uint32_t seed) { wizard_.random().seed(seed); }

signals:
    // A design was taken over into the document; the editor shows it next.
    void templateAdopted();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    WizardInputs inputs() const;

    LabelDocument& doc_;
    Prompts& prompts_;
    TemplateWizard wizard_;
    SaveCommand save_;
    ResetCommand reset_;
    bool firstShown_ = false;
};
