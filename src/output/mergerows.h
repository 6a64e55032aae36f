#pragma once

#include "merge/mergetable.h"

#include <QAbstractTableModel>
#include <QDateTime>

#include <memory>
#include <vector>

// The rows of the print page's data source: the table, a check mark per row (all
// checked at first) and the rows the search leaves visible. The labels of a run
// are all copies of the first checked row, then of the next, and so on.
class MergeRows : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Takes a loaded table; every row checked, no search.
    void attach(std::shared_ptr<const MergeTable> table, const QString& path);
    void detach();
    bool hasSource() const { return bool(table_); }
    const QString& path() const { return path_; }
    const QDateTime& fileTime() const { return fileTime_; }
    const MergeTable* table() const { return table_.get(); }
    std::shared_ptr<const MergeTable> sharedTable() const { return table_; }

    // Only rows that hold text (ignoring case) in a value stay visible.
    void setSearch(const QString& text);
    // Checks or clears every visible row.
    void checkVisible(bool checked);
    void setChecked(int tableRow, bool checked);
    bool isChecked(int tableRow) const;

    // The checked rows (indices into the table), in table order.
    const std::vector<int>& checkedRows() const;
    // Labels of a run with copiesPerRow labels per checked row.
    int64_t labelCount(int copiesPerRow) const;
    // The table row of label i of such a run, or -1.
    int rowOfLabel(int64_t label, int copiesPerRow) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The checked rows changed.
    void checksChanged();

private:
    std::shared_ptr<const MergeTable> table_;
    QString path_;
    QDateTime fileTime_;
    std::vector<char> checked_;
    std::vector<int> visible_;
    mutable std::vector<int> checkedRows_;
    mutable bool checkedValid_ = false;
};
