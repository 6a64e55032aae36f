#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// Every message box and standard dialog (file, colour, font) goes through this
// interface: the program shows Qt dialogs, tests answer from a script and record
// what was asked.
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

    // The colour dialog with its custom-colour part, preset with color (0x00BBGGRR).
    // True: color holds the chosen colour. False: cancelled, color unchanged.
    // Front ends without dialogs (command line, tools) answer every choice as cancelled.
    virtual bool chooseColor(int32_t& color) {
        (void)color;
        return false;
    }

    // A font as the font dialog shows and returns it.
    struct FontChoice {
        QString name;       // face name
        int32_t height = 0; // negative: character height in pixels at 96 per inch
        int32_t size = 0;   // points; preset: wins over the height
        uint8_t pitch = 0;  // as stored with the object; 0 the default pitch
        uint8_t style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
        int32_t color = 0;  // 0x00BBGGRR
        friend bool operator==(const FontChoice&, const FontChoice&) = default;
    };
    // The font dialog (scalable fonts, with colour, underline and strike-out).
    // True: font holds the chosen font. False: cancelled, font unchanged.
    virtual bool chooseFont(FontChoice& font) {
        (void)font;
        return false;
    }

    Answer info(const QString& text, const QString& caption = QString()) {
        return message(text, caption, Buttons::Ok, Icon::Information);
    }
    Answer error(const QString& text, const QString& caption = QString()) {
        return message(text, caption, Buttons::Ok, Icon::Error);
    }
};
