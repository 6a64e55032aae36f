#include "output/kalform.h"

#include "widgets/clampedspinbox.h"

#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox* valueEdit(const QString& name, const QString& caption, double min, double max,
                          double start, QWidget* parent) {
    auto* ed = new ClampedDoubleSpinBox(parent);
    ed->setObjectName(name);
    ed->setAccessibleName(caption);
    ed->setDecimals(2);
    ed->setSingleStep(0.1);
    ed->setRange(min, max);
    ed->setValue(start);
    ed->setAlignment(Qt::AlignRight);
    return ed;
}
} // namespace

TKalForm::TKalForm(std::function<void()> testPrint, QWidget* parent)
    : QDialog(parent), testPrint_(std::move(testPrint)) {
    setObjectName(QStringLiteral("KalForm"));
    setWindowTitle(QStringLiteral("Drucker kalibrieren - Die Feineinstellung "));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);

    auto* explanation = new QLabel(
        QStringLiteral("Dies ist eine Feineinstellung des Druckers, die den Ausdruck verschiebt "
                       "und vergrößert/verkleinert. \nDurch diese Funktion, werden die Ausdrucke "
                       "sehr genau, führen Sie diesen Test für jeden neuen Drucker durch."),
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    auto* group = new QGroupBox(QStringLiteral("Testrechteck"), this);
    group->setAccessibleName(group->title());
    auto* grid = new QGridLayout(group);
    struct Row {
        QDoubleSpinBox** edit;
        const char* name;
        const char* caption;
        double min, max, start;
        const char* note;
    };
    const Row rows[] = {
        {&LinksEd, "LinksEd", "Abstand zum linken Seitenrand:", 0, 6, 0, "(ca. 3 mm)"},
        {&ObenEd, "ObenEd", "Abstand zum oberen Seitenrand:", 0, 6, 0, "(ca. 3 mm)"},
        {&BreitEd, "BreitEd", "Breite des Rechtecks:", 95, 105, 100, "(ca. 100 mm)"},
        {&HochEd, "HochEd", "Höhe des Rechtecks:", 95, 105, 100, "(ca. 100 mm)"},
    };
    int r = 0;
    for (const Row& row : rows) {
        const QString caption = QString::fromUtf8(row.caption);
        auto* label = new QLabel(caption, group);
        *row.edit =
            valueEdit(QString::fromUtf8(row.name), caption, row.min, row.max, row.start, group);
        label->setBuddy(*row.edit);
        grid->addWidget(label, r, 0);
        grid->addWidget(*row.edit, r, 1);
        grid->addWidget(new QLabel(QStringLiteral("mm"), group), r, 2);
        grid->addWidget(new QLabel(QString::fromUtf8(row.note), group), r, 3);
        ++r;
    }
    auto* instruction =
        new QLabel(QStringLiteral("Messen Sie auf dem Testrechteck-Ausdruck diese Werte ab und "
                                  "korrigieren Sie die Einstellungen entsprechend."),
                   group);
    instruction->setWordWrap(true);
    grid->addWidget(instruction, r, 0, 1, 4);
    layout->addWidget(group);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* buttons = new QHBoxLayout();
    BitBtn1 = new QPushButton(QStringLiteral("Testrechteck drucken..."), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text());
    BackBtn = new QPushButton(QStringLiteral("Zurück..."), this);
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    BackBtn->setAccessibleName(BackBtn->text());
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->addWidget(BackBtn);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (testPrint_)
            testPrint_();
    });
    connect(BackBtn, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumSize(473, 288);
}

Calibration TKalForm::values() const {
    return Calibration{LinksEd->value(), ObenEd->value(), BreitEd->value(), HochEd->value()};
}

void TKalForm::setValues(const Calibration& calibration) {
    const Calibration c = calibration.clamped();
    LinksEd->setValue(c.Links);
    ObenEd->setValue(c.Oben);
    BreitEd->setValue(c.Breit);
    HochEd->setValue(c.Hoch);
}
