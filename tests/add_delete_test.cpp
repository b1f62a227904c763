// Adding and deleting pupils through the real windows, on real folders.

#include "app/add_pupil_dialog.h"
#include "app/kalidor_program.h"
#include "platform/scripted_platform.h"
#include "records/record_file.h"
#include "tests/support/modal.h"
#include "tests/support/program_test.h"
#include "tests/support/typing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::driveModal;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

class AddDeleteTest : public test::ProgramTest {
protected:
    // A dialog opened from an active window is active too, so its keys reach it.
    void start() { startProgram(true); }
    TF_ajout* dialog() const { return program->windows.F_ajout; }
    SortedListBox* list() const { return program->F_une->ListBox1; }

    // Opens "Ajouter un élève", types the fields with the keyboard and clicks Enregistrer.
    void addPupil(const char* nom, const char* prenom, const char* classe, const char* date,
                  int dateCursor = 0) {
        driveModal(
            dialog(),
            [&] {
                TF_ajout* d = dialog();
                QTest::keyClicks(d->EditNom, u8(nom));
                QTest::keyClicks(d->Editprenom, u8(prenom));
                if (classe != nullptr) {
                    d->Editclas->selectAll();
                    QTest::keyClicks(d->Editclas, u8(classe));
                }
                if (date != nullptr) {
                    d->Maskdatenais->setFocus();
                    d->Maskdatenais->setCursorPosition(dateCursor);
                    QTest::keyClicks(d->Maskdatenais, QLatin1String(date));
                }
                QTest::mouseClick(d->SpeedButton1, Qt::LeftButton);
            },
            [&] { program->F_une->Ajouterunlve1Click(); });
    }

    void selectLine(const QString& line) {
        const int row = list()->lines().indexOf(line);
        ASSERT_GE(row, 0) << line.toStdString();
        list()->setCurrentRow(row);
    }

    TFiche readBack(const QString& name) const {
        TFiche record;
        readRecordFile(folder.path(name), record);
        return record;
    }
};

} // namespace

TEST_F(AddDeleteTest, TheDialogHasItsControlsLimitsAndTabOrder) {
    start();
    TF_ajout* d = dialog();
    EXPECT_EQ(d->EditNom->maxLength(), 20);
    EXPECT_EQ(d->Editprenom->maxLength(), 20);
    EXPECT_EQ(d->Editclas->maxLength(), 8);
    for (const char* name : {"EditNom", "Editprenom", "Editclas", "Maskdatenais"}) {
        auto* edit = d->findChild<QLineEdit*>(QLatin1String(name));
        ASSERT_NE(edit, nullptr) << name;
        auto* label = d->findChild<QLabel*>(QLatin1String("Label") + QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->buddy(), edit) << name;
    }
    EXPECT_EQ(d->EditNom->nextInFocusChain(), d->Editprenom);
    EXPECT_EQ(d->Editprenom->nextInFocusChain(), d->Editclas);
    EXPECT_EQ(d->Editclas->nextInFocusChain(), d->Maskdatenais);
}

TEST_F(AddDeleteTest, AddingListsTheNewPupilsLine) {
    for (int number = 1; number <= 3; ++number) {
        folder.writePupil(number, QStringLiteral("A%1").arg(number), QStringLiteral("B"),
                          QStringLiteral("C"));
    }
    start();
    ASSERT_EQ(list()->count(), 3);
    addPupil("dupont", "Marie", "6A", "01022010");
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(platform.log.isEmpty()) << platform.log.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(readBack(QStringLiteral("4.b2i")).dateNais(), QStringLiteral("01/02/2010"));
    EXPECT_TRUE(list()->lines().contains(u8("DUPONT Marie 6A - n° 4")));
    EXPECT_EQ(list()->count(), 4);
    EXPECT_TRUE(program->F_une->Memo1->lines().isEmpty());
}

TEST_F(AddDeleteTest, AnUntouchedDateIsStoredAsBlanksAndTheClassStays) {
    start();
    addPupil("martin", "Paul", "CM2", nullptr);
    EXPECT_EQ(readBack(QStringLiteral("1.b2i")).dateNais(), QStringLiteral("  /  /    "));
    // A date with the day and month left out keeps blanks in their places.
    addPupil("durand", "Zoe", nullptr, "2009", 6);
    const TFiche second = readBack(QStringLiteral("2.b2i"));
    EXPECT_EQ(second.classe(), QStringLiteral("CM2"));
    EXPECT_EQ(second.nom(), QStringLiteral("DURAND"));
    EXPECT_EQ(second.dateNais(), QStringLiteral("  /  /2009"));

    // Reopened, the name, first name and date come back empty, the class as typed last.
    driveModal(
        dialog(),
        [&] {
            EXPECT_EQ(dialog()->EditNom->text(), QString());
            EXPECT_EQ(dialog()->Editprenom->text(), QString());
            EXPECT_EQ(dialog()->Maskdatenais->dateText(), QStringLiteral("  /  /    "));
            EXPECT_EQ(dialog()->Editclas->text(), QStringLiteral("CM2"));
            EXPECT_TRUE(dialog()->EditNom->hasFocus());
            QTest::keyClick(dialog(), Qt::Key_Escape);
        },
        [&] { program->F_une->Ajouterunlve1Click(); });
    EXPECT_EQ(folder.entries().size(), 2);
}

