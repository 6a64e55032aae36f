#include "editor/linefillform.h"

#include "document/labeldocument.h"
#include "editor/accessiblename.h"
#include "editor/colourbutton.h"
#include "editor/okcancel.h"
#include "render/objectpreview.h"
#include "widgets/clampedspinbox.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr double MmPerStep = 0.2;
const QSize PreviewSize(240, 140);

bool isLine(const Tobs& figure) {
    return figure.Shape >= ShapeHorzLine;
}
} // namespace

TLineFillForm::TLineFillForm(Prompts& prompts, QWidget* parent)
    : QDialog(parent), scratch_(std::make_unique<LabelDocument>()) {
    setObjectName(QStringLiteral("LineFillForm"));
    setWindowTitle(QStringLiteral("Linie und Füllung"));
    setAccessibleCaption(this, windowTitle());

    FillGroup = new QGroupBox(QStringLiteral("Füllung"), this);
    FillGroup->setObjectName(QStringLiteral("FillGroup"));
    setAccessibleCaption(FillGroup, FillGroup->title());
    fillModes_ = new QButtonGroup(this);
    auto* fillColumn = new QVBoxLayout(FillGroup);
    const char* const captions[3] = {"&gefüllt", "&nur Umriss", "&Umriss und Füllung"};
    const char* const names[3] = {"FilledBtn", "OutlineBtn", "BothBtn"};
    QRadioButton* buttons[3];
    for (int mode = 0; mode < 3; ++mode) {
        buttons[mode] = new QRadioButton(QString::fromUtf8(captions[mode]), FillGroup);
        buttons[mode]->setObjectName(QLatin1String(names[mode]));
        setAccessibleCaption(buttons[mode], buttons[mode]->text());
        fillModes_->addButton(buttons[mode], mode);
        fillColumn->addWidget(buttons[mode]);
    }
    FilledBtn = buttons[0];
    OutlineBtn = buttons[1];
    BothBtn = buttons[2];

    const QString outlineCaption = QStringLiteral("Umrissfarbe:");
    OutlineColourBtn = new ColourButton(prompts, QStringLiteral("&Farbe..."), this);
    OutlineColourBtn->setObjectName(QStringLiteral("OutlineColourBtn"));
    setAccessibleCaption(OutlineColourBtn, outlineCaption);
    outlineCaption_ = new QLabel(outlineCaption, this);
    outlineCaption_->setBuddy(OutlineColourBtn);

    const QString widthCaption = QStringLiteral("&Linienbreite:");
    auto* width = new ClampedDoubleSpinBox(this);
    width->setObjectName(QStringLiteral("LineWidthED"));
    width->setDecimals(1);
    width->setSingleStep(MmPerStep);
    width->setRange(0.0, MaxLineWidthMm);
    width->setSuffix(QStringLiteral(" mm"));
    // No width is the thinnest line the device draws.
    width->setSpecialValueText(QStringLiteral("Haarlinie"));
    width->setAccessibleDescription(QStringLiteral("in Schritten von 0,2 mm"));
    setAccessibleCaption(width, widthCaption);
    LineWidthED = width;
    auto* widthLabel = new QLabel(widthCaption, this);
    widthLabel->setBuddy(LineWidthED);

    Preview = new QLabel(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setFixedSize(PreviewSize);
    Preview->setFrameShape(QFrame::Box);
    Preview->setAlignment(Qt::AlignCenter);
    setAccessibleCaption(Preview, QStringLiteral("Vorschau"));

    auto* fields = new QFormLayout();
    fields->addRow(outlineCaption_, OutlineColourBtn);
    fields->addRow(widthLabel, LineWidthED);

    QDialogButtonBox* ok = okCancelButtons(this);
    OKBtn = ok->button(QDialogButtonBox::Ok);
    CancelBtn = ok->button(QDialogButtonBox::Cancel);

    auto* controls = new QVBoxLayout();
    controls->addWidget(FillGroup);
    controls->addLayout(fields);
    controls->addStretch(1);
    auto* row = new QHBoxLayout();
    row->addLayout(controls);
    row->addWidget(Preview, 0, Qt::AlignTop);
    auto* all = new QVBoxLayout(this);
    all->addLayout(row);
    all->addWidget(ok);
    all->setSizeConstraint(QLayout::SetFixedSize);

    connect(fillModes_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            updatePreview();
    });
    connect(LineWidthED, &QDoubleSpinBox::valueChanged, this, [this] { updatePreview(); });
    // A typed width goes to the nearest step.
    connect(LineWidthED, &QDoubleSpinBox::editingFinished, this,
            [this] { LineWidthED->setValue(lineWidthSteps() * MmPerStep); });
    connect(OutlineColourBtn, &QPushButton::clicked, this, [this] { updatePreview(); });
}

TLineFillForm::~TLineFillForm() = default;

int32_t TLineFillForm::lineWidthSteps() const {
    return int32_t(std::lround(LineWidthED->value() / MmPerStep));
}

void TLineFillForm::preset(const Tobs& figure) {
    preset_ = figure;
    const bool line = isLine(figure);
    // Lines are drawn in their colour whatever the fill says: only the width counts.
    FillGroup->setVisible(!line);
    outlineCaption_->setVisible(!line);
    OutlineColourBtn->setVisible(!line);
    // A fill mode that no entry shows (from a damaged file) stays unless one is chosen.
    QAbstractButton* mode = fillModes_->button(figure.FillMode());
    fillModes_->setExclusive(false);
    for (QAbstractButton* b : fillModes_->buttons())
        b->setChecked(b == mode);
    fillModes_->setExclusive(true);
    OutlineColourBtn->setColor(figure.OutlineColor);
    const int32_t steps = std::clamp<int32_t>(figure.LineWidth(), 0,
                                              int32_t(std::lround(MaxLineWidthMm / MmPerStep)));
    LineWidthED->setValue(steps * MmPerStep);
    presetSteps_ = lineWidthSteps();
    updatePreview();
    FilledBtn->setFocus();
}

void TLineFillForm::applyTo(Tobs& figure) const {
    if (fillModes_->checkedId() >= 0 && !isLine(preset_))
        figure.FillMode() = fillModes_->checkedId();
    if (OutlineColourBtn->color() != (preset_.OutlineColor & 0xFFFFFF))
        figure.OutlineColor = OutlineColourBtn->color();
    if (lineWidthSteps() != presetSteps_)
        figure.LineWidth() = lineWidthSteps();
}

void TLineFillForm::updatePreview() {
    Tobs shown = preset_;
    applyTo(shown);
    // The outline colour only counts for an outline.
    OutlineColourBtn->setEnabled(fillModes_->checkedId() != 0);
    outlineCaption_->setEnabled(OutlineColourBtn->isEnabled());
    Preview->setPixmap(QPixmap::fromImage(objectPreview(*scratch_, shown, PreviewSize)));
}
