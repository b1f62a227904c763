// Odd files in the data folder, seen through the real windows: a line acts on its own file or on
// none, and nothing in the folder can hang or mislead the program.

#include "app/kalidor_program.h"
#include "exchange/transfer_dialog.h"
#include "platform/command_guard.h"
#include "platform/scripted_platform.h"
#include "sheet/competence_sheet.h"
#include "tests/support/modal.h"
#include "tests/support/program_test.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kalidor;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

class OddFiles : public test::ProgramTest {
protected:
    SortedListBox* list() { return window().ListBox1; }
    void select(const QString& line) {
        const int row = list()->lines().indexOf(line);
        ASSERT_GE(row, 0) << line.toStdString();
        list()->setCurrentRow(row);
    }
    // Runs the open command; true when it showed the sheet (which is closed at once).
    bool openShowsSheet() {
        bool shown = false;
        test::driveModal(
            program->windows.F_saisi1, [&] { shown = true; }, [&] { window().ListBox1DblClick(); });
        return shown;
    }
};

} // namespace

TEST_F(OddFiles, ALineActsOnItsOwnFileOrOnNone) {
    folder.writePupil(2, u("DUPONT"), u("Paul"), u("CM2"), {1, 2});
    folder.writeRecord(u("copie 2.b2i"), test::makeRecord(u("MARTIN"), u("Léa"), u("CM2")));
    folder.writePupil(5, u("CINQ"), u("Eve"), u("6A"));
    folder.writeRecord(u("5.sauv.b2i"), test::makeRecord(u("SAUV"), u("Eve"), u("6A")));
    folder.writePupil(3, u("TROIS"), u("Luc"), u("6B"));
    folder.writeRecord(u("x - n° 3.b2i"), test::makeRecord(u("IMITE"), u("Luc"), u("6B")));
    folder.writeRecord(u("007.b2i"), test::makeRecord(u("SEPT"), u("Zoé"), u("6C")));
    const QStringList files = folder.entries();
    const QByteArray dupont = folder.readBytes(u("2.b2i"));
    startProgram(true);
    EXPECT_TRUE(list()->lines().contains(u("MARTIN Léa CM2 - n° copie 2")));
    EXPECT_TRUE(list()->lines().contains(u("SAUV Eve 6A - n° 5.sauv")));
    EXPECT_TRUE(list()->lines().contains(u("IMITE Luc 6B - n° x - n° 3")));

    platform.yesNoAnswers = {true, true, true};
    for (const char* line :
         {"MARTIN Léa CM2 - n° copie 2", "SAUV Eve 6A - n° 5.sauv", "IMITE Luc 6B - n° x - n° 3"}) {
        select(u(line));
        window().Effacer1Click();
        EXPECT_FALSE(openShowsSheet()) << line;
        window().Bilandescomptencescoledellve1Click();
        window().Validercomptenceslevesl1Click();
        window().imprimerattestation11Click();
    }
    EXPECT_TRUE(platform.log.isEmpty()) << platform.log.join(u(" | ")).toStdString();
    EXPECT_EQ(folder.entries(), files);
    EXPECT_EQ(folder.readBytes(u("2.b2i")), dupont);
    EXPECT_EQ(list()->count(), 7);
}

TEST_F(OddFiles, PipesAreReportedOnceTheListIsShownAndNeverBlock) {
    folder.writePupil(1, u("UN"), u("A"), u("6A"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.path(u("7.b2i"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder.path(u("7.b2i")), folder.path(u("8.b2i"))));
    ::alarm(60); // a start that blocks on the pipe ends the test
    startProgram();
    QTest::qWait(10); // the report comes once the window is on screen
    EXPECT_EQ(list()->lines(), QStringList(u("UN A 6A - n° 1")));
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_EQ(platform.errors.first().count(u("Ce n'est pas un fichier ordinaire")), 2);

    // The transfer dialog reports them too, once it shows its list.
    test::driveModal(
        program->windows.F_trans,
        [&] { EXPECT_TRUE(QTest::qWaitFor([&] { return platform.errors.size() == 2; }, 2000)); },
        [&] { window().Crerunfichierdetransfert1Click(); });
    ::alarm(0);
    EXPECT_EQ(platform.errors.last(), platform.errors.first());
}

TEST(CommandGuard, AnyFailureEndsTheCommandInTheErrorBoxNotTheProgram) {
    ScriptedPlatform platform;
    EXPECT_FALSE(runGuarded(platform, nullptr, [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(runGuarded(platform, nullptr, [] { throw std::length_error("trop long"); }));
    EXPECT_EQ(platform.errors,
              QStringList({u("Mémoire insuffisante"), u("Erreur inattendue : trop long")}));
}
