#pragma once

#include "document/labeldocument.h"

// Fills the label's top-left quarter with a black rectangle (the label takes the
// middle third of the start work area) and returns that object.
inline Tobs& addQuarterRectangle(LabelDocument& doc, int slot = 1) {
    Tobs& quarter = doc.Objs[slot];
    quarter.Kind = KindFigure;
    quarter.Shape = 3;
    quarter.X = doc.WorkWidth / 3;
    quarter.Y = doc.WorkHeight / 3;
    quarter.Width = doc.WorkWidth / 6;
    quarter.Height = doc.WorkHeight / 6;
    return quarter;
}
