#pragma once
// Texts of the main window, its menus, adding and deleting pupils, and the about box.

#include "records/record_texts.h"

namespace kalidor::app_texts {

inline constexpr char kMainCaption[] = "KALIDOR";

// Menus
inline constexpr char kMenuFichiers[] = "Fichiers";
inline constexpr char kMenuModifier[] = "Modifier";
inline constexpr char kMenuAffichage[] = "Affichage";
inline constexpr char kMenuEdition[] = "Edition";
inline constexpr char kMenuImprimer[] = "Imprimer";

// Fichiers
inline constexpr char kAjouterUnEleve[] = "Ajouter un élève";
inline constexpr char kEffacerEleve[] = "Effacer l'élève sélectionné";
inline constexpr char kFichierTransfert[] = "Fichier de transfert de données b2i";
inline constexpr char kImporterClasse[] = "Importer classe en mode texte et ;";
inline constexpr char kImporterAnnuaire[] = "Importer depuis l'annuaire de l'établissement…";
inline constexpr char kQuitter[] = "Quitter";
inline constexpr char kValiderCompetences[] = "Valider compétences éleve sél";
inline constexpr char kAPropos[] = "A propos...";
inline constexpr char kCreer110[] = "créer 110 élèves";
inline constexpr char kCreer17Niveau1[] = "créer 17 élèves niveau 1";
inline constexpr char kCreer17Niveau2[] = "créer 17 élèves niveau 2";
inline constexpr char kCreer17Niveau3[] = "créer 17 élèves niveau 3";

// Modifier
inline constexpr char kCompetencesEleve[] = "Compétences B2i de l'élève sélectionné";

// Affichage
inline constexpr char kTousLesEleves[] = "Tous les élèves";
inline constexpr char kTriParNoms[] = "Tri par noms";
inline constexpr char kTriParClasses[] = "Tri par classes";
// The level views' items are named as the views are.
inline constexpr const char* kAyantEcole = record_texts::kViewWithEcole;
inline constexpr const char* kAyantCollege = record_texts::kViewWithCollege;
inline constexpr const char* kNayantPasEcole = record_texts::kViewWithoutEcole;
inline constexpr const char* kNayantPasCollege = record_texts::kViewWithoutCollege;
inline constexpr char kBilanEcole[] = "Bilan des compétences école de l'élève";
inline constexpr char kBilanCollege[] = "Bilan des compétences collège de l'élève";
inline constexpr char kListeCompetencesEcole[] = "Liste des compétences niveau école";
inline constexpr char kListeCompetencesCollege[] = "Liste des compétences niveau collège";

// Edition
inline constexpr char kTextesOfficiels[] = "Textes officiels";

// Imprimer
inline constexpr char kImprimerCompetencesEcole[] = "Imprimer compétences niveau école de l'élève";
inline constexpr char kImprimerCompetencesCollege[] =
    "Imprimer compétences niveau collège de l'élève";
inline constexpr char kImprimerAttestationEcole[] = "Imprimer attestation niveau école de l'élève";
inline constexpr char kImprimerAttestationCollege[] =
    "Imprimer attestation niveau collège de l'élève";
inline constexpr char kListeTous[] = "Liste de tous les élèves";
inline constexpr char kListeAyantEcole[] = "Liste des élèves ayant le niveau école";
inline constexpr char kListeAyantCollege[] = "Liste des élèves ayant le niveau collège";
inline constexpr char kListeNayantPasEcole[] = "Liste des élèves n'ayant pas le niveau école";
inline constexpr char kListeNayantPasCollege[] = "Liste des élèves n'ayant pas le niveau collège";
inline constexpr char kToutesAttestationsEcole[] =
    "Imprimer toutes les attestations de niveau école";
inline constexpr char kToutesAttestationsCollege[] =
    "Imprimer toutes les attestations de niveau collège";

// Pop-up menu of the list
inline constexpr char kModifierCompetences[] = "Modifier compétences de l'élève";
inline constexpr char kTrierParClasses[] = "Trier par classes";
inline constexpr char kTrierParNoms[] = "Trier par noms";
inline constexpr char kImprimerBilan[] = "Imprimer bilan compétences de l'élève";
inline constexpr char kImprimerAttestationLycee[] = "Imprimer attestation niveau lycée de l'élève";

// What a screen reader hears: the list names the view it shows (record_texts), the text pane
// its purpose.
inline constexpr const char* kListByName = record_texts::kViewAllByName;
inline constexpr const char* kListByClass = record_texts::kViewAllByClass;
inline constexpr char kMemoName[] = "Comptes, bilans et listes";

// Side files beside the program
inline constexpr char kOfficialTextsFile[] = "bo.txb";
inline constexpr char kLogoFile[] = "logo.jpg";
inline constexpr char kIconFile[] = "kalidor.png";

// About box
inline constexpr char kAboutCaption[] = "A propos";
inline constexpr char kProductName[] = "KALIDOR 2009";
inline constexpr char kProductDescription[] = "Suivi des compétences B2i";
inline constexpr char kAuthor[] = "L'équipe KALIDOR, pour les enseignants";
inline constexpr char kAboutOk[] = "OK";

// Start-up without a display
inline constexpr char kNoDisplay[] =
    "KALIDOR est un programme à fenêtres : il a besoin d'un écran graphique.\n"
    "Aucun affichage n'est disponible (la variable DISPLAY n'est pas définie).\n"
    "Lancez-le depuis une session graphique.\n";

// Adding a pupil
inline constexpr char kAjoutCaption[] = "Ajouter un élève";
inline constexpr char kAjoutNom[] = "Nom";
inline constexpr char kAjoutPrenom[] = "Prénom";
inline constexpr char kAjoutClasse[] = "Classe";
inline constexpr char kAjoutDateNaissance[] = "Date de Naissance";
inline constexpr char kAjoutEnregistrer[] = "&Enregistrer";
inline constexpr char kAjoutAnnuler[] = "&Annuler";

// Blanks on both sides belong to the message.
inline constexpr char kNomRequis[] = " Il faut saisir un nom d'élève. ";

// The progress of a long command: %1 done of %2.
inline constexpr char kProgressReading[] = "Lecture des élèves… %1/%2";
inline constexpr char kProgressSamples[] = "Création des élèves… %1/%2";

// The preview of the school directory's import.
inline constexpr char kDirectoryCaption[] = "Importer depuis l'annuaire de l'établissement";
// %1: the export's file.
inline constexpr char kDirectoryFile[] = "Fichier : %1";
inline constexpr char kDirectoryClasses[] =
    "Classes du fichier (la classe enregistrée peut être modifiée, 8 caractères au plus) :";
inline constexpr const char* kDirectoryColumns[] = {
    "Classe dans le fichier", "Classe enregistrée", "Élèves",     "Nouveaux",
    "Changent de classe",     "Inchangés",          "À vérifier", "Remarque"};
inline constexpr char kDirectoryClashNote[] = "même classe enregistrée qu'une autre";
inline constexpr char kDirectoryPupils[] = "Élèves ignorés et élèves à vérifier :";
inline constexpr char kDirectoryImport[] = "&Importer";
inline constexpr char kDirectoryCancel[] = "&Annuler";

} // namespace kalidor::app_texts
