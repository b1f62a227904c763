#pragma once
// The lines of the reports the main window writes into its text pane and prints, and the
// texts of the printed documents. Each function takes the data and returns text; the windows
// only show or print it.

#include "records/list_lines.h"
#include "records/tfiche.h"

#include <QDate>
#include <QStringList>

namespace kalidor {

// " " + surname + " " + first name + "    Classe : " + class
QString pupilNameLine(const TFiche& record);

// "Bilan des compétences": one line per competence of the level with teacher, discipline and
// date, the total and the verdict.
QStringList reviewLines(const TFiche& record, int level);
// The competence sheet as printed: as the review with teacher and date only.
QStringList sheetLines(const TFiche& record, int level);

// Marks every competence of both levels validated; nothing else changes.
void validateAll(TFiche& record);
// The report of the validation of every competence (collège lines numbered by slot, 23-51).
QStringList validateAllLines(const TFiche& record);

// "le " + day + "-" + month + "-" + year, without leading zeros.
QString printedDate(const QDate& date);

// Pages needed for `lines` lines at `perPage` to a page.
int pageCount(int lines, int perPage);

// "L'élève " + surname + " " + first name + " classe : " + class + " n'a pas atteint ..."
QString refusalMessage(const TFiche& record, int level);
// lines + " élèves, " + pages + " pages"
QString batchCountMessage(int lines, int pages);

// The name on a certificate of one pupil: surname + " " + first name + " " + class.
QString attestationName(const TFiche& record);

} // namespace kalidor
