#pragma once

#include "catalogue/dialogrunner.h"

#include <QObject>
#include <QString>
#include <QTimer>

class Prompts;
class TNewETypForm;
class TneuForm;
class TSDIAppForm;

// The commands that start, replace or leave the document: the new-document dialog
// right after start (or the file named on the command line), New, Exit, the
// question when the window is closed with unsaved changes, and the sheet-format
// command. Every question
// about saving first is "Wollen Sie vorher speichern?" with Yes, No and Cancel;
// Cancel, or a save that does not happen, stops the command.
class LifecycleCommands : public QObject {
    Q_OBJECT
public:
    LifecycleCommands(TSDIAppForm& window, Prompts& prompts);

    // Called once by the program's start: after the window's first activation, open
    // fileName, or when it is empty show the new-document dialog.
    void armStart(const QString& fileName = QString());
    // The document file named on the command line, empty for none.
    static QString documentArgument(const QStringList& arguments);

    void Neu1Click();
    void ExitItemClick();
    // Edits the open document's sheet format (menu "Etikettenformat...", and the print
    // page's "Kartenformat"). True when the format was changed.
    bool Etikettenformat1Click();

    bool startTimerArmed() const { return StartTimerArmed; }
    bool startNewDone() const { return StartNewDone; }
    TneuForm& neuForm() { return *neuForm_; }
    TNewETypForm& newETypForm() { return *typeForm_; }
    // Tests work the dialogs through this instead of running them modally.
    void setDialogRunner(const DialogRunner& runner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startTimerFired();
    // Asks about saving first; true when the command may go on.
    bool saveFirst(const QString& caption);

    TSDIAppForm& window_;
    Prompts& prompts_;
    TNewETypForm* typeForm_ = nullptr;
    TneuForm* neuForm_ = nullptr;
    DialogRunner runner_ = modalDialogRunner();
    QTimer startTimer_;
    bool startWanted_ = false;
    QString startFile_;
    bool StartTimerArmed = false;
    bool StartNewDone = false;
    bool exitAnswered_ = false;
};
