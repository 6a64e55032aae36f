#pragma once

#include <QImage>
#include <QSize>

class LabelDocument;
struct Tobs;

// An object drawn alone by the label renderer, scaled to fit a preview area of the
// given size and centred in it, on white; an object too large to show its line width
// that way is shown larger, from its top-left corner. The line width keeps its
// proportion to the object's size. scratch is a document of the caller's that the drawing uses (its
// table is overwritten), so a dialog that draws often makes it only once.
QImage objectPreview(LabelDocument& scratch, const Tobs& obj, QSize area);
