#include "wizard/wizardpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include <limits>

WizardPage::WizardPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("WizardPage"));
    auto* grid = new QGridLayout(this);

    auto* numberLabel = new QLabel(QStringLiteral("Laufende Nummer:"), this);
    NummerEd = new QSpinBox(this);
    NummerEd->setObjectName(QStringLiteral("NummerEd"));
    NummerEd->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    NummerEd->setAlignment(Qt::AlignRight);
    NummerEd->setValue(1);
    numberLabel->setBuddy(NummerEd);
    auto* note = new QLabel(
        QStringLiteral("Kann mit Platzhalter %%NUMMER%% ins Etitkett eingefügt werden."), this);
    note->setObjectName(QStringLiteral("Label6"));

    grid->addWidget(numberLabel, 0, 0);
    grid->addWidget(NummerEd, 0, 1);
    grid->addWidget(note, 1, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
}

int WizardPage::labelNumber() const {
    return NummerEd->value();
}

void WizardPage::setLabelNumber(int value) {
    NummerEd->setValue(value);
}
