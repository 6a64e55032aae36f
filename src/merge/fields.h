#pragma once

#include <QString>
#include <QStringList>

struct MergeRecord;

// Fields in texts and file names: %%Name%% names a column of the data source,
// matched ignoring letter case. %%NUMMER%% is the running label number and wins
// over a column of that name. A field name is 1 to 64 characters without '%' or a
// line break, and does not begin or end with a blank.

inline constexpr int MaxFieldNameLength = 64;

// The placeholder of the running number.
inline const QString NumberField = QStringLiteral("NUMMER");

// The field names of a text in order of appearance, each once (as first written).
QStringList fieldNames(const QString& text);
// True when the text holds a field other than %%NUMMER%%.
bool hasDataFields(const QString& text);
// True when the text holds any field, %%NUMMER%% included.
bool hasFields(const QString& text);

// The text for one label: %%NUMMER%% becomes number, every field that names a column
// of record the row's value. A field without a column stays as typed and its name is
// added to unknown (once). With a record, a line that holds only fields and blanks,
// all of them empty for this row, is left out together with its line end. Without a
// record only the number is replaced. One pass: values are never searched again.
QString substituteFields(const QString& text, int number, const MergeRecord* record,
                         QStringList* unknown = nullptr);
