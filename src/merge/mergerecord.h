#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The column names of a data source and the lookup of a field name among them,
// ignoring letter case. The first of several equal names wins.
class MergeColumns {
public:
    MergeColumns() = default;
    explicit MergeColumns(const QStringList& names);

    const QStringList& names() const { return names_; }
    int size() const { return int(names_.size()); }
    // The column's index, or -1 when no column has that name.
    int indexOf(const QString& name) const;

private:
    QStringList names_;
    QHash<QString, int> index_;
};

// One row of a data source: its values in column order (missing values are empty).
struct MergeRecord {
    const MergeColumns* columns = nullptr;
    QStringList values;

    QString value(int column) const {
        return column >= 0 && column < values.size() ? values.at(column) : QString();
    }
};
