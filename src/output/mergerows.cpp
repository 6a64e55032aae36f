#include "output/mergerows.h"

#include <QFileInfo>

#include <numeric>

void MergeRows::attach(std::shared_ptr<const MergeTable> table, const QString& path) {
    beginResetModel();
    table_ = std::move(table);
    path_ = path;
    fileTime_ = QFileInfo(path).lastModified();
    const int n = table_ ? table_->rowCount() : 0;
    checked_.assign(size_t(n), 1);
    visible_.resize(size_t(n));
    std::iota(visible_.begin(), visible_.end(), 0);
    checkedValid_ = false;
    endResetModel();
    emit checksChanged();
}

void MergeRows::detach() {
    attach(nullptr, QString());
}

void MergeRows::setSearch(const QString& text) {
    if (!table_)
        return;
    beginResetModel();
    visible_.clear();
    for (int r = 0; r < table_->rowCount(); ++r) {
        if (text.isEmpty() || table_->rowContains(r, text))
            visible_.push_back(r);
    }
    endResetModel();
}

void MergeRows::checkVisible(bool checked) {
    for (int r : visible_)
        checked_[size_t(r)] = checked ? 1 : 0;
    checkedValid_ = false;
    if (!visible_.empty())
        emit dataChanged(index(0, 0), index(int(visible_.size()) - 1, 0), {Qt::CheckStateRole});
    emit checksChanged();
}

void MergeRows::setChecked(int tableRow, bool checked) {
    if (tableRow < 0 || size_t(tableRow) >= checked_.size())
        return;
    checked_[size_t(tableRow)] = checked ? 1 : 0;
    checkedValid_ = false;
    emit checksChanged();
}

bool MergeRows::isChecked(int tableRow) const {
    return tableRow >= 0 && size_t(tableRow) < checked_.size() && checked_[size_t(tableRow)];
}

const std::vector<int>& MergeRows::checkedRows() const {
    if (!checkedValid_) {
        checkedRows_.clear();
        for (size_t r = 0; r < checked_.size(); ++r) {
            if (checked_[r])
                checkedRows_.push_back(int(r));
        }
        checkedValid_ = true;
    }
    return checkedRows_;
}

int64_t MergeRows::labelCount(int copiesPerRow) const {
    return int64_t(checkedRows().size()) * std::max(1, copiesPerRow);
}

int MergeRows::rowOfLabel(int64_t label, int copiesPerRow) const {
    const std::vector<int>& rows = checkedRows();
    const int64_t i = label / std::max(1, copiesPerRow);
    return label >= 0 && i < int64_t(rows.size()) ? rows[size_t(i)] : -1;
}

int MergeRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(visible_.size());
}

int MergeRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : table_->columns().size() + 1;
}

QVariant MergeRows::data(const QModelIndex& index, int role) const {
    if (!table_ || !index.isValid() || size_t(index.row()) >= visible_.size())
        return {};
    const int row = visible_[size_t(index.row())];
    if (index.column() == 0) {
        if (role == Qt::CheckStateRole)
            return checked_[size_t(row)] ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::DisplayRole)
            return row + 1;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        QString v = table_->value(row, index.column() - 1);
        return role == Qt::DisplayRole ? v.replace(QLatin1Char('\n'), QChar(0x21B5)) : v;
    }
    return {};
}

bool MergeRows::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole ||
        size_t(index.row()) >= visible_.size())
        return false;
    setChecked(visible_[size_t(index.row())], value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags MergeRows::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant MergeRows::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !table_)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return QStringLiteral("Zeile");
    return table_->columns().names().value(section - 1);
}
