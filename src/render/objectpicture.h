#pragma once

#include <QImage>

class LabelDocument;
struct Tobs;

// An object drawn alone at 96 pixels per inch on white, the size of its box (at
// least one pixel, at most MaxObjectPictureSide pixels a side, scaled down to fit),
// for other programs to paste.
inline constexpr int MaxObjectPictureSide = 4096;
QImage objectPicture(const LabelDocument& doc, const Tobs& obj, int number);

// The box of a new text object that holds the text at its font: document units,
// widest line by the lines' height.
QSize textObjectExtent(const Tobs& text);
