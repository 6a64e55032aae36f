#include "render/dibdraw.h"

#include <QPainter>

// Interim: a plain scaled draw of the whole picture.
void DrawDib(QPainter& dc, int destX, int destY, int destW, int destH, const TDibRecord& picture,
             int srcX, int srcY, int srcW, int srcH, bool, bool) {
    if (!picture.hasPicture() || destW <= 0 || destH <= 0 || srcW <= 0 || srcH <= 0)
        return;
    const int top = picture.height() - srcY - srcH;
    dc.drawImage(QRect(destX, destY, destW, destH), picture.Image, QRect(srcX, top, srcW, srcH));
}

int ColorCount(const TDibRecord& picture) {
    return 1 << picture.BitsPerPixel;
}

int ScreenBitsPerPixel() {
    return 32;
}
