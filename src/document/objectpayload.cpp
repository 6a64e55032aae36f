#include "document/objectpayload.h"

#include "document/labelfile.h"

#include <QBuffer>
#include <QPair>
#include <QSet>

#include <algorithm>

namespace ObjectPayload {

QByteArray encode(const Tobs& obj, const QString& labelFolder) {
    QByteArray bytes = objectRecordBytes(0, obj);
    QByteArray folder = labelFolder.toUtf8();
    const qsizetype zero = folder.indexOf('\0');
    if (zero >= 0)
        folder.truncate(zero);
    bytes.append(folder);
    bytes.append('\0');
    return bytes;
}

std::optional<Decoded> decode(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > MaxBytes)
        return std::nullopt;
    QByteArray copy = bytes; // QBuffer wants a non-const array
    QBuffer in(&copy);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    Decoded d;
    int32_t slot = 0;
    if (readObjectRecord(in, slot, d.obj) != ObjectRecordRead::Ok)
        return std::nullopt;
    if (d.obj.Kind < KindFigure || d.obj.Kind > KindCode)
        return std::nullopt;
    // The folder runs to the byte 0 that ends the payload; nothing may follow.
    const QByteArray rest = copy.mid(in.pos());
    if (rest.isEmpty() || rest.indexOf('\0') != rest.size() - 1)
        return std::nullopt;
    d.folder = QString::fromUtf8(rest.left(rest.size() - 1));
    const int32_t limit = LabelFile::MaxWorkArea;
    for (int32_t* v : {&d.obj.X, &d.obj.Y})
        *v = std::clamp(*v, -limit, limit);
    for (int32_t* v : {&d.obj.Width, &d.obj.Height})
        *v = std::clamp(*v, 0, limit);
    return d;
}

} // namespace ObjectPayload

int slotOnTop(const LabelDocument& doc) {
    int top = 0;
    for (int i = ObjectTable::MaxObjs; i >= 1; --i) {
        if (doc.Objs[i].Kind != KindFree) {
            top = i;
            break;
        }
    }
    if (top < ObjectTable::MaxObjs)
        return top + 1;
    return doc.firstFreeSlot();
}

void cascade(const LabelDocument& doc, Tobs& obj) {
    // 2 mm in document units, truncated.
    const int32_t step = truncToInt32(2.0L * 20000.0L / (long double)MmPerInch);
    QSet<QPair<int32_t, int32_t>> taken;
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        const Tobs& o = doc.Objs[i];
        if (o.Kind == obj.Kind)
            taken.insert({o.X, o.Y});
    }
    // Positions are kept within the largest work area, so the steps cannot overflow.
    const int32_t limit = 2 * LabelFile::MaxWorkArea;
    while (taken.contains({obj.X, obj.Y}) && obj.X < limit && obj.Y < limit) {
        obj.X += step;
        obj.Y += step;
    }
}
