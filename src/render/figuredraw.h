#pragma once

struct ObjectBox;
struct RenderContext;
struct Tobs;

// Draws a figure (Kind 1): colours by FillMode, the pen width from LineWidth, and
// the shape in its box. Closed shapes cover the pixels of their box without its
// right column and bottom row, as the platform's rectangles and ellipses do; lines
// leave out their last point.
void drawFigure(RenderContext& rc, const Tobs& object, const ObjectBox& box);
