#include "app/editmenu.h"

#include "app/sdiappform.h"
#include "editor/editorpage.h"
#include "editor/paintbox.h"
#include "output/printpage.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {
struct Entry {
    const char* key; // object name of the action; "-": separator
    const char* text;
    const char* shortcuts; // separated by ';'
    const char* hint;
};

// clang-format off
constexpr Entry Table[] = {
    {"Rueckgaengig1", "&Rückgängig", "Ctrl+Z", "Macht den letzten Schritt rückgängig"},
    {"Wiederholen1", "&Wiederholen", "Ctrl+Y;Ctrl+Shift+Z", "Wiederholt den zuletzt rückgängig gemachten Schritt"},
    {"-", nullptr, nullptr, nullptr},
    {"Ausschneiden1", "&Ausschneiden", "Ctrl+X", "Schneidet das Objekt aus und legt es in die Zwischenablage"},
    {"Kopieren1", "&Kopieren", "Ctrl+C", "Kopiert das Objekt in die Zwischenablage"},
    {"Einfuegen1", "&Einfügen", "Ctrl+V", "Fügt den Inhalt der Zwischenablage als Objekt ein"},
    {"Duplizieren1", "&Duplizieren", "Ctrl+Shift+D", "Legt eine Kopie des Objekts darüber"},
};
// clang-format on
} // namespace

EditMenu::EditMenu(TSDIAppForm& window) : QObject(&window), window_(window) {
    build();
    QUndoStack& undo = window_.Doc.Undo;
    connect(&undo, &QUndoStack::canUndoChanged, this, &EditMenu::updateUndoCaptions);
    connect(&undo, &QUndoStack::canRedoChanged, this, &EditMenu::updateUndoCaptions);
    connect(&undo, &QUndoStack::undoTextChanged, this, &EditMenu::updateUndoCaptions);
    connect(&undo, &QUndoStack::redoTextChanged, this, &EditMenu::updateUndoCaptions);
    connect(&undo, &QUndoStack::cleanChanged, &window_, &TSDIAppForm::updateCaption);
    connect(&undo, &QUndoStack::indexChanged, this, &EditMenu::documentChanged);
    connect(action(QStringLiteral("Rueckgaengig1")), &QAction::triggered, this, [this] {
        if (!editorBusy())
            window_.Doc.Undo.undo();
    });
    connect(action(QStringLiteral("Wiederholen1")), &QAction::triggered, this, [this] {
        if (!editorBusy())
            window_.Doc.Undo.redo();
    });
    EditorPage* editor = window_.EditorPg;
    auto wire = [this](const char* key, auto handler) {
        QAction* a = action(QLatin1String(key));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, handler);
    };
    wire("Ausschneiden1", [editor] { editor->cutSelection(); });
    wire("Kopieren1", [editor] { editor->copySelection(); });
    wire("Einfuegen1", [editor] { editor->pasteFromClipboard(); });
    wire("Duplizieren1", [editor] { editor->duplicateSelection(); });
    connect(editor, &EditorPage::statusMessage, this,
            [this](const QString& text) { window_.statusBar()->showMessage(text, 15000); });
    updateUndoCaptions();
    editor->KeyEdit->installEventFilter(this);
}

void EditMenu::build() {
    menu_ = new QMenu(QStringLiteral("&Bearbeiten"), &window_);
    menu_->setObjectName(QStringLiteral("BearbeitenMenu"));
    for (const Entry& e : Table) {
        if (QLatin1String(e.key) == QLatin1String("-")) {
            menu_->addSeparator();
            continue;
        }
        QAction* a = menu_->addAction(QString::fromUtf8(e.text));
        a->setObjectName(QString::fromUtf8(e.key));
        QList<QKeySequence> keys;
        for (const QString& k : QString::fromUtf8(e.shortcuts).split(QLatin1Char(';')))
            keys << QKeySequence(k);
        a->setShortcuts(keys);
        a->setStatusTip(QString::fromUtf8(e.hint));
        a->setToolTip(QString::fromUtf8(e.hint));
        a->setEnabled(false);
        actions_.insert(a->objectName(), a);
    }
    buildPlacement();
    // Between "&Datei" and "&Einstellungen".
    QMenuBar* bar = window_.menuBar();
    QAction* before = nullptr;
    for (QAction* a : bar->actions()) {
        if (a->menu() && a->menu()->objectName() == QLatin1String("EinstellungenMenu"))
            before = a;
    }
    bar->insertMenu(before, menu_);
}

