#pragma once
// The competence table as the window's table view shows it: the rows of the chosen class and
// level, then the "Validée par" row; each competence's header under its domain's band.
// Read-only.

#include "commands/class_table_batch.h"
#include "records/class_table.h"
#include "records/class_table_texts.h"
#include "records/utf8.h"

#include <QAbstractTableModel>
#include <optional>

namespace kalidor {

class ClassTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The pupils read from the folder, shown for `level` and `classe`.
    void setPupils(QList<TablePupil> pupils, int level, const TableClass& classe);
    void choose(int level, const TableClass& classe);
    // The pupil of `numberText` as its file holds it now (nothing: the file is gone).
    void replacePupil(const QString& numberText, const std::optional<TFiche>& record);
    // The same for several pupils at once.
    void replacePupils(const QList<PupilNow>& pupils);

    const QList<TablePupil>& pupils() const { return pupils_; }
    const ClassTable& table() const { return table_; }
    // The number text of a pupil's row; nothing for the last row.
    std::optional<QString> numberAt(int row) const;
    // The row of the pupil of `numberText`, -1 when the table does not show it.
    int rowOf(const QString& numberText) const;
    // The pupils of the cells given, in row order, each with the competences of its cells; with
    // `competences`, only the pupils with a competence's cell among them.
    QList<BatchPupil> batchPupils(const QModelIndexList& cells, bool competences) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant pupilData(const TableRow& row, int column, int role) const;
    QVariant countsData(int column, int role) const;
    // The competence's slot of a column, 0 for another column.
    int slotOf(int column) const;

    QList<TablePupil> pupils_;
    ClassTable table_;
    QString mark_ = tr8(class_table_texts::kValidatedMark);
};

} // namespace kalidor
