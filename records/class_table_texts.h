#pragma once
// Texts of the competence table of a class: its window, its cells, its printed pages and the
// spreadsheet file it exports. Blanks count.

namespace kalidor::class_table_texts {

// The menu item and the window's caption.
inline constexpr char kTableCaption[] = "Tableau des compétences par classe";

// The choosers
inline constexpr char kClasseLabel[] = "&Classe :";
inline constexpr char kNiveauLabel[] = "&Niveau :";
inline constexpr char kAllClasses[] = "Toutes les classes";
inline constexpr char kNoClass[] = "(sans classe)";
// Shown for each blank that ends a class, which would not be seen otherwise ("6A␣").
inline constexpr char kTrailingBlank[] = "␣";
inline constexpr char kNiveauEcole[] = "Niveau école";
inline constexpr char kNiveauCollege[] = "Niveau collège";

// The buttons
inline constexpr char kImprimer[] = "&Imprimer";
inline constexpr char kExporter[] = "&Exporter vers un tableur…";
inline constexpr char kFermer[] = "&Fermer";
// Working on the selected cells, as buttons and in the table's context menu.
inline constexpr char kValider[] = "&Valider…";
inline constexpr char kRetirer[] = "&Retirer la validation…";
inline constexpr char kChangerClasse[] = "Changer de c&lasse…";
// Taking back the validation of selected cells none of which is validated.
inline constexpr char kNothingToUnvalidate[] = "Aucune des compétences choisies n'est validée.";

// The dialog of "Valider…": what the sheet asks for each competence.
inline constexpr char kValidateCaption[] = "Valider des compétences";
inline constexpr char kTeacherLabel[] = "&Nom de l'enseignant";
inline constexpr char kDateLabel[] = "&Date";
inline constexpr char kDisciplineLabel[] = "D&iscipline";
inline constexpr char kReplaceDetails[] = "&Remplacer les détails des compétences déjà validées";
inline constexpr char kValidateButton[] = "Valider";
inline constexpr char kCancelButton[] = "Annuler";
// The dialog of "Changer de classe…".
inline constexpr char kClassCaption[] = "Changer de classe";
inline constexpr char kNewClassLabel[] = "&Classe";
inline constexpr char kChangeButton[] = "Changer";

// Column headers; the competences are headed by their running number within the level, under
// a band naming their domain, %1 its number.
inline constexpr char kDomainBand[] = "Domaine %1";
inline constexpr char kColumnPupil[] = "Élève";
inline constexpr char kColumnTotal[] = "Total";
inline constexpr char kColumnLevel[] = "Niveau";
inline constexpr char kColumnMissing[] = "Il manque";

// A pupil's cells. %1 the validated competences, %2 the level's competences ("17/22").
inline constexpr char kTotal[] = "%1/%2";
inline constexpr char kHeld[] = "acquis";
inline constexpr char kNotHeld[] = "non acquis";
// What a pupil still lacks: %1 the least number of competences, %2... the domains under their
// minimum; several domains are listed with kDomainSeparator before the last "et".
inline constexpr char kMissingCount[] = "%1";
inline constexpr char kMissingOneDomain[] = "%1 (domaine %2)";
inline constexpr char kMissingDomains[] = "%1 (domaines %2 et %3)";
inline constexpr char kDomainSeparator[] = ", ";

// The mark of a validated competence's cell.
inline constexpr char kValidatedMark[] = "✓";
// What a competence's cell says when pointed at or read aloud, %1 its running number. The
// validated forms leave out what is blank, indexed by what is there: date 1, teacher 2,
// discipline 4; the values follow %1 in that order.
inline constexpr const char* kCellValidated[8] = {
    "Compétence %1 : validée",
    "Compétence %1 : validée le %2",
    "Compétence %1 : validée par %2",
    "Compétence %1 : validée le %2 par %3",
    "Compétence %1 : validée (%2)",
    "Compétence %1 : validée le %2 (%3)",
    "Compétence %1 : validée par %2 (%3)",
    "Compétence %1 : validée le %2 par %3 (%4)",
};
inline constexpr char kCellNotValidated[] = "Compétence %1 : non validée";

// The last row. %1 the pupils holding the level, %2 the pupils of the table.
inline constexpr char kCountsRow[] = "Validée par";
inline constexpr char kHeldBy[] = "%1/%2";
// A count cell read aloud: %1 the competence's running number, %2 the pupils (0 and 1, then more).
inline constexpr char kCountCellSingular[] = "Compétence %1 : validée par %2 élève";
inline constexpr char kCountCellPlural[] = "Compétence %1 : validée par %2 élèves";

// The table's name, as a screen reader hears it and as the printed pages are titled. %1 the
// level ("école"), %2 the class.
inline constexpr char kTableNameClass[] = "Tableau des compétences niveau %1 – classe %2";
inline constexpr char kTableNameAll[] = "Tableau des compétences niveau %1 – toutes les classes";
inline constexpr char kTableNameNoClass[] = "Tableau des compétences niveau %1 – sans classe";

// Printed pages. %1 the table's name, %2 the date (dd/mm/yyyy).
inline constexpr char kPrintedTitle[] = "%1 – %2";
// %1 the page, %2 the pages.
inline constexpr char kPageNumber[] = "page %1/%2";
// The document's name in the print queue.
inline constexpr char kDocumentName[] = "Tableau des compétences";

// The spreadsheet file. The filter as the file dialogs take it; the default name, %1 the class
// as chosen ("6A", "Toutes les classes"), %2 the level ("école").
inline constexpr char kCsvFilter[] = "Tableur CSV|*.csv";
inline constexpr char kCsvFileName[] = "%1 - niveau %2.csv";
inline constexpr char kCsvNom[] = "Nom";
inline constexpr char kCsvPrenom[] = "Prénom";
inline constexpr char kCsvClasse[] = "Classe";
inline constexpr char kCsvNumero[] = "Numéro";
// A competence's column, %1 its running number.
inline constexpr char kCsvCompetence[] = "C%1";
// A validated competence whose date is blank.
inline constexpr char kCsvValidatedNoDate[] = "validée";

} // namespace kalidor::class_table_texts
