// The editor with a data source: pictures named by fields show the picture that the
// first checked row names.
#include "editor/editorpage.h"

#include "merge/mergetable.h"
#include "render/fieldpicture.h"
#include "render/picturestore.h"

void EditorPage::setSampleRow(std::shared_ptr<const MergeTable> table, int row) {
    if (row < 0 || !table || row >= table->rowCount()) {
        table = nullptr;
        row = -1;
    }
    if (table == sampleTable_ && row == sampleRow_)
        return;
    sampleTable_ = std::move(table);
    sampleRow_ = row;
    sample_.reset();
    if (sampleTable_)
        sample_ = sampleTable_->record(row);
    PaintBox1Paint();
}

TDibRecord EditorPage::fieldPictureSample(const QString& name) const {
    const RowPictureName file =
        rowPictureName(name, doc_.CurFileName, labelNumber_ ? labelNumber_() : 0, sampleRecord());
    TDibRecord picture;
    if (file.state != RowPictureName::State::File ||
        PictureStore::shared().load(picture, file.path) != PictureLoad::Loaded)
        picture = PictureStore::shared().blank();
    return picture;
}
