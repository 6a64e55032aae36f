#pragma once

#include "codec/dibrecord.h"

#include <QFont>
#include <QString>

#include <cstdint>

enum ObjectKind : int32_t {
    KindFree = 0,
    KindFigure = 1,
    KindText = 2,
    KindPicture = 3,
    KindCode = 4
};

// The shapes of a figure, as its Shape stores them.
enum FigureShape : int32_t {
    ShapeCircle = 0,
    ShapeEllipse = 1,
    ShapeSquare = 2,
    ShapeRectangle = 3,
    ShapeRoundSquare = 4,
    ShapeRoundRect = 5,
    ShapeHorzLine = 6,
    ShapeVertLine = 7,
    ShapeRisingLine = 8,
    ShapeFallingLine = 9
};

// One label object: a figure, a text or a picture. A plain record; positions and
// sizes are document units (1/20000 inch) from the work area's top-left corner.
struct Tobs {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool KeepAspect = false;
    int32_t Rotation = 0;  // quarter turns clockwise, 0..3
    int32_t TextAlign = 0; // 0 left, 1 centred, 2 right
    int32_t Kind = KindFree;
    int32_t TransColor = 0; // picture: transparent colour; figure: line width in 0.2 mm (LineWidth)
    int32_t OutlineColor = 0; // 0x00BBGGRR
    int32_t ShadowColor = 0;  // text: shadow colour; figure: fill mode (FillMode)
    int32_t Color = 0;
    bool TransAuto = false;
    bool Transparent = false;
    bool Shadow = false;
    bool Outline = false;
    int32_t ShadowDX = 5; // 0.1 mm
    int32_t ShadowDY = 5;
    int32_t Shape = 0;
    QString Text; // lines separated by a single carriage return; or the picture's file name
    TDibRecord Picture;
    QFont FontRef; // the editor's font at creation; never stored
    int32_t FontColor = 0;
    int32_t FontHeight = 0;
    QString FontName;
    uint8_t FontPitch = 0;
    int32_t FontSize = 0;
    uint8_t FontStyle = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out

    // The two fields with two uses, under their figure names.
    int32_t& LineWidth() { return TransColor; }
    int32_t LineWidth() const { return TransColor; }
    int32_t& FillMode() { return ShadowColor; }
    int32_t FillMode() const { return ShadowColor; }
};
