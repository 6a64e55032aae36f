#include "editor/codeform.h"

#include "codec/barcode.h"
#include "document/labelformat.h"
#include "editor/accessiblename.h"
#include "editor/okcancel.h"
#include "render/codedata.h"
#include "render/codelayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// EAN and UPC below 80 % of their nominal X-dimension of 0.33 mm.
constexpr double SmallestNominalMm = 0.264;

QLabel* buddyLabel(const QString& caption, QWidget* control, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->setBuddy(control);
    setAccessibleCaption(control, caption);
    return l;
}
} // namespace

QString codeModuleLine(const Tobs& obj, int dotsPerInch, int Number) {
    int64_t w = 0, h = 0;
    codeBoxDots(obj, dotsPerInch, w, h);
    const CodeFit fit = fitCode(codeRequest(obj, codeData(obj.Text, Number)), w, h);
    if (!fit.ok())
        return QStringLiteral("Ungültig: ") + fit.reason;
    const double mmX = double(fit.module) / dotsPerInch * MmPerInch;
    QString line = QStringLiteral("X-Dimension: %1 mm = %2 Druckerpunkte bei %3 dpi")
                       .arg(QLocale(QLocale::German).toString(mmX, 'f', 3))
                       .arg(fit.module)
                       .arg(dotsPerInch);
    if (codeHasNominalSize(obj.Shape) && mmX < SmallestNominalMm)
        line += QStringLiteral("\nWarnung: kleiner als 80 % der Nenngröße (X-Dimension unter "
                               "0,264 mm); Kassen lesen den Code womöglich nicht.");
    return line;
}

TCodeForm::TCodeForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CodeForm"));
    setWindowTitle(QStringLiteral("Code..."));
    setAccessibleCaption(this, QStringLiteral("Code"));

    ArtBox = new QComboBox(this);
    ArtBox->setObjectName(QStringLiteral("ArtBox"));
    for (int i = 0; i < CodeSymbologyCount; ++i)
        ArtBox->addItem(codeSymbologyName(i));
    DatenEd = new QLineEdit(this);
    DatenEd->setObjectName(QStringLiteral("DatenEd"));
    DatenEd->setMaxLength(MaxCodeDataLength);
    DatenEd->setMinimumWidth(320);
    KlartextCheck = new QCheckBox(QStringLiteral("&Klartext unter dem Code"), this);
    KlartextCheck->setObjectName(QStringLiteral("KlartextCheck"));
    setAccessibleCaption(KlartextCheck, KlartextCheck->text());
    KorrekturBox = new QComboBox(this);
    KorrekturBox->setObjectName(QStringLiteral("KorrekturBox"));
    KorrekturBox->addItems({QStringLiteral("Automatisch"), QStringLiteral("L (7 %)"),
                            QStringLiteral("M (15 %)"), QStringLiteral("Q (25 %)"),
                            QStringLiteral("H (30 %)")});
    WeissCheck = new QCheckBox(QStringLiteral("&Weiß hinterlegen"), this);
    WeissCheck->setObjectName(QStringLiteral("WeissCheck"));
    setAccessibleCaption(WeissCheck, WeissCheck->text());
    ModulLabel = new QLabel(this);
    ModulLabel->setObjectName(QStringLiteral("ModulLabel"));
    ModulLabel->setWordWrap(true);
    ModulLabel->setAccessibleName(QStringLiteral("X-Dimension"));

    auto* form = new QFormLayout();
    form->addRow(buddyLabel(QStringLiteral("Code&art:"), ArtBox, this), ArtBox);
    form->addRow(buddyLabel(QStringLiteral("&Daten:"), DatenEd, this), DatenEd);
    form->addRow(QString(), KlartextCheck);
    form->addRow(buddyLabel(QStringLiteral("&Fehlerkorrektur:"), KorrekturBox, this), KorrekturBox);
    form->addRow(QString(), WeissCheck);

    QDialogButtonBox* buttons = okCancelButtons(this);
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(ModulLabel);
    all->addWidget(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);

    auto changed = [this] {
        applyTo(object_);
        KorrekturBox->setEnabled(codeHasErrorCorrection(ArtBox->currentIndex()));
        updateModuleLine();
    };
    connect(ArtBox, &QComboBox::currentIndexChanged, this, changed);
    connect(DatenEd, &QLineEdit::textChanged, this, changed);
    connect(KlartextCheck, &QCheckBox::toggled, this, changed);
    connect(KorrekturBox, &QComboBox::currentIndexChanged, this, changed);
}

void TCodeForm::preset(const Tobs& obj, int dotsPerInch, int Number) {
    dotsPerInch_ = dotsPerInch > 0 ? dotsPerInch : 600;
    number_ = Number;
    object_ = obj;
    const QSignalBlocker a(ArtBox), d(DatenEd), k(KlartextCheck), e(KorrekturBox);
    // A symbology outside the table shows as the first; OK stores the one shown.
    ArtBox->setCurrentIndex(obj.Shape >= 0 && obj.Shape < CodeSymbologyCount ? obj.Shape : 0);
    DatenEd->setText(obj.Text);
    KlartextCheck->setChecked(obj.TextAlign == 1);
    KorrekturBox->setCurrentIndex(obj.FillMode() >= 0 && obj.FillMode() <= 4 ? obj.FillMode() : 0);
    KorrekturBox->setEnabled(codeHasErrorCorrection(ArtBox->currentIndex()));
    WeissCheck->setChecked(!obj.Transparent);
    applyTo(object_);
    updateModuleLine();
    DatenEd->setFocus();
}

void TCodeForm::applyTo(Tobs& obj) const {
    obj.Shape = ArtBox->currentIndex();
    obj.Text = DatenEd->text();
    obj.TextAlign = KlartextCheck->isChecked() ? 1 : 0;
    obj.FillMode() = KorrekturBox->currentIndex();
    obj.Transparent = !WeissCheck->isChecked();
}

void TCodeForm::updateModuleLine() {
    ModulLabel->setText(codeModuleLine(object_, dotsPerInch_, number_));
}
