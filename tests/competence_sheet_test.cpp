// The competence sheet, driven with clicks and keys on real record files.

#include "app/kalidor_program.h"
#include "platform/scripted_platform.h"
#include "records/level_rules.h"
#include "records/record_file.h"
#include "records/referential.h"
#include "records/text_file.h"
#include "sheet/competence_sheet.h"
#include "tests/support/modal.h"
#include "tests/support/program_test.h"
#include "tests/support/typing.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::driveModal;
using kalidor::test::TestFolder;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

constexpr int kPage11 = 0;
constexpr int kPage12 = 1;
constexpr int kResultsEcole = 5;
constexpr int kPage21 = 6;

class SheetTest : public test::ProgramTest {
protected:
    void start(bool withDescriptions = true) {
        if (withDescriptions) {
            for (int slot = 1; slot <= 51; ++slot) {
                folder.copySideFile(descriptionFileName(slot));
            }
        }
        startProgram();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(program->F_une.get()));
    }
    TF_saisi1* sheet() const { return program->windows.F_saisi1; }

    // Opens the pupil's line from the list and runs `actions` on the open sheet.
    void openPupil(int number, const std::function<void()>& actions) {
        SortedListBox* list = program->F_une->ListBox1;
        const QString end = u8(" - n° ") + QString::number(number);
        int row = -1;
        for (int i = 0; i < list->count(); ++i) {
            if (list->line(i).endsWith(end)) {
                row = i;
            }
        }
        ASSERT_GE(row, 0);
        list->setCurrentRow(row);
        driveModal(sheet(), actions, [&] { program->F_une->ListBox1DblClick(); });
    }

    void showPage(int index) {
        QTabBar* tabs = sheet()->PageControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        ASSERT_EQ(sheet()->PageControl1->currentIndex(), index);
    }
    QAbstractButton* item(int group, int item) const {
        return sheet()->findChild<QAbstractButton*>(
            QStringLiteral("RadioGroup%1Item%2").arg(group).arg(item));
    }
    void selectItem(int group, int index) { QTest::mouseClick(item(group, index), Qt::LeftButton); }
    QCheckBox* box(int slot) const { return sheet()->findChild<QCheckBox*>(checkBoxName(slot)); }
    void typeDetails(const char* teacher, const char* date, const char* discipline) {
        TF_saisi1* s = sheet();
        QTest::keyClicks(s->Editprof, QLatin1String(teacher));
        s->Maskdate->setFocus();
        s->Maskdate->setCursorPosition(0);
        QTest::keyClicks(s->Maskdate, QLatin1String(date));
        QTest::keyClicks(s->Editdisci, QLatin1String(discipline));
    }
    void save() { QTest::mouseClick(sheet()->SpeedButton1, Qt::LeftButton); }

    TFiche readBack(int number) const {
        TFiche record;
        readRecordFile(folder.path(QStringLiteral("%1.b2i").arg(number)), record);
        return record;
    }
};

// A stored pupil with details under two slots and a byte set in a reserved field, which the
// sheet must carry through.
TFiche storedPupil() {
    TFiche record = kalidor::test::makeRecord(QStringLiteral("DUPONT"), QStringLiteral("Marie"),
                                              QStringLiteral("6A"), {1, 2, 5, 30});
    record.setDateNais(QStringLiteral("01/02/2010"));
    record.setDate(1, QStringLiteral("05/06/2011"));
    record.setDiscipline(1, QStringLiteral("Maths"));
    record.setProfesseur(1, QStringLiteral("DURAND"));
    record.setProfesseur(30, QStringLiteral("LEROY"));
    record.bytes()[100] = 'R';
    return record;
}

} // namespace

