// The lines of the reports written into the text pane and the texts of the printed documents.

#include "records/list_views.h"
#include "records/referential.h"
#include "records/report_lines.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

namespace kalidor {
namespace {

using test::makeRecord;

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// A record with école items 1-4, 5-6, 9-11, 15-16, 19-22 validated (18 in all, every domain
// at its minimum or more) and collège items 1 and 29; teacher, discipline and date on slot 3.
TFiche partlyValidated() {
    TFiche record =
        makeRecord(u("DUPONT"), u("Émilie"), u("CM2"),
                   {1, 2, 3, 4, 5, 6, 9, 10, 11, 15, 16, 19, 20, 21, 22, 7, 12, 17, 23, 51});
    record.setProfesseur(3, u("M. LEBRUN"));
    record.setDiscipline(3, u("Français"));
    record.setDate(3, u("12/03/2009"));
    record.setProfesseur(23, u("Mme ROY"));
    record.setDiscipline(23, u("Technologie"));
    record.setDate(23, u("01/02/2010"));
    return record;
}

TEST(Review, EmptyRecordEcoleEveryLine) {
    const TFiche record = makeRecord(u("MARTIN"), u("Paul"), u("6B"));
    QStringList expected{u("          FICHE élève B2i"), u(" MARTIN Paul    Classe : 6B"),
                         u("     Compétences B2i niveau école")};
    for (int n = 1; n <= 22; ++n) {
        expected.append(u(" Compétence ") + QString::number(n) + u(" Non Validée "));
    }
    expected.append(u(" Total Niveau école : 0/22"));
    expected.append(u(" B2i niveau école non acquis."));
    EXPECT_EQ(reviewLines(record, kLevelEcole), expected);
}

TEST(Review, ValidatedLinesCarryTeacherDisciplineAndDateOrTheirBlanks) {
    const QStringList ecole = reviewLines(partlyValidated(), kLevelEcole);
    ASSERT_EQ(ecole.size(), 3 + 22 + 2);
    EXPECT_EQ(ecole.at(3), u(" Compétence 1 OK   "));
    EXPECT_EQ(ecole.at(5), u(" Compétence 3 OK M. LEBRUN Français 12/03/2009"));
    EXPECT_EQ(ecole.at(3 + 7), u(" Compétence 8 Non Validée "));
    EXPECT_EQ(ecole.at(25), u(" Total Niveau école : 18/22"));
    EXPECT_EQ(ecole.at(26), u(" B2i niveau école acquis."));

    const QStringList college = reviewLines(partlyValidated(), kLevelCollege);
    ASSERT_EQ(college.size(), 3 + 29 + 2);
    EXPECT_EQ(college.at(2), u("     Compétences B2i niveau collège"));
    EXPECT_EQ(college.at(3), u(" Compétence 1 OK Mme ROY Technologie 01/02/2010"));
    EXPECT_EQ(college.at(4), u(" Compétence 2 Non Validée"));
    EXPECT_EQ(college.at(31), u(" Compétence 29 OK   "));
    EXPECT_EQ(college.at(32), u(" Total Niveau collège : 2/29"));
    EXPECT_EQ(college.at(33), u(" B2i niveau collège non acquis."));
}

TEST(Review, FullyValidatedCollegeIsHeldAndNumbered1To29) {
    TFiche record = makeRecord(u("ZOLA"), u(""), u(""));
    validateAll(record);
    const QStringList lines = reviewLines(record, kLevelCollege);
    EXPECT_EQ(lines.at(1), u(" ZOLA     Classe : "));
    EXPECT_EQ(lines.at(3), u(" Compétence 1 OK   "));
    EXPECT_EQ(lines.at(31), u(" Compétence 29 OK   "));
    EXPECT_EQ(lines.at(32), u(" Total Niveau collège : 29/29"));
    EXPECT_EQ(lines.last(), u(" B2i niveau collège acquis."));
}

TEST(Sheet, EcoleHasTheBlankLineAndNoDiscipline) {
    const QStringList lines = sheetLines(partlyValidated(), kLevelEcole);
    ASSERT_EQ(lines.size(), 3 + 22 + 3);
    EXPECT_EQ(lines.at(2), u("     Niveau école"));
    EXPECT_EQ(lines.at(3), u(" Compétence 1 Validée  "));
    EXPECT_EQ(lines.at(5), u(" Compétence 3 Validée M. LEBRUN 12/03/2009"));
    EXPECT_EQ(lines.at(10), u(" Compétence 8 Non Validée "));
    EXPECT_EQ(lines.at(25), u(" Total Niveau école : 18/22"));
    EXPECT_EQ(lines.at(26), u(" "));
    EXPECT_EQ(lines.at(27), u(" B2i niveau école acquis."));
}

TEST(Sheet, CollegeHasTwoBlanksAfterValideeAndNoBlankLine) {
    const QStringList lines = sheetLines(partlyValidated(), kLevelCollege);
    ASSERT_EQ(lines.size(), 3 + 29 + 2);
    EXPECT_EQ(lines.at(2), u("     Niveau collège"));
    EXPECT_EQ(lines.at(3), u(" Compétence 1 Validée  Mme ROY 01/02/2010"));
    EXPECT_EQ(lines.at(4), u(" Compétence 2 Non Validée"));
    EXPECT_EQ(lines.at(31), u(" Compétence 29 Validée   "));
    EXPECT_EQ(lines.at(32), u(" Total Niveau collège : 2/29"));
    EXPECT_EQ(lines.at(33), u(" B2i niveau collège non acquis."));
}

TEST(ValidateAll, SetsOnlyTheFlagBytes) {
    TFiche record = makeRecord(u("DUPONT"), u("Marie"), u("6A"), {4});
    // Non-zero reserved bytes, bytes past text lengths and a flag byte of 7.
    for (int offset : {42, 43, 50, 100, 200, 266, 1000, 2000, 3021}) {
        record.bytes()[offset] = static_cast<char>(0x5A);
    }
    record.bytes()[267 + 9] = 7;
    record.setProfesseur(9, u("M. PETIT"));
    const TFiche before = record;
    validateAll(record);
    for (int offset = 0; offset < TFiche::kSize; ++offset) {
        if (offset >= 268 && offset < 268 + 51) {
            EXPECT_EQ(record.bytes()[offset], 1) << offset;
        } else {
            EXPECT_EQ(record.bytes()[offset], before.bytes()[offset]) << offset;
        }
    }
}

TEST(ValidateAll, ReportNumbersCollegeLinesBySlotAndHasNoVerdict) {
    TFiche record = makeRecord(u("DUPONT"), u("Marie"), u("6A"));
    validateAll(record);
    const QStringList lines = validateAllLines(record);
    ASSERT_EQ(lines.size(), 3 + 22 + 1 + 1 + 1 + 29 + 1);
    EXPECT_EQ(lines.at(0), u("          FICHE élève B2i"));
    EXPECT_EQ(lines.at(1), u(" DUPONT Marie    Classe : 6A"));
    EXPECT_EQ(lines.at(2), u("     Niveau école"));
    EXPECT_EQ(lines.at(3), u(" Compétence 1 Validée "));
    EXPECT_EQ(lines.at(24), u(" Compétence 22 Validée "));
    EXPECT_EQ(lines.at(25), u(" Total Niveau école : 22/22"));
    EXPECT_EQ(lines.at(26), u(" "));
    EXPECT_EQ(lines.at(27), u("     Niveau collège"));
    EXPECT_EQ(lines.at(28), u(" Compétence 23 Validée  "));
    EXPECT_EQ(lines.at(56), u(" Compétence 51 Validée  "));
    EXPECT_EQ(lines.last(), u(" Total Niveau collège : 29/29"));
}

TEST(PrintedTexts, DateCountsNamesAndTitles) {
    EXPECT_EQ(printedDate(QDate(2009, 3, 7)), u("le 7-3-2009"));
    EXPECT_EQ(printedDate(QDate(2010, 12, 25)), u("le 25-12-2010"));

    EXPECT_EQ(pageCount(0, 8), 0);
    EXPECT_EQ(pageCount(8, 8), 1);
    EXPECT_EQ(pageCount(9, 8), 2);
    EXPECT_EQ(pageCount(70, 70), 1);
    EXPECT_EQ(pageCount(71, 70), 2);
    EXPECT_EQ(pageCount(999, 8), 125);
    EXPECT_EQ(pageCount(999, 70), 15);

    EXPECT_EQ(batchCountMessage(0, 0), u("0 élèves, 0 pages"));
    EXPECT_EQ(batchCountMessage(9, 2), u("9 élèves, 2 pages"));

    const TFiche record = makeRecord(u("DUPONT"), u("Marie"), u("6A"));
    EXPECT_EQ(refusalMessage(record, kLevelEcole),
              u("L'élève DUPONT Marie classe : 6A n'a pas atteint le niveau école !"));
    EXPECT_EQ(refusalMessage(record, kLevelCollege),
              u("L'élève DUPONT Marie classe : 6A n'a pas atteint le niveau collège !"));
    EXPECT_EQ(attestationName(record), u("DUPONT Marie 6A"));
    EXPECT_EQ(lineBeforeNumber(u("DUPONT Marie 6A - n° 12")), u("DUPONT Marie 6A - "));
    // A class line, and a first name holding digits, are cut at the number's "n°" too.
    EXPECT_EQ(lineBeforeNumber(u("6A : DUPONT Marie2 - n° 007")), u("6A : DUPONT Marie2 - "));

    EXPECT_EQ(u(viewDescription(ListView::AllByName).printedTitle), u("Liste de tous les élèves "));
    EXPECT_EQ(u(viewDescription(ListView::WithEcole).printedTitle),
              u("Liste des élèves ayant le Niveau école "));
    EXPECT_EQ(u(viewDescription(ListView::WithoutCollege).printedTitle),
              u("Liste des élèves n'ayant pas le Niveau collège "));
}

TEST(Index, HeadingBlankLineAndRunningNumbers) {
    const QStringList ecole = competenceIndex(kLevelEcole);
    EXPECT_EQ(ecole.at(0), u("  Index des compétences B2i niveau école"));
    EXPECT_EQ(ecole.at(1), QString());
    EXPECT_TRUE(ecole.contains(u(" 14 Je sais imprimer un document.")));
    EXPECT_EQ(ecole.size(), 2 + 5 + 22);
    const QStringList college = competenceIndex(kLevelCollege);
    EXPECT_EQ(college.size(), 2 + 5 + 29);
    EXPECT_EQ(college.last(),
              u(" 29 Je sais utiliser un carnet d'adresses ou un annuaire pour choisir un "
                "destinataire."));
}

} // namespace
} // namespace kalidor
