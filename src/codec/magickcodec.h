#pragma once

#include "codec/dibrecord.h"

#include <QByteArray>
#include <QSize>
#include <QString>

// The picture formats that GraphicsMagick reads and writes for us.

// Sets GraphicsMagick up once per process (resource limits, no network, no
// helper programs); safe to call from any thread.
void initMagick();

// Decodes a picture file's bytes. The format is taken from the content, and from
// the file name's extension for formats that carry no signature. Only raster
// file formats are accepted. Returns false (out without picture) on any failure.
// A non-empty sizeHint lets formats that can (JPEG) decode at a reduced scale that
// is still at least that large.
bool magickDecode(const QByteArray& data, const QString& fileName, TDibRecord& out,
                  QSize sizeHint = {});

enum class MagickTarget { Bmp, BmpRle8, Gif, Jpeg, Pcx, Tga, Tiff };

// Encodes the picture; an empty result means failure.
QByteArray magickEncode(const TDibRecord& picture, MagickTarget target, int jpegQuality);

// The picture reduced to the colours of `palette` (at most 256 entries) with
// error diffusion; an 8-bit picture with that colour table.
bool magickDither(const TDibRecord& picture, const QList<QRgb>& palette, TDibRecord& out);
