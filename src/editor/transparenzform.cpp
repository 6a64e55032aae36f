#include "editor/transparenzform.h"

#include "editor/accessiblename.h"
#include "editor/colourbutton.h"
#include "editor/okcancel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TTransForm::TTransForm(Prompts& prompts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TransForm"));
    setWindowTitle(QStringLiteral("Transparenz"));
    setAccessibleCaption(this, windowTitle());

    TransCheck = new QCheckBox(QStringLiteral("Transparente Farbe"), this);
    TransCheck->setObjectName(QStringLiteral("TransCheck"));
    setAccessibleCaption(TransCheck, TransCheck->text());
    BitBtn2 = new ColourButton(prompts, QStringLiteral("Farbe"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    AutoCheck = new QCheckBox(QStringLiteral("Benutze Farbe des linken unteren Pixels"), this);
    AutoCheck->setObjectName(QStringLiteral("AutoCheck"));
    setAccessibleCaption(AutoCheck, AutoCheck->text());

    QDialogButtonBox* buttons = okCancelButtons(this);
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);

    auto* top = new QHBoxLayout();
    top->addWidget(TransCheck, 1);
    top->addWidget(BitBtn2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(AutoCheck);
    all->addWidget(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);
}

void TTransForm::preset(const Tobs& obj) {
    TransCheck->setChecked(obj.Transparent);
    AutoCheck->setChecked(obj.TransAuto);
    BitBtn2->setColor(obj.TransColor);
}

void TTransForm::applyTo(Tobs& obj) const {
    obj.Transparent = TransCheck->isChecked();
    obj.TransAuto = AutoCheck->isChecked();
    obj.TransColor = BitBtn2->color();
}
