#include "wizard/wizardpage.h"

#include "document/labeldocument.h"
#include "document/prompts.h"
#include "widgets/clampedspinbox.h"
#include "wizard/filenameedit.h"
#include "wizard/templatecompose.h"

#include "document/slotedit.h"
#include "wizard/templategallery.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

WizardPage::WizardPage(LabelDocument& doc, Prompts& prompts, QWidget* parent)
    : QWidget(parent), doc_(doc), prompts_(prompts), reset_([this] { doc_.clearall(); }) {
    setObjectName(QStringLiteral("WizardPage"));
    buildControls();
    connect(RenderBtn, &QPushButton::clicked, this, &WizardPage::RenderBtnClick);
    connect(UseTemplateBtn, &QPushButton::clicked, this, &WizardPage::UseTemplateBtnClick);
    connect(ScrollBox4, &TemplateGallery::adoptRequested, this, &WizardPage::UseTemplateBtnClick);
}

void WizardPage::buildControls() {
    auto* page = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    page->addLayout(top);

    GroupBox1 = new QGroupBox(QStringLiteral("Elemente des Etiketts"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* texts = new QVBoxLayout(GroupBox1);
    const QString starts[5] = {QStringLiteral("Dies ist ein Test des"),
                               QStringLiteral("Assistenten"), QString(), QString(), QString()};
    for (int i = 0; i < 5; ++i) {
        QLineEdit* edit = new QLineEdit(starts[i], GroupBox1);
        edit->setObjectName(QStringLiteral("Text%1ED").arg(i + 1));
        edit->setAccessibleName(QStringLiteral("Textzeile %1").arg(i + 1));
        texts->addWidget(edit);
        TextED[size_t(i)] = edit;
    }
    texts->addStretch(1);
    top->addWidget(GroupBox1, 1);

    GroupBox2 = new QGroupBox(QStringLiteral("Grafische Gestaltung"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* design = new QGridLayout(GroupBox2);
    TextRadio = new QRadioButton(QStringLiteral("Nur Text"), GroupBox2);
    TextRadio->setObjectName(QStringLiteral("TextRadio"));
    GrafikRadio = new QRadioButton(QStringLiteral("Grafik einbauen"), GroupBox2);
    GrafikRadio->setObjectName(QStringLiteral("GrafikRadio"));
    GrafikRadio->setChecked(true);
    auto* logoLabel = new QLabel(QStringLiteral("Bilddatei Grafik:"), GroupBox2);
    GrafikFileEd = new FileNameEdit(QStringLiteral("GrafikFileEd"),
                                    QStringLiteral("Bilddatei Grafik"), prompts_, GroupBox2);
    GrafikFileEd->setFileName(QStringLiteral("logo.jpg"));
    logoLabel->setBuddy(GrafikFileEd->edit());
    BkGndCheck = new QCheckBox(QStringLiteral("Hintergrundbild"), GroupBox2);
    BkGndCheck->setObjectName(QStringLiteral("BkGndCheck"));
    BkGndCheck->setChecked(true);
    auto* bkgndLabel = new QLabel(QStringLiteral("Bilddatei Hintergrund:"), GroupBox2);
    BkGndFileED = new FileNameEdit(QStringLiteral("BkGndFileED"),
                                   QStringLiteral("Bilddatei Hintergrund"), prompts_, GroupBox2);
    BkGndFileED->setFileName(QStringLiteral("hintergrund.jpg"));
    bkgndLabel->setBuddy(BkGndFileED->edit());
    design->addWidget(TextRadio, 0, 0, 1, 2);
    design->addWidget(GrafikRadio, 1, 0, 1, 2);
    design->addWidget(logoLabel, 2, 0);
    design->addWidget(GrafikFileEd, 2, 1);
    design->addWidget(BkGndCheck, 3, 0, 1, 2);
    design->addWidget(bkgndLabel, 4, 0);
    design->addWidget(BkGndFileED, 4, 1);
    design->setColumnStretch(1, 1);
    design->setRowStretch(5, 1);
    top->addWidget(GroupBox2, 1);

    auto* actions = new QGridLayout();
    RenderBtn = new QPushButton(QStringLiteral("Vorlagen &berechnen"), this);
    RenderBtn->setObjectName(QStringLiteral("RenderBtn"));
    RenderBtn->setAccessibleName(QStringLiteral("Vorlagen berechnen"));
    UseTemplateBtn = new QPushButton(QStringLiteral("Vorlage über&nehmen"), this);
    UseTemplateBtn->setObjectName(QStringLiteral("UseTemplateBtn"));
    UseTemplateBtn->setAccessibleName(QStringLiteral("Vorlage übernehmen"));

    auto* numberLabel = new QLabel(QStringLiteral("Laufende Nummer:"), this);
    NummerEd = new ClampedSpinBox(this);
    NummerEd->setObjectName(QStringLiteral("NummerEd"));
    NummerEd->setAccessibleName(QStringLiteral("Laufende Nummer"));
    NummerEd->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    NummerEd->setAlignment(Qt::AlignRight);
    NummerEd->setValue(1);
    numberLabel->setBuddy(NummerEd);
    auto* note = new QLabel(
        QStringLiteral("Kann mit Platzhalter %%NUMMER%% ins Etitkett eingefügt werden."), this);
    note->setObjectName(QStringLiteral("Label6"));

    Label3 = new QLabel(designCountLine(0, 0), this);
    Label3->setObjectName(QStringLiteral("Label3"));

    actions->addWidget(RenderBtn, 0, 0);
    actions->addWidget(UseTemplateBtn, 0, 1);
    actions->addWidget(numberLabel, 0, 3);
    actions->addWidget(NummerEd, 0, 4);
    actions->addWidget(note, 1, 0, 1, 5, Qt::AlignRight);
    actions->addWidget(Label3, 2, 0, 1, 5);
    actions->setColumnStretch(2, 1);
    page->addLayout(actions);

    ScrollBox4 = new TemplateGallery(doc_, wizard_, this);
    page->addWidget(ScrollBox4, 1);
}

int WizardPage::labelNumber() const {
    return NummerEd->value();
}

void WizardPage::setLabelNumber(int value) {
    NummerEd->setValue(value);
}

void WizardPage::setDocumentCommands(SaveCommand save, ResetCommand reset) {
    save_ = std::move(save);
    reset_ = std::move(reset);
}

WizardInputs WizardPage::inputs() const {
    WizardInputs in;
    for (const QLineEdit* edit : TextED)
        in.texts << edit->text();
    in.withLogo = GrafikRadio->isChecked();
    in.logoFile = GrafikFileEd->fileName();
    in.withBackground = BkGndCheck->isChecked();
    in.backgroundFile = BkGndFileED->fileName();
    return in;
}

void WizardPage::RenderBtnClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TemplateWizard::Result result = wizard_.generate(inputs());
    QApplication::restoreOverrideCursor();
    Label3->setText(designCountLine(wizard_.DesignCount(), wizard_.Possible()));
    if (result == TemplateWizard::Result::NoElements)
        prompts_.message(QStringLiteral("Bitte wählen Sie erst die Elemente aus, die auf der "
                                        "Karte plaziert werden sollen!"),
                         QStringLiteral("Fehler: Keine Elemente ausgesucht!"), Prompts::Buttons::Ok,
                         Prompts::Icon::Error);
    ScrollBox4->PaintBox4Paint();
}

void WizardPage::UseTemplateBtnClick() {
    if (!wizard_.hasChosenDesign()) {
        // An empty gallery has nothing to take over: say what makes one.
        prompts_.info(wizard_.DesignCount() == 0
                          ? QStringLiteral("Es gibt noch keine Vorlage. Geben Sie die Elemente "
                                           "des Etiketts ein und klicken Sie auf \"Vorlagen "
                                           "berechnen\".")
                          : QStringLiteral("Bitte wählen Sie zuerst eine Vorlage aus."),
                      QStringLiteral("Vorlage in den Editor übernehmen"));
        return;
    }
    if (doc_.anyObjectInUse()) {
        const Prompts::Answer answer =
            prompts_.message(QStringLiteral("Wollen Sie vorher speichern?"),
                             QStringLiteral("Vorlage in den Editor übernehmen"),
                             Prompts::Buttons::YesNoCancel, Prompts::Icon::Question);
        if (answer == Prompts::Answer::Cancel)
            return;
        if (answer == Prompts::Answer::Yes && !(save_ && save_()))
            return;
    }
    // The reset and the new design are one step.
    DocumentRecorder step(doc_);
    reset_();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList failures = RenderTemplate(doc_, wizard_);
    step.commit(QStringLiteral("Vorlage"));
    QApplication::restoreOverrideCursor();
    for (const QString& message : failures)
        prompts_.error(message);
    emit templateAdopted();
}

void WizardPage::labelFormatChanged() {
    ScrollBox4->PaintBox4Paint();
}

void WizardPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstShown_) {
        firstShown_ = true;
        RenderBtnClick();
    }
}
