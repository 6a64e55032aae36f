#pragma once

#include <QString>
#include <QStringList>

// Every message box and standard file dialog goes through this interface: the
// program shows Qt dialogs, tests answer from a script and record what was asked.
class Prompts {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompts() = default;

    // A modal message box. An empty caption means the application's own title.
    virtual Answer message(const QString& text, const QString& caption, Buttons buttons,
                           Icon icon) = 0;

    struct FileRequest {
        QString title;
        QString folder;
        QStringList filters;    // "Beschreibung (*.abc *.def)" entries
        int selectedFilter = 0; // 0-based; updated with the user's choice
        QString defaultSuffix;  // added when the name has no extension
        bool confirmOverwrite = true;
    };
    // Empty result: cancelled.
    virtual QString openFileName(FileRequest& request) = 0;
    virtual QString saveFileName(FileRequest& request) = 0;

    Answer info(const QString& text, const QString& caption = QString()) {
        return message(text, caption, Buttons::Ok, Icon::Information);
    }
    Answer error(const QString& text, const QString& caption = QString()) {
        return message(text, caption, Buttons::Ok, Icon::Error);
    }
};
