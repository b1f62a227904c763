#pragma once
// The competence table of a class as text: a heading row, one row per pupil with the columns of
// the table window, then the row of counts; the cells separated by tabs.

#include "records/class_table.h"

#include <QStringList>

namespace kalidor::cli {

QStringList tableTextRows(const ClassTable& table, const QList<TablePupil>& pupils);

} // namespace kalidor::cli
