#include "document/undocommands.h"

#include <utility>

bool sameRecord(const Tobs& a, const Tobs& b) {
    return a.X == b.X && a.Y == b.Y && a.Width == b.Width && a.Height == b.Height &&
           a.KeepAspect == b.KeepAspect && a.Rotation == b.Rotation && a.TextAlign == b.TextAlign &&
           a.Kind == b.Kind && a.TransColor == b.TransColor && a.OutlineColor == b.OutlineColor &&
           a.ShadowColor == b.ShadowColor && a.Color == b.Color && a.TransAuto == b.TransAuto &&
           a.Transparent == b.Transparent && a.Shadow == b.Shadow && a.Outline == b.Outline &&
           a.ShadowDX == b.ShadowDX && a.ShadowDY == b.ShadowDY && a.Shape == b.Shape &&
           a.Text == b.Text && a.Picture.Image.cacheKey() == b.Picture.Image.cacheKey() &&
           a.Picture.BitsPerPixel == b.Picture.BitsPerPixel && a.FontRef == b.FontRef &&
           a.FontColor == b.FontColor && a.FontHeight == b.FontHeight && a.FontName == b.FontName &&
           a.FontPitch == b.FontPitch && a.FontSize == b.FontSize && a.FontStyle == b.FontStyle;
}

SlotRecordsCommand::SlotRecordsCommand(LabelDocument& doc, const QString& name,
                                       std::vector<SlotChange> changes, int selBefore, int selAfter,
                                       int mergeId, uint64_t mergeRun)
    : doc_(doc), changes_(std::move(changes)), selBefore_(selBefore), selAfter_(selAfter),
      mergeId_(mergeId), mergeRun_(mergeRun) {
    setText(name);
}

void SlotRecordsCommand::undo() {
    // Backwards, so that a step touching a slot twice would still end where it began.
    for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
        doc_.Objs[it->slot] = it->before;
    doc_.SelObj = selBefore_;
}

void SlotRecordsCommand::redo() {
    for (const SlotChange& c : changes_)
        doc_.Objs[c.slot] = c.after;
    doc_.SelObj = selAfter_;
}

bool SlotRecordsCommand::changesNothing() const {
    for (const SlotChange& c : changes_) {
        if (!sameRecord(c.before, c.after))
            return false;
    }
    return true;
}

bool SlotRecordsCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const SlotRecordsCommand*>(other);
    if (!next || next->id() != id() || next->mergeRun_ != mergeRun_ ||
        next->changes_.size() != changes_.size())
        return false;
    for (size_t i = 0; i < changes_.size(); ++i) {
        if (changes_[i].slot != next->changes_[i].slot)
            return false;
    }
    for (size_t i = 0; i < changes_.size(); ++i)
        changes_[i].after = next->changes_[i].after;
    selAfter_ = next->selAfter_;
    setObsolete(changesNothing());
    return true;
}

DocumentHeader DocumentHeader::of(const LabelDocument& doc) {
    DocumentHeader h;
    h.Format = doc.Format;
    h.WorkWidth = doc.WorkWidth;
    h.WorkHeight = doc.WorkHeight;
    h.BkgndMode = doc.BkgndMode;
    h.BkgndPic = doc.BkgndPic;
    h.BkgndFile = doc.BkgndFile;
    return h;
}

void DocumentHeader::applyTo(LabelDocument& doc) const {
    doc.Format = Format;
    doc.WorkWidth = WorkWidth;
    doc.WorkHeight = WorkHeight;
    doc.BkgndMode = BkgndMode;
    doc.BkgndPic = BkgndPic;
    doc.BkgndFile = BkgndFile;
}

bool DocumentHeader::operator==(const DocumentHeader& o) const {
    return Format == o.Format && WorkWidth == o.WorkWidth && WorkHeight == o.WorkHeight &&
           BkgndMode == o.BkgndMode && BkgndPic.Image.cacheKey() == o.BkgndPic.Image.cacheKey() &&
           BkgndFile == o.BkgndFile;
}

DocumentStateCommand::DocumentStateCommand(LabelDocument& doc, const QString& name,
                                           std::vector<SlotChange> changes, int selBefore,
                                           int selAfter, DocumentHeader before,
                                           DocumentHeader after)
    : SlotRecordsCommand(doc, name, std::move(changes), selBefore, selAfter),
      before_(std::move(before)), after_(std::move(after)) {}

void DocumentStateCommand::undo() {
    SlotRecordsCommand::undo();
    before_.applyTo(doc_);
}

void DocumentStateCommand::redo() {
    SlotRecordsCommand::redo();
    after_.applyTo(doc_);
}

bool DocumentStateCommand::changesNothing() const {
    return before_ == after_ && SlotRecordsCommand::changesNothing();
}
