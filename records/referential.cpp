#include "records/referential.h"

#include "records/record_texts.h"
#include "records/utf8.h"

#include <array>

namespace kalidor {

namespace {

constexpr std::array<Competence, 51> kCompetences{{
    {1, 1, 1, 1, 1, "111",
     "Je sais désigner et nommer les principaux éléments composant l'équipement informatique."},
    {2, 1, 1, 2, 2, "112",
     "Je sais allumer et éteindre l'équipement informatique et je sais à quoi il sert."},
    {3, 1, 1, 3, 3, "113",
     "Je sais déplacer le pointeur, placer le curseur, sélectionner, effacer et valider."},
    {4, 1, 1, 4, 4, "114", "Je sais accéder à un dossier, ouvrir et enregistrer un fichier."},
    {5, 1, 2, 1, 5, "121",
     "Je connais les droits et devoirs indiqués dans la charte d'usage des TIC de mon école."},
    {6, 1, 2, 2, 6, "122",
     "Je respecte les autres et je me protège dans le cadre de la communication et publication "
     "électronique."},
    {7, 1, 2, 3, 7, "123",
     "Si je souhaite récupérer un document, je vérifie que j'ai le droit de l'utiliser et dans "
     "quelles conditions."},
    {8, 1, 2, 4, 8, "124",
     "Je trouve des indices avant d'accorder ma confiance aux informations et propositions que la "
     "machine me fournit."},
    {9, 1, 3, 1, 9, "131", "Je sais produire et modifier un texte, une image ou un son."},
    {10, 1, 3, 2, 10, "132",
     "Je sais saisir les caractères en minuscules, en majuscules, les lettres accentuées et signes "
     "de ponctuation."},
    {11, 1, 3, 3, 11, "133",
     "Je sais modifier la mise en forme des caractères et des paragraphes."},
    {12, 1, 3, 4, 12, "134",
     "Je sais utiliser les fonctions copier, couper, coller, insérer, glisser, déposer."},
    {13, 1, 3, 5, 13, "135",
     "Je sais regrouper dans un même document du texte ou des images ou du son."},
    {14, 1, 3, 6, 14, "136", "Je sais imprimer un document."},
    {15, 1, 4, 1, 15, "141",
     "Je sais utiliser les fenêtres, ascenseurs, boutons de défilement, liens, listes déroulantes, "
     "icônes et onglets."},
    {16, 1, 4, 2, 16, "142", "Je sais récupérer les informations affichées à l'écran."},
    {17, 1, 4, 3, 17, "143", "Je sais saisir une adresse internet et naviguer dans un site."},
    {18, 1, 4, 4, 18, "144", "Je sais utiliser un mot clé ou un menu pour faire une recherche."},
    {19, 1, 5, 1, 19, "151", "Je sais envoyer et recevoir un message."},
    {20, 1, 5, 2, 20, "152", "Je sais dire de qui provient un message et à qui il est adressé."},
    {21, 1, 5, 3, 21, "153", "Je sais trouver le sujet d'un message."},
    {22, 1, 5, 4, 22, "154", "Je sais trouver la date d'envoi d'un message."},
    {23, 2, 1, 1, 1, "211",
     "Je sais m'identifier sur un réseau ou un site et mettre fin à cette identification."},
    {24, 2, 1, 2, 2, "212",
     "Je sais accéder aux logiciels et aux documents disponibles à partir de mon espace de "
     "travail."},
    {25, 2, 1, 3, 3, "213", "Je sais organiser mes espaces de stockage."},
    {26, 2, 1, 4, 4, "214",
     "Je sais lire les propriétés d'un fichier : nom, format, taille, dates de création et de "
     "modification."},
    {27, 2, 1, 5, 5, "215",
     "Je sais paramétrer l'impression (prévisualisation, quantité, partie de documents...)."},
    {28, 2, 1, 6, 6, "216",
     "Je sais faire un autre choix que celui proposé par défaut (lieu d'enregistrement, format, "
     "imprimante,...)."},
    {29, 2, 2, 1, 7, "221",
     "Je connais les droits et devoirs indiqués dans la charte d'usage des TIC et la procédure "
     "d'alerte de mon établissement."},
    {30, 2, 2, 2, 8, "222",
     "Je protège ma vie privée en ne donnant sur internet des renseignements me concernant qu'avec "
     "l'accord de mon responsable légal."},
    {31, 2, 2, 3, 9, "223",
     "Lorsque j'utilise ou transmets des documents, je vérifie que j'en ai le droit."},
    {32, 2, 2, 4, 10, "224",
     "Je m'interroge sur les résultats des traitements informatiques (calcul, représentation "
     "graphique, correcteur,...)."},
    {33, 2, 2, 5, 11, "225",
     "J'applique des règles de prudence contre les risques de malveillance (virus, spam,...)."},
    {34, 2, 2, 6, 12, "226",
     "Je sécurise mes données (gestion des mots de passe, fermeture de session, sauvegarde)."},
    {35, 2, 2, 7, 13, "227",
     "Je mets mes compétences informatiques au service d'une production collective."},
    {36, 2, 3, 1, 14, "231",
     "Je sais modifier la mise en forme des caractères et des paragraphes, paginer "
     "automatiquement."},
    {37, 2, 3, 2, 15, "232",
     "Je sais utiliser l'outil de recherche et de remplacement dans un document."},
    {38, 2, 3, 3, 16, "233",
     "Je sais regrouper dans un même document plusieurs éléments (texte, image, tableau, son, "
     "graphique, vidéo)."},
    {39, 2, 3, 4, 17, "234", "Je sais créer, modifier une feuille de calcul, insérer une formule."},
    {40, 2, 3, 5, 18, "235", "Je sais réaliser un graphique de type donné."},
    {41, 2, 3, 6, 19, "236",
     "Je sais utiliser un outil de simulation (ou de modélisation) en étant conscient de ses "
     "limites."},
    {42, 2, 3, 7, 20, "237",
     "Je sais traiter un fichier image ou son à l'aide d'un logiciel dédié notamment pour modifier "
     "ses propriétés élémentaires."},
    {43, 2, 4, 1, 21, "241",
     "Je sais rechercher des références de documents à l'aide du logiciel documentaire présent au "
     "CDI."},
    {44, 2, 4, 2, 22, "242",
     "Je sais utiliser les fonctions principales d'un logiciel de navigation sur le web "
     "(paramétres, favoris, affichages, impression)."},
    {45, 2, 4, 3, 23, "243",
     "Je sais utiliser les fonctions principales d'un outil de recherche sur le web (moteur de "
     "recherche, annuaire,...)."},
    {46, 2, 4, 4, 24, "244",
     "Je sais relever des éléments me permettant de connaître l'origine de l'information (auteur, "
     "date, source...)."},
    {47, 2, 4, 5, 25, "245",
     "Je sais sélectionner des résultats lors d'une recherche (et donner des arguments permettant "
     "de justifier mon choix)."},
    {48, 2, 5, 1, 26, "251",
     "Lorsque j'envoie ou je publie des informations, je réfléchis aux lecteurs possibles en "
     "fonction de l'outil utilisé."},
    {49, 2, 5, 2, 27, "252",
     "Je sais ouvrir et enregistrer un fichier joint à un message ou une publication."},
    {50, 2, 5, 3, 28, "253", "Je sais envoyer ou publier un message avec un fichier joint."},
    {51, 2, 5, 4, 29, "254",
     "Je sais utiliser un carnet d'adresses ou un annuaire pour choisir un destinataire."},
}};

constexpr int kDomainSizes[2][kDomainCount] = {{4, 4, 6, 4, 4}, {6, 7, 7, 5, 4}};

constexpr const char* kDomainSheetTitles[kDomainCount] = {
    record_texts::kDomain1SheetTitle, record_texts::kDomain2SheetTitle,
    record_texts::kDomain3SheetTitle, record_texts::kDomain4SheetTitle,
    record_texts::kDomain5SheetTitle};

constexpr const char* kDomainIndexTitles[kDomainCount] = {
    record_texts::kDomain1IndexTitle, record_texts::kDomain2IndexTitle,
    record_texts::kDomain3IndexTitle, record_texts::kDomain4IndexTitle,
    record_texts::kDomain5IndexTitle};

constexpr const char* kIndexHeadings[2] = {record_texts::kIndexHeadingEcole,
                                           record_texts::kIndexHeadingCollege};

// The one competence whose sheet text keeps a blank after its final full stop.
constexpr int kSlotWithTrailingBlank = 35;

} // namespace

const Competence& competence(int slot) {
    return kCompetences.at(slot - 1);
}

int firstSlot(int level) {
    return level == kLevelEcole ? 1 : 23;
}

int slotCount(int level) {
    return level == kLevelEcole ? 22 : 29;
}

int domainSize(int level, int domain) {
    return kDomainSizes[level - 1][domain - 1];
}

int domainFirstSlot(int level, int domain) {
    int slot = firstSlot(level);
    for (int d = 1; d < domain; ++d) {
        slot += domainSize(level, d);
    }
    return slot;
}

int slotOf(int level, int domain, int item) {
    return domainFirstSlot(level, domain) + item - 1;
}

QString levelName(int level) {
    return tr8(level == kLevelEcole ? record_texts::kLevelNameEcole
                                    : record_texts::kLevelNameCollege);
}

QString itemCode(int slot) {
    const Competence& c = competence(slot);
    return QString::number(c.domain) + QLatin1Char('.') + QString::number(c.item);
}

QString sheetText(int slot) {
    QString text = itemCode(slot) + QLatin1Char(' ') + tr8(competence(slot).text);
    if (slot == kSlotWithTrailingBlank) {
        text += QLatin1Char(' ');
    }
    return text;
}

QString indexText(int slot) {
    const Competence& c = competence(slot);
    return QLatin1Char(' ') + QString::number(c.number) + QLatin1Char(' ') + tr8(c.text);
}

QString checkBoxName(int slot) {
    return QLatin1String("cb") + QLatin1String(competence(slot).digits);
}

QString descriptionFileName(int slot) {
    return QLatin1Char('n') + QLatin1String(competence(slot).digits) + QLatin1String(".txt");
}

QString domainSheetTitle(int domain) {
    return tr8(kDomainSheetTitles[domain - 1]);
}

QString domainIndexTitle(int domain) {
    return tr8(kDomainIndexTitles[domain - 1]);
}

QStringList competenceIndex(int level) {
    QStringList lines{tr8(kIndexHeadings[level - 1]), QString()};
    for (int domain = 1; domain <= kDomainCount; ++domain) {
        lines.append(domainIndexTitle(domain));
        const int first = domainFirstSlot(level, domain);
        for (int slot = first; slot < first + domainSize(level, domain); ++slot) {
            lines.append(indexText(slot));
        }
    }
    return lines;
}

} // namespace kalidor