TEST_F(SheetTest, TheSheetIsBuiltFromTheReferential) {
    start();
    TF_saisi1* s = sheet();
    const QStringList titles = {"1/1", "1/2", "1/3", "1/4", "1/5", u8("Résultats B2i école"),
                                "2/1", "2/2", "2/3", "2/4", "2/5", u8("Résultats B2i collège")};
    ASSERT_EQ(s->PageControl1->count(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(s->PageControl1->tabText(i), titles[i]);
    }
    EXPECT_EQ(s->PageControl1->currentIndex(), kPage21);
    int group = 0;
    for (const int level : {1, 2}) {
        for (int domain = 1; domain <= 5; ++domain) {
            ++group;
            auto* radio = s->findChild<QGroupBox*>(QStringLiteral("RadioGroup%1").arg(group));
            ASSERT_NE(radio, nullptr) << group;
            for (int i = 1; i <= domainSize(level, domain); ++i) {
                const int slot = slotOf(level, domain, i);
                QAbstractButton* button = item(group, i);
                ASSERT_NE(button, nullptr) << slot;
                EXPECT_EQ(button->text(), sheetText(slot));
                EXPECT_EQ(button->parentWidget(), radio);
                QCheckBox* check = box(slot);
                ASSERT_NE(check, nullptr) << slot;
                EXPECT_TRUE(check->text().isEmpty());
                EXPECT_EQ(check->accessibleName(),
                          levelName(level) + QLatin1Char(' ') + itemCode(slot));
                // Beside its item: to its left, at its height.
                const QRect itemRect(button->mapTo(check->parentWidget(), QPoint(0, 0)),
                                     button->size());
                EXPECT_LT(check->geometry().right(), itemRect.left());
                EXPECT_NEAR(check->geometry().center().y(), itemRect.center().y(), 1);
            }
            EXPECT_EQ(item(group, domainSize(level, domain) + 1), nullptr);
        }
    }
    EXPECT_EQ(s->Memo2->lines(), ruleText(1));
    EXPECT_EQ(s->Memo3->lines(), ruleText(2));
    EXPECT_EQ(s->Editprof->maxLength(), 20);
    EXPECT_EQ(s->Editdisci->maxLength(), 20);
    EXPECT_EQ(s->EditNom->maxLength(), 20);
    EXPECT_EQ(s->Editclas->maxLength(), 8);
    EXPECT_EQ(s->Memo1->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_TRUE(s->Memo1->isReadOnly());

    // The descriptions keep their punctuation with its word: no line starts with it, and a
    // no-break space holds it when the pane wraps.
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        for (const QString& line : readTextFileLines(folder.path(descriptionFileName(slot)))) {
            for (const QChar mark : QStringLiteral(":;!?")) {
                EXPECT_FALSE(line.startsWith(mark)) << slot << " " << line.toStdString();
                EXPECT_FALSE(line.contains(QLatin1Char(' ') + mark)) << slot;
            }
        }
    }
}

TEST_F(SheetTest, SavingAtOnceWritesTheRecordAsItWas) {
    const TFiche stored = storedPupil();
    folder.writeRecord(QStringLiteral("3.b2i"), stored);
    start();
    openPupil(3, [&] {
        EXPECT_EQ(sheet()->EditNom->text(), QStringLiteral("DUPONT"));
        EXPECT_EQ(sheet()->Maskdatenais->dateText(), QStringLiteral("01/02/2010"));
        EXPECT_TRUE(box(30)->isChecked());
        EXPECT_FALSE(box(3)->isChecked());
        save();
        EXPECT_FALSE(sheet()->isVisible());
    });
    EXPECT_EQ(folder.readBytes(QStringLiteral("3.b2i")), kalidor::test::recordBytes(stored));
    EXPECT_EQ(folder.entries().size(), 3 + 51 - 2); // no temporary file left
    EXPECT_TRUE(program->F_une->ListBox1->lines().contains(u8("DUPONT Marie 6A - n° 3")));
}

TEST_F(SheetTest, DetailsFollowTheirItemThroughItemAndPageChanges) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    start();
    openPupil(1, [&] {
        showPage(kPage11);
        selectItem(1, 3);
        EXPECT_EQ(sheet()->Lab11->text(), QStringLiteral("3"));
        EXPECT_FALSE(box(3)->isChecked()); // selecting does not validate
        EXPECT_EQ(sheet()->Memo1->lines().value(0), u8("Compétence école 1.3"));
        typeDetails("martin", "03042011", "Techno");
        selectItem(1, 1);
        // Slot 3 got what was typed; slot 1's details are shown.
        EXPECT_EQ(program->state.current.professeur(3), QStringLiteral("MARTIN"));
        EXPECT_EQ(program->state.current.date(3), QStringLiteral("03/04/2011"));
        EXPECT_EQ(program->state.current.discipline(3), QStringLiteral("Techno"));
        EXPECT_EQ(sheet()->Editprof->text(), QStringLiteral("DURAND"));
        EXPECT_EQ(sheet()->Maskdate->dateText(), QStringLiteral("05/06/2011"));
        EXPECT_EQ(sheet()->Editdisci->text(), QStringLiteral("Maths"));
        EXPECT_EQ(sheet()->Lab11->text(), QStringLiteral("1"));
        EXPECT_EQ(sheet()->currentSlot(), 1);

        // Item 1.2 of the collège is slot 30, not école 1.2.
        showPage(kPage21 + 1);
        EXPECT_FALSE(sheet()->itemSelected());
        EXPECT_TRUE(sheet()->Editprof->text().isEmpty());
        EXPECT_TRUE(sheet()->Lab11->text().isEmpty());
        selectItem(7, 2);
        EXPECT_EQ(sheet()->currentSlot(), 30);
        EXPECT_EQ(sheet()->Editprof->text(), QStringLiteral("LEROY"));
        sheet()->Editprof->clear();
        QTest::keyClicks(sheet()->Editprof, QStringLiteral("Petit"));
        // A page change stores the details, then empties the fields.
        showPage(kPage12);
        EXPECT_EQ(program->state.current.professeur(30), QStringLiteral("PETIT"));
        EXPECT_TRUE(sheet()->Maskdate->text() == QStringLiteral("//"));
        save();
    });
    const TFiche saved = readBack(1);
    EXPECT_EQ(saved.professeur(3), QStringLiteral("MARTIN"));
    EXPECT_EQ(saved.date(3), QStringLiteral("03/04/2011"));
    EXPECT_EQ(saved.professeur(1), QStringLiteral("DURAND"));
    EXPECT_EQ(saved.professeur(30), QStringLiteral("PETIT"));
    // The emptied fields went nowhere: every other slot is as stored.
    const TFiche stored = storedPupil();
    for (int slot = 1; slot <= 51; ++slot) {
        if (slot == 3 || slot == 30) {
            continue;
        }
        EXPECT_EQ(saved.date(slot), stored.date(slot)) << slot;
        EXPECT_EQ(saved.professeur(slot), stored.professeur(slot)) << slot;
        EXPECT_EQ(saved.discipline(slot), stored.discipline(slot)) << slot;
    }
}

