#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A choice of data rows such as "1-20,25" (rows counted from 1, the header not
// counted): ranges and single rows separated by commas.
class RowSelection {
public:
    // Everything.
    RowSelection() = default;
    // Nothing when the text is not such a list.
    static std::optional<RowSelection> parse(const QString& text);

    bool contains(qint64 row) const;
    // True when no row after this one can be chosen.
    bool pastEnd(qint64 row) const;

private:
    QList<std::pair<qint64, qint64>> ranges_; // empty: every row
};
