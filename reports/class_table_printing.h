#pragma once
// The competence table of a class on paper, landscape: on each page a title line with the
// date, the column headers under their domains' bands, as many rows as fit and "page n/m"; the
// "Validée par" row ends the last page.

#include "records/class_table.h"
#include "reports/canvas_document.h"

#include <QDate>

namespace kalidor {

// Prints the table's rows. With no row nothing is printed and no dialog is shown. Returns false
// when nothing was printed (no row, or the dialog cancelled).
bool printClassTable(CanvasDocument& document, QWidget* parent, const ClassTable& table,
                     const QList<TablePupil>& pupils, const QDate& today);

} // namespace kalidor
