#pragma once

// The magnifier's steps. UnitsPerPixel carries the magnification; the limit is
// tested before the step, so the value may pass it once.
inline double zoomInStep(double unitsPerPixel) {
    return unitsPerPixel > 50 ? unitsPerPixel / 1.5 : unitsPerPixel;
}
inline double zoomOutStep(double unitsPerPixel) {
    return unitsPerPixel < 1000 ? unitsPerPixel * 1.5 : unitsPerPixel;
}

// A wanted scroll position raised to 0 and lowered to range - 1 (range: the
// scrolled content's size); the scroll bar itself limits it further.
inline int clampScroll(long long wanted, int range) {
    if (wanted > range - 1)
        wanted = range - 1;
    if (wanted < 0)
        wanted = 0;
    return int(wanted);
}
