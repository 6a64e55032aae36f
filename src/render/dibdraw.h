#pragma once

#include "codec/dibrecord.h"

class QPainter;

// Draws the source rectangle of a picture stretched into the destination rectangle.
// Source x counts from the picture's left edge, source y from its bottom edge. On
// screens 24- and 8-bit pictures are sampled row by row (nearest pixel); on
// printers the picture is drawn scaled onto the device without smoothing.
void DrawDib(QPainter& dc, int destX, int destY, int destW, int destH, const TDibRecord& picture,
             int srcX, int srcY, int srcW, int srcH, bool halftone = false,
             bool useOwnPalette = false);

// 2 to the power of the picture's bits per pixel.
int ColorCount(const TDibRecord& picture);
// Bits per pixel of the screen.
int ScreenBitsPerPixel();
