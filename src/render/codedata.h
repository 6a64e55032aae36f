#pragma once

#include <QString>

// The data a code object encodes: its Text with "%%NUMMER%%" (any letter case)
// replaced by the label number. The one place where a code's data is made, so that
// further fields can be replaced here too.
QString codeData(const QString& text, int Number);
