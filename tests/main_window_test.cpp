// The main window for real, on the offscreen platform: start-up, menus, views, opening a pupil.

#include "app/about_box.h"
#include "app/app_texts.h"
#include "app/kalidor_program.h"
#include "platform/memo.h"
#include "platform/scripted_platform.h"
#include "sheet/competence_sheet.h"
#include "tests/support/modal.h"
#include "tests/support/program_test.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::TestFolder;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

struct Item {
    const char* caption; // nullptr for a separator
    QKeySequence shortcut;
    bool visible;
};

// Captions of a menu's items, "-" for a separator, "(hidden)" appended to hidden ones, and
// the shortcut after a tab.
QStringList describe(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->shortcut().isEmpty()) {
            text += QLatin1Char('\t') + action->shortcut().toString();
        }
        if (!action->isVisible()) {
            text += QStringLiteral(" (hidden)");
        }
        items.append(text);
    }
    return items;
}

class MainWindow : public test::ProgramTest {
protected:
    void start() { startProgram(true); }
    TF_une* window() { return &ProgramTest::window(); }
    QAction* action(const char* name) { return window()->findChild<QAction*>(QLatin1String(name)); }
    QMenu* menu(const char* name) { return window()->findChild<QMenu*>(QLatin1String(name)); }
    int rowOf(const QString& line) { return window()->ListBox1->lines().indexOf(line); }
};

} // namespace

TEST_F(MainWindow, StartsWithEveryPupilSortedAndTheCountLine) {
    folder.writePupil(1, u("DUPONT"), u("Marie"), u("6A"));
    folder.writePupil(2, u("élie"), u("Zoé"), u("CM2"));
    folder.writeRecord(u("007.b2i"), test::makeRecord(u("ABEL"), u("Jo"), u("5B")));
    start();
    program->state.sortByName = false;

    EXPECT_EQ(program->state.prefix, folder.prefix());
    EXPECT_EQ(window()->ListBox1->lines(),
              QStringList({u("ABEL Jo 5B - n° 007"), u("DUPONT Marie 6A - n° 1"),
                           u("élie Zoé CM2 - n° 2")}));
    EXPECT_EQ(window()->Memo1->lines(), QStringList{u("3 élèves au total")});
    EXPECT_TRUE(platform.errors.isEmpty());
    EXPECT_TRUE(window()->ListBox1->hasFocus());

    // The other five windows exist, in their order.
    QStringList names;
    for (const QDialog* dialog : window()->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        names.append(dialog->objectName());
    }
    EXPECT_EQ(names, QStringList({u("F_ajout"), u("F_saisi1"), u("F_annule"), u("F_trans"),
                                  u("AboutBox")}));
}

