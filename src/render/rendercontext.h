#pragma once

#include <QColor>
#include <QRectF>

class LabelDocument;
struct MergeRecord;
class QPainter;
class RenderRun;

// What the parts of one DrawVCart call share: the canvas, the document, the call's
// parameters, what the canvas can show, and the pen and brush colours that a figure
// leaves for the next one.
struct RenderContext {
    RenderContext(QPainter& canvas, LabelDocument& document) : canvas(canvas), document(document) {}

    QPainter& canvas;
    LabelDocument& document;
    int OffsetX = 0;
    int OffsetY = 0;
    double Scale = 0.0;
    int Number = 0;
    // The data row the label is drawn with; null without a data source.
    const MergeRecord* Record = nullptr;
    // The editor's work area rather than an output: marks that only the editor shows.
    bool editorView = false;
    // The part of the canvas (in painter coordinates) that can receive pixels; objects
    // wholly outside it are not drawn at all.
    QRectF visible;
    // True when the device works in pixels (bitmaps, widgets); false for vector
    // devices such as PDF, where lengths are not snapped to pixels.
    bool pixelDevice = true;
    // True when the raster engine draws and painter coordinates are device pixels
    // moved by whole pixels, so small figures can be stamped from pixels drawn once.
    bool stampable = false;
    // Pen and brush colours as the figures leave them (white pen at the start).
    QColor penColor;
    QColor brushColor;
    // What the labels of a run share (null outside a run).
    RenderRun* run = nullptr;

    bool isVisible(const QRectF& r) const { return r.intersects(visible); }
};

// The part of the canvas the painter can reach, in painter coordinates: the clip's
// bounding rectangle, and for bitmaps, widgets and printers also the device's own size.
QRectF visibleArea(const QPainter& canvas);
// True for devices drawn pixel by pixel (anything but vector output such as PDF).
bool isPixelDevice(const QPainter& canvas);
// True when the canvas is drawn by the raster engine, its coordinates shifted from the
// device's pixels by whole pixels only.
bool isWholePixelRaster(const QPainter& canvas);
