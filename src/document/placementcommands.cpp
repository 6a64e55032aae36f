#include "document/placementcommands.h"

#include "document/propertycommands.h"
#include "document/slotedit.h"

namespace {
// A nudge stopped at a limit counts from there: the way back starts at once.
int32_t nudged(int32_t& start, int64_t& steps, int64_t low, int64_t high) {
    const int32_t free = nudgedCoordinate(start, steps, INT32_MIN, INT32_MAX);
    const int32_t kept = nudgedCoordinate(start, steps, low, high);
    if (kept != free) {
        start = kept;
        steps = 0;
    }
    return kept;
}
} // namespace

bool placeSelected(LabelDocument& doc, const PlacementChange& change) {
    if (change.empty())
        return false;
    SlotEdit edit(doc);
    Tobs* o = edit.selected(AnyKinds);
    if (!o)
        return false;
    applyPlacement(*o, doc.Format, change);
    return edit.commit(QStringLiteral("Position und Größe"));
}

bool alignSelected(LabelDocument& doc, LabelAlign align) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(AnyKinds);
    if (!o)
        return false;
    const UnitPoint p = alignedPosition(*o, doc.Format, align);
    o->X = p.x;
    o->Y = p.y;
    return edit.commit(QStringLiteral("Ausrichten"));
}

bool NudgeSession::continues(const LabelDocument& doc) const {
    if (!active_ || doc.SelObj != slot_ || !ObjectTable::isSlot(slot_))
        return false;
    // Our step must still be the last one done, and not the saved one.
    const QUndoStack& undo = doc.Undo;
    if (index_ < 1 || undo.index() != index_ || undo.count() != index_ || undo.isClean() ||
        undo.command(index_ - 1) != step_)
        return false;
    const Tobs& o = doc.Objs[slot_];
    return o.X == lastX_ && o.Y == lastY_;
}

bool NudgeSession::nudge(LabelDocument& doc, int halfMmRight, int halfMmDown) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(AnyKinds);
    if (!o)
        return false;
    if (!continues(doc)) {
        ++run_;
        active_ = true;
        slot_ = doc.SelObj;
        startX_ = o->X;
        startY_ = o->Y;
        stepsX_ = stepsY_ = 0;
    }
    stepsX_ += halfMmRight;
    stepsY_ += halfMmDown;
    o->X = nudged(startX_, stepsX_, -int64_t(o->Width), int64_t(doc.WorkWidth) - 1);
    o->Y = nudged(startY_, stepsY_, -int64_t(o->Height), int64_t(doc.WorkHeight) - 1);
    const bool changed = edit.commit(QStringLiteral("Verschieben"), MergeNudge, run_);
    index_ = doc.Undo.index();
    step_ = index_ > 0 ? doc.Undo.command(index_ - 1) : nullptr;
    lastX_ = doc.Objs[slot_].X;
    lastY_ = doc.Objs[slot_].Y;
    return changed;
}
