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

// Working on a group of pupils from the competence table. A count of pupils or competences, %1
// the number: one form for 0 and 1, another for more.
inline constexpr char kPupilsOne[] = "%1 élève";
inline constexpr char kPupilsMany[] = "%1 élèves";
inline constexpr char kCompetencesOne[] = "%1 compétence";
inline constexpr char kCompetencesMany[] = "%1 compétences";
inline constexpr char kAlreadyValidatedOne[] = "%1 déjà validée";
inline constexpr char kAlreadyValidatedMany[] = "%1 déjà validées";
// What validating will do. %1: the pupils ("12 élèves"), %2: the competence's running number,
// %3: its item code ("2.3"), %4: the cells to validate, %5: those validated already ("3 déjà
// validées").
inline constexpr char kPlanOneCompetence[] = "%1, compétence %2 (%3) : %4 à valider, %5";
// The same for several competences, %2 being them ("3 compétences").
inline constexpr char kPlanCompetences[] = "%1, %2 : %3 à valider, %4";
// %1: the validated competences ("3 compétences"), %2: the pupils ("2 élèves").
inline constexpr char kUnvalidateQuestion[] = "Retirer la validation de %1 pour %2 ?";
// %1: the pupils ("2 élèves").
inline constexpr char kClassChangePlan[] = "Nouvelle classe de %1 :";

// The summary of a batch, one line each. %1: a count.
inline constexpr char kValidatedOne[] = "%1 compétence validée.";
inline constexpr char kValidatedMany[] = "%1 compétences validées.";
inline constexpr char kKeptOne[] = "%1 compétence déjà validée : détails gardés.";
inline constexpr char kKeptMany[] = "%1 compétences déjà validées : détails gardés.";
inline constexpr char kReplacedOne[] = "%1 compétence déjà validée : détails remplacés.";
inline constexpr char kReplacedMany[] = "%1 compétences déjà validées : détails remplacés.";
inline constexpr char kUnvalidatedOne[] = "%1 validation retirée.";
inline constexpr char kUnvalidatedMany[] = "%1 validations retirées.";
// %2: the new class.
inline constexpr char kClassChangedOne[] = "%1 élève passé en classe %2.";
inline constexpr char kClassChangedMany[] = "%1 élèves passés en classe %2.";
// A pupil left alone. %1: the pupil as the table showed it, %2: its number.
inline constexpr char kChangedElsewhere[] = "%1 (n° %2) non modifié : changé sur un autre poste";
inline constexpr char kDeletedElsewhere[] = "%1 (n° %2) non modifié : effacé sur un autre poste";
// After a failed write's message: the pupils saved before it stay.
inline constexpr char kStoppedAfterOne[] = "L'opération s'est arrêtée après %1 élève modifié.";
inline constexpr char kStoppedAfterMany[] = "L'opération s'est arrêtée après %1 élèves modifiés.";

// The school directory's import. The preview, one line per class: %1 the label in the file,
// %2 the class as stored, %3 its pupils, %4 the new ones, %5 those changing class, %6 those
// unchanged, %7 those to check.
inline constexpr char kDirectoryClassLine[] = "%1 → %2 — élèves : %3 ; nouveaux : %4 ; changent "
                                              "de classe : %5 ; inchangés : %6 ; à vérifier : %7";
// After a class line whose stored name is another class's too.
inline constexpr char kDirectoryClash[] = "  (enregistrée comme une autre classe du fichier)";
inline constexpr char kDirectoryClassesTitle[] = "Classes du fichier :";
inline constexpr char kDirectoryIgnoredTitle[] = "Élèves ignorés :";
inline constexpr char kDirectoryToCheckTitle[] = "Élèves à vérifier (rien n'est fait pour eux) :";
// A pupil of the file: %1 the name, %2 the first name, %3 the class in the file, %4 why.
inline constexpr char kDirectoryPupilLine[] = "%1 %2 (%3) : %4";
// Why a pupil is to check: %1 the numbers of the folder's pupils it could be.
inline constexpr char kDirectoryCouldBe[] = "pourrait être le n° %1";
inline constexpr char kDirectoryTwoLines[] = "plusieurs lignes du fichier pour un même élève";
// The summary, %1..%5 the counts.
inline constexpr char kDirectorySummary[] =
    "Importation depuis l'annuaire terminée.\nÉlèves créés : %1\nChangés de classe : %2\n"
    "Inchangés : %3\nIgnorés : %4\nÀ vérifier : %5";
// A class change left undone: %1 the pupil's name and first name, %2 the number.
inline constexpr char kDirectoryChangedMeanwhile[] =
    "%1 (n° %2) à vérifier : non modifié, changé sur un autre poste depuis l'aperçu";
// The progress of the import: %1 done of %2.
inline constexpr char kDirectoryProgress[] = "Import depuis l'annuaire… %1/%2";

} // namespace kalidor::command_texts
