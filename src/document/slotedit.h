#pragma once

#include "document/undocommands.h"

#include <map>

// Builds one step of a user action on a few slots: the action changes working
// copies of the slots, and commit() puts the step on the document's undo stack,
// which writes the copies into the table.
class SlotEdit {
public:
    explicit SlotEdit(LabelDocument& doc);

    // The working copy of a slot, taken from the table on first use.
    Tobs& slot(int slot);
    // The working copy of the selected slot if it holds an object of one of the kinds
    // (bits 1 << Kind); null otherwise.
    Tobs* selected(unsigned kinds);
    // The selection after the step.
    void select(int slot) { selAfter_ = slot; }

    // Pushes the step when a record or the selection differs; true when it changed
    // a record. Steps of one merge id and run merge (see SlotRecordsCommand).
    bool commit(const QString& name, int mergeId = NoMerge, uint64_t mergeRun = 0);

private:
    LabelDocument& doc_;
    std::map<int, Tobs> copies_;
    int selAfter_;
};

// Records a change made on the document itself (a dialog that writes at once, a
// document reset with a new design): the state is noted at the start, and commit()
// makes one step of what differs. Only slots in use are noted, so the cost follows
// the objects, not the table.
class DocumentRecorder {
public:
    explicit DocumentRecorder(LabelDocument& doc);
    // True when a step was pushed.
    bool commit(const QString& name);

private:
    LabelDocument& doc_;
    DocumentHeader header_;
    std::map<int, Tobs> used_;
    int sel_;
};
