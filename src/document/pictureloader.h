#pragma once

#include "codec/dibrecord.h"

#include <QString>

// What became of a picture that was asked for.
enum class PictureLoad {
    Loaded,
    Failed,     // unreadable or missing
    OverBudget, // readable, but the document's pictures already fill their memory
};

// How the label file reader gets its pictures: the document layer only knows this
// interface; the picture loading itself lives with the renderer.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Loads the named picture into rec (a name without folder is relative to the
    // program folder), turned by a stored rotation: 1 right, 2 half turn, 3 left.
    // Unless loaded, rec holds the blank replacement picture, turned alike.
    virtual PictureLoad load(TDibRecord& rec, const QString& name, int rotation) = 0;
};

// A label file's open names this many pictures that failed, then one word for the rest.
inline constexpr int PictureFailuresReported = 10;

// The message for a picture that the memory for pictures has no room for.
inline QString pictureBudgetMessage(const QString& name) {
    return QStringLiteral("Das Bild (") + name +
           QStringLiteral(") wurde nicht geladen: Die Bilder des Etiketts belegen schon den "
                          "ganzen Speicher für Bilder (2 GB). Weitere Bilder bleiben leer.");
}

// The message for a picture that cannot be read.
inline QString pictureFailedMessage(const QString& name) {
    return QStringLiteral("Konnte Bild (") + name + QStringLiteral(") nicht Laden.");
}

// The message for a picture that was asked for; empty when it was loaded.
inline QString pictureLoadMessage(PictureLoad result, const QString& name) {
    switch (result) {
    case PictureLoad::Loaded:
        return QString();
    case PictureLoad::OverBudget:
        return pictureBudgetMessage(name);
    default:
        return pictureFailedMessage(name);
    }
}
