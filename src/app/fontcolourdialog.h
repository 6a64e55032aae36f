#pragma once

#include "document/prompts.h"

#include <QDialog>
#include <QFont>

class ColourButton;
class QFontDialog;

// The font dialog with a colour: Qt's font chooser (scalable fonts, underline and
// strike-out) and a colour button, as one dialog. It opens on the object's face, or
// on the face fontconfig draws it with ("Arial" shows as "Liberation Sans"), and
// gives back the stored fields unchanged for every part the user left alone. Enter
// and Escape in the chooser's lists close the whole dialog.
class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    FontColourDialog(Prompts& prompts, QWidget* parent = nullptr);

    void setChoice(const Prompts::FontChoice& font);
    Prompts::FontChoice choice() const;

    QFontDialog* Fonts = nullptr;
    ColourButton* Colour = nullptr;

private:
    Prompts::FontChoice preset_;
    QFont shown_; // the chooser's font right after the preset
};
