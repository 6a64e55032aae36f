#include "document/labeldocument.h"

#include "document/slotedit.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

size_t ObjectTable::checked(int slot) {
    if (!isSlot(slot))
        throw std::out_of_range("object slot out of range");
    return size_t(slot);
}

std::vector<int> ObjectTable::usedSlots() const {
    std::vector<int> used;
    for (int i = 1; i <= MaxObjs; ++i) {
        if (slots_[size_t(i)].Kind != KindFree)
            used.push_back(i);
    }
    return used;
}

int ObjectTable::nextUsedSlot(int slot) const {
    const int start = isSlot(slot) ? slot : MaxObjs;
    int i = start;
    do {
        i = i == MaxObjs ? 1 : i + 1;
        if (slots_[size_t(i)].Kind != KindFree)
            return i;
    } while (i != start);
    return 0;
}

LabelDocument::LabelDocument() {
    computeWorkArea();
}

int32_t truncToInt32(long double v) {
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0L)
        return 2147483647;
    if (v <= -2147483648.0L)
        return -2147483647 - 1;
    return int32_t(v);
}

int32_t LabelDocument::ToPixels(int32_t units) const {
    if (Output.OutputMode == 1)
        return truncToInt32((long double)units * (long double)Output.OutputScale);
    return truncToInt32((long double)units * (long double)Zoom / (long double)UnitsPerPixel);
}

int32_t LabelDocument::ToPixelsY(int32_t units) const {
    if (Output.OutputMode == 1 && Output.OutputScaleY != 0.0)
        return truncToInt32((long double)units * (long double)Output.OutputScaleY);
    return ToPixels(units);
}

int32_t LabelDocument::FromPixels(int32_t pixels) const {
    return truncToInt32((long double)pixels / (long double)Zoom * (long double)UnitsPerPixel);
}

void LabelDocument::computeWorkArea() {
    WorkWidth = workWidthFor(Format);
    WorkHeight = workHeightFor(Format);
}

QSize LabelDocument::paintBoxSize() const {
    const long double s = (long double)Zoom / (long double)UnitsPerPixel;
    // A label of (nearly) no size keeps a paint box of one pixel each way.
    return QSize(std::max(1, truncToInt32(WorkWidth * s)),
                 std::max(1, truncToInt32(WorkHeight * s)));
}

void LabelDocument::clearall() {
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        Tobs& o = Objs[i];
        o.Kind = KindFree;
        deldib(o.Picture);
        o.ShadowDX = 5;
        o.ShadowDY = 5;
    }
    SelObj = 0;
    BkgndMode = BkgndNone;
    deldib(BkgndPic);
    BkgndFile.clear();
    CurFileName.clear();
}

void LabelDocument::releaseSlot(int slot) {
    SlotEdit edit(*this);
    Tobs& o = edit.slot(slot);
    o.Kind = KindFree;
    deldib(o.Picture);
    edit.select(0);
    edit.commit(QStringLiteral("Löschen"));
}

int LabelDocument::firstFreeSlot() const {
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        if (Objs[i].Kind == KindFree)
            return i;
    }
    return 0;
}

bool LabelDocument::anyObjectInUse() const {
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        if (Objs[i].Kind > 0)
            return true;
    }
    return false;
}

namespace {
void swapSelectedWith(LabelDocument& doc, int slot, const QString& name) {
    if (!ObjectTable::isSlot(doc.SelObj))
        return;
    SlotEdit edit(doc);
    std::swap(edit.slot(doc.SelObj), edit.slot(slot));
    edit.select(slot);
    edit.commit(name);
}
} // namespace

void LabelDocument::bringToFront() {
    swapSelectedWith(*this, ObjectTable::MaxObjs, QStringLiteral("Nach vorne"));
}

void LabelDocument::sendToBack() {
    swapSelectedWith(*this, 1, QStringLiteral("Nach hinten"));
}

QString windowCaption(const QString& curFileName) {
    const QString name =
        curFileName.isEmpty() ? QStringLiteral("NONAME01") : QFileInfo(curFileName).fileName();
    return QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - ") + name;
}
