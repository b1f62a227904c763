// Odd files in the data folder, seen through the real windows: a line acts on its own file or on
// none, and nothing in the folder can hang or mislead the program.

#include "app/kalidor_program.h"
#include "exchange/transfer_dialog.h"
#include "platform/command_guard.h"
#include "platform/scripted_platform.h"
#include "sheet/competence_sheet.h"
#include "tests/support/modal.h"
#include "tests/support/program_test.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>

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

    // A transfer file built from such a line holds no other pupil's record.
    TF_trans* trans = program->windows.F_trans;
    test::TestFolder out;
    platform.fileAnswers = {out.path(u("envoi.b2t"))};
    test::driveModal(
        trans,
        [&] {
            for (const char* line : {"MARTIN Léa CM2 - n° copie 2", "SEPT Zoé 6C - n° 007"}) {
                trans->ListBox1->setCurrentRow(trans->ListBox1->lines().indexOf(u(line)));
                trans->SpeedButton1Click();
            }
            trans->SpeedButton3Click();
        },
        [&] { window().Crerunfichierdetransfert1Click(); });
    EXPECT_EQ(out.readBytes(u("envoi.b2t")), folder.readBytes(u("007.b2i")));

    // 007 opens 007.b2i.
    select(u("SEPT Zoé 6C - n° 007"));
    EXPECT_TRUE(openShowsSheet());
    EXPECT_EQ(program->state.currentFileName, folder.path(u("007.b2i")));
}

TEST_F(OddFiles, PipesAreReportedAndStaleTemporariesRemoved) {
    folder.writePupil(1, u("UN"), u("A"), u("6A"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.path(u("7.b2i"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder.path(u("7.b2i")), folder.path(u("8.b2i"))));
    // What writers killed half-way left eleven minutes ago goes; what is being written now, and
    // a teacher's files that only look alike, stay.
    const struct {
        const char* name;
        qsizetype size; // -1: an empty folder, -2: a folder holding a file
        bool old;
        bool removed;
    } leftovers[] = {
        {".1.b2i.kalidor-tmp-Ab12Cd", 100, true, true},
        {".1.b2i.kalidor-claim", -1, true, true},
        {".2.b2i.kalidor-tmp-Ef34Gh", 100, false, false},
        {".2.b2i.kalidor-claim", -1, false, false},
        {".ALPHA.b2i.backup", 3022, true, false},
        {".1.b2i.kalidor-tmp-Ab12Cd.old", 100, true, false},
        {".1.b2i.Ab12Cd", 3022, true, false},
        {".3.b2i.kalidor-tmp-Zz99Zz", 3023, true, false},
        {".3.b2i.kalidor-claim", -2, true, false},
    };
    const timeval old[2] = {{::time(nullptr) - 11 * 60, 0}, {::time(nullptr) - 11 * 60, 0}};
    for (const auto& leftover : leftovers) {
        if (leftover.size >= 0) {
            folder.writeBytes(u(leftover.name), QByteArray(leftover.size, 'x'));
        } else {
            ASSERT_TRUE(QDir(folder.prefix()).mkdir(u(leftover.name)));
            if (leftover.size == -2) {
                folder.writeBytes(u(leftover.name) + u("/mine.txt"), "x");
            }
        }
        if (leftover.old) {
            ASSERT_EQ(::utimes(QFile::encodeName(folder.path(u(leftover.name))).constData(), old),
                      0);
        }
    }

    ::alarm(60); // a start that blocks on the pipe ends the test
    startProgram();
    QTest::qWait(10); // the report comes once the window is on screen
    ::alarm(0);
    EXPECT_EQ(list()->lines(), QStringList(u("UN A 6A - n° 1")));
    ASSERT_EQ(platform.errors.size(), 1);
    QStringList reported = platform.errors.first().split(QLatin1Char('\n'));
    reported.sort();
    EXPECT_EQ(reported, QStringList({u("7.b2i : Ce n'est pas un fichier ordinaire"),
                                     u("8.b2i : Ce n'est pas un fichier ordinaire")}));
    for (const auto& leftover : leftovers) {
        EXPECT_EQ(QFile::exists(folder.path(u(leftover.name))), !leftover.removed) << leftover.name;
    }

    // The same pipe chosen as a class file or a transfer file.
    platform.errors.clear();
    platform.fileAnswers = {folder.path(u("7.b2i"))};
    ::alarm(60);
    window().Importerclasseenmodetexte1Click();
    TF_trans* trans = program->windows.F_trans;
    test::driveModal(
        trans,
        [&] {
            platform.fileAnswers = {folder.path(u("8.b2i"))};
            trans->SpeedButton4Click();
        },
        [&] { window().Crerunfichierdetransfert1Click(); });
    ::alarm(0);
    // The transfer dialog also reports the pipes of the folder as it lists the pupils.
    EXPECT_EQ(platform.errors.size(), 3);
    EXPECT_EQ(platform.errors.count(u("Ce n'est pas un fichier ordinaire")), 2);
}

TEST(CommandGuard, AnyFailureEndsTheCommandInTheErrorBoxNotTheProgram) {
    ScriptedPlatform platform;
    EXPECT_FALSE(runGuarded(platform, nullptr, [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(runGuarded(platform, nullptr, [] { throw std::length_error("trop long"); }));
    EXPECT_EQ(platform.errors,
              QStringList({u("Mémoire insuffisante"), u("Erreur inattendue : trop long")}));
}