TEST_F(AddDeleteTest, TypedAndPastedTextShowsAsTheRecordStoresIt) {
    start();
    driveModal(
        dialog(),
        [&] {
            TF_ajout* d = dialog();
            // What follows ß stays in order; ß and µ have no one-letter capital to take.
            test::typeKeys(d->EditNom, u8("weißmann µÿ"));
            EXPECT_EQ(d->EditNom->text(), u8("WEIßMANN µŸ"));
            // A pasted accent joins its letter, a pasted line break is a blank, and typing goes
            // on after the paste; a letter the record cannot hold shows as its base letter,
            // else as "?".
            test::paste(d->Editprenom, QStringLiteral("Zoe") + QChar(0x0301) + QLatin1Char('\n'));
            test::typeKeys(d->Editprenom, u8("Çağlar"));
            EXPECT_EQ(d->Editprenom->text(), u8("Zoé Çaglar"));
            test::paste(d->Editclas, u8("6№"));
            test::typeKeys(d->Editclas, QStringLiteral("B"));
            EXPECT_EQ(d->Editclas->text(), QStringLiteral("6?B"));
            QTest::mouseClick(d->SpeedButton1, Qt::LeftButton);
        },
        [&] { program->F_une->Ajouterunlve1Click(); });
    const TFiche stored = readBack(QStringLiteral("1.b2i"));
    EXPECT_EQ(stored.nom(), u8("WEIßMANN µŸ"));
    EXPECT_EQ(stored.prenom(), u8("Zoé Çaglar"));
    EXPECT_EQ(stored.classe(), QStringLiteral("6?B"));
}

TEST_F(AddDeleteTest, ReturnPressesTheFocusedButtonAndNothingFromAField) {
    start();
    driveModal(
        dialog(),
        [&] {
            TF_ajout* d = dialog();
            QTest::keyClicks(d->EditNom, QStringLiteral("martin"));
            QTest::keyClick(d->EditNom, Qt::Key_Return);
            EXPECT_TRUE(d->isVisible());
            d->BitBtn1->setFocus();
            QTest::keyClick(d->BitBtn1, Qt::Key_Return);
            EXPECT_FALSE(d->isVisible());
        },
        [&] { program->F_une->Ajouterunlve1Click(); });
    EXPECT_TRUE(folder.entries().isEmpty());
    driveModal(
        dialog(),
        [&] {
            QTest::keyClicks(dialog()->EditNom, QStringLiteral("durand"));
            dialog()->SpeedButton1->setFocus();
            QTest::keyClick(dialog()->SpeedButton1, Qt::Key_Enter);
        },
        [&] { program->F_une->Ajouterunlve1Click(); });
    EXPECT_EQ(readBack(QStringLiteral("1.b2i")).nom(), QStringLiteral("DURAND"));
}

TEST_F(AddDeleteTest, AMissingNameIsRefusedAndNothingIsCreated) {
    start();
    addPupil("", "Marie", "6A", nullptr);
    EXPECT_EQ(platform.messages, QStringList(u8(" Il faut saisir un nom d'élève. ")));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(folder.entries().isEmpty());
    EXPECT_EQ(list()->count(), 0);
}

TEST_F(AddDeleteTest, AFailedWriteShowsTheErrorAndAddsNoLine) {
    start();
    // The data folder disappears while the program runs.
    const QString moved = folder.prefix().chopped(1) + QLatin1String("_moved");
    ASSERT_TRUE(QDir().rename(folder.prefix(), moved));
    driveModal(
        dialog(),
        [&] {
            QTest::keyClicks(dialog()->EditNom, QStringLiteral("dupont"));
            QTest::mouseClick(dialog()->SpeedButton1, Qt::LeftButton);
            // The dialog stays open with what was typed.
            EXPECT_TRUE(dialog()->isVisible());
            EXPECT_EQ(dialog()->EditNom->text(), QStringLiteral("DUPONT"));
        },
        [&] { program->F_une->Ajouterunlve1Click(); });
    ASSERT_TRUE(QDir().rename(moved, folder.prefix()));
    EXPECT_EQ(platform.errors, QStringList(u8("Fichier introuvable")));
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(folder.entries().isEmpty());
}

TEST_F(AddDeleteTest, DeletingAsksThenRemovesTheLineAndSelectsNoOther) {
    for (int number = 1; number <= 3; ++number) {
        folder.writePupil(number, QStringLiteral("A%1").arg(number), QStringLiteral("B"),
                          QStringLiteral("C"));
    }
    start();
    const QString line = u8("A2 B C - n° 2");
    selectLine(line);
    platform.yesNoAnswers = {false};
    program->F_une->Effacer1Click();
    EXPECT_EQ(platform.questions.size(), 1);
    EXPECT_EQ(folder.entries().size(), 3);
    EXPECT_EQ(list()->count(), 3);

    selectLine(line);
    platform.yesNoAnswers = {true};
    program->F_une->Effacer1Click();
    EXPECT_FALSE(QFile::exists(folder.path(QStringLiteral("2.b2i"))));
    EXPECT_FALSE(list()->lines().contains(line));
    EXPECT_EQ(program->F_une->Memo1->lines(), QStringList(u8("2 élèves au total")));
    // No line is selected after a delete: F12 then Enter again deletes nothing more.
    platform.yesNoAnswers = {true};
    program->F_une->Effacer1Click();
    EXPECT_EQ(platform.questions.size(), 2);
    EXPECT_EQ(folder.entries().size(), 2);
}

