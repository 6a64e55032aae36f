#pragma once

#include "catalogue/dialogrunner.h"
#include "document/labelcatalogue.h"

#include <QDialog>

class Prompts;
class QComboBox;
class QLabel;
class TNewETypForm;

// "Neues Etikett erstellen": picks the label type of a new document from the
// catalogue, where entries are created, changed and deleted. The catalogue is read
// each time the dialog runs and written whenever it closes, however it closes.
class TneuForm : public QDialog {
    Q_OBJECT
public:
    TneuForm(TNewETypForm& typeForm, Prompts& prompts, QWidget* parent = nullptr);

    // Reads the catalogue, fills the list and runs the dialog modally; Accepted when
    // a label type was chosen (see chosen()).
    int execute();
    // The label type taken with OK.
    const TLabelFormat& chosen() const { return chosen_; }

    // The entries while the dialog runs (empty otherwise).
    const LabelCatalogue& catalogue() const { return catalogue_; }
    // The selected entry, -1 for none.
    int selectedIndex() const;
    // Whether the hint for an empty start is shown.
    bool hintShown() const;

    void setDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }
    // Only for tests: another catalogue file.
    void setCatalogueFile(const QString& fileName) { catalogue_ = LabelCatalogue(fileName); }

    void NewBtnClick();
    void EditBtnClick();
    void DelBtnClick();
    void OKBtnClick();

    void done(int result) override;

private:
    void UpdateEttTypes();

    TNewETypForm& typeForm_;
    Prompts& prompts_;
    LabelCatalogue catalogue_;
    TLabelFormat chosen_;
    QComboBox* ComboBox1 = nullptr;
    QLabel* hint_ = nullptr;
    DialogRunner runner_ = modalDialogRunner();
};
