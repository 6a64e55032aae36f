#pragma once

#include "document/prompts.h"

#include <QObject>

#include <functional>

class PictureLoader;
class RecentFiles;
class TSDIAppForm;

// The main window's commands that lead to the label file: open, save and save as,
// from the menu and from the editor's file buttons.
class DocumentCommands : public QObject {
    Q_OBJECT
public:
    explicit DocumentCommands(TSDIAppForm& window, Prompts& prompts);

    void OpenItemClick();
    // Opens a named file as Open does after its dialog; true when the document changed.
    bool openFile(const QString& fileName);
    bool SaveItemClick();
    bool Speichernunter1Click();

    // The "Datei" menu's list of the files opened last.
    RecentFiles* Recent = nullptr;

private:
    // The save question's "Ja" runs the given save command.
    using Opener = std::function<bool(PictureLoader&, const std::function<bool()>& save)>;
    bool openWith(const Opener& open);
    void afterLoad();
    void remember();
    TSDIAppForm& window_;
    Prompts& prompts_;
    Prompts::FileRequest saveDialog_;
};