TEST_F(SheetTest, AnUntouchedDateIsStoredAsBlanksAndNamesInUpperCase) {
    folder.writePupil(1, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
    start();
    openPupil(1, [&] {
        sheet()->EditNom->clear();
        QTest::keyClicks(sheet()->EditNom, QStringLiteral("martin"));
        showPage(kPage11);
        selectItem(1, 2);
        QTest::keyClicks(sheet()->Editprof, QStringLiteral("leroy"));
        selectItem(1, 4);
        save();
    });
    const TFiche saved = readBack(1);
    EXPECT_EQ(saved.nom(), QStringLiteral("MARTIN"));
    EXPECT_EQ(saved.professeur(2), QStringLiteral("LEROY"));
    EXPECT_EQ(saved.date(2), QStringLiteral("  /  /    "));
    EXPECT_EQ(saved.discipline(2), QString());
    // The item selected when saving gets its (empty) details too.
    EXPECT_EQ(saved.date(4), QStringLiteral("  /  /    "));
    EXPECT_EQ(saved.dateNais(), QStringLiteral("  /  /    "));
    EXPECT_EQ(saved.date(5), QString());
}

TEST_F(SheetTest, TheVerdictFollowsTheTicksAtThePageChange) {
    folder.writePupil(1, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
    start();
    openPupil(1, [&] {
        EXPECT_EQ(sheet()->Label18->text(),
                  u8("0/22 Je NE détiens PAS le Brevet informatique et internet niveau école"));
        showPage(kPage11);
        // Domains 1 to 4 complete, one tick in domain 5: 19 of 22 but not held.
        for (int slot = 1; slot <= 19; ++slot) {
            QTest::mouseClick(box(slot), Qt::LeftButton);
        }
        EXPECT_EQ(sheet()->Label18->text(),
                  u8("0/22 Je NE détiens PAS le Brevet informatique et internet niveau école"));
        showPage(kResultsEcole);
        EXPECT_EQ(sheet()->Label18->text(),
                  u8("19/22 Je NE détiens PAS le Brevet informatique et internet niveau école"));
        showPage(4);
        box(20)->setFocus();
        QTest::keyClick(box(20), Qt::Key_Space);
        showPage(kResultsEcole);
        EXPECT_EQ(sheet()->Label18->text(),
                  u8("20/22 Je détiens le Brevet informatique et internet niveau école"));
        EXPECT_EQ(sheet()->Label36->text(),
                  u8("0/29 Je NE détiens PAS le Brevet informatique et internet niveau collège"));
        QTest::keyClick(sheet(), Qt::Key_Escape);
    });
}

TEST_F(SheetTest, CancellingKeepsTheFileAndTheNextOpeningShowsNothingOfBefore) {
    const TFiche stored = storedPupil();
    folder.writeRecord(QStringLiteral("1.b2i"), stored);
    folder.writePupil(2, QStringLiteral("AUTRE"), QStringLiteral("Eve"), QStringLiteral("5B"),
                      {23});
    start();
    openPupil(1, [&] {
        showPage(kPage12);
        selectItem(2, 1);
        QTest::mouseClick(box(6), Qt::LeftButton);
        typeDetails("x", "01012001", "y");
        QTest::keyClick(sheet()->Editdisci, Qt::Key_Escape);
        EXPECT_FALSE(sheet()->isVisible());
    });
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), kalidor::test::recordBytes(stored));

    openPupil(2, [&] {
        // The page stays; no item, no details, no number of a previous item.
        EXPECT_EQ(sheet()->PageControl1->currentIndex(), kPage12);
        EXPECT_FALSE(sheet()->itemSelected());
        EXPECT_EQ(sheet()->currentSlot(), 0);
        EXPECT_EQ(item(2, 1)->isChecked(), false);
        EXPECT_TRUE(sheet()->Lab11->text().isEmpty());
        EXPECT_TRUE(sheet()->Editprof->text().isEmpty());
        EXPECT_TRUE(sheet()->Editdisci->text().isEmpty());
        EXPECT_TRUE(sheet()->Memo1->lines().isEmpty());
        EXPECT_EQ(sheet()->EditNom->text(), QStringLiteral("AUTRE"));
        EXPECT_FALSE(box(6)->isChecked());
        EXPECT_TRUE(box(23)->isChecked());
        QTest::mouseClick(sheet()->BitBtn1, Qt::LeftButton);
    });
    openPupil(1, [&] {
        EXPECT_TRUE(box(5)->isChecked());
        EXPECT_FALSE(box(6)->isChecked());
        save();
    });
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), kalidor::test::recordBytes(stored));
}

