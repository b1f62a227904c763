#pragma once
// A list box that keeps its lines sorted in the pupil lists' order, also for lines added
// one by one later.

#include "records/list_lines.h"
#include "records/list_order.h"

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

namespace kalidor {

class SortedLineModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Replaces every line; sorts once.
    void setEntries(const QList<ListEntry>& entries);
    // Inserts one line with its number text at its place (after its equals); returns its row.
    int addLine(const ListEntry& entry);
    void removeLine(int row);
    void clear();

    int count() const { return static_cast<int>(entries_.size()); }
    const QString& line(int row) const { return entries_.at(row).line; }
    // The number text of the file the line stands for.
    const QString& number(int row) const { return entries_.at(row).number; }
    const ListEntry& entry(int row) const { return entries_.at(row); }
    const QList<ListEntry>& entries() const { return entries_; }

private:
    bool lessThan(const QString& a, const QString& b) const { return order_.compare(a, b) < 0; }

    ListOrder order_;
    QList<ListEntry> entries_; // in list order
};

class SortedListBox : public QListView {
    Q_OBJECT
public:
    explicit SortedListBox(QWidget* parent = nullptr);

    void setEntries(const QList<ListEntry>& entries) { model_->setEntries(entries); }
    int addLine(const ListEntry& entry) { return model_->addLine(entry); }
    void removeLine(int row) { model_->removeLine(row); }
    void clear() { model_->clear(); }
    int count() const { return model_->count(); }
    QString line(int row) const { return model_->line(row); }
    QString number(int row) const { return model_->number(row); }
    const ListEntry& entry(int row) const { return model_->entry(row); }
    // Every line with its number, in list order.
    const QList<ListEntry>& entries() const { return model_->entries(); }
    QStringList lines() const { return linesOf(model_->entries()); }

    // The selected line's row, -1 when no line is selected.
    int currentRow() const;
    // Whether the list has a current line, selected or not (a ctrl+click unselects the
    // current line and leaves it current).
    bool hasCurrentItem() const { return currentIndex().isValid(); }
    void setCurrentRow(int row);
    // Rows of every selected line, in list order.
    QList<int> selectedRows() const;

private:
    SortedLineModel* model_;
};

} // namespace kalidor
