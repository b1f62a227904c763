#pragma once
// Texts of the competence sheet.

namespace kalidor::sheet_texts {

inline constexpr char kSheetCaption[] = "Fiche Elève compétences B2i";

// Identity panel
inline constexpr char kSheetNom[] = "Nom";
inline constexpr char kSheetPrenom[] = "Prénom";
inline constexpr char kSheetClasse[] = "Classe";
inline constexpr char kSheetDateNaissance[] = "Date de Naissance";

// Pages, in order; the results pages follow the five domains of their level.
inline constexpr char kResultsPageEcole[] = "Résultats B2i école";
inline constexpr char kResultsPageCollege[] = "Résultats B2i collège";
inline constexpr char kLevelLabelEcole[] = "B2i école";
inline constexpr char kLevelLabelCollege[] = "B2i collège";
inline constexpr char kResultCaption[] = "Résultat";

// Details panel
inline constexpr char kSheetProfesseur[] = "Nom de l'enseignant attestant la compétence";
inline constexpr char kSheetDate[] = "Date";
inline constexpr char kSheetDiscipline[] = "Discipline";
inline constexpr char kSheetDescription[] = "Description de la compétence";
inline constexpr char kSheetItemNumber[] = "Numéro de la compétence choisie";
inline constexpr char kSheetEnregistrer[] = "Enregistrer";
inline constexpr char kSheetAnnuler[] = "Annuler";

// %1: the full path of the description file.
inline constexpr char kCannotOpenFile[] = "Impossible d'ouvrir le fichier %1";

} // namespace kalidor::sheet_texts
