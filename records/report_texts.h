#pragma once
// Texts of the reports in the text pane and of the printed documents: the competence reviews
// and sheets, the certificates, the pupil lists and the print-in-progress window. Blanks count.

namespace kalidor::report_texts {

// Reviews and sheets in the text pane
inline constexpr char kFicheTitle[] = "          FICHE élève B2i";
inline constexpr char kReportClasse[] = "    Classe : ";
inline constexpr char kReviewHeadingEcole[] = "     Compétences B2i niveau école";
inline constexpr char kReviewHeadingCollege[] = "     Compétences B2i niveau collège";
inline constexpr char kSheetHeadingEcole[] = "     Niveau école";
inline constexpr char kSheetHeadingCollege[] = "     Niveau collège";
inline constexpr char kReportCompetence[] = " Compétence ";
inline constexpr char kReviewOk[] = " OK ";
inline constexpr char kValidatedEcole[] = " Validée ";
inline constexpr char kValidatedCollege[] = " Validée  ";
inline constexpr char kNotValidatedEcole[] = " Non Validée ";
inline constexpr char kNotValidatedCollege[] = " Non Validée";
inline constexpr char kTotalEcole[] = " Total Niveau école : ";
inline constexpr char kTotalCollege[] = " Total Niveau collège : ";
inline constexpr char kOutOfEcole[] = "/22";
inline constexpr char kOutOfCollege[] = "/29";
inline constexpr char kReportBlankLine[] = " ";
inline constexpr char kHeldEcole[] = " B2i niveau école acquis.";
inline constexpr char kNotHeldEcole[] = " B2i niveau école non acquis.";
inline constexpr char kHeldCollege[] = " B2i niveau collège acquis.";
inline constexpr char kNotHeldCollege[] = " B2i niveau collège non acquis.";

// The printed date. %1, %2, %3: day, month, year.
inline constexpr char kPrintedDate[] = "le %1-%2-%3";

// Certificates
inline constexpr char kAttestationBrevet[] = "B2i Brevet Informatique Internet";
inline constexpr char kAttestationLevelEcole[] = "école";
inline constexpr char kAttestationLevelCollege[] = "collège";
inline constexpr char kAttestationAttests[] =
    "Le brevet informatique et internet attestant les compétences";
inline constexpr char kAttestationGrantedEcole[] = "de niveau école est délivré à";
inline constexpr char kAttestationGrantedCollege[] = "de niveau collège est délivré à";
inline constexpr char kAttestationWord[] = "ATTESTATION";
inline constexpr char kAttestationPupil[] = "L'élève";
inline constexpr char kAttestationStamp[] = "Cachet Etablissement";

// A certificate refused. %1, %2, %3: the pupil's name, first name and class.
inline constexpr char kRefusalEcole[] =
    "L'élève %1 %2 classe : %3 n'a pas atteint le niveau école !";
inline constexpr char kRefusalCollege[] =
    "L'élève %1 %2 classe : %3 n'a pas atteint le niveau collège !";
// Before a batch of certificates. %1: the pupils, %2: the pages.
inline constexpr char kBatchCount[] = "%1 élèves, %2 pages";

// Document names and the abort window's panel texts
inline constexpr char kTitleAttestationEcole[] = "Attestation B2i niveau école";
inline constexpr char kTitleAttestationCollegeOne[] = "Attestation B2i niveau 2";
inline constexpr char kTitleAttestationCollegeAll[] = "Attestation B2i niveau collège";
inline constexpr char kPanelB2i[] = "Impression B2i";
inline constexpr char kPanelAttestationsCollege[] = "Attestations niveau collège";
inline constexpr char kTitleList[] = "B2i";

// Printed pupil lists
inline constexpr char kListHeader[] = "B2i Brevet informatique et internet (compétences)";
inline constexpr char kListTitleAll[] = "Liste de tous les élèves ";
inline constexpr char kListTitleWithEcole[] = "Liste des élèves ayant le Niveau école ";
inline constexpr char kListTitleWithCollege[] = "Liste des élèves ayant le Niveau collège ";
inline constexpr char kListTitleWithoutEcole[] = "Liste des élèves n'ayant pas le Niveau école ";
inline constexpr char kListTitleWithoutCollege[] =
    "Liste des élèves n'ayant pas le Niveau collège ";
// %1: the page, %2: the pages.
inline constexpr char kListPageNumber[] = "%1/%2";

// The print-in-progress window
inline constexpr char kAnnuleCaption[] = "Impression en cours";
inline constexpr char kAnnuleButton[] = "Abandonner l'impression";

} // namespace kalidor::report_texts
