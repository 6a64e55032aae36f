#include "render/codedata.h"

#include "render/textdraw.h"

QString codeData(const QString& text, int Number) {
    return labelText(text, false, Number);
}
