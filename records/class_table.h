#pragma once
// The competence table of a class: one row per pupil with the competences of a level, the
// total, whether the level is held and what the pupil still lacks, a last row of counts; and
// the table as a spreadsheet file. The folder is read once; choosing another class or level
// works on what was read.

#include "records/level_rules.h"
#include "records/record_file.h"
#include "records/referential.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace kalidor {

// A pupil as the table keeps it: the identity, which competences are validated and, for each
// validated one, its date, teacher and discipline, in the few bytes they take rather than the
// whole record.
struct TablePupil {
    TablePupil(const QString& numberText, const TFiche& record);

    QString number; // the file's number text
    QString nom;
    QString prenom;
    QString classe; // as stored, empty for a pupil without a class
    QString line;   // the by-name list line, which orders the rows
    SlotFlags validated;
    // The record's fingerprint (recordStamp): tells a batch whether the file changed since.
    size_t stamp = 0;

    QString name() const; // "NOM Prénom"
    bool valide(int slot) const { return validated[slot]; }
    // A validated competence's details as stored; empty for one not validated.
    QString date(int slot) const { return detail(slot, 0); }
    QString discipline(int slot) const { return detail(slot, 1); }
    QString professeur(int slot) const { return detail(slot, 2); }

private:
    static constexpr int kDetailFields = 3;
    // Stands for the same value as the validated competence's before.
    static constexpr char kSameAsBefore = static_cast<char>(0xFF);

    QString detail(int slot, int field) const;
    // For each validated slot in slot order: its date, discipline and teacher, each a length
    // byte followed by that many Windows-1252 bytes, or kSameAsBefore.
    QByteArray details_;
};

// The pupils of the folder in the by-name view's order, and the files that could not be read.
struct TablePupils {
    QList<TablePupil> pupils;
    QList<RecordFailure> failures;
};

// Reads every pupil of the data folder `prefix`, leaving the program's current record alone.
// Copies whose number is not a plain run of digits ("5.sauv", "copie 2") are no pupils here.
TablePupils readTablePupils(const QString& prefix);

// Puts the pupil of `numberText` as its file holds it now into `pupils`, at its place in the
// order; `record` nothing removes the pupil (its file is gone).
void replaceTablePupil(QList<TablePupil>& pupils, const QString& numberText,
                       const std::optional<TFiche>& record);

// The classes found among the pupils, each once, in the by-class view's order; a pupil without
// a class gives the empty text, first.
QStringList tableClasses(const QList<TablePupil>& pupils);

// The class chosen: nothing for every class.
using TableClass = std::optional<QString>;

struct TableRow {
    int pupil = 0; // index in the pupils the table was built from
    int validated = 0;
    bool held = false;
    MissingCompetences missing;
};

struct ClassTable {
    int level = kLevelEcole;
    TableClass classe;
    QList<TableRow> rows;
    QList<int> validatedBy; // per competence of the level, in slot order
    int heldBy = 0;
};

// The rows of the pupils of `classe` (all of them for nothing), in their order, for `level`.
ClassTable buildClassTable(const QList<TablePupil>& pupils, int level, const TableClass& classe);

// The texts of the cells.
QString tableTotalText(int level, int validated);       // "17/22"
QString tableLevelText(bool held);                      // "acquis", "non acquis"
QString missingText(const MissingCompetences& missing); // "3 (domaines 1 et 4)", "" when none
// "Domaine 2": the band over the headers of a domain's competences.
QString domainBandText(int domain);
// "Compétence 5 : validée le 12/03/2009 par DUPONT (Technologie)", blank parts left out, or
// "Compétence 5 : non validée".
QString competenceCellText(const TablePupil& pupil, int slot);
// "Compétence 5 : validée par 12 élèves".
QString countCellText(int slot, int count);
QString heldByText(const ClassTable& table); // "12/28"

// What the class chooser shows for a class: the class, its trailing blanks marked ("6A␣"),
// "(sans classe)" or "Toutes les classes".
QString tableClassLabel(const TableClass& classe);
// "Tableau des compétences niveau école – classe 6A".
QString tableName(int level, const TableClass& classe);
// The title of each printed page: the name and the date, dd/mm/yyyy.
QString printedTableTitle(int level, const TableClass& classe, const QDate& date);
// "6A - niveau école.csv": the spreadsheet file's name, without what a file name cannot hold.
QString tableFileName(int level, const TableClass& classe);

// The table as the French spreadsheets open a CSV file: UTF-8 with its byte-order mark, ";"
// between fields, CR LF line ends, a field quoted when it holds ";", '"' or a line break. A
// heading row, then one row per pupil with the date of each validated competence.
QByteArray tableCsv(const ClassTable& table, const QList<TablePupil>& pupils);

} // namespace kalidor
