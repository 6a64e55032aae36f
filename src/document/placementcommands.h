#pragma once

#include "document/labeldocument.h"
#include "document/placement.h"

#include <cstdint>

class QUndoCommand;

// The commands that place the selected object exactly. Each is one step on the
// document's undo stack and says whether it changed something.

// "Position und Größe": the fields given, in millimetres from the label's corner.
bool placeSelected(LabelDocument& doc, const PlacementChange& change);
// "Auf dem Etikett ausrichten".
bool alignSelected(LabelDocument& doc, LabelAlign align);

// Moving the selected object with the keyboard. The nudges of one object are one
// step, and each target is computed from where the nudging began, so that ten
// half millimetres are exactly five. Another step, a save or end() (the editor calls
// it when the selection changes) makes the next nudge begin anew.
class NudgeSession {
public:
    // Steps of half a millimetre, right and down positive. The top-left corner stays
    // inside the work area and the right and bottom edges right of and below its
    // left and top edge.
    bool nudge(LabelDocument& doc, int halfMmRight, int halfMmDown);
    void end() { active_ = false; }

private:
    bool continues(const LabelDocument& doc) const;

    bool active_ = false;
    uint64_t run_ = 0;
    int slot_ = 0;
    int32_t startX_ = 0, startY_ = 0;
    int64_t stepsX_ = 0, stepsY_ = 0;
    int32_t lastX_ = 0, lastY_ = 0;
    int index_ = -1;
    const QUndoCommand* step_ = nullptr;
};
