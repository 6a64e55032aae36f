#pragma once

#include "document/labeldocument.h"
#include "editor/editorfont.h"

// Fields of a newly created object in a slot: a fresh record of the given kind
// with its top-left corner at the paint-box point (X, Y), 50 x 50 screen pixels
// (a picture: its own pixel size, see pictureExtent), rectangle shape, black,
// keep aspect, and the editor's current font. A picture keeps its file name and
// loaded picture.
void initNewObject(Tobs& obj, const LabelDocument& doc, int kind, int X, int Y,
                   const EditorFont& font);

// Document units that a picture side of the given pixels gets: about
// pixels x 10000 / (screen pixels per inch) at the start magnification, so a
// picture first shows at half its pixel size.
int32_t pictureExtent(const LabelDocument& doc, int pixels);
