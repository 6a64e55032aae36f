#pragma once

#include "document/labeldocument.h"
#include "render/picload.h"

// "Nach links rotieren" / "Nach rechts rotieren" on the selected text or picture.
// A picture's pixels turn a quarter turn and its frame exchanges width and height
// through their screen pixels; a text only counts its rotation. When the turned
// copy of a picture cannot be made, nothing changes. True when the object turned.
bool turnSelectedObject(LabelDocument& doc, bool left, const ProgressFn& progress = {});
