#pragma once

#include "document/labelformat.h"

#include <QSize>
#include <QString>

class QTextStream;

// Label thumbnails for file managers: the label drawn as the picture export draws
// it, at the scale that makes its longer side the requested number of pixels,
// saved as PNG.

inline constexpr int DefaultThumbnailSize = 256;
inline constexpr int MaxThumbnailSize = 1024;
// A job that takes longer ends without a thumbnail.
inline constexpr int ThumbnailSeconds = 5;

// The thumbnail's size for a label: the longer side is longest pixels, the other
// in proportion (at least 1). Empty for a label without a size.
QSize thumbnailPictureSize(const TLabelFormat& format, int longest);

// Writes the thumbnail of a label file; number replaces "%%NUMMER%%". A file that
// cannot be read completely writes nothing. Messages go to err. 0 success, 1 failure.
int writeLabelThumbnail(const QString& labelFile, const QString& output, int longest, int number,
                        QTextStream& err);
