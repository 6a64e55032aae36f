#pragma once

#include <QFont>
#include <QString>

#include <cstdint>

struct MergeRecord;
struct ObjectBox;
struct RenderContext;
struct Tobs;

// The font of a text object: FontName, the character height in pixels, and bold,
// italic, underline and strike-out from the bits 0 to 3 of FontStyle. Kerning is
// off, as in the platform's plain text output.
QFont labelFont(const QString& fontName, int charHeight, uint8_t fontStyle);

// The string a text object shows: Text with its fields substituted ("%%NUMMER%%" in
// any letter case by Number, the others from record when there is one), for turned
// texts then with every carriage return as one blank.
QString labelText(const QString& text, bool turned, int Number,
                  const MergeRecord* record = nullptr);

// Draws a text (Kind 2): shadow, outline and the text itself, in this order.
// Upright texts are word-wrapped in their box and clipped to it; turned texts are
// one line from the corner where the turned text starts.
void drawText(RenderContext& rc, const Tobs& object, const ObjectBox& box);
