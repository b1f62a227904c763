// The referential's numbering and texts, which the sheet, the reports and the record share.

#include "records/referential.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace kalidor;

TEST(Referential, SlotsNumbersAndDigitsAgree) {
    EXPECT_EQ(slotOf(kLevelEcole, 5, 4), 22);
    EXPECT_EQ(competence(22).number, 22);
    EXPECT_EQ(slotOf(kLevelCollege, 1, 1), 23);
    EXPECT_EQ(competence(23).number, 1);
    EXPECT_EQ(slotOf(kLevelCollege, 2, 7), 35);
    EXPECT_EQ(competence(35).number, 13);
    EXPECT_EQ(slotOf(kLevelCollege, 3, 7), 42);
    EXPECT_EQ(competence(42).number, 20);
    EXPECT_EQ(slotOf(kLevelCollege, 4, 5), 47);
    EXPECT_EQ(competence(47).number, 25);

    QSet<QString> checkBoxes;
    for (int level : {kLevelEcole, kLevelCollege}) {
        int number = 0;
        for (int domain = 1; domain <= kDomainCount; ++domain) {
            for (int item = 1; item <= domainSize(level, domain); ++item) {
                const int slot = slotOf(level, domain, item);
                const Competence& c = competence(slot);
                EXPECT_EQ(c.slot, slot);
                EXPECT_EQ(c.level, level);
                EXPECT_EQ(c.domain, domain);
                EXPECT_EQ(c.item, item);
                EXPECT_EQ(c.number, ++number);
                const QString digits =
                    QString::number(level) + QString::number(domain) + QString::number(item);
                EXPECT_EQ(checkBoxName(slot), QLatin1String("cb") + digits);
                EXPECT_EQ(descriptionFileName(slot), QLatin1Char('n') + digits + ".txt");
                checkBoxes.insert(checkBoxName(slot));
            }
        }
        EXPECT_EQ(number, slotCount(level));
    }
    EXPECT_EQ(checkBoxes.size(), 51);
    // The same item code names one competence per level.
    EXPECT_EQ(itemCode(5), itemCode(29));
    EXPECT_NE(sheetText(5), sheetText(29));
}

TEST(Referential, SheetAndIndexForms) {
    EXPECT_EQ(sheetText(3),
              QString::fromUtf8("1.3 Je sais déplacer le pointeur, placer le curseur, "
                                "sélectionner, effacer et valider."));
    EXPECT_EQ(indexText(14), QStringLiteral(" 14 Je sais imprimer un document."));
    EXPECT_EQ(indexText(51), QString::fromUtf8(" 29 Je sais utiliser un carnet d'adresses ou un "
                                               "annuaire pour choisir un destinataire."));
    // Only slot 35 keeps a blank after its final full stop on the sheet.
    for (int slot = 1; slot <= 51; ++slot) {
        EXPECT_EQ(sheetText(slot).endsWith(QLatin1Char(' ')), slot == 35) << slot;
        EXPECT_FALSE(indexText(slot).endsWith(QLatin1Char(' '))) << slot;
    }
    EXPECT_EQ(sheetText(35), QString::fromUtf8("2.7 Je mets mes compétences informatiques au "
                                               "service d'une production collective. "));
    EXPECT_EQ(domainSheetTitle(4), QStringLiteral("4 - S'informer, se documenter"));
    EXPECT_EQ(domainSheetTitle(1),
              QStringLiteral("1- S'approprier un environnement informatique de travail"));
    EXPECT_EQ(domainIndexTitle(5), QString::fromUtf8("Communiquer, échanger"));
}

TEST(Referential, IndexListsEveryCompetenceOfTheLevel) {
    const QStringList ecole = competenceIndex(kLevelEcole);
    ASSERT_EQ(ecole.size(), 2 + 5 + 22);
    EXPECT_EQ(ecole.at(0), QString::fromUtf8("  Index des compétences B2i niveau école"));
    EXPECT_EQ(ecole.at(1), QString());
    EXPECT_EQ(ecole.at(2), domainIndexTitle(1));
    EXPECT_EQ(ecole.at(7), domainIndexTitle(2));
    EXPECT_EQ(ecole.last(), indexText(22));

    const QStringList college = competenceIndex(kLevelCollege);
    ASSERT_EQ(college.size(), 2 + 5 + 29);
    EXPECT_EQ(college.at(0), QString::fromUtf8("  Index des compétences B2i niveau collège"));
    EXPECT_EQ(college.at(3),
              QString::fromUtf8(" 1 Je sais m'identifier sur un réseau ou un site et "
                                "mettre fin à cette identification."));
}