TEST_F(AddDeleteTest, DeletingWithNoSelectionOrNoNumberDoesNothing) {
    folder.writePupil(1, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
    folder.writeRecord(
        QStringLiteral("abc.b2i"),
        kalidor::test::makeRecord(QStringLiteral("Z"), QStringLiteral("Y"), QStringLiteral("X")));
    start();
    list()->setCurrentRow(-1);
    program->F_une->Effacer1Click();
    EXPECT_TRUE(platform.log.isEmpty());

    selectLine(u8("Z Y X - n° abc"));
    platform.yesNoAnswers = {true};
    program->F_une->Effacer1Click();
    EXPECT_TRUE(platform.log.isEmpty());
    EXPECT_EQ(folder.entries().size(), 2);
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(AddDeleteTest, AFileThatCannotBeDeletedStaysListedWithTheError) {
    folder.writePupil(1, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
    folder.writePupil(2, QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"));
    start();
    selectLine(u8("A B C - n° 1"));
    program->F_une->Memo1->clear();
    // A folder now stands where the record file was.
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("1.b2i"))));
    ASSERT_TRUE(QDir(folder.prefix()).mkpath(QStringLiteral("1.b2i/inner")));
    platform.yesNoAnswers = {true};
    program->F_une->Effacer1Click();
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors.first().startsWith(QLatin1String("Erreur E/S")));
    EXPECT_TRUE(list()->lines().contains(u8("A B C - n° 1")));
    EXPECT_TRUE(program->F_une->Memo1->lines().isEmpty());
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(AddDeleteTest, DeletingFromALevelViewCountsTheLinesLeft) {
    for (int number = 1; number <= 3; ++number) {
        folder.writePupil(
            number, QStringLiteral("N%1").arg(number), QStringLiteral("P"), QStringLiteral("C"),
            {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22});
    }
    folder.writePupil(4, QStringLiteral("SANS"), QStringLiteral("P"), QStringLiteral("C"));
    start();
    program->F_une->Leslvesayantleniveaucole1Click();
    ASSERT_EQ(list()->count(), 3);
    selectLine(u8("N1 P C - n° 1"));
    platform.yesNoAnswers = {true};
    program->F_une->Effacer1Click();
    EXPECT_EQ(program->F_une->Memo1->lines(), QStringList(u8("2 élèves au total")));
    selectLine(u8("N2 P C - n° 2"));
    platform.yesNoAnswers = {true};
    program->F_une->Effacer1Click();
    EXPECT_EQ(program->F_une->Memo1->lines(), QStringList(u8("1 élève au total")));
}

TEST_F(AddDeleteTest, TheKeysF10AndF12ReachTheCommands) {
    folder.writePupil(1, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
    start();
    QWidget* main = program->F_une.get();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    driveModal(
        dialog(),
        [&] {
            QTest::keyClicks(dialog()->EditNom, QStringLiteral("clavier"));
            QTest::mouseClick(dialog()->SpeedButton1, Qt::LeftButton);
        },
        [&] { QTest::keyClick(main, Qt::Key_F10); });
    ASSERT_TRUE(QFile::exists(folder.path(QStringLiteral("2.b2i"))));
    main->activateWindow();
    QTest::qWait(50);
    ASSERT_EQ(QApplication::activeWindow(), main);
    selectLine(u8("CLAVIER   - n° 2"));
    platform.yesNoAnswers = {true};
    QTest::keyClick(main, Qt::Key_F12);
    EXPECT_EQ(platform.questions.size(), 1);
    EXPECT_FALSE(QFile::exists(folder.path(QStringLiteral("2.b2i"))));
}

// Each pupil is listed as soon as it is written: those written before a stop are listed too.
TEST_F(AddDeleteTest, SampleCommandsListThePupilsCreatedBeforeTheyStop) {
    for (int number = 1; number <= 985; ++number) {
        folder.writePupil(number, QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"));
    }
    start();
    program->F_une->Triparclasses1Click();
    const QStringList countLine = program->F_une->Memo1->lines();
    program->F_une->crer17lvesniveau21Click();
    EXPECT_EQ(list()->count(), 985 + 14);
    EXPECT_TRUE(list()->lines().contains(u8("niv2_14 p14 a - n° 999")));
    EXPECT_EQ(program->F_une->Memo1->lines(), countLine);
    EXPECT_EQ(platform.waitCursorDepth, 0);
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].endsWith(u8("après 14 élèves créés.")));
}
