#pragma once

#include "merge/mergerecord.h"

#include <QString>
#include <QStringList>

#include <functional>

// A whole data source in memory, for the print page: at most MaxRows rows and
// MaxChars characters of values; a file with more is read up to the limit and says
// so in problems(). Each row is kept as one string, so a million rows stay small.
class MergeTable {
public:
    static constexpr int MaxRows = 1000000;
    static constexpr qsizetype MaxChars = 256LL * 1024 * 1024;

    // Reads the file; false with a German error when nothing could be read.
    // tick is called now and then (to keep a progress display alive); may be empty.
    bool load(const QString& path, QString* error, const std::function<void()>& tick = {});

    const MergeColumns& columns() const { return columns_; }
    int rowCount() const { return int(rows_.size()); }
    // Row i (from 0) as a record that refers to columns().
    MergeRecord record(int i) const;
    QString value(int row, int column) const;
    QStringList problems() const { return problems_; }
    bool truncated() const { return truncated_; }
    // True when a row holds text (any letter case) in any of its values.
    bool rowContains(int row, const QString& text) const;

private:
    MergeColumns columns_;
    QList<QString> rows_; // values joined by the unit separator
    QStringList problems_;
    bool truncated_ = false;
};
