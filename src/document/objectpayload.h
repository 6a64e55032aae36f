#pragma once

#include "document/labeldocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The clipboard's own form of an object: its record in the label file's byte
// layout, then the folder of the label it came from (UTF-8, ended by a byte 0), so
// that relative picture names still resolve in another label or program instance.
// The reader is the label file's bounded reader; a payload is trusted no more than a
// file.
namespace ObjectPayload {
inline constexpr char MimeType[] = "application/x-aufkleber-werkbank-objekt";
// Two strings of the file's longest, a folder name and the fixed fields.
inline constexpr qsizetype MaxBytes = 3 * (1 << 20);

QByteArray encode(const Tobs& obj, const QString& labelFolder);

struct Decoded {
    Tobs obj; // without picture
    QString folder;
};
// Nothing for a payload of the wrong length, an unknown kind or texts beyond the
// file's limits. Positions and sizes are kept within the largest work area.
std::optional<Decoded> decode(const QByteArray& bytes);
} // namespace ObjectPayload

// Where a pasted or duplicated object goes: the lowest free slot above every slot
// in use, or, when the top slot is taken, the lowest free slot; 0 when all are used.
int slotOnTop(const LabelDocument& doc);

// A pasted copy moves 2 mm right and down for each object of its kind that already
// sits exactly where it would land, so that repeated pastes cascade.
void cascade(const LabelDocument& doc, Tobs& obj);
