#pragma once
// Texts of the transfer dialog, of the class import and of the school directory's import.

namespace kalidor::exchange_texts {

// The transfer dialog
inline constexpr char kTransCaption[] = "Fichier de transfert";
inline constexpr char kListeComplete[] = "Liste complète";
inline constexpr char kElevesDuFichier[] = "Elèves du fichier de transfert";
inline constexpr char kAjouterAuTransfert[] = ">>";
inline constexpr char kReprendreDuTransfert[] = "<<";
inline constexpr char kFermer[] = "Fermer";
inline constexpr char kOk[] = "OK";
inline constexpr char kCreerFichier[] = "Créer fichier de transfert";
inline constexpr char kOuvrirFichier[] = "Ouvrir fichier de transfert";
inline constexpr char kNombreListeComplete[] = "Nombre d'élèves de la liste complète";
inline constexpr char kNombreListeTransfert[] = "Nombre d'élèves du fichier de transfert";

// File dialog filters
inline constexpr char kTransferFilter[] = "Fichiers transfert|*.b2t";
inline constexpr char kClassFilter[] = "Classe Texte |*.TXT|Autres fichiers |*.*";
inline constexpr char kDirectoryFilter[] = "Export de l'annuaire|*.xml;*.zip;*.csv";

// Messages
inline constexpr char kCreateFailed[] = "Echec à la création du fichier";
inline constexpr char kOpenFailed[] = "Echec à l'ouverture du fichier";
// A created transfer file: its name on the next line (a CR breaks the line in a message box).
inline constexpr char kTransferCreated[] = "Fichier de transfert créé : \r%1";
// Pupils whose record could not be read, on a line after the created file's message.
inline constexpr char kOnePupilLeftOut[] =
    "1 élève n'a pas pu être lu et n'est pas dans le fichier.";
inline constexpr char kPupilsLeftOut[] =
    "%1 élèves n'ont pas pu être lus et ne sont pas dans le fichier.";
// Pupils of the list whose number another machine gave to another pupil meanwhile.
inline constexpr char kOnePupilReplaced[] =
    "1 élève de la liste a été remplacé par un autre élève sur un autre poste et n'est pas dans "
    "le fichier.";
inline constexpr char kPupilsReplaced[] =
    "%1 élèves de la liste ont été remplacés par d'autres élèves sur un autre poste et ne sont "
    "pas dans le fichier.";
// A transfer file whose size or records are not those of pupils, with the file's name.
inline constexpr char kDamagedTransferFile[] =
    "Ce fichier est endommagé ou n'est pas un fichier de transfert :\n%1";
inline constexpr char kTransferListCapped[] =
    "Ce fichier de transfert contient plus de 999 élèves : seuls les 999 premiers sont listés.";
// A class file that is not text, with the file's name.
inline constexpr char kNotTextFile[] =
    "Ce fichier n'est pas un fichier texte ; aucun élève n'a été créé :\n%1";
// A class file whose text stops: the number of pupils created (0 or 1, then more), the file.
inline constexpr char kNotTextFurtherOne[] =
    "La suite de ce fichier n'est pas du texte ; l'importation s'est arrêtée après %1 élève :\n%2";
inline constexpr char kNotTextFurtherMany[] =
    "La suite de ce fichier n'est pas du texte ; l'importation s'est arrêtée après %1 élèves :\n%2";

// The school directory's export. A file that is not one, with the file's name.
inline constexpr char kNotDirectoryExport[] =
    "Ce fichier n'est pas une exportation des élèves ; aucun élève n'a été créé :\n%1\n"
    "Fichiers attendus : ElevesSansAdresses.xml du collège, ou l'archive "
    "ExportXML_ElevesSansAdresses.zip qui le contient, ou l'extraction CSV de l'école dont la "
    "première ligne nomme les colonnes « Nom élève », « Prénom élève », « Date naissance », "
    "« Niveau » et « Libellé classe ».";
inline constexpr char kDamagedZip[] =
    "Cette archive zip ne peut pas être lue (endommagée ou protégée par un mot de passe) ; "
    "aucun élève n'a été créé :\n%1\n"
    "Archive attendue : ExportXML_ElevesSansAdresses.zip, qui contient ElevesSansAdresses.xml.";
inline constexpr char kZipUnreadableHere[] =
    "Les archives zip ne peuvent pas être lues sur ce poste (libzip n'y est pas installée) ; "
    "choisissez le fichier ElevesSansAdresses.xml qu'elle contient. Aucun élève n'a été "
    "créé :\n%1";
inline constexpr char kZipWithoutExport[] =
    "Cette archive ne contient pas le fichier ElevesSansAdresses.xml ; aucun élève n'a été "
    "créé :\n%1";
inline constexpr char kNotBeeEleves[] =
    "Ce fichier XML n'est pas une exportation des élèves (il n'a pas d'élément BEE_ELEVES) ; "
    "aucun élève n'a été créé :\n%1\nFichier attendu : ElevesSansAdresses.xml.";
// A damaged XML file: its name, the line where it stops being XML.
inline constexpr char kDamagedXml[] =
    "Ce fichier XML est endommagé à la ligne %2 ; aucun élève n'a été créé :\n%1";
// Why a pupil of the export is not imported.
inline constexpr char kIgnoredLeft[] = "sorti de l'établissement";
inline constexpr char kIgnoredInactive[] = "classe « Inactifs »";
inline constexpr char kIgnoredNoName[] = "sans nom";
// The import's summary, with a count (0 or 1, then more).
inline constexpr char kAbsentOne[] = "%1 élève du dossier absent du fichier";
inline constexpr char kAbsentMany[] = "%1 élèves du dossier absents du fichier";
inline constexpr char kCannotCreateOne[] =
    "Il ne reste pas assez de numéros libres (de 1 à 999) : %1 nouvel élève ne pourra pas être "
    "créé.";
inline constexpr char kCannotCreateMany[] =
    "Il ne reste pas assez de numéros libres (de 1 à 999) : %1 nouveaux élèves ne pourront pas "
    "être créés.";

// The progress of an import: %1 the class, then %2 done of %3; or %1 done of %2.
inline constexpr char kProgressClassImport[] = "Import de la classe %1… %2/%3";
inline constexpr char kProgressTransferImport[] = "Import du fichier de transfert… %1/%2";
inline constexpr char kProgressTransferWrite[] =
    "Lecture des élèves du fichier de transfert… %1/%2";
inline constexpr char kTransferCancelled[] =
    "Création du fichier de transfert annulée : aucun fichier n'a été écrit.";

} // namespace kalidor::exchange_texts
