#include "editor/positionform.h"

#include "editor/accessiblename.h"
#include "editor/okcancel.h"
#include "widgets/clampedspinbox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QDoubleSpinBox* millimetreEdit(QWidget* parent, const char* name) {
    auto* spin = new ClampedDoubleSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setDecimals(2);
    spin->setSingleStep(0.5);
    spin->setSuffix(QStringLiteral(" mm"));
    spin->setAccelerated(true);
    return spin;
}
} // namespace

TPositionForm::TPositionForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PositionForm"));
    setWindowTitle(QStringLiteral("Position und Größe"));
    setAccessibleCaption(this, windowTitle());

    auto* note = new QLabel(
        QStringLiteral("Die linke obere Ecke, gemessen von der linken oberen Ecke des Etiketts"),
        this);
    note->setWordWrap(true);
    XEd = millimetreEdit(this, "XEd");
    YEd = millimetreEdit(this, "YEd");
    BreiteEd = millimetreEdit(this, "BreiteEd");
    HoeheEd = millimetreEdit(this, "HoeheEd");
    auto* form = new QFormLayout();
    const std::pair<QDoubleSpinBox*, QString> rows[] = {
        {XEd, QStringLiteral("&X:")},
        {YEd, QStringLiteral("&Y:")},
        {BreiteEd, QStringLiteral("&Breite:")},
        {HoeheEd, QStringLiteral("&Höhe:")},
    };
    for (const auto& [spin, caption] : rows) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(spin);
        setAccessibleCaption(spin, caption);
        form->addRow(label, spin);
    }
    connect(BreiteEd, &QDoubleSpinBox::valueChanged, this, [this] { follow(BreiteEd); });
    connect(HoeheEd, &QDoubleSpinBox::valueChanged, this, [this] { follow(HoeheEd); });

    QDialogButtonBox* buttons = okCancelButtons(this);
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(note);
    all->addLayout(form);
    all->addWidget(buttons);
}

void TPositionForm::preset(const Tobs& object, const TLabelFormat& format) {
    object_ = object;
    const PlacementLimits l = placementLimits(format);
    const PlacementMm p = placementOf(object, format);
    const double values[4] = {p.x, p.y, p.width, p.height};
    const double lows[4] = {l.minX, l.minY, l.minSize, l.minSize};
    const double highs[4] = {l.maxX, l.maxY, l.maxWidth, l.maxHeight};
    following_ = true;
    const auto all = fields();
    for (size_t i = 0; i < all.size(); ++i) {
        all[i]->setRange(lows[i], highs[i]);
        all[i]->setValue(values[i]);
        shown_[i] = all[i]->value();
        clamped_[i] = values[i] < lows[i] || values[i] > highs[i];
    }
    following_ = false;
    XEd->setFocus(Qt::OtherFocusReason);
    XEd->selectAll();
}

void TPositionForm::follow(QDoubleSpinBox* changed) {
    if (following_ || !sizeIsCoupled(object_))
        return;
    following_ = true;
    QDoubleSpinBox* other = changed == BreiteEd ? HoeheEd : BreiteEd;
    auto partner = [this, changed](double v) {
        return changed == BreiteEd ? *coupledHeight(object_, v) : *coupledWidth(object_, v);
    };
    auto back = [this, changed](double v) {
        return changed == BreiteEd ? *coupledWidth(object_, v) : *coupledHeight(object_, v);
    };
    double v = partner(changed->value());
    // Where the partner meets its limit, the changed field gives way, so the ratio
    // holds.
    if (v > other->maximum() || v < other->minimum()) {
        v = std::clamp(v, other->minimum(), other->maximum());
        changed->setValue(back(v));
    }
    other->setValue(v);
    following_ = false;
}

PlacementChange TPositionForm::change() const {
    PlacementChange c;
    std::optional<double>* targets[4] = {&c.x, &c.y, &c.width, &c.height};
    const auto all = fields();
    for (size_t i = 0; i < all.size(); ++i) {
        if (clamped_[i] || all[i]->value() != shown_[i])
            *targets[i] = all[i]->value();
    }
    return c;
}
