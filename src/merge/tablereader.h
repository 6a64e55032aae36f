#pragma once

#include "merge/mergerecord.h"
#include "merge/textsource.h"

#include <QString>
#include <QStringList>

#include <memory>

// A data source read row by row: the column names, then one record per row. What
// could not be read as it stands is told in problems(), in German, one line each.
class TableReader {
public:
    virtual ~TableReader() = default;

    const MergeColumns& columns() const { return columns_; }
    // The next row; false at the end. The record refers to columns().
    virtual bool next(MergeRecord& record) = 0;
    // The problems found so far (at most MaxProblems lines and one that says more
    // were left out).
    QStringList problems() const;
    // True when reading stopped at an error of the device.
    bool failed() const { return failed_; }

    static constexpr int MaxProblems = 20;

protected:
    void setColumns(const QStringList& names) { columns_ = MergeColumns(names); }
    void addProblem(const QString& text);
    bool failed_ = false;

private:
    MergeColumns columns_;
    QStringList problems_;
    int moreProblems_ = 0;
};

// Opens a data file: a vCard file when its content begins with BEGIN:VCARD, whatever
// its name, otherwise delimited text with its column names in the first row. Null
// with a German error when the file cannot be used at all or is larger than maxBytes.
std::unique_ptr<TableReader> openTable(const QString& path, QString* error,
                                       qint64 maxBytes = MaxSourceBytes);
