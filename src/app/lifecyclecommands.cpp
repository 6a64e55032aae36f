#include "app/lifecyclecommands.h"

#include "app/documentcommands.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "catalogue/labeltypeform.h"
#include "catalogue/neuform.h"
#include "document/slotedit.h"
#include "editor/editorpage.h"
#include "editor/speedbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QToolButton>
#include <QUrl>

LifecycleCommands::LifecycleCommands(TSDIAppForm& window, Prompts& prompts)
    : QObject(&window), window_(window), prompts_(prompts) {
    typeForm_ = new TNewETypForm(&window_);
    neuForm_ = new TneuForm(*typeForm_, prompts_, &window_);

    startTimer_.setSingleShot(true);
    startTimer_.setInterval(100);
    connect(&startTimer_, &QTimer::timeout, this, &LifecycleCommands::startTimerFired);
    window_.installEventFilter(this);

    auto wire = [this](const QString& key, auto handler) {
        QAction* action = window_.Menu->action(key);
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    };
    wire(QStringLiteral("Neu1"), [this] { Neu1Click(); });
    wire(QStringLiteral("ExitItem"), [this] { ExitItemClick(); });
    wire(QStringLiteral("Etikettenformat1"), [this] { Etikettenformat1Click(); });
    QToolButton* neuBtn = window_.EditorPg->SpeedBar2->NeuBtn;
    neuBtn->setEnabled(true);
    connect(neuBtn, &QToolButton::clicked, this, [this] { Neu1Click(); });
}

void LifecycleCommands::setDialogRunner(const DialogRunner& runner) {
    runner_ = runner;
    typeForm_->setDialogRunner(runner);
    neuForm_->setDialogRunner(runner);
}

void LifecycleCommands::armStart(const QString& fileName) {
    startWanted_ = true;
    startFile_ = fileName;
}

QString LifecycleCommands::documentArgument(const QStringList& arguments) {
    for (const QString& a : arguments.mid(1)) {
        if (a.startsWith(QLatin1Char('-')))
            continue;
        // A desktop may hand over a URL instead of a path.
        const QUrl url(a);
        const QString path = url.isLocalFile() ? url.toLocalFile() : a;
        return QFileInfo(path).absoluteFilePath();
    }
    return QString();
}

bool LifecycleCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return false;
    if (event->type() == QEvent::WindowActivate && startWanted_ && !StartNewDone &&
        !StartTimerArmed) {
        StartTimerArmed = true;
        startTimer_.start();
    } else if (event->type() == QEvent::Close && !exitAnswered_ && !window_.Doc.Undo.isClean() &&
               !saveFirst(QStringLiteral("Programm beenden"))) {
        event->ignore();
        return true;
    }
    return false;
}

void LifecycleCommands::startTimerFired() {
    startTimer_.stop();
    if (startFile_.isEmpty())
        Neu1Click();
    else
        window_.Commands->openFile(startFile_);
    StartNewDone = true;
}

bool LifecycleCommands::saveFirst(const QString& caption) {
    switch (prompts_.message(QStringLiteral("Wollen Sie vorher speichern?"), caption,
                             Prompts::Buttons::YesNoCancel, Prompts::Icon::Question)) {
    case Prompts::Answer::Yes:
        return window_.Commands->SaveItemClick();
    case Prompts::Answer::No:
        return true;
    default:
        return false;
    }
}

void LifecycleCommands::Neu1Click() {
    if (StartNewDone && !saveFirst(QStringLiteral("Neue Etikett")))
        return;
    if (neuForm_->execute() != QDialog::Accepted)
        return;
    window_.clearall();
    window_.Doc.Format = neuForm_->chosen();
    // A new document starts a history of its own.
    window_.Doc.Undo.clear();
    window_.updateCaption();
    window_.applyFormat();
    window_.EditorPg->scrollToLabel();
}

void LifecycleCommands::ExitItemClick() {
    if (!saveFirst(QStringLiteral("Programm beenden")))
        return;
    exitAnswered_ = true;
    window_.close();
    exitAnswered_ = false;
}

bool LifecycleCommands::Etikettenformat1Click() {
    typeForm_->setFormat(window_.Doc.Format);
    if (runner_(*typeForm_) != QDialog::Accepted)
        return false;
    DocumentRecorder step(window_.Doc);
    window_.Doc.Format = typeForm_->format();
    window_.applyFormat();
    step.commit(QStringLiteral("Etikettenformat"));
    return true;
}