TEST_F(SheetTest, ADamagedRecordIsReportedAndKeptAndAMissingOneOpensBlank) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    folder.writePupil(2, QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"));
    folder.writePupil(3, QStringLiteral("W"), QStringLiteral("V"), QStringLiteral("U"), {1});
    start();
    // Once listed, one file is cut short and another one deleted elsewhere.
    const QByteArray damaged(3021, 'x');
    folder.writeBytes(QStringLiteral("2.b2i"), damaged);
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("3.b2i"))));
    openPupil(1, [&] { QTest::keyClick(sheet(), Qt::Key_Escape); });

    bool shown = false;
    openPupil(2, [&] { shown = sheet()->isVisible(); });
    QTest::qWait(10); // the check runs here when the sheet was not shown
    EXPECT_FALSE(shown);
    EXPECT_EQ(platform.errors, QStringList(u8("Lecture au-delà de la fin de fichier")));
    EXPECT_EQ(folder.readBytes(QStringLiteral("2.b2i")), damaged);
    EXPECT_TRUE(program->F_une->ListBox1->lines().contains(u8("X Y Z - n° 2")));

    platform.errors.clear();
    platform.log.clear();
    openPupil(3, [&] {
        EXPECT_TRUE(sheet()->EditNom->text().isEmpty());
        EXPECT_TRUE(sheet()->Editclas->text().isEmpty());
        EXPECT_FALSE(box(1)->isChecked());
        EXPECT_FALSE(box(30)->isChecked());
        EXPECT_TRUE(platform.log.isEmpty());
        showPage(kPage11);
        selectItem(1, 1);
        EXPECT_TRUE(sheet()->Editprof->text().isEmpty());
        save();
    });
    const QByteArray written = folder.readBytes(QStringLiteral("3.b2i"));
    ASSERT_EQ(written.size(), 3022);
    EXPECT_FALSE(written.contains("DUPONT"));
    EXPECT_FALSE(written.contains("DURAND"));
    EXPECT_FALSE(readBack(3).valide(1));
}

