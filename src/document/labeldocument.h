#pragma once

#include "codec/dibrecord.h"
#include "document/labelformat.h"
#include "document/outputstate.h"
#include "document/tobs.h"

#include <QSize>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <vector>

// The object table: slots 1..MaxObjs; the slot number is the stacking order
// (slot 1 at the bottom).
class ObjectTable {
public:
    static constexpr int MaxObjs = 10000;

    ObjectTable() : slots_(MaxObjs + 1) {}
    Tobs& operator[](int slot) { return slots_[checked(slot)]; }
    const Tobs& operator[](int slot) const { return slots_[checked(slot)]; }
    static bool isSlot(int slot) { return slot >= 1 && slot <= MaxObjs; }

    // The slots in use (kind not 0), in stacking order: a compact list made by one
    // pass over the table. The table stays the only record of what is in use;
    // whoever walks the objects many times (a print run, a paint of every object)
    // takes the list once and checks each slot's kind again when it uses it.
    std::vector<int> usedSlots() const;
    // The next slot in use after slot, going round from 10000 to 1; slot itself when
    // no other is in use, 0 when none is.
    int nextUsedSlot(int slot) const;

private:
    static size_t checked(int slot);
    std::vector<Tobs> slots_; // index 0 unused
};

// Background fitting modes; -1 means no background.
enum BackgroundMode : int32_t {
    BkgndNone = -1,
    BkgndStretch = 0,
    BkgndFitInside = 1,
    BkgndCover = 2,
    BkgndTiles = 3
};

// The one open document: sheet format, editor geometry, objects, selection,
// background and file name, plus the output switches used while drawing it.
class LabelDocument {
public:
    LabelDocument();

    TLabelFormat Format;
    int32_t WorkWidth = 0;
    int32_t WorkHeight = 0;
    double Zoom = 1.0;
    double UnitsPerPixel = StartUnitsPerPixel;
    ObjectTable Objs;
    int32_t SelObj = 0;
    int32_t BkgndMode = BkgndNone;
    TDibRecord BkgndPic;
    QString BkgndFile;
    QString CurFileName;
    OutputState Output;
    // Every change of the document is one step here; its clean state is the last save.
    QUndoStack Undo;

    // 20000 div the screen's pixels per inch, as an integer quotient.
    static constexpr double StartUnitsPerPixel = double(20000 / ScreenPixelsPerInch);

    // Document units to pixels for the current output: screen Trunc(v x Zoom / UnitsPerPixel),
    // device Trunc(v x OutputScale); formed in extended precision.
    int32_t ToPixels(int32_t units) const;
    // The same for vertical quantities: differs only while printing with a
    // calibration that stretches the axes apart (Output.OutputScaleY).
    int32_t ToPixelsY(int32_t units) const;
    // Pixels to document units, always by the screen rule.
    int32_t FromPixels(int32_t pixels) const;

    // Work area from the label size (three labels by three labels).
    void computeWorkArea();
    // Size of the editor's paint box in screen pixels.
    QSize paintBoxSize() const;

    // Empties every slot (shadow offsets back to 5), the selection, the
    // background and the file name.
    void clearall();
    // Deletes the object in a slot: kind 0, picture released, selection cleared
    // (one step "Löschen").
    void releaseSlot(int slot);
    // Lowest free slot, 0 when all are in use.
    int firstFreeSlot() const;
    bool anyObjectInUse() const;
    // "Nach vorne" / "Nach hinten": swaps the selected record with slot 10000 / 1, one
    // step each.
    void bringToFront();
    void sendToBack();
};

// Window caption for a document file name (empty: unnamed).
QString windowCaption(const QString& curFileName);
// Trunc toward zero of a long double into int32, saturating and mapping NaN to 0.
int32_t truncToInt32(long double v);
