#include "catalogue/labeltypeform.h"

#include "catalogue/stocklistdialog.h"
#include "document/labelcatalogue.h"
#include "document/labelstocks.h"
#include "widgets/clampedspinbox.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// Lengths are shown to the micrometre, which every commercial stock needs.
constexpr int LengthDecimals = 3;

QGroupBox* group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setAccessibleName(title);
    new QFormLayout(box);
    return box;
}

template <class Spin> Spin* addRow(QGroupBox* box, const char* name, const QString& label) {
    auto* spin = new Spin(box);
    spin->setObjectName(QLatin1String(name));
    spin->setAccessibleName(box->title() + QLatin1Char(' ') +
                            QString(label).remove(QLatin1Char(':')));
    spin->setKeyboardTracking(false);
    static_cast<QFormLayout*>(box->layout())->addRow(label, spin);
    return spin;
}

QDoubleSpinBox* length(QGroupBox* box, const char* name, const QString& label, double low,
                       double high, double value) {
    auto* spin = addRow<ClampedDoubleSpinBox>(box, name, label);
    spin->setDecimals(LengthDecimals);
    spin->setRange(low, high);
    spin->setValue(value);
    return spin;
}

QSpinBox* count(QGroupBox* box, const char* name, const QString& label, int value) {
    auto* spin = addRow<ClampedSpinBox>(box, name, label);
    spin->setRange(LabelTypeLimits::MinCount, LabelTypeLimits::MaxCount);
    spin->setValue(value);
    return spin;
}
} // namespace

TNewETypForm::TNewETypForm(QWidget* parent) : QDialog(parent) {
    using namespace LabelTypeLimits;
    setObjectName(QStringLiteral("NewETypForm"));
    setWindowTitle(QStringLiteral("Etikettentyp bearbeiten"));
    setAccessibleName(windowTitle());

    auto* nameBox = new QGroupBox(QStringLiteral("Bezeichnung für diesen Etikettentyp"), this);
    auto* nameLayout = new QVBoxLayout(nameBox);
    NameED = new QLineEdit(QStringLiteral("Kein Name"), nameBox);
    NameED->setObjectName(QStringLiteral("NameED"));
    NameED->setMaxLength(TLabelFormat::MaxTypeNameLength);
    NameED->setAccessibleName(nameBox->title());
    nameLayout->addWidget(NameED);

    QGroupBox* margins = group(QStringLiteral("Ränder in mm"), this);
    RLED = length(margins, "RLED", QStringLiteral("Links:"), 0, MaxHorizontal, 0);
    ROED = length(margins, "ROED", QStringLiteral("Oben:"), 0, MaxVertical, 0);
    QGroupBox* size = group(QStringLiteral("Ausmaße in mm"), this);
    BrED = length(size, "BrED", QStringLiteral("Breite:"), MinLabelSize, MaxHorizontal, 90);
    HoED = length(size, "HoED", QStringLiteral("Höhe:"), MinLabelSize, MaxVertical, 55);
    QGroupBox* gaps = group(QStringLiteral("Abstände zwischen den Etiketten in mm"), this);
    AHED = length(gaps, "AHED", QStringLiteral("Horizontaler:"), 0, MaxHorizontal, 0);
    AVED = length(gaps, "AVED", QStringLiteral("Vertikal:"), 0, MaxVertical, 0);
    QGroupBox* counts = group(QStringLiteral("Anzahl der Etiketten pro Blatt"), this);
    AnzHED = count(counts, "AnzHED", QStringLiteral("Horizontal:"), 2);
    AnzVED = count(counts, "AnzVED", QStringLiteral("Vertikal:"), 5);

    auto* stockBtn = new QPushButton(QStringLiteral("Aus &Herstellerliste..."), this);
    stockBtn->setObjectName(QStringLiteral("StockBtn"));
    stockBtn->setAutoDefault(false);
    stockBtn->setAccessibleName(QStringLiteral("Aus Herstellerliste"));
    connect(stockBtn, &QPushButton::clicked, this, &TNewETypForm::chooseStock);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    ok->setAccessibleName(QStringLiteral("OK"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAccessibleName(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QHBoxLayout();
    auto* left = new QVBoxLayout();
    left->addWidget(margins);
    left->addWidget(size);
    auto* right = new QVBoxLayout();
    right->addWidget(gaps);
    right->addWidget(counts);
    grid->addLayout(left);
    grid->addLayout(right);
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(stockBtn);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameBox);
    layout->addLayout(grid);
    layout->addLayout(bottom);
}

void TNewETypForm::setFormat(const TLabelFormat& f) {
    RLED->setValue(f.MarginLeft);
    ROED->setValue(f.MarginTop);
    BrED->setValue(f.LabelWidth);
    HoED->setValue(f.LabelHeight);
    AHED->setValue(f.PitchX - f.LabelWidth);
    AVED->setValue(f.PitchY - f.LabelHeight);
    AnzHED->setValue(f.Across);
    AnzVED->setValue(f.Down);
    NameED->setText(f.TypeName);
}

TLabelFormat TNewETypForm::format() const {
    TLabelFormat f;
    f.MarginLeft = RLED->value();
    f.MarginTop = ROED->value();
    f.LabelWidth = BrED->value();
    f.LabelHeight = HoED->value();
    f.PitchX = f.LabelWidth + AHED->value();
    f.PitchY = f.LabelHeight + AVED->value();
    f.Across = AnzHED->value();
    f.Down = AnzVED->value();
    f.TypeName = NameED->text().left(TLabelFormat::MaxTypeNameLength);
    return f;
}

void TNewETypForm::setTypeName(const QString& name) {
    NameED->setText(name);
}

void TNewETypForm::chooseStock() {
    if (!stockList_)
        stockList_ = new StockListDialog(shippedLabelStocks(), this);
    if (runner_(*stockList_) == QDialog::Accepted && stockList_->chosen())
        setFormat(stockList_->chosen()->format());
}
