#pragma once
// Texts of adding and deleting pupils.

namespace kalidor::texts {

inline constexpr char kAjoutCaption[] = "Ajouter un élève";
inline constexpr char kAjoutNom[] = "Nom";
inline constexpr char kAjoutPrenom[] = "Prénom";
inline constexpr char kAjoutClasse[] = "Classe";
inline constexpr char kAjoutDateNaissance[] = "Date de Naissance";
inline constexpr char kAjoutEnregistrer[] = "&Enregistrer";
inline constexpr char kAjoutAnnuler[] = "&Annuler";

// Blanks on both sides belong to the message.
inline constexpr char kNomRequis[] = " Il faut saisir un nom d'élève. ";

// Followed by a line break and the pupil's line.
inline constexpr char kConfirmationEffacement[] = "Confirmation de l'effacement de";

} // namespace kalidor::texts
