#include "document/slotedit.h"

SlotEdit::SlotEdit(LabelDocument& doc) : doc_(doc), selAfter_(doc.SelObj) {}

Tobs& SlotEdit::slot(int slot) {
    auto it = copies_.find(slot);
    if (it == copies_.end())
        it = copies_.emplace(slot, doc_.Objs[slot]).first;
    return it->second;
}

Tobs* SlotEdit::selected(unsigned kinds) {
    if (!ObjectTable::isSlot(doc_.SelObj))
        return nullptr;
    Tobs& o = slot(doc_.SelObj);
    if (o.Kind < KindFigure || o.Kind > KindCode || !(kinds & (1u << o.Kind)))
        return nullptr;
    return &o;
}

bool SlotEdit::commit(const QString& name, int mergeId, uint64_t mergeRun) {
    std::vector<SlotChange> changes;
    for (auto& [slot, copy] : copies_) {
        const Tobs& now = doc_.Objs[slot];
        if (!sameRecord(now, copy))
            changes.push_back({slot, now, std::move(copy)});
    }
    copies_.clear();
    if (changes.empty()) {
        // A selection alone is no change of the document.
        doc_.SelObj = selAfter_;
        return false;
    }
    doc_.Undo.push(new SlotRecordsCommand(doc_, name, std::move(changes), doc_.SelObj, selAfter_,
                                          mergeId, mergeRun));
    return true;
}

DocumentRecorder::DocumentRecorder(LabelDocument& doc)
    : doc_(doc), header_(DocumentHeader::of(doc)), sel_(doc.SelObj) {
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        if (doc.Objs[i].Kind != KindFree)
            used_.emplace(i, doc.Objs[i]);
    }
}

bool DocumentRecorder::commit(const QString& name) {
    std::vector<SlotChange> changes;
    // A slot free at both ends holds nothing that a file or a drawing would show.
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        const Tobs& now = doc_.Objs[i];
        const auto before = used_.find(i);
        if (before == used_.end()) {
            if (now.Kind != KindFree)
                changes.push_back({i, Tobs(), now});
        } else if (!sameRecord(before->second, now)) {
            changes.push_back({i, before->second, now});
        }
    }
    DocumentHeader after = DocumentHeader::of(doc_);
    if (changes.empty() && after == header_ && sel_ == doc_.SelObj)
        return false;
    // The document already holds the new state; pushing applies it once more.
    doc_.Undo.push(new DocumentStateCommand(doc_, name, std::move(changes), sel_, doc_.SelObj,
                                            std::move(header_), std::move(after)));
    return true;
}
