#include "editor/effektform.h"

#include "editor/accessiblename.h"
#include "editor/colourbutton.h"
#include "editor/okcancel.h"
#include "widgets/clampedspinbox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QSpinBox* distanceEdit(QWidget* parent, const char* name, const QString& caption) {
    auto* spin = new ClampedSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    // Negative distances put the shadow to the left or above.
    spin->setRange(-99999, 99999);
    spin->setValue(5);
    setAccessibleCaption(spin, caption);
    return spin;
}
} // namespace

TEffektForm::TEffektForm(Prompts& prompts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EffektForm"));
    setWindowTitle(QStringLiteral("Effekte"));
    setAccessibleCaption(this, windowTitle());

    auto* outline = new QGroupBox(QStringLiteral("Umrandung"), this);
    setAccessibleCaption(outline, outline->title());
    UmrCheck = new QCheckBox(QStringLiteral("Umrandung"), outline);
    UmrCheck->setObjectName(QStringLiteral("UmrCheck"));
    setAccessibleCaption(UmrCheck, UmrCheck->text());
    BitBtn1 = new ColourButton(prompts, QStringLiteral("Farbe"), outline);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    auto* outlineRow = new QHBoxLayout(outline);
    outlineRow->addWidget(UmrCheck, 1);
    outlineRow->addWidget(BitBtn1);

    auto* shadow = new QGroupBox(QStringLiteral("Schatten"), this);
    setAccessibleCaption(shadow, shadow->title());
    SchattCheck = new QCheckBox(QStringLiteral("Schatten"), shadow);
    SchattCheck->setObjectName(QStringLiteral("SchattCheck"));
    setAccessibleCaption(SchattCheck, SchattCheck->text());
    BitBtn2 = new ColourButton(prompts, QStringLiteral("Farbe"), shadow);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    const QString dxCaption = QStringLiteral("Entfernung Horizontal:");
    const QString dyCaption = QStringLiteral("Entfernung Vertikal:");
    SchattED1 = distanceEdit(shadow, "SchattED1", dxCaption);
    SchattEd2 = distanceEdit(shadow, "SchattEd2", dyCaption);
    auto* shadowTop = new QHBoxLayout();
    shadowTop->addWidget(SchattCheck, 1);
    shadowTop->addWidget(BitBtn2);
    auto* distances = new QFormLayout();
    // The distances count tenths of a millimetre: each field says so beside it.
    for (QSpinBox* spin : {SchattED1, SchattEd2}) {
        auto* row = new QHBoxLayout();
        auto* unit = new QLabel(QStringLiteral("0,1 mm"), shadow);
        unit->setObjectName(spin->objectName() + QStringLiteral("Unit"));
        spin->setAccessibleDescription(QStringLiteral("in 0,1 mm"));
        row->addWidget(spin, 1);
        row->addWidget(unit);
        distances->addRow(spin == SchattED1 ? dxCaption : dyCaption, row);
    }
    auto* shadowBox = new QVBoxLayout(shadow);
    shadowBox->addLayout(shadowTop);
    shadowBox->addLayout(distances);

    QDialogButtonBox* buttons = okCancelButtons(this);
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);

    auto* all = new QVBoxLayout(this);
    all->addWidget(outline);
    all->addWidget(shadow);
    all->addWidget(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);
}

void TEffektForm::preset(const Tobs& obj) {
    UmrCheck->setChecked(obj.Outline);
    SchattCheck->setChecked(obj.Shadow);
    BitBtn1->setColor(obj.OutlineColor);
    BitBtn2->setColor(obj.ShadowColor);
    SchattED1->setValue(obj.ShadowDX);
    SchattEd2->setValue(obj.ShadowDY);
}

void TEffektForm::applyTo(Tobs& obj) const {
    obj.Outline = UmrCheck->isChecked();
    obj.Shadow = SchattCheck->isChecked();
    obj.OutlineColor = BitBtn1->color();
    obj.ShadowColor = BitBtn2->color();
    obj.ShadowDX = SchattED1->value();
    obj.ShadowDY = SchattEd2->value();
}
