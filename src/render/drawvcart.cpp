#include "render/drawvcart.h"

#include <QPainter>

// Interim: holds the re-entrancy flag; the drawing itself follows.
void DrawVCart(QPainter&, LabelDocument& document, int, int, int, int, double, bool, int) {
    RenderBusyGuard busy(document.Output);
}
