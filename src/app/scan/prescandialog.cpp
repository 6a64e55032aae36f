#include "app/scan/prescandialog.h"

#include "widgets/clampedspinbox.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox* millimetres(const QString& name, QWidget* parent) {
    auto* ed = new ClampedDoubleSpinBox(parent);
    ed->setObjectName(name);
    ed->setDecimals(1);
    ed->setSuffix(QStringLiteral(" mm"));
    return ed;
}
} // namespace

PreScanDialog::PreScanDialog(Starter start, QWidget* parent)
    : QDialog(parent), start_(std::move(start)) {
    setObjectName(QStringLiteral("PreScanDialog"));
    setWindowTitle(QStringLiteral("Bild einscannen"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    DeviceLabel = new QLabel(this);
    DeviceLabel->setObjectName(QStringLiteral("DeviceLabel"));
    DeviceLabel->setAccessibleName(QStringLiteral("Scanner"));
    form->addRow(QStringLiteral("Scanner:"), DeviceLabel);
    ModeBox = new QComboBox(this);
    ModeBox->setObjectName(QStringLiteral("ModeBox"));
    ModeBox->setAccessibleName(QStringLiteral("Modus"));
    form->addRow(QStringLiteral("&Modus:"), ModeBox);
    ResolutionBox = new QComboBox(this);
    ResolutionBox->setObjectName(QStringLiteral("ResolutionBox"));
    ResolutionBox->setAccessibleName(QStringLiteral("Auflösung"));
    form->addRow(QStringLiteral("&Auflösung:"), ResolutionBox);
    layout->addLayout(form);

    AreaGroup = new QGroupBox(QStringLiteral("Scanbereich"), this);
    AreaGroup->setAccessibleName(AreaGroup->title());
    auto* area = new QFormLayout(AreaGroup);
    LeftEd = millimetres(QStringLiteral("LeftEd"), AreaGroup);
    TopEd = millimetres(QStringLiteral("TopEd"), AreaGroup);
    WidthEd = millimetres(QStringLiteral("WidthEd"), AreaGroup);
    HeightEd = millimetres(QStringLiteral("HeightEd"), AreaGroup);
    const std::pair<const char*, QDoubleSpinBox*> rows[] = {
        {"Links:", LeftEd}, {"Oben:", TopEd}, {"Breite:", WidthEd}, {"Höhe:", HeightEd}};
    for (const auto& [text, ed] : rows) {
        ed->setAccessibleName(QString::fromUtf8(text).chopped(1));
        area->addRow(QString::fromUtf8(text), ed);
        connect(ed, &QDoubleSpinBox::valueChanged, this, &PreScanDialog::limitArea);
    }
    layout->addWidget(AreaGroup);

    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setAccessibleName(QStringLiteral("Fortschritt"));
    Progress->setRange(0, 100);
    Progress->setValue(0);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    layout->addWidget(Progress);
    layout->addWidget(StatusLabel);

    auto* buttons = new QHBoxLayout();
    ScanBtn = new QPushButton(QStringLiteral("&Scannen"), this);
    ScanBtn->setObjectName(QStringLiteral("ScanBtn"));
    ScanBtn->setAccessibleName(QStringLiteral("Scannen"));
    ScanBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAccessibleName(CancelBtn->text());
    buttons->addStretch(1);
    buttons->addWidget(ScanBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
    connect(ScanBtn, &QPushButton::clicked, this, &PreScanDialog::ScanBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &PreScanDialog::reject);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PreScanDialog::setDevice(const QString& device, const QString& description,
                              const ScanDeviceOptions& options, const ScanRequest& last) {
    device_ = device;
    scanning_ = false;
    setControlsEnabled(true);
    CancelBtn->setEnabled(true);
    Progress->setValue(0);
    StatusLabel->clear();
    DeviceLabel->setText(description.isEmpty() ? device : description);

    ModeBox->clear();
    ModeBox->addItems(options.modes);
    const QString mode = options.modes.contains(last.mode) ? last.mode : options.mode;
    ModeBox->setCurrentIndex(std::max(0, int(options.modes.indexOf(mode))));
    ModeBox->setEnabled(!options.modes.isEmpty());

    ResolutionBox->clear();
    for (int dpi : options.resolutions)
        ResolutionBox->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    const int dpi =
        options.resolutions.contains(last.resolution) ? last.resolution : options.resolution;
    ResolutionBox->setCurrentIndex(std::max(0, int(options.resolutions.indexOf(dpi))));
    ResolutionBox->setEnabled(!options.resolutions.isEmpty());

    AreaGroup->setVisible(options.hasArea);
    maxArea_ = options.hasArea ? options.maxArea : QRectF();
    if (options.hasArea) {
        const QRectF a =
            !last.area.isNull() && options.maxArea.contains(last.area) ? last.area : options.area;
        for (QDoubleSpinBox* ed : {LeftEd, TopEd, WidthEd, HeightEd}) {
            const QSignalBlocker block(ed);
            ed->setRange(0, std::max(maxArea_.width(), maxArea_.height()));
        }
        LeftEd->setValue(a.left());
        TopEd->setValue(a.top());
        WidthEd->setValue(a.width());
        HeightEd->setValue(a.height());
        limitArea();
    }
}

// Keeps the area inside what the device scans.
void PreScanDialog::limitArea() {
    if (maxArea_.isNull())
        return;
    const QSignalBlocker b1(LeftEd), b2(TopEd), b3(WidthEd), b4(HeightEd);
    LeftEd->setRange(maxArea_.left(), maxArea_.right() - 1);
    TopEd->setRange(maxArea_.top(), maxArea_.bottom() - 1);
    WidthEd->setRange(1, maxArea_.right() - LeftEd->value());
    HeightEd->setRange(1, maxArea_.bottom() - TopEd->value());
}

ScanRequest PreScanDialog::request() const {
    ScanRequest r;
    r.device = device_;
    r.mode = ModeBox->currentText();
    r.resolution = ResolutionBox->currentData().toInt();
    if (AreaGroup->isVisibleTo(this) && !maxArea_.isNull())
        r.area = QRectF(LeftEd->value(), TopEd->value(), WidthEd->value(), HeightEd->value());
    return r;
}

void PreScanDialog::setControlsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{ModeBox, ResolutionBox, AreaGroup, ScanBtn})
        w->setEnabled(enabled);
}

void PreScanDialog::ScanBtnClick() {
    if (scanning_ || !start_(request()))
        return;
    scanning_ = true;
    setControlsEnabled(false);
    Progress->setValue(0);
    StatusLabel->setText(QStringLiteral("Das Bild wird eingescannt..."));
}

void PreScanDialog::showProgress(int value) {
    Progress->setValue(value);
}

void PreScanDialog::scanEnded() {
    if (!scanning_)
        return;
    scanning_ = false;
    setControlsEnabled(true);
    accept();
}

void PreScanDialog::reject() {
    if (scanning_) {
        // The dialog closes when the scan has stopped.
        TWAIN_CancelScan();
        StatusLabel->setText(QStringLiteral("Der Scanvorgang wird abgebrochen..."));
        CancelBtn->setEnabled(false);
        return;
    }
    QDialog::reject();
}
