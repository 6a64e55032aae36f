#include "editor/editorpage.h"

#include "document/propertycommands.h"
#include "document/slotedit.h"
#include "editor/editormenus.h"
#include "editor/linefillform.h"

#include <QAction>

void EditorPage::buildPlacingCommands() {
    connect(Menus->action(QStringLiteral("LinieFuellungM")), &QAction::triggered, this,
            [this] { LineFillClick(); });
}

TLineFillForm* EditorPage::lineFillForm() {
    if (!lineFillForm_)
        lineFillForm_ = new TLineFillForm(prompts_, this);
    return lineFillForm_;
}

void EditorPage::LineFillClick() {
    const Tobs* selected = selectedObject(doc_, FigureKinds);
    if (!selected)
        return;
    TLineFillForm* form = lineFillForm();
    form->preset(*selected);
    if (form->exec() != QDialog::Accepted)
        return;
    // The selection is looked up again: the dialog ran a loop of its own.
    SlotEdit edit(doc_);
    if (Tobs* o = edit.selected(FigureKinds)) {
        form->applyTo(*o);
        edit.commit(QStringLiteral("Linie und Füllung"));
    }
}
