#pragma once

#include <QString>
#include <QStringList>

class LabelDocument;
class Prompts;

// The label file keeps picture names in Windows-1252. A name with other characters
// comes back as '?' and its picture is lost on reopening, so the user is told when
// such a picture is placed and when the document is saved.

// Whether the label file can hold the name unchanged.
bool fitsLabelFile(const QString& name);
// The names of the document's pictures (background first, then the slots; each
// once) that the label file cannot hold.
QStringList unstorablePictureNames(const LabelDocument& doc);

// Warns when a picture of this name is placed; says nothing for a name that fits.
void warnUnstorablePictureName(Prompts& prompts, const QString& name);
// After a save: warns of the document's pictures whose names the file lost.
void warnUnstorablePictureNames(Prompts& prompts, const LabelDocument& doc);
