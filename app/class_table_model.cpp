#include "app/class_table_model.h"

#include "app/band_header.h"
#include "records/referential.h"

#include <QFont>
#include <QMap>
#include <algorithm>

namespace kalidor {

namespace {

enum Column { PupilColumn = 0 };

// A competence's cell: what it shows, and what it says when pointed at or read aloud.
template <typename Said> QVariant competenceCell(int role, const QString& shown, const Said& said) {
    switch (role) {
    case Qt::DisplayRole:
        return shown;
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return said();
    case Qt::TextAlignmentRole:
        return Qt::AlignCenter;
    default:
        return {};
    }
}

} // namespace

void ClassTableModel::setPupils(QList<TablePupil> pupils, int level, const TableClass& classe) {
    beginResetModel();
    pupils_ = std::move(pupils);
    table_ = buildClassTable(pupils_, level, classe);
    endResetModel();
}

void ClassTableModel::choose(int level, const TableClass& classe) {
    beginResetModel();
    table_ = buildClassTable(pupils_, level, classe);
    endResetModel();
}

void ClassTableModel::replacePupil(const QString& numberText, const std::optional<TFiche>& record) {
    beginResetModel();
    replaceTablePupil(pupils_, numberText, record);
    table_ = buildClassTable(pupils_, table_.level, table_.classe);
    endResetModel();
}

void ClassTableModel::replacePupils(const QList<PupilNow>& pupils) {
    beginResetModel();
    for (const PupilNow& pupil : pupils) {
        replaceTablePupil(pupils_, pupil.number, pupil.record);
    }
    table_ = buildClassTable(pupils_, table_.level, table_.classe);
    endResetModel();
}

QList<BatchPupil> ClassTableModel::batchPupils(const QModelIndexList& cells,
                                               bool competences) const {
    QMap<int, QList<int>> slotsByRow;
    for (const QModelIndex& cell : cells) {
        if (cell.row() >= table_.rows.size()) {
            continue;
        }
        const int slot = slotOf(cell.column());
        if (slot != 0) {
            slotsByRow[cell.row()].append(slot);
        } else if (!competences) {
            slotsByRow[cell.row()];
        }
    }
    QList<BatchPupil> batch;
    for (auto row = slotsByRow.cbegin(); row != slotsByRow.cend(); ++row) {
        QList<int> chosen = competences ? row.value() : QList<int>();
        std::sort(chosen.begin(), chosen.end());
        batch.append({pupils_.at(table_.rows.at(row.key()).pupil), chosen});
    }
    return batch;
}

std::optional<QString> ClassTableModel::numberAt(int row) const {
    if (row < 0 || row >= table_.rows.size()) {
        return std::nullopt;
    }
    return pupils_.at(table_.rows.at(row).pupil).number;
}

int ClassTableModel::rowOf(const QString& numberText) const {
    for (qsizetype row = 0; row < table_.rows.size(); ++row) {
        if (pupils_.at(table_.rows.at(row).pupil).number == numberText) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int ClassTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size()) + 1;
}

int ClassTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + slotCount(table_.level) + 3;
}

int ClassTableModel::slotOf(int column) const {
    return column >= 1 && column <= slotCount(table_.level) ? firstSlot(table_.level) + column - 1
                                                            : 0;
}

QVariant ClassTableModel::pupilData(const TableRow& row, int column, int role) const {
    const TablePupil& pupil = pupils_.at(row.pupil);
    if (column == PupilColumn) {
        return role == Qt::DisplayRole || role == Qt::AccessibleTextRole ? QVariant(pupil.name())
                                                                         : QVariant();
    }
    if (const int slot = slotOf(column)) {
        return competenceCell(role, pupil.valide(slot) ? mark_ : QString(),
                              [&] { return competenceCellText(pupil, slot); });
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    switch (column - slotCount(table_.level)) {
    case 1:
        return tableTotalText(table_.level, row.validated);
    case 2:
        return tableLevelText(row.held);
    default:
        return missingText(row.missing);
    }
}

QVariant ClassTableModel::countsData(int column, int role) const {
    if (role == Qt::FontRole) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (const int slot = slotOf(column)) {
        const int count = table_.validatedBy.at(column - 1);
        return competenceCell(role, QString::number(count),
                              [&] { return countCellText(slot, count); });
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    if (column == PupilColumn) {
        return tr8(class_table_texts::kCountsRow);
    }
    return column - slotCount(table_.level) == 2 ? heldByText(table_) : QString();
}

QVariant ClassTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (index.row() < table_.rows.size()) {
        return pupilData(table_.rows.at(index.row()), index.column(), role);
    }
    return countsData(index.column(), role);
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    const int slot = slotOf(section);
    if (role == BandHeader::kBandRole) {
        return slot != 0 ? QVariant(domainBandText(competence(slot).domain)) : QVariant();
    }
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
        return slot != 0 ? QVariant(sheetText(slot)) : QVariant();
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (slot != 0) {
        return QString::number(competence(slot).number);
    }
    if (section == PupilColumn) {
        return tr8(class_table_texts::kColumnPupil);
    }
    static constexpr const char* kLast[] = {class_table_texts::kColumnTotal,
                                            class_table_texts::kColumnLevel,
                                            class_table_texts::kColumnMissing};
    return tr8(kLast[section - slotCount(table_.level) - 1]);
}

} // namespace kalidor
