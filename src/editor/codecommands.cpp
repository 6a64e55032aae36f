#include "editor/editorpage.h"

#include "document/propertycommands.h"
#include "document/slotedit.h"
#include "editor/codeform.h"
#include "render/codelayout.h"

#include <QCoreApplication>
#include <QStatusTipEvent>

// The editor's commands for code objects: the code dialog and the status line that
// tells why a code shows as a red cross.

void EditorPage::CodeClick() {
    const Tobs* selected = selectedObject(doc_, CodeKinds);
    if (!selected)
        return;
    if (!CodeForm)
        CodeForm = new TCodeForm(this);
    CodeForm->preset(*selected, doc_.Output.CodeDotsPerInch, labelNumber_ ? labelNumber_() : 0);
    if (CodeForm->exec() != QDialog::Accepted)
        return;
    SlotEdit edit(doc_);
    if (Tobs* o = edit.selected(CodeKinds)) {
        CodeForm->applyTo(*o);
        if (edit.commit(QStringLiteral("Code")))
            PaintBox1Paint();
    }
}

void EditorPage::reportCodeProblem() {
    QString problem;
    if (const Tobs* o = selectedObject(doc_, CodeKinds)) {
        problem = codeProblem(*o, labelNumber_ ? labelNumber_() : 0, doc_.Output.CodeDotsPerInch);
        if (!problem.isEmpty())
            problem = QStringLiteral("Code als rotes Kreuz: ") + problem;
    }
    if (problem == codeProblemShown_)
        return;
    codeProblemShown_ = problem;
    QStatusTipEvent event(problem);
    QCoreApplication::sendEvent(this, &event);
}