TEST_F(SheetTest, AMissingDescriptionIsReportedAndTheDetailsStayWithTheirItem) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    start(false);
    openPupil(1, [&] {
        showPage(kPage11);
        selectItem(1, 3);
        EXPECT_EQ(platform.errors, QStringList(u8("Impossible d'ouvrir le fichier ") +
                                               folder.path(QStringLiteral("n113.txt"))));
        EXPECT_TRUE(sheet()->Memo1->lines().isEmpty());
        QTest::keyClicks(sheet()->Editprof, QStringLiteral("neuf"));
        selectItem(1, 1);
        EXPECT_EQ(sheet()->Editprof->text(), QStringLiteral("DURAND"));
        selectItem(1, 3);
        EXPECT_EQ(sheet()->Editprof->text(), QStringLiteral("NEUF"));
        save();
    });
    EXPECT_EQ(readBack(1).professeur(3), QStringLiteral("NEUF"));
    EXPECT_EQ(readBack(1).professeur(1), QStringLiteral("DURAND"));
}

TEST_F(SheetTest, AFailedSaveKeepsTheSheetOpenAndTheFileAsItWas) {
    const TFiche stored = storedPupil();
    folder.writeRecord(QStringLiteral("1.b2i"), stored);
    start();
    const QString moved = folder.prefix().chopped(1) + QLatin1String("_moved");
    openPupil(1, [&] {
        QTest::mouseClick(box(10), Qt::LeftButton);
        sheet()->EditNom->setText(QStringLiteral("NONECRIT"));
        ASSERT_TRUE(QDir().rename(folder.prefix(), moved));
        platform.yesNoAnswers = {true}; // the file is gone: replace it all the same
        save();
        EXPECT_TRUE(sheet()->isVisible());
        EXPECT_EQ(platform.errors, QStringList(u8("Fichier introuvable")));
        ASSERT_TRUE(QDir().rename(moved, folder.prefix()));
        QTest::keyClick(sheet(), Qt::Key_Escape);
    });
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), kalidor::test::recordBytes(stored));
    // The list shows what the file holds, not what could not be saved.
    EXPECT_EQ(program->F_une->ListBox1->lines(), QStringList(u8("DUPONT Marie 6A - n° 1")));
}

TEST_F(SheetTest, ASaveOverAnotherMachinesSaveAsksFirst) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    start();
    // The same pupil (name, first name, class, birth date), saved with another competence.
    TFiche other = storedPupil();
    other.setValide(40, true);
    openPupil(1, [&] {
        QTest::mouseClick(box(10), Qt::LeftButton);
        sheet()->EditNom->setText(QStringLiteral("CHANGE"));
        // Another machine saves the pupil while the sheet is open here.
        folder.writeRecord(QStringLiteral("1.b2i"), other);
        platform.yesNoAnswers = {false};
        save();
        // Non keeps the sheet open with what was typed.
        EXPECT_EQ(platform.questions.size(), 1);
        EXPECT_TRUE(sheet()->isVisible());
        EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), kalidor::test::recordBytes(other));
        EXPECT_TRUE(box(10)->isChecked());
        platform.yesNoAnswers = {true};
        save();
    });
    EXPECT_TRUE(readBack(1).valide(10));
    EXPECT_EQ(readBack(1).nom(), QStringLiteral("CHANGE"));
    EXPECT_EQ(readBack(1).classe(), QStringLiteral("6A"));
}

// While DUPONT's sheet is open here, another machine gives number 1 to another pupil: DUPONT's
// line comes back under the number he was saved under.
TEST_F(SheetTest, ASaveUnderANewNumberListsThePupilUnderIt) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    start();
    openPupil(1, [&] {
        folder.writePupil(1, QStringLiteral("MARTIN"), u8("Léa"), QStringLiteral("6B"));
        platform.yesNoAnswers = {true};
        save();
        EXPECT_FALSE(sheet()->isVisible());
    });
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(readBack(2).valide(30));
    EXPECT_EQ(program->F_une->ListBox1->lines(), QStringList(u8("DUPONT Marie 6A - n° 2")));
}

