#include "app/printmenu.h"

#include "app/lifecyclecommands.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "editor/editorpage.h"
#include "output/printpage.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QProgressBar>
#include <QSpinBox>

TPrintPage* makePrintPage(TSDIAppForm& window, Prompts& prompts, QWidget* parent) {
    PrintPageHost host;
    host.labelNumber = [&window] { return window.labelNumber(); };
    host.setLabelNumber = [&window](int value) { window.setLabelNumber(value); };
    host.refreshLabelNumber = [&window] { window.refreshLabelNumber(); };
    host.repaintEditor = [&window] { window.EditorPg->PaintBox1Paint(); };
    host.progress = [&window](int percent) { window.ProgressBar1->setValue(percent); };
    host.sheetFormat = [&window] {
        if (window.Lifecycle)
            window.Lifecycle->Etikettenformat1Click();
    };
    auto* page = new TPrintPage(window.Doc, prompts, std::move(host), parent);
    // What the editor draws anew and a new running number, the preview shows too.
    QObject::connect(window.EditorPg, &EditorPage::labelRepainted, page, &TPrintPage::labelChanged);
    QObject::connect(window.WizardPg->NummerEd, &QSpinBox::valueChanged, page,
                     &TPrintPage::labelChanged);
    return page;
}

void connectPrintMenu(MainMenu& menu, TPrintPage& page) {
    QAction* print = menu.action(QStringLiteral("Print"));
    print->setEnabled(true);
    QObject::connect(print, &QAction::triggered, &page, &TPrintPage::PrintClick);
    QAction* setup = menu.action(QStringLiteral("PrintSetup"));
    setup->setEnabled(true);
    QObject::connect(setup, &QAction::triggered, &page, &TPrintPage::PrintSetupClick);
}
