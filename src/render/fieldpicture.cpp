#include "render/fieldpicture.h"

#include "document/labeldocument.h"
#include "document/progpath.h"
#include "merge/fields.h"
#include "merge/mergerecord.h"
#include "render/picload.h"
#include "render/picturestore.h"
#include "render/rendercontext.h"

#include <QDir>
#include <QFileInfo>

RowPictureName rowPictureName(const QString& name, const QString& labelFile, int number,
                              const MergeRecord* record) {
    RowPictureName out;
    bool anyData = false;
    bool allEmpty = true;
    for (const QString& field : fieldNames(name)) {
        if (field.compare(NumberField, Qt::CaseInsensitive) == 0)
            continue;
        anyData = true;
        const int column = record && record->columns ? record->columns->indexOf(field) : -1;
        if (column < 0)
            return out;
        if (!record->value(column).trimmed().isEmpty())
            allEmpty = false;
    }
    if (anyData && allEmpty) {
        out.state = RowPictureName::State::NoValue;
        return out;
    }
    const QString file = substituteFields(name, number, record);
    out.state = RowPictureName::State::File;
    if (labelFile.isEmpty()) {
        out.path = resolvePictureName(file);
        return out;
    }
    const QDir folder = QFileInfo(labelFile).absoluteDir();
    out.path = QDir::isAbsolutePath(file) ? file : folder.filePath(file);
    const QString part = fileNamePart(file);
    if (!part.isEmpty() && !QFileInfo(out.path).isFile() && QFileInfo(folder, part).isFile())
        out.path = folder.filePath(part);
    return out;
}

bool rowPictureObject(const RenderContext& rc, const Tobs& o, Tobs& shown) {
    const MergeRecord* record =
        rc.Record ? rc.Record : (rc.editorView ? rc.document.Output.SampleRecord : nullptr);
    const RowPictureName name = rowPictureName(o.Text, rc.document.CurFileName, rc.Number, record);
    PictureStore& store = PictureStore::shared();
    shown = o;
    if (name.state != RowPictureName::State::File) {
        // Only the editor marks the place of a picture that no row names.
        if (!rc.editorView)
            return false;
        shown.Picture = store.blank(o.Rotation);
        return true;
    }
    shown.Text = name.path;
    store.load(shown.Picture, name.path, o.Rotation);
    return true;
}

QStringList unloadableRowPictures(const LabelDocument& doc, int number, const MergeRecord* record) {
    QStringList out;
    for (const int i : doc.Objs.usedSlots()) {
        const Tobs& o = doc.Objs[i];
        if (o.Kind != KindPicture || !hasFields(o.Text))
            continue;
        const RowPictureName name = rowPictureName(o.Text, doc.CurFileName, number, record);
        TDibRecord picture;
        if (name.state == RowPictureName::State::File && !out.contains(name.path) &&
            PictureStore::shared().load(picture, name.path, o.Rotation) != PictureLoad::Loaded)
            out.append(name.path);
    }
    return out;
}