TEST_F(MainWindow, MenusHoldEveryItemInOrder) {
    start();
    QStringList bar;
    for (const QAction* action : window()->menuBar()->actions()) {
        bar.append(action->text() + (action->isVisible() ? QString() : u(" (hidden)")));
    }
    EXPECT_EQ(bar, QStringList({u("Fichiers"), u("Modifier"), u("Affichage"), u("Edition (hidden)"),
                                u("Imprimer")}));
    EXPECT_EQ(
        describe(menu("Fichiers1")),
        QStringList({u("Ajouter un élève\tF10"), u("Effacer l'élève sélectionné\tF12"), u("-"),
                     u("Fichier de transfert de données b2i (hidden)"),
                     u("Importer classe en mode texte et ;"),
                     u("Importer depuis l'annuaire de l'établissement…"), u("-"), u("Quitter"),
                     u("Valider compétences éleve sél\tCtrl+Alt+W (hidden)"), u("A propos..."),
                     u("créer 110 élèves (hidden)"), u("créer 17 élèves niveau 1 (hidden)"),
                     u("créer 17 élèves niveau 2 (hidden)"),
                     u("créer 17 élèves niveau 3 (hidden)")}));
    EXPECT_EQ(describe(menu("Modifier1")),
              QStringList{u("Compétences B2i de l'élève sélectionné")});
    EXPECT_EQ(
        describe(menu("Affichage1")),
        QStringList({u("Tous les élèves"), u("Tri par noms"), u("Tri par classes"), u("-"),
                     u("Les élèves ayant le niveau école"), u("Les élèves ayant le niveau collège"),
                     u("-"), u("Les élèves n'ayant pas le niveau école"),
                     u("Les élèves n'ayant pas le niveau collège"), u("-"),
                     u("Bilan des compétences école de l'élève"),
                     u("Bilan des compétences collège de l'élève"), u("-"),
                     u("Liste des compétences niveau école"),
                     u("Liste des compétences niveau collège"), u("-"),
                     u("Tableau des compétences par classe\tF9")}));
    EXPECT_EQ(describe(menu("Edition1")), QStringList({u("-"), u("Textes officiels")}));
    EXPECT_EQ(
        describe(menu("Imprimer1")),
        QStringList({u("Imprimer compétences niveau école de l'élève\tF4"),
                     u("Imprimer compétences niveau collège de l'élève\tF5"), u("-"),
                     u("Imprimer attestation niveau école de l'élève\tF6"),
                     u("Imprimer attestation niveau collège de l'élève\tF7"), u("-"),
                     u("Liste de tous les élèves"), u("Liste des élèves ayant le niveau école"),
                     u("Liste des élèves ayant le niveau collège"), u("-"),
                     u("Liste des élèves n'ayant pas le niveau école"),
                     u("Liste des élèves n'ayant pas le niveau collège"), u("-"),
                     u("Imprimer toutes les attestations de niveau école"),
                     u("Imprimer toutes les attestations de niveau collège"), u("-"),
                     u("Liste des compétences niveau école"),
                     u("Liste des compétences niveau collège")}));
    EXPECT_EQ(describe(window()->PopupMenu1),
              QStringList({u("Modifier compétences de l'élève"), u("Trier par classes"),
                           u("Trier par noms"), u("-"), u("Ajouter un élève"),
                           u("Effacer l'élève sélectionné"), u("-"),
                           u("Imprimer bilan compétences de l'élève"),
                           u("Imprimer attestation niveau école de l'élève"),
                           u("Imprimer attestation niveau collège de l'élève"),
                           u("Imprimer attestation niveau lycée de l'élève")}));
}

