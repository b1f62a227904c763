// Who holds a level.

#include "records/level_rules.h"
#include "records/referential.h"

#include <gtest/gtest.h>

using namespace kalidor;

namespace {

// Validates the first `counts[d]` items of each domain of the level.
SlotFlags withCounts(int level, std::array<int, 5> counts) {
    SlotFlags flags{};
    for (int domain = 1; domain <= 5; ++domain) {
        for (int item = 1; item <= counts[domain - 1]; ++item) {
            flags[slotOf(level, domain, item)] = true;
        }
    }
    return flags;
}

} // namespace

TEST(LevelRules, Ecole) {
    EXPECT_FALSE(levelHeld(kLevelEcole, withCounts(kLevelEcole, {4, 4, 6, 4, 0})));
    EXPECT_FALSE(levelHeld(kLevelEcole, withCounts(kLevelEcole, {2, 2, 3, 2, 2})));
    EXPECT_TRUE(levelHeld(kLevelEcole, withCounts(kLevelEcole, {4, 4, 6, 2, 2})));
    EXPECT_FALSE(levelHeld(kLevelEcole, withCounts(kLevelEcole, {4, 4, 6, 1, 4})));
    EXPECT_FALSE(levelHeld(kLevelEcole, withCounts(kLevelEcole, {4, 4, 2, 4, 4})));
    EXPECT_EQ(validatedCount(kLevelEcole, withCounts(kLevelEcole, {4, 4, 6, 2, 2})), 18);
}

TEST(LevelRules, CollegeRoundsHalfUpwards) {
    EXPECT_FALSE(levelHeld(kLevelCollege, withCounts(kLevelCollege, {6, 3, 7, 5, 4})));
    EXPECT_FALSE(levelHeld(kLevelCollege, withCounts(kLevelCollege, {6, 7, 7, 2, 4})));
    EXPECT_TRUE(levelHeld(kLevelCollege, withCounts(kLevelCollege, {5, 5, 5, 4, 4})));
    EXPECT_FALSE(levelHeld(kLevelCollege, withCounts(kLevelCollege, {3, 4, 4, 3, 2})));
    EXPECT_TRUE(levelHeld(kLevelCollege, withCounts(kLevelCollege, {6, 7, 7, 5, 4})));
}

// One competence short of the total, with every domain at or above its minimum, and the
// total just reached.
TEST(LevelRules, TheTotalDecidesOnceEveryDomainIsMet) {
    EXPECT_FALSE(levelHeld(kLevelEcole, withCounts(kLevelEcole, {4, 4, 5, 2, 2})));
    EXPECT_TRUE(levelHeld(kLevelEcole, withCounts(kLevelEcole, {3, 3, 6, 3, 3})));
    EXPECT_FALSE(levelHeld(kLevelCollege, withCounts(kLevelCollege, {6, 6, 5, 3, 2})));
    EXPECT_TRUE(levelHeld(kLevelCollege, withCounts(kLevelCollege, {6, 7, 5, 3, 2})));
}

TEST(LevelRules, LevelsAreIndependent) {
    TFiche record;
    initNewRecord(record);
    for (int slot = 1; slot <= 22; ++slot) {
        record.setValide(slot, true);
    }
    EXPECT_TRUE(testniveau1(record));
    EXPECT_FALSE(testniveau2(record));

    // Any non-zero byte counts as validated.
    for (int slot = 23; slot <= 51; ++slot) {
        record.bytes()[267 + slot] = static_cast<char>(slot);
    }
    EXPECT_TRUE(testniveau2(record));
}

TEST(LevelRules, VerdictAndRuleTexts) {
    EXPECT_EQ(
        verdictText(kLevelEcole, 20, true),
        QString::fromUtf8("20/22 Je détiens le Brevet informatique et internet niveau école"));
    EXPECT_EQ(verdictText(kLevelCollege, 3, false),
              QString::fromUtf8(
                  "3/29 Je NE détiens PAS le Brevet informatique et internet niveau collège"));
    const QStringList ecole = ruleText(kLevelEcole);
    ASSERT_EQ(ecole.size(), 5);
    EXPECT_EQ(ecole.at(0), QString::fromUtf8("Pour détenir le B2i niveau école il faut  "));
    EXPECT_EQ(ecole.at(4), QStringLiteral(" "));
    EXPECT_EQ(ruleText(kLevelCollege).at(0),
              QString::fromUtf8("Pour détenir le B2i niveau collège il faut "));
    EXPECT_EQ(ruleText(kLevelCollege).at(3),
              QString::fromUtf8("- qu'au moins 23 des 29 compétences soient validées."));
}
