#pragma once
// The texts the commands give the user, in French, each once. A sentence with values is one
// constant with %1, %2... filled by one QString::arg call.

namespace kalidor::command_texts {

// A list line's command, when the line's number now holds another pupil than the line showed.
// %1: the line, %2: the number, %3: the pupil the file holds now.
inline constexpr char kOtherPupilOnLine[] =
    "La ligne « %1 » ne correspond plus à son fichier : le n° %2 contient maintenant %3, un "
    "autre élève, enregistré sur un autre poste.\n"
    "Rien n'a été fait. Choisissez à nouveau l'affichage pour mettre la liste à jour.";

// Deleting the selected pupil. %1: the pupil's line.
inline constexpr char kConfirmationEffacement[] = "Confirmation de l'effacement de\n%1";
// Added to the question when the pupil's file changed since the list was shown (a folder shared
// by several machines).
inline constexpr char kChangedSinceListed[] =
    "Attention : cette fiche a été modifiée sur un autre poste depuis l'affichage de la liste.";
// Added to the confirmation of a delete when the number now holds another pupil.
// %1: the number, %2: the pupil the file holds now.
inline constexpr char kDeleteOtherPupil[] =
    "Attention : le n° %1 contient maintenant %2, un autre élève que celui de cette ligne, "
    "enregistré sur un autre poste. C'est cet élève qui serait effacé.";

// Saving a sheet. %1: the pupil of the sheet, as it was opened.
inline constexpr char kSaveOverOtherSave[] =
    "La fiche de %1 a été modifiée sur un autre poste depuis que vous l'avez ouverte.\n"
    "Remplacer cette modification par la vôtre ?";
inline constexpr char kSaveDeletedElsewhere[] =
    "La fiche de %1 a été effacée sur un autre poste depuis que vous l'avez ouverte.\n"
    "La recréer avec ce que vous avez saisi ?";
// %1: the number, %2: the pupil the file holds now, %3: the pupil of the sheet.
inline constexpr char kSaveOtherPupilNow[] =
    "Le n° %1 contient maintenant %2, un autre élève, enregistré sur un autre poste depuis que "
    "vous avez ouvert la fiche de %3. Cet élève ne sera pas remplacé.\n"
    "Enregistrer %3 sous un nouveau numéro ?";
// %1: the pupil of the sheet, %2: the number it was saved under.
inline constexpr char kSavedUnderNumber[] = "La fiche de %1 est enregistrée sous le n° %2.";

// Validating every competence of the selected pupil. %1: the pupil's name.
inline constexpr char kValidateOverOtherSave[] =
    "La fiche de %1 vient d'être modifiée sur un autre poste.\n"
    "Valider quand même toutes ses compétences et remplacer cette modification ?";
inline constexpr char kValidateDeletedElsewhere[] =
    "La fiche de %1 vient d'être effacée sur un autre poste : aucune compétence n'a été validée.";

// What the check of a folder says of an entry that is not a readable pupil, after its name.
inline constexpr char kCheckCopy[] =
    "copie : aucune commande ne s'en sert (renommez-la en un numéro libre pour l'utiliser)";
inline constexpr char kCheckLeftover[] = "laissé par une écriture interrompue";
// "name : why"
inline constexpr char kCheckLine[] = "%1 : %2";

} // namespace kalidor::command_texts