TEST_F(MainWindow, HiddenValidateAllAnswersItsShortcutAndNoActionItemsDoNothing) {
    start();
    QSignalSpy validate(action("Validercomptenceslevesl1"), &QAction::triggered);
    QTest::keyClick(window(), Qt::Key_W, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(validate.count(), 1);

    const QStringList listBefore = window()->ListBox1->lines();
    const QStringList memoBefore = window()->Memo1->lines();
    action("crer17lvesniveau31")->trigger();
    action("Imprimerattestationniveaulycedellve1")->trigger();
    EXPECT_EQ(window()->ListBox1->lines(), listBefore);
    EXPECT_EQ(window()->Memo1->lines(), memoBefore);
    EXPECT_EQ(folder.entries(), QStringList());
    EXPECT_TRUE(platform.log.isEmpty());
}

TEST_F(MainWindow, ViewCommandsRefillTheListAndTheCountLine) {
    folder.writePupil(1, u("DUPONT"), u("Marie"), u("6A"));
    folder.writePupil(2, u("MARTIN"), u("Léo"), u("CM2"),
                      {1, 2, 5, 6, 9, 10, 11, 15, 16, 19, 20, 3, 4, 7, 8, 12, 13, 14});
    start();

    action("Triparclasses1")->trigger();
    EXPECT_EQ(window()->ListBox1->lines(),
              QStringList({u("6A : DUPONT Marie - n° 1"), u("CM2 : MARTIN Léo - n° 2")}));
    EXPECT_FALSE(program->state.sortByName);

    action("Leslvesayantleniveaucole1")->trigger();
    EXPECT_EQ(window()->ListBox1->lines(), QStringList{u("MARTIN Léo CM2 - n° 2")});
    EXPECT_EQ(window()->Memo1->lines(), QStringList{u("1 élève de niveau école")});
    EXPECT_FALSE(program->state.sortByName);

    action("Leslvesnayantpasleniveaucollge1")->trigger();
    EXPECT_EQ(window()->Memo1->lines(), QStringList{u("2 élèves qui n'ont pas le niveau collège")});
    action("Leslvesayantleniveaucollge1")->trigger();
    EXPECT_EQ(window()->Memo1->lines(), QStringList{u("0 élève de niveau collège")});
    EXPECT_EQ(window()->ListBox1->count(), 0);

    // Pop-up "Trier par noms" is the all-pupils view.
    action("Trierparnoms1")->trigger();
    EXPECT_EQ(window()->Memo1->lines(), QStringList{u("2 élèves au total")});
    EXPECT_TRUE(program->state.sortByName);
}

TEST_F(MainWindow, UnreadableFilesAreReportedOnceAfterTheView) {
    folder.writePupil(1, u("DUPONT"), u("Marie"), u("6A"));
    folder.writeBytes(u("12.b2i"), QByteArray(10, 'x'));
    folder.writePupil(30, u("ZOLA"), u("Ana"), u("3C"));
    start();
    QTRY_COMPARE(platform.errors.size(), 1);
    EXPECT_EQ(platform.errors.first(), u("12.b2i : Lecture au-delà de la fin de fichier"));
    EXPECT_EQ(window()->ListBox1->count(), 2);
    EXPECT_EQ(window()->Memo1->lines(), QStringList{u("2 élèves au total")});

    action("Tousleslves1")->trigger();
    EXPECT_EQ(platform.errors.size(), 2);
}

TEST_F(MainWindow, OpeningAPupilShowsTheSheetAndPutsItsLineBack) {
    folder.writeRecord(u("007.b2i"), test::makeRecord(u("MARTIN"), u("Paul"), u("CM1")));
    folder.writeRecord(u("abc.b2i"), test::makeRecord(u("ABC"), u("Test"), u("X")));
    folder.writePupil(2, u("DUPONT"), u("Marie"), u("6A"));
    start();
    action("Triparclasses1")->trigger();

    bool sheetShown = false;
    QStringList listWhileOpen;
    // Runs `open`; a sheet it shows is closed at once.
    auto closeSheetWhenShown = [&](const std::function<void()>& open) {
        test::driveModal(
            program->windows.F_saisi1,
            [&] {
                sheetShown = true;
                listWhileOpen = window()->ListBox1->lines();
            },
            open);
    };

    window()->ListBox1->setCurrentRow(rowOf(u("CM1 : MARTIN Paul - n° 007")));
    closeSheetWhenShown([&] { action("Comptencesb2idellveslectionn1")->trigger(); });
    EXPECT_TRUE(sheetShown);
    EXPECT_EQ(program->state.currentFileName, folder.path(u("007.b2i")));
    EXPECT_FALSE(listWhileOpen.contains(u("CM1 : MARTIN Paul - n° 007")));
    EXPECT_EQ(window()->ListBox1->lines(),
              QStringList({u("6A : DUPONT Marie - n° 2"), u("CM1 : MARTIN Paul - n° 007"),
                           u("X : ABC Test - n° abc")}));

    // Enter on the list opens the selected pupil as well.
    sheetShown = false;
    window()->ListBox1->setCurrentRow(rowOf(u("6A : DUPONT Marie - n° 2")));
    closeSheetWhenShown([&] { QTest::keyClick(window()->ListBox1, Qt::Key_Return); });
    EXPECT_TRUE(sheetShown);
    EXPECT_EQ(program->state.currentFileName, folder.path(u("2.b2i")));
    EXPECT_EQ(window()->ListBox1->count(), 3);

    // A line that does not end in a number opens nothing.
    sheetShown = false;
    window()->ListBox1->setCurrentRow(rowOf(u("X : ABC Test - n° abc")));
    closeSheetWhenShown([&] {
        QTest::mouseDClick(
            window()->ListBox1->viewport(), Qt::LeftButton, {},
            window()->ListBox1->visualRect(window()->ListBox1->model()->index(2, 0)).center());
        QTest::qWait(10);
    });
    EXPECT_FALSE(sheetShown);
    EXPECT_EQ(window()->ListBox1->count(), 3);

    // Nothing selected: nothing happens.
    window()->ListBox1->clearSelection();
    closeSheetWhenShown([&] {
        action("Modifiercomptencesdellve1")->trigger();
        QTest::qWait(10);
    });
    EXPECT_FALSE(sheetShown);
}

TEST_F(MainWindow, OfficialTextsAreLoadedFromBesideTheProgram) {
    start();
    window()->Textesofficiels1Click();
    EXPECT_EQ(platform.errors, QStringList{u("Fichier introuvable")});
    EXPECT_TRUE(window()->Memo1->lines().isEmpty());

    folder.copySideFile(u("bo.txb"));
    window()->Textesofficiels1Click();
    const QStringList lines = window()->Memo1->lines();
    EXPECT_GT(lines.size(), 20);
    EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(u("niveau collège")));
    EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(u("Communiquer, échanger")));
}

