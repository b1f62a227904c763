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
        return lines_.at(index.row());
    }
    return {};
}

void SortedLineModel::setEntries(const QList<ListEntry>& entries) {
    beginResetModel();
    QList<const ListEntry*> sorted;
    sorted.reserve(entries.size());
    for (const ListEntry& entry : entries) {
        sorted.append(&entry);
    }
    // Comparing lines directly is cheaper than building collation keys: ICU compares
    // Latin text on a fast path.
    std::stable_sort(sorted.begin(), sorted.end(), [this](const ListEntry* a, const ListEntry* b) {
        return lessThan(a->line, b->line);
    });
    lines_.clear();
    entries_.clear();
    lines_.reserve(sorted.size());
    entries_.reserve(sorted.size());
    for (const ListEntry* entry : sorted) {
        lines_.append(entry->line);
        entries_.append(*entry);
    }
    endResetModel();
}

int SortedLineModel::addLine(const ListEntry& entry) {
    const auto at =
        std::upper_bound(lines_.cbegin(), lines_.cend(), entry.line,
                         [this](const QString& a, const QString& b) { return lessThan(a, b); });
    const int row = static_cast<int>(at - lines_.cbegin());
    beginInsertRows({}, row, row);
    lines_.insert(row, entry.line);
    entries_.insert(row, entry);
    endInsertRows();
    return row;
}

void SortedLineModel::removeLine(int row) {
    if (row < 0 || row >= count()) {
        return;
    }
    beginRemoveRows({}, row, row);
    lines_.removeAt(row);
    entries_.removeAt(row);
    endRemoveRows();
}

void SortedLineModel::clear() {
    beginResetModel();
    lines_.clear();
    entries_.clear();
    endResetModel();
}

SortedListBox::SortedListBox(QWidget* parent)
    : QListView(parent), model_(new SortedLineModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QList<ListEntry> SortedListBox::entries() const {
    QList<ListEntry> all;
    all.reserve(count());
    for (int row = 0; row < count(); ++row) {
        all.append(entry(row));
    }
    return all;
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
