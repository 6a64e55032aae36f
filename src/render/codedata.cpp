#include "render/codedata.h"

#include "render/textdraw.h"

QString codeData(const QString& text, int Number, const MergeRecord* record) {
    return labelText(text, false, Number, record);
}
