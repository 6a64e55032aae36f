#pragma once

#include <QWidget>

class QSpinBox;

// The page "Vorlagen Assistent". It also holds the running label number, which
// replaces the placeholder %%NUMMER%% in texts and is kept between runs.
class WizardPage : public QWidget {
    Q_OBJECT
public:
    explicit WizardPage(QWidget* parent = nullptr);

    QSpinBox* NummerEd = nullptr;
    // The whole-number value of the running label number.
    int labelNumber() const;
    void setLabelNumber(int value);
};
