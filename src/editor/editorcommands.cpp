#include "editor/editorpage.h"

#include "codec/appevents.h"
#include "document/propertycommands.h"
#include "document/slotedit.h"
#include "document/transcolor.h"
#include "editor/bkgndform.h"
#include "editor/bmpopenform.h"
#include "editor/editormenus.h"
#include "editor/effektform.h"
#include "editor/paintbox.h"
#include "editor/speedbar.h"
#include "editor/transparenzform.h"
#include "editor/txtform.h"
#include "render/objectturn.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

// The editor's commands besides pointing and dragging: the context menus and what
// their entries do, the text dialog, the keys and the background dialog.

void EditorPage::buildCommands() {
    Menus = new EditorMenus(this);
    EffektForm = new TEffektForm(prompts_, this);
    TransForm = new TTransForm(prompts_, this);
    TxtForm = new TTxtForm(this);
    bkgndform = new Tbkgndform(
        doc_, prompts_, *BMPOpenForm, [this] { PaintBox1Paint(); }, this);

    auto on = [this](const char* name, auto handler) {
        connect(Menus->action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    on("Lschen1", [this] { Lschen1Click(); });
    on("Nachvorne1", [this] { Nachvorne1Click(); });
    on("NachHinen1", [this] { NachHinen1Click(); });
    on("FarbeM", [this] { FarbBtnClick(); });
    on("SchriftartM", [this] { FontBtnClick(); });
    on("Texteffekte1", [this] { Texteffekte1Click(); });
    on("CodeM", [this] { CodeClick(); });
    on("Linksbnig1", [this] { alignClick(0); });
    on("Zentriert1", [this] { alignClick(1); });
    on("Rechtsbndig1", [this] { alignClick(2); });
    on("Transparenz1", [this] { Transparenz1Click(); });
    on("SverhM", [this] { SverhMClick(); });
    on("Nachlinksrotieren1", [this] { turnClick(true); });
    on("Nachrechtsrotieren1", [this] { turnClick(false); });
    const char* const shapes[8] = {"KreisM", "EllipseM", "QuadratM",         "RechteckM",
                                   "Rund1M", "Rund2M",   "Liniehorizontal1", "Linievertikal1"};
    for (int i = 0; i < 8; ++i)
        on(shapes[i], [this, i] { shapeClick(i); });
    on("Hintergrundbild1", [this] { Hintergrundbild1Click(); });
    on("PositionM", [this] { PositionClick(); });

    QToolButton* background = SpeedBar2->HintergrundBtn;
    background->setToolTip(QStringLiteral("Hintergrund auswählen"));
    background->setStatusTip(QStringLiteral("Hintergrund auswählen"));
    background->setEnabled(true);
    connect(background, &QToolButton::clicked, this, [this] { Hintergrundbild1Click(); });

    installKeys();
}

void EditorPage::attachBackgroundAction(QAction* action) {
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this] { Hintergrundbild1Click(); });
}

void EditorPage::PopItUp(int X, int Y) {
    if (!ObjectTable::isSlot(doc_.SelObj))
        return;
    Menus->prepare(doc_.Objs[doc_.SelObj]);
    Menus->PopupMenu1->popup(PaintBox1->mapToGlobal(QPoint(X, Y)));
}

// Every change is a step on the document's undo stack, whose signal repaints the
// editor; a command only repaints itself when the selection alone changed.

void EditorPage::Lschen1Click() {
    deleteSelected(doc_, prompts_);
}

void EditorPage::Nachvorne1Click() {
    doc_.bringToFront();
}

void EditorPage::NachHinen1Click() {
    doc_.sendToBack();
}

void EditorPage::FarbBtnClick() {
    changeObjectColor(doc_, prompts_);
}

void EditorPage::FontBtnClick() {
    // The chosen font becomes the editor's current font, which the next new text takes.
    changeObjectFont(doc_, prompts_, [this](const Prompts::FontChoice& font) {
        FontDialog1.set(font);
        return FontDialog1.Font;
    });
}

namespace {
// Runs a property dialog preset from the selected object of the given kinds and
// applies it on OK as one step; the selection is looked up again after the dialog.
template <typename Form>
bool editInDialog(LabelDocument& doc, Form& form, unsigned kinds, const QString& name) {
    const Tobs* selected = selectedObject(doc, kinds);
    if (!selected)
        return false;
    form.preset(*selected);
    if (form.exec() != QDialog::Accepted)
        return false;
    SlotEdit edit(doc);
    Tobs* o = edit.selected(kinds);
    if (!o)
        return false;
    form.applyTo(*o);
    settleTransColor(*o);
    return edit.commit(name);
}
} // namespace

void EditorPage::Texteffekte1Click() {
    editInDialog(doc_, *EffektForm, TextKinds, QStringLiteral("Texteffekte"));
}

void EditorPage::Transparenz1Click() {
    editInDialog(doc_, *TransForm, PictureKinds, QStringLiteral("Transparenz"));
}

void EditorPage::SverhMClick() {
    toggleKeepAspect(doc_);
}

void EditorPage::alignClick(int align) {
    setTextAlign(doc_, align);
}

void EditorPage::shapeClick(int shape) {
    setShape(doc_, shape);
}

void EditorPage::turnClick(bool left) {
    const Tobs* o = selectedObject(doc_, TextKinds | PictureKinds | CodeKinds);
    if (!o)
        return;
    const bool picture = o->Kind == KindPicture;
    // A big picture takes a while: the progress goes to the window's progress bar.
    QWidget* sink = window();
    auto progress = [sink](int percent) {
        ProgressEvent event(percent);
        QCoreApplication::sendEvent(sink, &event);
    };
    if (picture)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    turnSelectedObject(doc_, left, progress);
    if (picture)
        QApplication::restoreOverrideCursor();
}

void EditorPage::PaintBox1DblClick(int X, int Y) {
    emit paintBoxDoubleClicked(QPoint(X, Y));
    if (tool() == EditorTool::Zeiger && MouseState == 0 && selectedObject(doc_, CodeKinds)) {
        SkipNextPress = true;
        CodeClick();
        return;
    }
    if (tool() != EditorTool::Zeiger || MouseState != 0 || !selectedObject(doc_, TextKinds))
        return;
    // The paint box hands on the double click's press right after this handler;
    // that press neither selects nor drags.
    SkipNextPress = true;
    editSelectedText();
}

void EditorPage::editSelectedText() {
    if (MouseState != 0 || !selectedObject(doc_, TextKinds))
        return;
    TxtForm->setLines(textLines(doc_.Objs[doc_.SelObj].Text));
    if (TxtForm->exec() != QDialog::Accepted)
        return;
    SlotEdit edit(doc_);
    if (Tobs* o = edit.selected(TextKinds)) {
        o->Text = joinTextLines(TxtForm->lines());
        edit.commit(QStringLiteral("Text"));
    }
}

void EditorPage::Hintergrundbild1Click() {
    bkgndform->exec();
}
