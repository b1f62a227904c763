#pragma once
// The competence table of a class on a program folder: the folder read once, the table of one
// class at one level built on it, and the table written as a spreadsheet file. What the table
// window and the command line show.

#include "records/class_table.h"

#include <QList>
#include <QString>

namespace kalidor {

struct FolderTable {
    QList<TablePupil> pupils;      // every pupil of the folder, in the by-name view's order
    QList<RecordFailure> failures; // files that could not be read, to name once
    ClassTable table;              // the rows of the class chosen, indexing `pupils`
};

// Reads the data folder `prefix` and builds the table of `classe` at `level`; the program's
// current record is left alone.
FolderTable readFolderTable(const QString& prefix, int level, const TableClass& classe);

// Writes the table as the spreadsheet file `fileName`, whole or not at all, replacing what the
// file held. Throws IoError.
void writeTableCsv(const QString& fileName, const ClassTable& table,
                   const QList<TablePupil>& pupils);

} // namespace kalidor
