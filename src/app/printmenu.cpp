#include "app/printmenu.h"

#include "app/lifecyclecommands.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "editor/editorpage.h"
#include "output/printpage.h"

#include <QAction>
#include <QProgressBar>

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
    return new TPrintPage(window.Doc, prompts, std::move(host), parent);
}

void connectPrintMenu(MainMenu& menu, TPrintPage& page) {
    QAction* print = menu.action(QStringLiteral("Print"));
    print->setEnabled(true);
    QObject::connect(print, &QAction::triggered, &page, &TPrintPage::PrintClick);
    QAction* setup = menu.action(QStringLiteral("PrintSetup"));
    setup->setEnabled(true);
    QObject::connect(setup, &QAction::triggered, &page, &TPrintPage::PrintSetupClick);
}
