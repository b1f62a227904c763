// List lines, the number at their end, their order, the count lines and the six views.

#include "records/list_order.h"
#include "records/list_views.h"
#include "records/referential.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::TestFolder;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QStringList sortedAsTheListDoes(QStringList lines) {
    ListOrder order;
    std::stable_sort(lines.begin(), lines.end(), [&order](const QString& a, const QString& b) {
        return order.compare(a, b) < 0;
    });
    return lines;
}

} // namespace

TEST(ListLines, Formats) {
    EXPECT_EQ(byNameLine(u("DUPONT"), u("Marie"), u("6A"), u("12")), u("DUPONT Marie 6A - n° 12"));
    EXPECT_EQ(byClassLine(u("DUPONT"), u("Marie"), u("6A"), u("12")),
              u("6A : DUPONT Marie - n° 12"));
    EXPECT_EQ(byNameLine({}, {}, {}, u("3")), u("   - n° 3"));
    const TFiche record = test::makeRecord(u("ÉLIE"), u("Zoé"), u("CM2"));
    EXPECT_EQ(recordLine(record, u("007"), true), u("ÉLIE Zoé CM2 - n° 007"));
    EXPECT_EQ(recordLine(record, u("007"), false), u("CM2 : ÉLIE Zoé - n° 007"));
    EXPECT_EQ(lineBeforeNumber(u("DUPONT Marie 6A - n° 12")), u("DUPONT Marie 6A - "));
}

TEST(ListLines, CountLinesAreSingularForNoneAndOne) {
    EXPECT_EQ(countLine(ListView::AllByName, 0), u("0 élève au total"));
    EXPECT_EQ(countLine(ListView::AllByClass, 1), u("1 élève au total"));
    EXPECT_EQ(countLine(ListView::AllByName, 2), u("2 élèves au total"));
    EXPECT_EQ(countLine(ListView::WithEcole, 1), u("1 élève de niveau école"));
    EXPECT_EQ(countLine(ListView::WithEcole, 12), u("12 élèves de niveau école"));
    EXPECT_EQ(countLine(ListView::WithCollege, 0), u("0 élève de niveau collège"));
    EXPECT_EQ(countLine(ListView::WithCollege, 3), u("3 élèves de niveau collège"));
    EXPECT_EQ(countLine(ListView::WithoutEcole, 1), u("1 élève qui n'a pas le niveau école"));
    EXPECT_EQ(countLine(ListView::WithoutEcole, 2), u("2 élèves qui n'ont pas le niveau école"));
    EXPECT_EQ(countLine(ListView::WithoutCollege, 0), u("0 élève qui n'a pas le niveau collège"));
    EXPECT_EQ(countLine(ListView::WithoutCollege, 5),
              u("5 élèves qui n'ont pas le niveau collège"));
    EXPECT_EQ(totalCountLine(1000), u("1000 élèves au total"));
}

TEST(ListOrder, FrenchCaseInsensitiveOrderOfWholeLines) {
    const QStringList expected = {
        u("abel Zoé 6A - n° 4"), u("ADAM Léa 6A - n° 2"), u("Édouard Luc 5B - n° 7"),
        u("EMERY Jo 6A - n° 3"), u("éric Ana 6A - n° 9"), u("ZOLA Émile 3C - n° 1"),
    };
    QStringList shuffled = {expected[5], expected[2], expected[0],
                            expected[4], expected[3], expected[1]};
    EXPECT_EQ(sortedAsTheListDoes(shuffled), expected);
    // By surname, then first name.
    EXPECT_EQ(sortedAsTheListDoes({u("DURAND Paul 6A - n° 1"), u("DURAND Anne 6B - n° 2")}),
              QStringList({u("DURAND Anne 6B - n° 2"), u("DURAND Paul 6A - n° 1")}));
}

class Views : public ::testing::Test {
protected:
    void SetUp() override {
        state = folder.state();
        QList<int> ecole;
        for (int slot = 1; slot <= 22; ++slot) {
            ecole.append(slot);
        }
        folder.writePupil(1, u("DUPONT"), u("Marie"), u("6A"));
        folder.writeRecord(u("2.b2i"), withSlots(u("MARTIN"), u("Léo"), u("CM2"), 1, 22));
        folder.writeRecord(u("3.b2i"), withSlots(u("ZOLA"), u("Ana"), u("3C"), 1, 51));
        folder.writeRecord(u("abc.b2i"), test::makeRecord(u("ABC"), u("Test"), u("X")));
    }

