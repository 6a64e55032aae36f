#pragma once

#include "codec/dibrecord.h"

class QPainter;

// Draws the source rectangle of a picture stretched into the destination rectangle.
// Source x counts from the picture's left edge, source y from its bottom edge. On
// screens 24- and 8-bit pictures are sampled row by row (nearest pixel); on
// printers the picture is drawn scaled onto the device without smoothing. Every
// device Qt paints on takes true colour, so there are no palettes to select and
// useOwnPalette changes nothing.
void DrawDib(QPainter& dc, int destX, int destY, int destW, int destH, const TDibRecord& picture,
             int srcX, int srcY, int srcW, int srcH, bool halftone = false,
             bool useOwnPalette = false);

// 2 to the power of the picture's bits per pixel.
int ColorCount(const TDibRecord& picture);
// Bits per pixel of the screen.
int ScreenBitsPerPixel();

// The steps of DrawDib on their own.

// Destination and source rectangle of one drawing.
struct DibRects {
    int destX = 0, destY = 0, destW = 0, destH = 0;
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    friend bool operator==(const DibRects&, const DibRects&) = default;
};

// Clips the source rectangle to a picture of pw x ph pixels and shrinks the
// destination in proportion (right, bottom, top, left edge in this order; halves
// rounded to even). Returns false when nothing is left to draw.
bool clipDibRects(DibRects& r, int pw, int ph);

enum class DibDrawWay {
    Halftone, // a copy reduced to the halftone palette, for screens of 256 colours
    Rows24,   // nearest-pixel rows of a 24-bit picture
    Rows8,    // nearest-pixel rows of an 8-bit picture
    Stretch,  // one scaled drawing of the whole source rectangle
};

// The way DrawDib draws this picture on this painter's device, for a screen of
// screenBits bits per pixel.
DibDrawWay dibDrawWay(const QPainter& dc, const TDibRecord& picture, bool halftone, int screenBits);

// DrawDib for a screen of the given depth instead of the real one.
void DrawDibForScreenDepth(QPainter& dc, int destX, int destY, int destW, int destH,
                           const TDibRecord& picture, int srcX, int srcY, int srcW, int srcH,
                           bool halftone, int screenBits);

// Row-by-row drawing with nearest-pixel sampling; srcB is the source's distance
// from the picture's top edge. Destination column i shows source column
// srcX + srcW * i div destW, destination row r source row srcB + srcH * r div destH
// (counted from the top); rows outside the picture are black (index 0 for 8 bits).
void DrawDibRows24(QPainter& dc, int destX, int destY, int destW, int destH,
                   const TDibRecord& picture, int srcX, int srcB, int srcW, int srcH);
void DrawDibRows8(QPainter& dc, int destX, int destY, int destW, int destH,
                  const TDibRecord& picture, int srcX, int srcB, int srcW, int srcH);
