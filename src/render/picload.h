#pragma once

#include "codec/dibrecord.h"

#include <QImage>
#include <QString>

#include <functional>

// Progress of a long picture operation, 0..100.
using ProgressFn = std::function<void(int)>;

// A name without a folder part is taken relative to the program folder.
QString resolvePictureName(const QString& name);

// Loads a picture file into rec (the previous picture released) through the
// program's picture store, so that every record naming the file shares one decoded
// picture. On failure rec holds the white 320 x 200 stand-in of 24 bits per pixel
// and the result is false.
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

// Loads a picture for a preview with the same loader as LoadDIBit; a white
// 100 x 100 bitmap and false when nothing could be read.
bool LoadBit(QImage& bitmap, const QString& name);

// A picture for a preview area: decoded at a reduced scale where the format allows
// it and shrunk to fit the area (aspect kept); the whole picture for an empty area.
// Null when the file cannot be read. Safe to call from any thread.
QImage previewPicture(const QString& name, QSize area = {});
