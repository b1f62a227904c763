#pragma once
// Texts of the record layer: its input/output errors, the main list's lines, the names of
// the sample pupils, the referential's headings and the level rules.

namespace kalidor::record_texts {

// Input/output errors
inline constexpr char kFileNotFound[] = "Fichier introuvable";
inline constexpr char kAccessDenied[] = "Accès au fichier refusé";
inline constexpr char kTooManyOpenFiles[] = "Trop de fichiers ouverts";
inline constexpr char kBadFileName[] = "Nom de fichier incorrect";
inline constexpr char kDiskFull[] = "Disque plein";
inline constexpr char kReadPastEnd[] = "Lecture au-delà de la fin de fichier";
inline constexpr char kNotRegularFile[] = "Ce n'est pas un fichier ordinaire";
inline constexpr char kOtherIoError[] = "Erreur E/S %1";

// A new pupil finds no number, and a batch that stopped short: the count of pupils it created
// (0 or 1, then more), on a line after the reason.
inline constexpr char kNoFreeNumber[] =
    "Tous les numéros d'élève, de 1 à 999, sont pris : aucun élève ne peut plus être ajouté.";
inline constexpr char kStoppedAfterOne[] = "L'opération s'est arrêtée après %1 élève créé.";
inline constexpr char kStoppedAfterMany[] = "L'opération s'est arrêtée après %1 élèves créés.";
// A batch the user stopped between two pupils.
inline constexpr char kCancelledAfterOne[] = "L'opération a été annulée après %1 élève créé.";
inline constexpr char kCancelledAfterMany[] = "L'opération a été annulée après %1 élèves créés.";

// The main list. A line ends with the separator and its number; the mark is where a line is
// cut to name its pupil without the number.
inline constexpr char kNumberSeparator[] = " - n° ";
inline constexpr char kNumberMark[] = "n°";
inline constexpr char kClassSeparator[] = " : ";

// The views, as a screen reader names the list that shows them (the level views are also the
// menu items that choose them).
inline constexpr char kViewAllByName[] = "Tous les élèves, par noms";
inline constexpr char kViewAllByClass[] = "Tous les élèves, par classes";
inline constexpr char kViewWithEcole[] = "Les élèves ayant le niveau école";
inline constexpr char kViewWithCollege[] = "Les élèves ayant le niveau collège";
inline constexpr char kViewWithoutEcole[] = "Les élèves n'ayant pas le niveau école";
inline constexpr char kViewWithoutCollege[] = "Les élèves n'ayant pas le niveau collège";

// Count lines, plural (2 and more) then singular (0 and 1), after the number.
inline constexpr char kTotalPlural[] = " élèves au total";
inline constexpr char kTotalSingular[] = " élève au total";
inline constexpr char kWithEcolePlural[] = " élèves de niveau école";
inline constexpr char kWithEcoleSingular[] = " élève de niveau école";
inline constexpr char kWithCollegePlural[] = " élèves de niveau collège";
inline constexpr char kWithCollegeSingular[] = " élève de niveau collège";
inline constexpr char kWithoutEcolePlural[] = " élèves qui n'ont pas le niveau école";
inline constexpr char kWithoutEcoleSingular[] = " élève qui n'a pas le niveau école";
inline constexpr char kWithoutCollegePlural[] = " élèves qui n'ont pas le niveau collège";
inline constexpr char kWithoutCollegeSingular[] = " élève qui n'a pas le niveau collège";

// Names of the sample pupils
inline constexpr char kSampleBlankName[] = "n";
inline constexpr char kSampleNiveau1Name[] = "niv1_";
inline constexpr char kSampleNiveau2Name[] = "niv2_";
inline constexpr char kSampleFirstName[] = "p";
inline constexpr char kSampleClass[] = "a";

// The referential: the levels' names, the domains' titles on the sheet and in the index, and
// the index's headings. The competences' wordings are the referential's data table.
inline constexpr char kLevelNameEcole[] = "école";
inline constexpr char kLevelNameCollege[] = "collège";
inline constexpr char kDomain1SheetTitle[] =
    "1- S'approprier un environnement informatique de travail";
inline constexpr char kDomain2SheetTitle[] = "2- Adopter une attitude responsable";
inline constexpr char kDomain3SheetTitle[] = "3- Créer, produire, traiter, exploiter des données";
inline constexpr char kDomain4SheetTitle[] = "4 - S'informer, se documenter";
inline constexpr char kDomain5SheetTitle[] = "5- Communiquer, échanger";
inline constexpr char kDomain1IndexTitle[] =
    "S'approprier un environnement informatique de travail";
inline constexpr char kDomain2IndexTitle[] = "Adopter une attitude responsable";
inline constexpr char kDomain3IndexTitle[] = "Créer, produire, traiter, exploiter des données";
inline constexpr char kDomain4IndexTitle[] = "S'informer, se documenter";
inline constexpr char kDomain5IndexTitle[] = "Communiquer, échanger";
inline constexpr char kIndexHeadingEcole[] = "  Index des compétences B2i niveau école";
inline constexpr char kIndexHeadingCollege[] = "  Index des compétences B2i niveau collège";

// The verdict of a level on its results page. %1: the count of validated competences.
inline constexpr char kVerdictHeldEcole[] =
    "%1/22 Je détiens le Brevet informatique et internet niveau école";
inline constexpr char kVerdictNotHeldEcole[] =
    "%1/22 Je NE détiens PAS le Brevet informatique et internet niveau école";
inline constexpr char kVerdictHeldCollege[] =
    "%1/29 Je détiens le Brevet informatique et internet niveau collège";
inline constexpr char kVerdictNotHeldCollege[] =
    "%1/29 Je NE détiens PAS le Brevet informatique et internet niveau collège";

// The rule as the results pages state it, one line each, the last a single blank.
inline constexpr const char* kRuleLinesEcole[] = {
    "Pour détenir le B2i niveau école il faut  ",
    "-qu'au moins la moitié des items de chaque domaine soit validée", "et",
    "-qu'au moins 18 des 22 compétences soient validées.", " "};
inline constexpr const char* kRuleLinesCollege[] = {
    "Pour détenir le B2i niveau collège il faut ",
    "- qu'au moins la moitié des items de chaque domaine soit validée", "et",
    "- qu'au moins 23 des 29 compétences soient validées.", " "};

} // namespace kalidor::record_texts
