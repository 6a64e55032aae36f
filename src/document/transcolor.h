#pragma once

struct Tobs;

// A picture with TransAuto takes its transparent colour from its bottom-left pixel.
// The commands that change the picture or the flag (and the reader) set TransColor
// through this, so that drawing never changes the document. For a picture with a
// palette the colour is that of the pixel's palette entry. Nothing happens without
// TransAuto or without a picture.
void settleTransColor(Tobs& obj);
