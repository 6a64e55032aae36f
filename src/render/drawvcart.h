#pragma once

#include "document/labeldocument.h"

class QPainter;
struct MergeRecord;

// Draws the label of the document onto a canvas: the background picture, then
// every object in slot order. The caller prepares the canvas (white) and sets the
// output switches (document.Output) before the call.
//   EditorView true:  the area is the whole work area, the label in its middle third,
//                     nothing clipped to the label.
//   EditorView false: AreaWidth x AreaHeight is the label's size in output pixels,
//                     the offsets place the label; everything is clipped to it.
// Number replaces the placeholder %%NUMMER%% in texts, the fields of Record (the data
// row of this label, null for none) the other fields. The only lasting change to
// the document is the transparent colour that a picture takes from its pixels.
void DrawVCart(QPainter& canvas, LabelDocument& document, int AreaWidth, int AreaHeight,
               int OffsetX, int OffsetY, double Scale, bool EditorView, int Number,
               const MergeRecord* Record = nullptr);
