#include "catalogue/neuform.h"

#include "catalogue/labeltypeform.h"
#include "document/prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TneuForm::TneuForm(TNewETypForm& typeForm, Prompts& prompts, QWidget* parent)
    : QDialog(parent), typeForm_(typeForm), prompts_(prompts) {
    setObjectName(QStringLiteral("neuForm"));
    setWindowTitle(QStringLiteral("Neues Etikett erstellen"));
    setAccessibleName(windowTitle());

    auto* box = new QGroupBox(QStringLiteral("Etikettentyp"), this);
    auto* form = new QFormLayout();
    ComboBox1 = new QComboBox(box);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setAccessibleName(QStringLiteral("Auswahl"));
    ComboBox1->setMinimumContentsLength(32);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    form->addRow(QStringLiteral("Auswahl:"), ComboBox1);
    auto* row = new QHBoxLayout();
    QPushButton* newBtn = button(QStringLiteral("&Neu"), "NewBtn", box);
    QPushButton* editBtn = button(QStringLiteral("Ä&ndern"), "EditBtn", box);
    QPushButton* delBtn = button(QStringLiteral("&Löschen"), "DelBtn", box);
    row->addStretch(1);
    row->addWidget(newBtn);
    row->addWidget(editBtn);
    row->addWidget(delBtn);
    hint_ = new QLabel(QStringLiteral("Noch keine Etikettentypen vorhanden: \u201eNeu\u201c legt "
                                      "einen an, auch aus der Herstellerliste."),
                       box);
    hint_->setObjectName(QStringLiteral("HintLabel"));
    hint_->setVisible(false);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(form);
    boxLayout->addLayout(row);
    boxLayout->addWidget(hint_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::ActionRole);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAccessibleName(QStringLiteral("Abbrechen"));
    connect(ok, &QPushButton::clicked, this, &TneuForm::OKBtnClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(newBtn, &QPushButton::clicked, this, &TneuForm::NewBtnClick);
    connect(editBtn, &QPushButton::clicked, this, &TneuForm::EditBtnClick);
    connect(delBtn, &QPushButton::clicked, this, &TneuForm::DelBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(buttons);
}

int TneuForm::execute() {
    catalogue_.LoadEttTypes();
    hint_->setVisible(catalogue_.fileState() == LabelCatalogue::FileState::Missing);
    UpdateEttTypes();
    ComboBox1->setCurrentIndex(catalogue_.count() > 0 ? 0 : -1);
    return runner_(*this);
}

int TneuForm::selectedIndex() const {
    return ComboBox1->currentIndex();
}

bool TneuForm::hintShown() const {
    return !hint_->isHidden();
}

void TneuForm::UpdateEttTypes() {
    const int keep = ComboBox1->currentIndex();
    QStringList names;
    names.reserve(catalogue_.count());
    for (const TLabelFormat& f : catalogue_.entries())
        names.append(f.TypeName);
    ComboBox1->clear();
    ComboBox1->addItems(names);
    // The hint is for an empty start; once a type exists it has done its work.
    if (!names.isEmpty())
        hint_->hide();
    ComboBox1->setCurrentIndex(keep >= 0 && keep < names.size() ? keep
                                                                : (names.isEmpty() ? -1 : 0));
}

void TneuForm::NewBtnClick() {
    typeForm_.setTypeName(QStringLiteral("Kein Name") + QString::number(catalogue_.count()));
    if (runner_(typeForm_) != QDialog::Accepted)
        return;
    catalogue_.append(typeForm_.format());
    UpdateEttTypes();
    ComboBox1->setCurrentIndex(catalogue_.count() - 1);
}

void TneuForm::EditBtnClick() {
    const int index = selectedIndex();
    if (index < 0)
        return;
    typeForm_.setFormat(catalogue_.entries().at(index));
    if (runner_(typeForm_) != QDialog::Accepted)
        return;
    catalogue_.replace(index, typeForm_.format());
    UpdateEttTypes();
    ComboBox1->setCurrentIndex(index);
}

void TneuForm::DelBtnClick() {
    const int index = selectedIndex();
    if (index < 0)
        return;
    if (prompts_.message(QStringLiteral("Hiermit löschen Sie den Etikettentyp unwiederrufbar."),
                         QStringLiteral("Hinweis"), Prompts::Buttons::OkCancel,
                         Prompts::Icon::Error) != Prompts::Answer::Ok)
        return;
    catalogue_.remove(index);
    UpdateEttTypes();
    ComboBox1->setCurrentIndex(catalogue_.count() > 0 ? 0 : -1);
}

void TneuForm::OKBtnClick() {
    const int index = selectedIndex();
    if (index < 0) {
        prompts_.error(QStringLiteral("Sie haben keinen Etikettentyp ausgewählt."),
                       QStringLiteral("Fehler"));
        return;
    }
    chosen_ = catalogue_.entries().at(index);
    chosen_.TypeName = chosen_.TypeName.left(TLabelFormat::MaxTypeNameLength);
    catalogue_.SaveEttTypes();
    accept();
}

void TneuForm::done(int result) {
    catalogue_.SaveEttTypes();
    catalogue_.FreeEttTypes();
    ComboBox1->clear();
    QDialog::done(result);
}