TEST_F(MainWindow, AboutBoxShowsTheLogo) {
    folder.copySideFile(u("logo.jpg"));
    start();
    QSize logoSize;
    test::driveModal(
        [&](QWidget* modal) {
            QDialog* about = qobject_cast<QDialog*>(modal);
            ASSERT_NE(about, nullptr);
            if (const QLabel* picture = about->findChild<QLabel*>(u("Image1"))) {
                logoSize = picture->pixmap().size();
            }
            about->accept();
        },
        [&] { action("Apropos1")->trigger(); });
    EXPECT_EQ(logoSize, QSize(300, 158));
    EXPECT_EQ(window()->Image1->pixmap().size(), QSize(300, 158));
}

TEST_F(MainWindow, ScreenReadersHearWhatTheListAndTheTextPaneShow) {
    folder.writePupil(1, u("DUPONT"), u("Marie"), u("6A"));
    start();
    const auto heard = [](QWidget* widget, QAccessible::Text text = QAccessible::Name) {
        return QAccessible::queryAccessibleInterface(widget)->text(text);
    };
    EXPECT_EQ(heard(window()->Memo1), u(app_texts::kMemoName));
    EXPECT_EQ(heard(window()->Memo1, QAccessible::Value), u("1 élève au total"));
    EXPECT_EQ(heard(window()->ListBox1), u(app_texts::kListByName));
    window()->Triparclasses1Click();
    EXPECT_EQ(heard(window()->ListBox1), u(app_texts::kListByClass));
    window()->Leslvesnayantpasleniveaucollge1Click();
    EXPECT_EQ(heard(window()->ListBox1), u(app_texts::kNayantPasCollege));
}

TEST(TextPane, ItsLinesFollowTheTextHoweverItIsCleared) {
    Memo memo;
    memo.setLines({u("un"), QString()});
    // Cleared as any text edit is, through its base class or a connection to its slot.
    static_cast<QPlainTextEdit&>(memo).clear();
    EXPECT_TRUE(memo.lines().isEmpty());
    memo.addLine(QString());
    EXPECT_EQ(memo.lines(), QStringList(QString()));
    EXPECT_EQ(memo.toPlainText(), QString());
}

TEST_F(MainWindow, OfficialTextsStayOutOfReachAndTheAboutBoxIsCentredOnTheScreen) {
    folder.copySideFile(u("bo.txb"));
    start();
    const QStringList before = window()->Memo1->lines();
    QAccessibleInterface* edition = QAccessible::queryAccessibleInterface(menu("Edition1"));
    int items = 0;
    for (int i = 0; i < edition->childCount(); ++i) {
        QAccessibleInterface* item = edition->child(i);
        if (item->text(QAccessible::Name) == u("Textes officiels")) {
            ++items;
            item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
    }
    EXPECT_EQ(items, 1);
    EXPECT_EQ(window()->Memo1->lines(), before);

    // Away from the main window's place.
    window()->move(250, 200);
    TAboutBox* about = program->windows.AboutBox;
    QPoint centre;
    test::driveModal(
        about, [&] { centre = about->frameGeometry().center(); },
        [&] { window()->Apropos1Click(); });
    const QPoint screenCentre = about->screen()->availableGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 2)
        << centre.x() << "," << centre.y() << " " << screenCentre.x() << "," << screenCentre.y();
}
