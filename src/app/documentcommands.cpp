#include "app/documentcommands.h"

#include "app/mainmenu.h"
#include "app/recentfiles.h"
#include "app/sdiappform.h"
#include "app/waitingpictureloader.h"
#include "document/labelfilecommands.h"
#include "editor/editorpage.h"
#include "editor/speedbar.h"
#include "render/picturefileloader.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QToolButton>

DocumentCommands::DocumentCommands(TSDIAppForm& window, Prompts& prompts)
    : QObject(&window), window_(window), prompts_(prompts), saveDialog_(labelFileDialog()) {
    auto wire = [&](const QString& key, QToolButton* button, auto handler) {
        QAction* action = window_.Menu->action(key);
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
        if (button) {
            button->setEnabled(true);
            connect(button, &QToolButton::clicked, this, handler);
        }
    };
    SpeedBar* bar = window_.EditorPg->SpeedBar2;
    wire(QStringLiteral("OpenItem"), bar->OeffnenBtn, [this] { OpenItemClick(); });
    wire(QStringLiteral("SaveItem"), bar->SpeichernBtn, [this] { SaveItemClick(); });
    wire(QStringLiteral("Speichernunter1"), nullptr, [this] { Speichernunter1Click(); });

    // "Zuletzt geöffnet" follows "Öffnen..." in its menu.
    QAction* open = window_.Menu->action(QStringLiteral("OpenItem"));
    if (auto* fileMenu = qobject_cast<QMenu*>(open->parent())) {
        const QList<QAction*> entries = fileMenu->actions();
        const qsizetype next = entries.indexOf(open) + 1;
        auto* menu = new QMenu(fileMenu);
        fileMenu->insertMenu(next < entries.size() ? entries.at(next) : nullptr, menu);
        Recent = new RecentFiles(
            menu, [this](const QString& name) { return openFile(name); }, this);
    }
}

void DocumentCommands::OpenItemClick() {
    openWith([this](PictureLoader& pictures, const SaveCommand& save) {
        return openLabelFile(window_.Doc, prompts_, pictures, save);
    });
}

bool DocumentCommands::openFile(const QString& fileName) {
    return openWith([&](PictureLoader& pictures, const SaveCommand& save) {
        return OpenItNow(window_.Doc, fileName, prompts_, pictures, save);
    });
}

// Both ways of opening: the pictures come through the program's store with the
// progress bar and the wait cursor, "Speichern" answers the save question.
bool DocumentCommands::openWith(const Opener& open) {
    PictureFileLoader files([this](int percent) { window_.ProgressBar1->setValue(percent); });
    WaitingPictureLoader pictures(files);
    if (!open(pictures, [this] { return SaveItemClick(); }))
        return false;
    afterLoad();
    remember();
    return true;
}

bool DocumentCommands::SaveItemClick() {
    const bool saved = saveLabelFile(window_.Doc, prompts_, saveDialog_);
    window_.updateCaption();
    if (saved)
        remember();
    return saved;
}

bool DocumentCommands::Speichernunter1Click() {
    const bool saved = saveLabelFileAs(window_.Doc, prompts_, saveDialog_);
    window_.updateCaption();
    if (saved)
        remember();
    return saved;
}

// A read document brings its own work area and magnification: the summary line,
// the caption and the paint box follow it, without computing the area anew.
void DocumentCommands::afterLoad() {
    window_.EditorPg->resetDragState();
    window_.updateCaption();
    window_.showFormat();
}

void DocumentCommands::remember() {
    if (Recent)
        Recent->add(window_.Doc.CurFileName);
}
