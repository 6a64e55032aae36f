#include "app/scan/jpegqform.h"

#include "document/settingsstore.h"
#include "editor/okcancel.h"
#include "widgets/clampedspinbox.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {
const QString SliderKey = QStringLiteral("JPEGQForm/QualED1");
const QString SpinKey = QStringLiteral("JPEGQForm/QualED2");
constexpr int StartQuality = 75;
} // namespace

TJPEGQForm::TJPEGQForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("JPEGQForm"));
    setWindowTitle(QStringLiteral("JPEG-Speicherqualität setzen"));
    setAccessibleName(windowTitle());

    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Je stärker das Bild komprimiert wird, je geringer die "
                                           "Qualität und der Speicherverbrauch."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* group = new QGroupBox(QStringLiteral("Qualität"), this);
    group->setAccessibleName(group->title());
    auto* grid = new QGridLayout(group);
    QualED1 = new QSlider(Qt::Horizontal, group);
    QualED1->setObjectName(QStringLiteral("QualED1"));
    QualED1->setAccessibleName(QStringLiteral("Qualität"));
    QualED1->setRange(1, 99);
    QualED1->setValue(StartQuality);
    grid->addWidget(new QLabel(QStringLiteral("Niedrige Qualität"), group), 0, 0);
    grid->addWidget(QualED1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hohe Qualität"), group), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Voreinstellung: 75"), group), 1, 0);
    auto* asNumber = new QLabel(QStringLiteral("Als Zahl:"), group);
    QualED2 = new ClampedDoubleSpinBox(group);
    QualED2->setObjectName(QStringLiteral("QualED2"));
    QualED2->setAccessibleName(asNumber->text());
    QualED2->setRange(1.0, 99.0);
    QualED2->setDecimals(1);
    QualED2->setValue(StartQuality);
    asNumber->setBuddy(QualED2);
    grid->addWidget(asNumber, 1, 1, Qt::AlignRight);
    grid->addWidget(QualED2, 1, 2);
    layout->addWidget(group);

    addOkCancel(this, layout);
    connect(QualED1, &QSlider::valueChanged, this, &TJPEGQForm::QualED1Change);
    connect(QualED2, &QDoubleSpinBox::valueChanged, this, &TJPEGQForm::QualED2Change);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    loadSettings();
}

void TJPEGQForm::QualED1Change(int value) {
    const QSignalBlocker block(QualED2);
    QualED2->setValue(value);
}

void TJPEGQForm::QualED2Change(double value) {
    const QSignalBlocker block(QualED1);
    QualED1->setValue(int(value));
}

void TJPEGQForm::loadSettings() {
    auto settings = SettingsStore::open();
    const QSignalBlocker block1(QualED1);
    const QSignalBlocker block2(QualED2);
    QualED1->setValue(SettingsStore::readInt(*settings, SliderKey, StartQuality, 1, 99));
    bool ok = false;
    const double spin = settings->value(SpinKey).toDouble(&ok);
    QualED2->setValue(ok && spin >= 1.0 && spin <= 99.0 ? spin : QualED1->value());
}

void TJPEGQForm::accept() {
    auto settings = SettingsStore::open();
    settings->setValue(SliderKey, QualED1->value());
    settings->setValue(SpinKey, QualED2->value());
    settings->sync();
    QDialog::accept();
}

std::optional<int> TJPEGQForm::askQuality() {
    loadSettings(); // a cancelled change does not stay
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return QualED1->value();
}
