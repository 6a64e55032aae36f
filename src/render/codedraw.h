#pragma once

struct ObjectBox;
struct RenderContext;
struct Tobs;

// Draws a code object (Kind 4) into its box. On a device every module is a whole
// number of device dots; in the editor (and the preview while it shows codes as
// printed) the code is laid out in dots of the printer of CodeDotsPerInch and drawn
// scaled. Data that cannot be encoded, or a box too small for one dot per module,
// draws a red cross over the box. Rotation turns the code by quarter turns; other
// values draw nothing.
void drawCode(RenderContext& rc, const Tobs& object, const ObjectBox& box);
