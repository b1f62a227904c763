#include "platform/sorted_list_box.h"

#include <QItemSelectionModel>
#include <algorithm>

namespace kalidor {

int SortedLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant SortedLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return entries_.at(index.row()).line;
    }
    return {};
}

void SortedLineModel::setEntries(const QList<ListEntry>& entries) {
    beginResetModel();
    entries_ = entries;
    // Comparing lines directly is cheaper than building collation keys: ICU compares
    // Latin text on a fast path.
    std::stable_sort(
        entries_.begin(), entries_.end(),
        [this](const ListEntry& a, const ListEntry& b) { return lessThan(a.line, b.line); });
    endResetModel();
}

int SortedLineModel::addLine(const ListEntry& entry) {
    const auto at = std::upper_bound(
        entries_.cbegin(), entries_.cend(), entry.line,
        [this](const QString& line, const ListEntry& other) { return lessThan(line, other.line); });
    const int row = static_cast<int>(at - entries_.cbegin());
    beginInsertRows({}, row, row);
    entries_.insert(row, entry);
    endInsertRows();
    return row;
}

void SortedLineModel::removeLine(int row) {
    if (row < 0 || row >= count()) {
        return;
    }
    beginRemoveRows({}, row, row);
    entries_.removeAt(row);
    endRemoveRows();
}

void SortedLineModel::clear() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

SortedListBox::SortedListBox(QWidget* parent)
    : QListView(parent), model_(new SortedLineModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int SortedListBox::currentRow() const {
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !selectionModel()->isSelected(index)) {
        return -1;
    }
    return index.row();
}

void SortedListBox::setCurrentRow(int row) {
    setCurrentIndex(model_->index(row));
}

QList<int> SortedListBox::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace kalidor
