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
// Added to the question when the pupil's file changed since the list was shown (a folder shared
// by several machines).
inline constexpr char kChangedSinceListed[] =
    "Attention : cette fiche a été modifiée sur un autre poste depuis l'affichage de la liste.";

// Validating every competence of a pupil whose file another machine changed meanwhile.
// %1: the pupil's name and first name.
inline constexpr char kValidateOverOtherSave[] =
    "La fiche de %1 vient d'être modifiée sur un autre poste.\n"
    "Valider quand même toutes ses compétences et remplacer cette modification ?";

} // namespace kalidor::texts
