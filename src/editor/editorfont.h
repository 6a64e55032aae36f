#pragma once

#include "document/prompts.h"
#include "document/tobs.h"

#include <QFont>
#include <QString>

#include <cstdint>

// The editor's current font, which new text objects take. It starts as
// "Times New Roman", 12 points (height -16 at 96 pixels per inch), black, no style;
// a font chosen for a text becomes the current font.
struct EditorFont {
    QFont Font;
    QString Name = QStringLiteral("Times New Roman");
    int32_t Height = -16; // negative: character height in pixels
    int32_t Size = 12;    // points
    int32_t Color = 0;
    uint8_t Pitch = 0;
    uint8_t Style = 0;

    EditorFont();
    // The font fields of a new object.
    void applyTo(Tobs& obj) const;
    // Takes a font chosen in the font dialog.
    void set(const Prompts::FontChoice& font);
};
