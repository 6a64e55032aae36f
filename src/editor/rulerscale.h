#pragma once

#include <QList>

class QImage;

// One tick of a millimetre ruler.
struct RulerTick {
    enum Kind { Full, Long, Short };
    int pos = 0; // pixel along the ruler
    Kind kind = Short;
    int value = 0; // millimetres from the label's edge (shown at Full ticks)
};

// The scale of one ruler. span: pixels that carry the scale (the ruler's length
// less its corner); scroll: the pane's scroll position; labelPixels: the label's
// size on screen (a third of the paint box); labelMm: the label's size in mm;
// base: pixel of the ruler where the pane starts; skipNegative: leave out ticks
// left of the pane. A label narrower than 3 pixels or a ruler shorter than one
// 50-pixel interval has no ticks.
QList<RulerTick> rulerTicks(int span, int scroll, int labelPixels, double labelMm, int base,
                            bool skipNegative);

// The millimetres between two numbers for the millimetres per 50 pixels.
double rulerStep(double mmPer50Pixels);

// Draws the top ruler (length R, height Hr = image size) with its corner box, and
// the left ruler (width Wr, length Hr = image size).
void paintTopRuler(QImage& image, int scrollX, int paintBoxWidth, double labelWidthMm);
void paintLeftRuler(QImage& image, int scrollY, int paintBoxHeight, double labelHeightMm);
