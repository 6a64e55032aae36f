#pragma once

#include <QRect>

#include <cstdint>

class LabelDocument;
struct Tobs;

// Pixel geometry of the renderer: the label's rectangle on the canvas, the boxes of
// objects and the millimetre lengths (line widths, shadow offsets, character
// heights). Everything here is integer arithmetic on 64 bits or truncation toward
// zero, so no value overflows or divides by zero, whatever the document holds.

// Logical pixels per inch of the screen (horizontal) and of the font dialog's
// fonts; both are the fixed 96 of the platform.
inline constexpr int RenderLPX = 96;
inline constexpr int RenderPPI = 96;
// Upper bounds that only unusable documents reach: font character height in
// pixels and the text outline's thickness.
inline constexpr int MaxCharHeight = 32767;
inline constexpr int MaxOutlineThickness = 100;

// A rectangle given by its sides; Right and Bottom lie just outside, as with the
// platform's clip regions.
struct LabelRect {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;

    // The pixels Left..Right-1 by Top..Bottom-1, limited to a range that painters
    // handle safely.
    QRect toQRect() const;
};

// The label's rectangle: in the editor the middle third of the work area, in output
// the rectangle of AreaWidth x AreaHeight pixels whose corner the offsets place.
LabelRect computeLabelRect(int AreaWidth, int AreaHeight, int OffsetX, int OffsetY,
                           bool EditorView);

// An object's box on the canvas: X0 = ToPixels(X), x = X0 - OffsetX, and so on.
struct ObjectBox {
    int64_t X0 = 0;
    int64_t Y0 = 0;
    int64_t x = 0;
    int64_t y = 0;
    int64_t w = 0;
    int64_t h = 0;
    int64_t d() const { return w < h ? w : h; }
};
ObjectBox objectBox(const LabelDocument& document, const Tobs& object, int OffsetX, int OffsetY);

// Figure pen width: LineWidth x 0.2 mm in pixels, truncated, at least 1.
int figureLineWidth(int32_t lineWidth, double mmPerInchX, double Scale);
// Text outline thickness: 0.2 mm in pixels, truncated, at least 1 (and at most
// MaxOutlineThickness).
int outlineThickness(double mmPerInchX, double Scale);
// Shadow offsets (0.1 mm steps) in pixels, not truncated.
double shadowOffset(int32_t tenthsMm, double mmPerInch, double Scale);
// Character height of a font of FontSize points: 20000 / LPX x FontSize x Scale x PPI
// / LPX, truncated; at most MaxCharHeight.
int charHeight(int32_t fontSize, double Scale);

// Truncation toward zero into int64, saturating; NaN gives 0.
int64_t truncSat(long double v);
// Narrowing to int, saturating.
int clampInt(int64_t v);
