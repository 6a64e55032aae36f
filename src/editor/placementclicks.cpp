#include "editor/editorpage.h"

#include "document/propertycommands.h"
#include "editor/positionform.h"

void EditorPage::PositionClick() {
    if (MouseState != 0 || !selectedObject(doc_, AnyKinds))
        return;
    if (!PositionForm)
        PositionForm = new TPositionForm(this);
    PositionForm->preset(doc_.Objs[doc_.SelObj], doc_.Format);
    if (PositionForm->exec() == QDialog::Accepted)
        placeSelected(doc_, PositionForm->change());
}

void EditorPage::alignOnLabel(LabelAlign align) {
    if (MouseState == 0)
        alignSelected(doc_, align);
}
