#pragma once

#include "document/labeldocument.h"
#include "document/snapgrid.h"

#include <QRect>
#include <QSize>

#include <cstdint>

class QPainter;

// Which part of the selected object the mouse grabbed, and where.
// DragMode: 0 none, 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right,
// 5 top middle, 6 bottom middle, 7 left middle, 8 right middle, 9 inside (move).
struct DragState {
    int32_t DragMode = 0;
    int32_t GrabDX = 0; // press X minus the grabbed vertical edge's X
    int32_t GrabDY = 0; // press Y minus the grabbed horizontal edge's Y
};

// An object's box in paint-box pixels (64 bits, so x + w never overflows).
struct PixelBox {
    int64_t x = 0;
    int64_t y = 0;
    int64_t w = 0;
    int64_t h = 0;
};
PixelBox objectPixels(const LabelDocument& doc, const Tobs& obj);

// The topmost object whose box contains the point, edges included; 0 for none.
int hitTest(const LabelDocument& doc, int X, int Y);

// Hover test for the pointer tool: which zone of the selected object lies under
// the point. Sets the drag state and returns the cursor number (1..10).
int hoverZone(const LabelDocument& doc, DragState& state, int X, int Y);

// One drag step: the grabbed edges of the selected object follow the mouse.
// An edge pulled across the opposite one turns the grab into its mirror; the
// object never leaves the work area completely (paintBox is the work area in pixels).
// With a grid, the edges that follow the mouse snap to it: the left and top edge of
// a moved object, the dragged edges of a resize.
void dragit(LabelDocument& doc, DragState& state, int X, int Y, QSize paintBox,
            const SnapGrid& grid = SnapGrid());

// Marks of the selected object on a canvas whose origin lies at (dx, dy) of the
// paint box. mouseState 1 (dragging): only the frame, inverted, so drawing it
// twice restores the picture; otherwise the frame and eight 6 x 6 handles.
void markrec(QPainter& canvas, const LabelDocument& doc, int mouseState, int dx, int dy);

// The pixels that markrec touches, in canvas coordinates (empty when nothing is selected).
QRect markBounds(const LabelDocument& doc, int dx, int dy);
