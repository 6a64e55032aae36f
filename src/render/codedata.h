#pragma once

#include <QString>

struct MergeRecord;

// The data a code object encodes: its Text with "%%NUMMER%%" (any letter case)
// replaced by the label number and the fields of a data row by the row's values.
// The one place where a code's data is made.
QString codeData(const QString& text, int Number, const MergeRecord* record = nullptr);
