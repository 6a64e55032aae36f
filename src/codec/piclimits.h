#pragma once

#include <QtGlobal>

// The largest picture that is read or created: a small file must not be able to
// claim gigabytes of memory.
inline constexpr int MaxPictureSide = 30000;
inline constexpr qint64 MaxPicturePixels = 100LL * 1000 * 1000;

inline bool pictureSizeAllowed(qint64 width, qint64 height) {
    return width >= 1 && height >= 1 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}
