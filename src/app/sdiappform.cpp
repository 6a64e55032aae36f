#include "app/sdiappform.h"

#include "app/documentcommands.h"
#include "app/editmenu.h"
#include "app/infodialog.h"
#include "app/labelcounter.h"
#include "app/lifecyclecommands.h"
#include "app/mainmenu.h"
#include "app/menushortcuts.h"
#include "app/printmenu.h"
#include "app/scan/scancommands.h"
#include "app/windowdrops.h"
#include "app/windowplacement.h"
#include "document/settingsstore.h"
#include "editor/editorpage.h"
#include "editor/txtform.h"
#include "output/mergepanel.h"
#include "output/printpage.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

TSDIAppForm::TSDIAppForm(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("SDIAppForm"));
    Menu = new MainMenu(this);
    new MenuShortcutPriority(*this, *Menu);
    buildPages();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    Info = new InfoDialog(this);
    connectMenu();
    Commands = new DocumentCommands(*this, prompts_);
    Lifecycle = new LifecycleCommands(*this, prompts_);
    Scan = new ScanCommands(*this, prompts_);
    Edit = new EditMenu(*this);
    new WindowDrops(*this);
    WizardPg->setDocumentCommands([this] { return Commands->SaveItemClick(); },
                                  [this] { clearall(); });
    connect(WizardPg->NummerEd, &QSpinBox::valueChanged, this, &storeLabelNumber);
    connect(WizardPg, &WizardPage::templateAdopted, this, [this] {
        EditorPg->applyWorkArea();
        PrintPg->labelChanged();
        Pages->setCurrentWidget(EditorPg);
    });

    Doc.Zoom = 1.0;
    Doc.UnitsPerPixel = LabelDocument::StartUnitsPerPixel;
    clearall();
    applyFormat();
    resize(1100, 720);
}

TSDIAppForm::~TSDIAppForm() {
    delete Menu;
}

void TSDIAppForm::buildPages() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    Pages = new QTabWidget(central);
    Pages->setObjectName(QStringLiteral("Pages"));
    WizardPg = new WizardPage(Doc, prompts_, Pages);
    EditorPg = new EditorPage(
        Doc, prompts_, [this] { return labelNumber(); }, Pages);
    PrintPg = makePrintPage(*this, prompts_, Pages);
    // The text dialog offers the fields of the print page's data source; pictures named
    // by fields show in the editor as the first checked row names them.
    connect(PrintPg->MergePanel, &TMergePanel::sourceChanged, EditorPg, [this] {
        const MergeTable* table = PrintPg->MergePanel->rows().table();
        EditorPg->TxtForm->setFieldNames(table ? table->columns().names() : QStringList());
        showSampleRow();
    });
    connect(PrintPg->MergePanel, &TMergePanel::checksChanged, EditorPg,
            [this] { showSampleRow(); });
    Pages->addTab(WizardPg, QStringLiteral("Vorlagen Assistent"));
    Pages->addTab(EditorPg, QStringLiteral("Editor"));
    Pages->addTab(PrintPg, QStringLiteral("Drucken"));
    Pages->setCurrentIndex(0);
    layout->addWidget(Pages, 1);

    auto* infoRow = new QHBoxLayout();
    infoRow->setContentsMargins(4, 0, 4, 2);
    InfoPanel = new QLabel(central);
    InfoPanel->setObjectName(QStringLiteral("InfoPanel"));
    InfoPanel->setFrameShape(QFrame::StyledPanel);
    InfoPanel->setFrameShadow(QFrame::Sunken);
    ProgressBar1 = new QProgressBar(central);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumWidth(220);
    infoRow->addWidget(InfoPanel, 1);
    infoRow->addWidget(ProgressBar1);
    layout->addLayout(infoRow);
    setCentralWidget(central);
}

void TSDIAppForm::connectMenu() {
    QAction* info = Menu->action(QStringLiteral("Info1"));
    info->setEnabled(true);
    connect(info, &QAction::triggered, Info, &QDialog::exec);
    EditorPg->attachBackgroundAction(Menu->action(QStringLiteral("Hintergrundbild1")));
    EditorPg->attachGridActions(
        {Menu->action(QStringLiteral("RasterAus")), Menu->action(QStringLiteral("Raster1mm")),
         Menu->action(QStringLiteral("Raster25mm")), Menu->action(QStringLiteral("Raster5mm"))});
    connectPrintMenu(*Menu, *PrintPg);
}

void TSDIAppForm::showSampleRow() {
    const MergeRows& rows = PrintPg->MergePanel->rows();
    const std::vector<int>& checked = rows.checkedRows();
    EditorPg->setSampleRow(rows.sharedTable(), checked.empty() ? -1 : checked.front());
}

int TSDIAppForm::labelNumber() const {
    return WizardPg->labelNumber();
}

void TSDIAppForm::setLabelNumber(int value) {
    WizardPg->setLabelNumber(value);
}

void TSDIAppForm::refreshLabelNumber() {
    const int stored = storedLabelNumber();
    if (stored == labelNumber())
        return;
    {
        const QSignalBlocker quiet(WizardPg->NummerEd);
        WizardPg->setLabelNumber(stored);
    }
    EditorPg->PaintBox1Paint();
    PrintPg->labelChanged();
}

void TSDIAppForm::applyFormat() {
    Doc.computeWorkArea();
    showFormat();
}

void TSDIAppForm::showFormat() {
    InfoPanel->setText(InfoLine(Doc.Format));
    EditorPg->applyWorkArea();
    PrintPg->labelChanged();
    WizardPg->labelFormatChanged();
}

void TSDIAppForm::clearall() {
    Doc.clearall();
    EditorPg->resetDragState();
    updateCaption();
}

void TSDIAppForm::updateCaption() {
    // A '*' after the name while the document differs from its last save.
    setWindowTitle(windowCaption(Doc.CurFileName) +
                   (Doc.Undo.isClean() ? QString() : QStringLiteral("*")));
}

bool TSDIAppForm::event(QEvent* event) {
    // Back from a dialog or a menu: no hint of what led there stays behind.
    if (event->type() == QEvent::WindowActivate)
        statusBar()->clearMessage();
    if (Scan && Scan->dispatch(event))
        return true;
    if (event->type() == QEvent::WindowActivate && FirstShown)
        refreshLabelNumber();
    return QMainWindow::event(event);
}

void TSDIAppForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!FirstShown) {
        FirstShown = true;
        restoreSettings();
    }
}

void TSDIAppForm::closeEvent(QCloseEvent* event) {
    storeSettings();
    QMainWindow::closeEvent(event);
}

void TSDIAppForm::restoreSettings() {
    auto settings = SettingsStore::open();
    WindowPlacement::restore(*settings, *this);
    refreshLabelNumber();
}

void TSDIAppForm::storeSettings() {
    auto settings = SettingsStore::open();
    WindowPlacement::store(*settings, *this);
    settings->sync();
}
