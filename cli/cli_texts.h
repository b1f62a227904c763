#pragma once
// The texts of the command line, in French, each once. A sentence with values is one constant
// with %1, %2... filled by one QString::arg call.

namespace kalidor::cli_texts {

// The names the command line is called with: verbs, options and their values.
inline constexpr char kVerbListe[] = "liste";
inline constexpr char kVerbImporterClasse[] = "importer-classe";
inline constexpr char kVerbTableau[] = "tableau";
inline constexpr char kVerbVerifier[] = "verifier";
inline constexpr char kVerbImporterAnnuaire[] = "importer-annuaire";
inline constexpr char kOptionHelp[] = "--help";
inline constexpr char kOptionVue[] = "--vue";
inline constexpr char kOptionClasse[] = "--classe";
inline constexpr char kOptionNiveau[] = "--niveau";
inline constexpr char kOptionCsv[] = "--csv";
inline constexpr char kOptionSimuler[] = "--simuler";
inline constexpr char kNiveauEcole[] = "ecole";
inline constexpr char kNiveauCollege[] = "college";
// The views of "liste".
inline constexpr char kVueTous[] = "tous";
inline constexpr char kVueClasses[] = "classes";
inline constexpr char kVueEcole[] = "ecole";
inline constexpr char kVueCollege[] = "college";
inline constexpr char kVueSansEcole[] = "sans-ecole";
inline constexpr char kVueSansCollege[] = "sans-college";

// --help, on the standard output.
inline constexpr char kHelp[] =
    "Utilisation : kalidor-cli DOSSIER COMMANDE [OPTIONS]\n"
    "\n"
    "DOSSIER est le dossier du programme KALIDOR, où sont les fiches des élèves (n.b2i).\n"
    "Aucune fenêtre n'est ouverte : un écran n'est pas nécessaire.\n"
    "\n"
    "Commandes :\n"
    "  liste [--vue VUE]\n"
    "      Affiche les lignes de la liste des élèves dans l'ordre de la fenêtre, puis le nombre\n"
    "      d'élèves. VUE : tous (par défaut), classes, ecole, college, sans-ecole, sans-college.\n"
    "  importer-classe FICHIER\n"
    "      Crée un élève par ligne du fichier texte (NOM;Prénom), la classe étant le nom du\n"
    "      fichier jusqu'au premier point, et affiche la ligne de chaque élève créé.\n"
    "  tableau --classe CLASSE --niveau ecole|college [--csv FICHIER]\n"
    "      Affiche le tableau des compétences de la classe (colonnes séparées par des\n"
    "      tabulations), ou l'écrit dans FICHIER pour un tableur. CLASSE est la classe telle\n"
    "      qu'elle est enregistrée ; \"\" ou \"(sans classe)\" pour les élèves sans classe.\n"
    "  verifier\n"
    "      Liste ce que le dossier contient qui n'est pas une fiche d'élève lisible (fiche\n"
    "      endommagée ou trop courte, entrée qui n'est pas un fichier ordinaire, reste d'une\n"
    "      écriture interrompue, copie), sans rien modifier.\n"
    "  importer-annuaire FICHIER [--simuler]\n"
    "      Importe les élèves de l'exportation de l'annuaire de l'établissement\n"
    "      (ElevesSansAdresses.xml du collège, l'archive zip qui le contient, ou l'extraction\n"
    "      CSV de l'école) : crée les nouveaux élèves, change la classe de ceux qui en\n"
    "      changent, n'efface personne. Affiche d'abord l'aperçu ; avec --simuler, affiche\n"
    "      l'aperçu seul et n'écrit rien.\n"
    "\n"
    "  --help  affiche cette aide.\n"
    "\n"
    "Code de retour : 0 en cas de succès, 1 en cas d'échec (expliqué sur la sortie d'erreur),\n"
    "2 pour un appel incorrect.";

// A wrong call, on the standard error: what is wrong (one of the reasons below), then how to
// call the program.
inline constexpr char kWrongCall[] =
    "kalidor-cli : %1\n"
    "Utilisation : kalidor-cli DOSSIER liste|importer-classe|tableau|verifier|importer-annuaire "
    "[OPTIONS]\n"
    "L'aide : kalidor-cli --help";
inline constexpr char kMissingFolder[] = "il manque le dossier et la commande.";
inline constexpr char kMissingVerb[] = "il manque la commande.";
// %1: what was given.
inline constexpr char kUnknownVerb[] = "commande inconnue : %1";
// %1: the verb, %2: the option.
inline constexpr char kUnknownOption[] = "option inconnue pour %1 : %2";
// %1: the option.
inline constexpr char kMissingValue[] = "il manque la valeur de l'option %1.";
// %1: the option, %2: the value given.
inline constexpr char kWrongValue[] = "valeur incorrecte pour l'option %1 : %2";
// %1: the verb, %2: the option.
inline constexpr char kMissingOption[] = "la commande %1 demande l'option %2.";
inline constexpr char kMissingClassFile[] = "il manque le fichier de la classe.";
inline constexpr char kMissingDirectoryFile[] = "il manque le fichier de l'annuaire.";
// %1: the argument.
inline constexpr char kExtraArgument[] = "argument en trop : %1";
// %1: the folder.
inline constexpr char kNoSuchFolder[] = "le dossier « %1 » n'existe pas.";

// The end of a class import. %1: the pupils created (0 and 1, then more).
inline constexpr char kCreatedOne[] = "%1 élève créé";
inline constexpr char kCreatedMany[] = "%1 élèves créés";

// The table of a class that no pupil of the folder is in. %1: the class as given.
inline constexpr char kNoSuchClass[] = "Aucun élève de la classe « %1 » dans ce dossier.";
// %1: the classes of the folder, separated by kClassSeparator.
inline constexpr char kFolderClasses[] = "Classes du dossier : %1";
inline constexpr char kClassSeparator[] = ", ";

// The check of a folder. %1: the entries found (1, then more), said on the standard error.
inline constexpr char kCheckFoundOne[] =
    "%1 entrée du dossier n'est pas une fiche d'élève lisible.";
inline constexpr char kCheckFoundMany[] =
    "%1 entrées du dossier ne sont pas des fiches d'élèves lisibles.";
inline constexpr char kCheckClean[] = "Le dossier ne contient que des fiches d'élèves lisibles.";

} // namespace kalidor::cli_texts