TEST_F(SheetTest, ASheetClosedUnsavedAfterAConflictLeavesTheLineOfWhatTheFileHolds) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    folder.writePupil(2, QStringLiteral("ECHEC"), QStringLiteral("Paul"), QStringLiteral("5B"));
    start();
    // Another machine saves pupil 1 and deletes pupil 2 while their sheets are open here.
    openPupil(1, [&] {
        folder.writePupil(1, QStringLiteral("AUTRE"), QStringLiteral("Nom"), QStringLiteral("4C"));
        platform.yesNoAnswers = {false};
        save();
        QTest::mouseClick(sheet()->BitBtn1, Qt::LeftButton);
    });
    openPupil(2, [&] {
        ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("2.b2i"))));
        QTest::keyClick(sheet(), Qt::Key_Escape);
    });
    EXPECT_EQ(program->F_une->ListBox1->lines(), QStringList(u8("AUTRE Nom 4C - n° 1")));
    EXPECT_EQ(program->F_une->Memo1->lines(), QStringList(u8("1 élève au total")));
    EXPECT_TRUE(platform.errors.isEmpty());
}

TEST_F(SheetTest, KeyboardSelectsItemsAndADoubleClickOpensThePupil) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    start();
    SortedListBox* list = program->F_une->ListBox1;
    list->setCurrentRow(0);
    const QRect cell = list->visualRect(list->model()->index(0, 0));
    driveModal(
        sheet(),
        [&] {
            showPage(kPage11);
            selectItem(1, 1);
            // Arrow keys move the selection and raise the item's handler.
            QTest::keyClick(item(1, 1), Qt::Key_Down);
            EXPECT_TRUE(item(1, 2)->isChecked());
            EXPECT_EQ(sheet()->currentSlot(), 2);
            EXPECT_EQ(sheet()->Lab11->text(), QStringLiteral("2"));
            QTest::keyClick(sheet(), Qt::Key_Escape);
        },
        [&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center()); });
    EXPECT_FALSE(sheet()->isVisible());
    EXPECT_EQ(list->count(), 1);
}

TEST_F(SheetTest, DetailFieldsShowWhatIsStoredAndReturnPressesOnlyAFocusedButton) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    start();
    openPupil(1, [&] {
        showPage(kPage11);
        selectItem(1, 2);
        test::typeKeys(sheet()->Editprof, u8("straußberg şahin"));
        EXPECT_EQ(sheet()->Editprof->text(), u8("STRAUßBERG SAHIN"));
        test::paste(sheet()->Editdisci, u8("Ελληνικά"));
        EXPECT_EQ(sheet()->Editdisci->text(), QStringLiteral("????????"));
        QTest::keyClick(sheet()->Editdisci, Qt::Key_Return);
        EXPECT_TRUE(sheet()->isVisible());
        sheet()->SpeedButton1->setFocus();
        QTest::keyClick(sheet()->SpeedButton1, Qt::Key_Return);
        EXPECT_FALSE(sheet()->isVisible());
    });
    EXPECT_EQ(readBack(1).professeur(2), u8("STRAUßBERG SAHIN"));
    EXPECT_EQ(readBack(1).discipline(2), QStringLiteral("????????"));
}

TEST_F(SheetTest, AScreenReaderActivatesAnItemOnceAndHearsItsNumber) {
    folder.writeRecord(QStringLiteral("1.b2i"), storedPupil());
    // Without the description files every loading of an item's details reports once.
    start(false);
    openPupil(1, [&] {
        showPage(kPage11);
        QAccessibleInterface* third = QAccessible::queryAccessibleInterface(item(1, 3));
        third->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_EQ(sheet()->currentSlot(), 3);
        EXPECT_EQ(platform.errors.size(), 1);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet()->Lab11)->text(QAccessible::Name),
                  QStringLiteral("3"));

        QAccessibleInterface* first = QAccessible::queryAccessibleInterface(item(1, 1));
        first->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(QTest::qWaitFor([&] { return sheet()->currentSlot() == 1; }, 2000));
        QTest::qWait(50);
        EXPECT_EQ(platform.errors.size(), 2);
        EXPECT_EQ(sheet()->Editprof->text(), QStringLiteral("DURAND"));
        selectItem(1, 2);
        EXPECT_EQ(platform.errors.size(), 3);
    });
}
