#pragma once

#include "codec/dibrecord.h"

#include <QSize>
#include <QString>
#include <QStringList>

// Reading and writing picture files.

// Reads any readable format. Success exactly when out holds a picture afterwards.
// With a size hint, formats that can (JPEG) decode at a reduced scale that is still
// at least that large, as a preview needs.
bool OpenDib(TDibRecord& out, const QString& fileName, QSize sizeHint = {});

// Format codes: BMP 3, DIB 4, GIF 5, IFF 6, JIF 7, JPG 8, LBM 9, PCX 10, RLE 11, TGA 12, TIF 13,
// PNG 14 (the 1-based index of the save filter entry + 2). Returns 1 on success, anything
// else on failure; a failed write leaves no half-written file behind.
int SaveDib(const TDibRecord& picture, const QString& fileName, int formatCode);

// File-dialog filters: pairs of description and masks ("*.a;*.b"), all separated by
// '|'. The save filter lists the formats in the order of their codes.
QString GetDIBOpenFilter();
QString GetDIBSaveFilter();
// The same as Qt name filters ("Beschreibung (*.a *.b)"), entry by entry.
QStringList filterToNameFilters(const QString& pipeFilter);

// The file-name extension of a save format code ("bmp" for 3 ...), empty for others.
QString saveFormatExtension(int formatCode);

// Quality 1..99 of later JPEG writes.
void SetJPEGQual(int quality);
int JPEGQual();

// Copies reduced to a fixed palette of at most 256 colours (with error diffusion),
// for screens of 256 colours or fewer.
bool DIBHalftoneDIB(TDibRecord& out, const TDibRecord& picture);
bool DIBHalftoneDIBXY(TDibRecord& out, const TDibRecord& picture, int width, int height);
