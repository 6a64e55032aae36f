#pragma once

#include <cstdint>

struct ObjectBox;
struct RenderContext;
struct Tobs;

// Size of a picture in its box: the box itself, or with KeepAspect the largest size
// of the picture's aspect ratio that fits, kept at the box's top-left corner.
struct PictureSize {
    int64_t w = 0;
    int64_t h = 0;
};
PictureSize fittedPictureSize(int64_t boxW, int64_t boxH, int pictureW, int pictureH,
                              bool keepAspect);

// The value of a picture object's transparent pixels for one drawing: with TransAuto
// the bottom-left pixel; otherwise TransColor, for palette pictures turned into the
// index of the first palette entry of that colour (TransColor itself when there is
// none). Drawing leaves the object as it is.
int32_t transparentValue(const Tobs& object);

// Draws a picture (Kind 3) through DrawDib; transparent pictures on the screen as a
// copy composed with what the canvas shows, on devices pixel by pixel, transparent
// pixels left untouched.
void drawPicture(RenderContext& rc, Tobs& object, const ObjectBox& box);
