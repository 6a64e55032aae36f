#pragma once

#include "document/prompts.h"

#include <QList>
#include <QQueue>

#include <optional>

// Answers message boxes and standard dialogs from a script and records every request.
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
    QQueue<std::optional<int32_t>> colors;   // nullopt or empty: cancelled
    QList<int32_t> colorPresets;             // the colour each colour dialog opened with
    QQueue<std::optional<FontChoice>> fonts; // nullopt or empty: cancelled
    QList<FontChoice> fontPresets;

    Answer message(const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) override;
    QString openFileName(FileRequest& request) override;
    QString saveFileName(FileRequest& request) override;
    bool chooseColor(int32_t& color) override;
    bool chooseFont(FontChoice& font) override;

private:
    QString nextFile(FileRequest& request);
};
