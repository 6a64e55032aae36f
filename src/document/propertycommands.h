#pragma once

#include "document/labeldocument.h"
#include "document/prompts.h"

#include <QChar>
#include <QStringList>

#include <functional>
#include <optional>

// The commands that change the selected object's attributes. Each acts only on a
// selected object of a kind it fits, puts one step on the document's undo stack
// (named after its menu entry) and says whether it changed something.

// Object kinds a command accepts, as bits (1 << Kind).
enum KindSet : unsigned {
    FigureKinds = 1u << KindFigure,
    TextKinds = 1u << KindText,
    PictureKinds = 1u << KindPicture,
    CodeKinds = 1u << KindCode,
    AnyKinds = FigureKinds | TextKinds | PictureKinds | CodeKinds,
};

// The selected object if it is of one of the kinds; null otherwise.
Tobs* selectedObject(LabelDocument& doc, unsigned kinds);

// "Farbe": the colour dialog preset with the figure's, text's or code's colour.
bool changeObjectColor(LabelDocument& doc, Prompts& prompts);

// The font fields of a text as the font dialog is preset with them: the colour is
// the object's colour, and the point size wins over the height.
Prompts::FontChoice fontOf(const Tobs& obj);
// Takes a chosen font: Color and the font fields; FontColor stays as it is.
void setFont(Tobs& obj, const Prompts::FontChoice& font);
// "Schriftart": the chosen font, already stored in the selected text; nothing when
// cancelled or without a selected text. fontObject (may be empty) gives the font
// object the text keeps in FontRef.
using FontObjectFn = std::function<QFont(const Prompts::FontChoice&)>;
std::optional<Prompts::FontChoice> changeObjectFont(LabelDocument& doc, Prompts& prompts,
                                                    const FontObjectFn& fontObject = {});

// Step names: the menu captions "Linksbündig" ... and "Kreis" ... "Linie vertikal".
QString alignStepName(int align);
QString shapeStepName(int shape);

// 0 left, 1 centred, 2 right.
bool setTextAlign(LabelDocument& doc, int align);
bool toggleKeepAspect(LabelDocument& doc);
// 0 circle .. 7 vertical line.
bool setShape(LabelDocument& doc, int shape);
// A quarter turn of the stored rotation: left below 0 becomes 3, right above 3 becomes 0.
int32_t turnedRotation(int32_t rotation, bool left);

// "Löschen": asks, then frees the slot and clears the selection.
bool deleteSelected(LabelDocument& doc, Prompts& prompts);
// Arrow keys: the next slot in use after the selection, wrapping from the last slot
// to the first; the selection stays when no other slot is in use. With nothing
// selected, the lowest slot in use.
bool selectNextObject(LabelDocument& doc);

// A text's lines: the pieces between separators; a separator at the very end gives
// no empty last line and an empty text no line at all.
QStringList splitLines(const QString& text, QChar separator);
// Text objects keep their lines separated by one carriage return.
inline QStringList textLines(const QString& text) {
    return splitLines(text, QChar(13));
}
inline QString joinTextLines(const QStringList& lines) {
    return lines.join(QChar(13));
}
