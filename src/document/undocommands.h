#pragma once

#include "document/labeldocument.h"

#include <QUndoCommand>

#include <vector>

// The steps of the undo stack. Each keeps only what it changed: the slot records it
// touched and the header values it replaced; pictures stay shared with the records
// (implicitly shared images), never copied.

// The same object: every field the label file holds, the same picture and the same
// font object.
bool sameRecord(const Tobs& a, const Tobs& b);

// One slot as a step found it and left it.
struct SlotChange {
    int slot = 0;
    Tobs before;
    Tobs after;
};

// Steps that merge with the step before them (QUndoCommand::id); -1 never merges.
enum StepMerge : int { NoMerge = -1, MergeNudge = 1 };

// The generic step: these slot records change from their old to their new values,
// and the selection with them. Steps of the same merge id and run on the same slots
// merge into one (the stack never merges into the step of the last save); a new run
// starts a new step even where the last one would fit.
class SlotRecordsCommand : public QUndoCommand {
public:
    SlotRecordsCommand(LabelDocument& doc, const QString& name, std::vector<SlotChange> changes,
                       int selBefore, int selAfter, int mergeId = NoMerge, uint64_t mergeRun = 0);

    void undo() override;
    void redo() override;
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override;

    const std::vector<SlotChange>& changes() const { return changes_; }
    // True when no record differs (a merge can lead back to where it began).
    virtual bool changesNothing() const;

protected:
    LabelDocument& doc_;

private:
    std::vector<SlotChange> changes_;
    int selBefore_;
    int selAfter_;
    int mergeId_;
    uint64_t mergeRun_;
};

// The document values outside the object table that a step can change.
struct DocumentHeader {
    TLabelFormat Format;
    int32_t WorkWidth = 0;
    int32_t WorkHeight = 0;
    int32_t BkgndMode = BkgndNone;
    TDibRecord BkgndPic;
    QString BkgndFile;

    static DocumentHeader of(const LabelDocument& doc);
    void applyTo(LabelDocument& doc) const;
    bool operator==(const DocumentHeader& other) const;
};

// A step of the whole document (background, sheet format, a taken-over design): the
// header values and the slots that differ.
class DocumentStateCommand : public SlotRecordsCommand {
public:
    DocumentStateCommand(LabelDocument& doc, const QString& name, std::vector<SlotChange> changes,
                         int selBefore, int selAfter, DocumentHeader before, DocumentHeader after);
    void undo() override;
    void redo() override;
    bool changesNothing() const override;

private:
    DocumentHeader before_;
    DocumentHeader after_;
};
