#pragma once
// A list box that keeps its lines sorted in the pupil lists' order, also for lines added
// one by one later.

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
    void setLines(const QStringList& lines);
    // Inserts one line at its place (after its equals) and returns its row.
    int addLine(const QString& line);
    void removeLine(int row);
    void clear();

    int count() const { return static_cast<int>(entries_.size()); }
    const QString& line(int row) const { return entries_.at(row); }
    const QStringList& lines() const { return entries_; }

private:
    bool lessThan(const QString& a, const QString& b) const { return order_.compare(a, b) < 0; }

    ListOrder order_;
    QStringList entries_;
};

class SortedListBox : public QListView {
    Q_OBJECT
public:
    explicit SortedListBox(QWidget* parent = nullptr);

    void setLines(const QStringList& lines) { model_->setLines(lines); }
    int addLine(const QString& line) { return model_->addLine(line); }
    void removeLine(int row) { model_->removeLine(row); }
    void clear() { model_->clear(); }
    int count() const { return model_->count(); }
    QString line(int row) const { return model_->line(row); }
    const QStringList& lines() const { return model_->lines(); }

    // The selected line's row, -1 when no line is selected.
    int currentRow() const;
    void setCurrentRow(int row);
    // Rows of every selected line, in list order.
    QList<int> selectedRows() const;

private:
    SortedLineModel* model_;
};

} // namespace kalidor
