#pragma once

#include "document/prompts.h"

#include <QDialog>

class ColourButton;
class QFontDialog;

// The font dialog with a colour: Qt's font chooser (scalable fonts, underline and
// strike-out) and a colour button, as one dialog.
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
};
