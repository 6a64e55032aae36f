#pragma once

#include "document/prompts.h"

#include <QList>
#include <QQueue>

// Answers message boxes and file dialogs from a script and records every request.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString text;
        QString caption;
        Buttons buttons;
        Icon icon;
    };
    QList<Shown> shown;
    QQueue<Answer> answers;    // default when empty: Ok / Yes
    QQueue<QString> fileNames; // default when empty: cancelled
    QQueue<int> filterChoices; // 0-based filter the "user" picks
    QList<FileRequest> fileRequests;

    Answer message(const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) override;
    QString openFileName(FileRequest& request) override;
    QString saveFileName(FileRequest& request) override;

private:
    QString nextFile(FileRequest& request);
};