    static TFiche withSlots(const QString& nom, const QString& prenom, const QString& classe,
                            int from, int to) {
        TFiche record = test::makeRecord(nom, prenom, classe);
        for (int slot = from; slot <= to; ++slot) {
            record.setValide(slot, true);
        }
        return record;
    }

    QStringList sortedLines(ListView view) {
        return sortedAsTheListDoes(linesOf(buildView(state, view).entries));
    }

    TestFolder folder;
    SharedState state;
};

TEST_F(Views, AllPupilsByNameAndByClass) {
    state.sortByName = false;
    EXPECT_EQ(sortedLines(ListView::AllByName),
              QStringList({u("ABC Test X - n° abc"), u("DUPONT Marie 6A - n° 1"),
                           u("MARTIN Léo CM2 - n° 2"), u("ZOLA Ana 3C - n° 3")}));
    EXPECT_EQ(state.countLine, u("4 élèves au total"));
    EXPECT_TRUE(state.sortByName);

    EXPECT_EQ(sortedLines(ListView::AllByClass),
              QStringList({u("3C : ZOLA Ana - n° 3"), u("6A : DUPONT Marie - n° 1"),
                           u("CM2 : MARTIN Léo - n° 2"), u("X : ABC Test - n° abc")}));
    EXPECT_FALSE(state.sortByName);
}

TEST_F(Views, LevelViewsFilterAndLeaveTheSortFlag) {
    state.sortByName = false;
    EXPECT_EQ(sortedLines(ListView::WithEcole),
              QStringList({u("MARTIN Léo CM2 - n° 2"), u("ZOLA Ana 3C - n° 3")}));
    EXPECT_EQ(state.countLine, u("2 élèves de niveau école"));
    EXPECT_EQ(sortedLines(ListView::WithCollege), QStringList({u("ZOLA Ana 3C - n° 3")}));
    EXPECT_EQ(state.countLine, u("1 élève de niveau collège"));
    EXPECT_EQ(sortedLines(ListView::WithoutEcole),
              QStringList({u("ABC Test X - n° abc"), u("DUPONT Marie 6A - n° 1")}));
    EXPECT_EQ(state.countLine, u("2 élèves qui n'ont pas le niveau école"));
    EXPECT_EQ(linesOf(buildView(state, ListView::WithoutCollege).entries).size(), 3);
    EXPECT_EQ(state.countLine, u("3 élèves qui n'ont pas le niveau collège"));
    EXPECT_FALSE(state.sortByName);
}

TEST_F(Views, AnUnreadableFileHidesNoOtherPupil) {
    folder.writeBytes(u("12.b2i"), QByteArray(3021, 'x'));
    ASSERT_TRUE(QDir().mkdir(folder.path(u("5.b2i"))));
    state.sortByName = false;
    const ViewResult result = buildView(state, ListView::AllByName);
    EXPECT_EQ(result.entries.size(), 4);
    EXPECT_EQ(state.countLine, u("4 élèves au total"));
    EXPECT_TRUE(state.sortByName);
    ASSERT_EQ(result.failures.size(), 2);
    EXPECT_TRUE(describeFailures(result.failures)
                    .contains(u("12.b2i : Lecture au-delà de la fin de fichier")));
}

TEST(ViewsOnAnEmptyFolder, GiveZeroInTheSingular) {
    TestFolder folder;
    SharedState state = folder.state();
    const ViewResult result = buildView(state, ListView::AllByName);
    EXPECT_TRUE(result.entries.isEmpty());
    EXPECT_TRUE(result.failures.isEmpty());
    EXPECT_EQ(state.countLine, u("0 élève au total"));
}

TEST(ListLines, AStampChangesWithAnyByteOfTheRecord) {
    const TFiche record = test::makeRecord(u("DUPONT"), u("Marie"), u("6A"));
    const size_t stamp = recordStamp(record);
    EXPECT_NE(stamp, 0u);
    // The first and last bytes, lane and block boundaries, the short tail.
    for (const int at : {0, 7, 8, 31, 32, 1511, 3007, 3008, 3015, 3016, TFiche::kSize - 1}) {
        TFiche changed = record;
        changed.bytes()[at] = static_cast<char>(changed.bytes()[at] ^ 0x01);
        EXPECT_NE(recordStamp(changed), stamp) << "byte " << at;
    }
}
