#pragma once

#include <QString>
#include <QStringList>

class LabelDocument;
struct MergeRecord;
struct RenderContext;
struct Tobs;

// Picture objects whose file name holds fields ("%%Bild%%.jpg",
// "produkte/%%Artikel%%.png") show a picture of their own on every label: the file
// that the label's data row names. Such a name is kept as written; the picture is
// fetched through the picture store when a label is drawn and let go after it, so a
// run over many rows never holds more than the pictures of one label.

// What a picture name with fields names for one label.
struct RowPictureName {
    enum class State {
        File,       // path names the file
        NoValue,    // every field of the name is empty for this row: no picture
        Unresolved, // a field has no value (no data row, or no such column)
    };
    State state = State::Unresolved;
    QString path;
};

// The fields substituted as in texts (%%NUMMER%% by number); a relative result lies
// in the folder of labelFile, or for an unsaved label where a name without folder
// lies (the program folder). As for the other pictures of a label, a file that is
// not where the name says is looked for beside the label file.
RowPictureName rowPictureName(const QString& name, const QString& labelFile, int number,
                              const MergeRecord* record);

// The picture object as the label being drawn shows it: Text the name of the file,
// Picture its picture from the picture store or the blank stand-in. The editor shows
// the row of the document's SampleRecord, and the blank with the name as written
// when no row names a file. False when the label shows no picture.
bool rowPictureObject(const RenderContext& rc, const Tobs& object, Tobs& shown);

// The files that the label's pictures with fields name for one row and that the
// picture store cannot load, each once.
QStringList unloadableRowPictures(const LabelDocument& doc, int number, const MergeRecord* record);