void EditMenu::buildPlacement() {
    struct Align {
        const char* key;
        const char* text;
        LabelAlign align;
    };
    // clang-format off
    static constexpr Align Aligns[] = {
        {"AusrichtenHMitte", "&Horizontal zentrieren", LabelAlign::CentreHorizontal},
        {"AusrichtenVMitte", "&Vertikal zentrieren", LabelAlign::CentreVertical},
        {"AusrichtenMitte", "&Beides zentrieren", LabelAlign::Centre},
        {"AusrichtenLinks", "Am &linken Rand", LabelAlign::Left},
        {"AusrichtenRechts", "Am &rechten Rand", LabelAlign::Right},
        {"AusrichtenOben", "Am &oberen Rand", LabelAlign::Top},
        {"AusrichtenUnten", "Am &unteren Rand", LabelAlign::Bottom},
    };
    // clang-format on
    EditorPage* editor = window_.EditorPg;
    menu_->addSeparator();
    QAction* place = menu_->addAction(QStringLiteral("Position und &Größe..."));
    place->setObjectName(QStringLiteral("PositionUndGroesse1"));
    place->setStatusTip(QStringLiteral("Setzt Position und Größe des Objekts in Millimetern"));
    actions_.insert(place->objectName(), place);
    connect(place, &QAction::triggered, editor, [editor] { editor->PositionClick(); });

    QMenu* align = menu_->addMenu(QStringLiteral("Auf dem Etikett a&usrichten"));
    align->setObjectName(QStringLiteral("AusrichtenMenu"));
    align->setAccessibleName(QStringLiteral("Auf dem Etikett ausrichten"));
    align->menuAction()->setObjectName(QStringLiteral("Ausrichten1"));
    align->menuAction()->setStatusTip(
        QStringLiteral("Richtet das Objekt an der Mitte oder an einem Rand des Etiketts aus"));
    actions_.insert(align->menuAction()->objectName(), align->menuAction());
    for (const Align& a : Aligns) {
        QAction* entry = align->addAction(QString::fromUtf8(a.text));
        entry->setObjectName(QString::fromUtf8(a.key));
        actions_.insert(entry->objectName(), entry);
        const LabelAlign how = a.align;
        connect(entry, &QAction::triggered, editor, [editor, how] { editor->alignOnLabel(how); });
    }
    // Offered while an object is selected.
    connect(menu_, &QMenu::aboutToShow, this, [this, place, align] {
        const LabelDocument& doc = window_.Doc;
        const bool selected =
            ObjectTable::isSlot(doc.SelObj) && doc.Objs[doc.SelObj].Kind != KindFree;
        place->setEnabled(selected);
        align->setEnabled(selected);
    });
}

void EditMenu::updateUndoCaptions() {
    const QUndoStack& undo = window_.Doc.Undo;
    QAction* u = action(QStringLiteral("Rueckgaengig1"));
    QAction* r = action(QStringLiteral("Wiederholen1"));
    u->setEnabled(undo.canUndo());
    r->setEnabled(undo.canRedo());
    u->setText(undo.canUndo() ? QStringLiteral("&Rückgängig: ") + undo.undoText()
                              : QStringLiteral("&Rückgängig"));
    r->setText(undo.canRedo() ? QStringLiteral("&Wiederholen: ") + undo.redoText()
                              : QStringLiteral("&Wiederholen"));
}

void EditMenu::documentChanged() {
    // The editor repaints itself; the sheet summary and the paint box follow an undone
    // or redone sheet format, the preview every step.
    const LabelDocument& doc = window_.Doc;
    const QSize box = doc.paintBoxSize().boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    if (window_.InfoPanel->text() != InfoLine(doc.Format) ||
        window_.EditorPg->PaintBox1->size() != box) {
        window_.showFormat();
    } else {
        window_.PrintPg->labelChanged();
    }
}

bool EditMenu::editorBusy() const {
    // A running drag or hand scroll owns the document until the mouse lets go.
    return window_.EditorPg->MouseState != 0;
}

bool EditMenu::eventFilter(QObject* watched, QEvent* event) {
    // The editor's key field is a line edit that would take the edit keys for its own
    // invisible text: there they go to the menu.
    if (event->type() == QEvent::ShortcutOverride && watched == window_.EditorPg->KeyEdit) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (QAction* a : std::as_const(actions_)) {
            if (a->isEnabled() && a->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
