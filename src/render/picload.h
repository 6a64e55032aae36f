#pragma once

#include "codec/dibrecord.h"

#include <QImage>
#include <QString>

#include <functional>

// Progress of a long picture operation, 0..100.
using ProgressFn = std::function<void(int)>;

// A name without a folder part is taken relative to the program folder.
QString resolvePictureName(const QString& name);

// Loads a picture file into rec (the previous picture released). On failure rec
// holds a blank 320 x 200 picture of 24 bits per pixel and the result is false.
bool LoadDIBit(TDibRecord& rec, const QString& name);

// Quarter turns of the picture itself. Palette pictures keep their indices and
// colour table. Progress is 0 before and after, and once per source row y it is
// y * 100 div (height - 1) (100 for a picture one row high). Without room for the
// turned picture the record keeps the unturned one.
void RotRight(TDibRecord& rec, const ProgressFn& progress = {});
void RotLeft(TDibRecord& rec, const ProgressFn& progress = {});
void Rot180(TDibRecord& rec, const ProgressFn& progress = {});
// Applies a stored rotation (1 right, 2 half turn, 3 left; other values nothing).
void applyRotation(TDibRecord& rec, int rotation, const ProgressFn& progress = {});

// Loads a picture for a preview (the codecs first, then Qt's own readers); a white
// 100 x 100 bitmap and false when nothing could be read.
bool LoadBit(QImage& bitmap, const QString& name);
