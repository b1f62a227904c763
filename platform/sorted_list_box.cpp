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
        return entries_[index.row()].text;
    }
    return {};
}

void SortedLineModel::setLines(const QStringList& lines) {
    beginResetModel();
    entries_.clear();
    entries_.reserve(lines.size());
    for (const QString& text : lines) {
        entries_.push_back({text, order_.key(text)});
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.key.compare(b.key) < 0; });
    endResetModel();
}

int SortedLineModel::addLine(const QString& line) {
    Entry entry{line, order_.key(line)};
    const auto at =
        std::upper_bound(entries_.begin(), entries_.end(), entry,
                         [](const Entry& a, const Entry& b) { return a.key.compare(b.key) < 0; });
    const int row = static_cast<int>(at - entries_.begin());
    beginInsertRows({}, row, row);
    entries_.insert(at, std::move(entry));
    endInsertRows();
    return row;
}

void SortedLineModel::removeLine(int row) {
    if (row < 0 || row >= count()) {
        return;
    }
    beginRemoveRows({}, row, row);
    entries_.erase(entries_.begin() + row);
    endRemoveRows();
}

void SortedLineModel::clear() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

QStringList SortedLineModel::lines() const {
    QStringList result;
    result.reserve(count());
    for (const Entry& entry : entries_) {
        result.append(entry.text);
    }
    return result;
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
