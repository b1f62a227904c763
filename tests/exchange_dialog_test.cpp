// The transfer dialog and the class import command, on real windows and real folders.

#include "app/directory_import_window.h"
#include "app/kalidor_program.h"
#include "exchange/transfer_dialog.h"
#include "platform/qt_platform.h"
#include "platform/scripted_platform.h"
#include "records/list_lines.h"
#include "tests/support/modal.h"
#include "tests/support/test_folder.h"

#include <QAccessible>
#include <QFileDialog>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::makeRecord;
using kalidor::test::TestFolder;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// The program on a data folder, its dialogs answered from a script.
struct Program {
    explicit Program(const TestFolder& folder) : program(platform, folder.prefix()) {}
    TF_trans& trans() { return *program.windows.F_trans; }
    TF_une& main() { return *program.F_une; }

    ScriptedPlatform platform;
    KalidorProgram program;
};

// A record with competences, reserved bytes and bytes past the text lengths all set, so that
// an import that does not copy it unchanged shows.
TFiche fullRecord(const QString& nom, const QString& prenom, const QString& classe, int seed) {
    TFiche record = makeRecord(nom, prenom, classe, {1, 5, 30});
    record.setDate(5, QStringLiteral("12/03/2011"));
    record.setProfesseur(30, u8("Mme Lefèvre"));
    record.bytes()[TFiche::kSize - 1] = static_cast<char>(seed);
    record.bytes()[200] = static_cast<char>(seed + 1); // inside a reserved field
    return record;
}

void selectRows(SortedListBox* list, std::initializer_list<int> rows) {
    list->selectionModel()->clear();
    for (const int row : rows) {
        list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                QItemSelectionModel::Select);
    }
}

struct Buttons {
    bool add, back, create, open, ok;
    bool operator==(const Buttons&) const = default;
};

Buttons buttons(const TF_trans& dialog) {
    return {dialog.SpeedButton1->isEnabled(), dialog.SpeedButton2->isEnabled(),
            dialog.SpeedButton3->isEnabled(), dialog.SpeedButton4->isEnabled(),
            dialog.BitBtn2->isEnabled()};
}

constexpr Buttons kInitial{true, false, false, true, false};
constexpr Buttons kBuilding{true, false, true, false, false};
constexpr Buttons kImporting{false, true, false, true, true};

void writePupils(const TestFolder& folder) {
    folder.writeRecord(QStringLiteral("1.b2i"),
                       fullRecord(QStringLiteral("MARTIN"), u8("Léa"), QStringLiteral("CM2"), 1));
    folder.writeRecord(
        QStringLiteral("2.b2i"),
        fullRecord(QStringLiteral("DURAND"), QStringLiteral("Paul"), QStringLiteral("6A"), 2));
    folder.writeRecord(
        QStringLiteral("3.b2i"),
        fullRecord(QStringLiteral("BERNARD"), QStringLiteral("Zoé"), QStringLiteral("5B"), 3));
}

} // namespace

TEST(TransferDialog, ListsThePupilsAndItsButtonsFollowTheirThreeStates) {
    TestFolder folder;
    writePupils(folder);
    folder.writeBytes(QStringLiteral("t.b2t"), folder.readBytes(QStringLiteral("1.b2i")));
    Program p(folder);
    TF_trans& d = p.trans();
    EXPECT_EQ(d.ListBox1->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(d.ListBox2->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(d.Label1->buddy(), d.ListBox1);
    EXPECT_EQ(d.Label2->buddy(), d.ListBox2);
    EXPECT_FALSE(d.Panel1->accessibleDescription().isEmpty());
    d.FormShow();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_TRUE(d.BitBtn1->isEnabled());
    EXPECT_EQ(d.ListBox1->lines(),
              (QStringList{u8("BERNARD Zoé 5B - n° 3"), u8("DURAND Paul 6A - n° 2"),
                           u8("MARTIN Léa CM2 - n° 1")}));
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("3"));
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("0"));

    // ">>" with no line selected changes nothing but the count.
    d.SpeedButton1Click();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_EQ(d.ListBox2->count(), 0);
    selectRows(d.ListBox1, {1});
    d.SpeedButton1Click();
    EXPECT_EQ(buttons(d), kBuilding);
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("1"));

    // Showing again starts over.
    d.FormShow();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_EQ(d.ListBox2->count(), 0);

    // A cancelled open changes nothing; an empty name only recounts.
    p.platform.fileAnswers = {std::nullopt, QString(), folder.path(QStringLiteral("absent.b2t")),
                              folder.path(QStringLiteral("t.b2t"))};
    d.SpeedButton4Click();
    d.SpeedButton4Click();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_EQ(d.ListBox1->count(), 3);
    // A file that cannot be opened empties both lists, and it is said.
    d.SpeedButton4Click();
    EXPECT_EQ(buttons(d), kImporting);
    EXPECT_EQ(d.ListBox1->count() + d.ListBox2->count(), 0);
    EXPECT_EQ(p.platform.messages.size(), 1);

    d.SpeedButton4Click();
    EXPECT_EQ(buttons(d), kImporting);
    EXPECT_EQ(p.platform.log.last(), QStringLiteral("open: Fichiers transfert|*.b2t"));
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("0"));
    EXPECT_EQ(d.ListBox2->lines(), QStringList{u8("MARTIN Léa CM2 - n° 1")});
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("1"));

    // "<<" copies without changing the state; ">>" is off.
    selectRows(d.ListBox2, {0});
    d.SpeedButton2Click();
    d.SpeedButton2Click();
    EXPECT_EQ(buttons(d), kImporting);
    EXPECT_EQ(d.ListBox1->count(), 2);
    EXPECT_EQ(d.ListBox2->count(), 1);
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("2"));
}

TEST(TransferDialog, CreatesCopiesDuplicatesAndKeepsTheExtensionRule) {
    TestFolder folder;
    writePupils(folder);
    const QStringList before = folder.entries();
    TestFolder out;
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();

    // Nothing to write: not even the save dialog.
    d.SpeedButton3Click();
    EXPECT_TRUE(p.platform.log.isEmpty());

    selectRows(d.ListBox1, {0, 2}); // BERNARD (3) and MARTIN (1)
    d.SpeedButton1Click();
    d.SpeedButton1Click();
    EXPECT_EQ(d.ListBox1->count(), 3);
    EXPECT_EQ(d.ListBox2->count(), 4);
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("4"));

    p.platform.fileAnswers = {std::nullopt, QString(), out.path(QStringLiteral("classe.B2T")),
                              out.path(QStringLiteral("envoi.b2t"))};
    d.SpeedButton3Click();
    d.SpeedButton3Click();
    EXPECT_TRUE(out.entries().isEmpty());
    EXPECT_TRUE(p.platform.messages.isEmpty());
    d.SpeedButton3Click();
    d.SpeedButton3Click();
    EXPECT_EQ(p.platform.log.first(), QStringLiteral("save: Fichiers transfert|*.b2t"));
    EXPECT_EQ(out.entries(),
              (QStringList{QStringLiteral("classe.B2T.b2t"), QStringLiteral("envoi.b2t")}));
    EXPECT_EQ(p.platform.messages.size(), 2);
    const QByteArray bernard = folder.readBytes(QStringLiteral("3.b2i"));
    const QByteArray martin = folder.readBytes(QStringLiteral("1.b2i"));
    EXPECT_EQ(out.readBytes(QStringLiteral("envoi.b2t")), bernard + bernard + martin + martin);
    EXPECT_EQ(buttons(d), kBuilding);
    EXPECT_EQ(folder.entries(), before);
}

TEST(TransferDialog, RoundTripIntoAnotherFolder) {
    TestFolder source;
    writePupils(source);
    const QStringList sourceEntries = source.entries();
    TestFolder out;
    {
        Program a(source);
        a.trans().FormShow();
        selectRows(a.trans().ListBox1, {0, 1, 2});
        a.trans().SpeedButton1Click();
        a.platform.fileAnswers = {out.path(QStringLiteral("envoi"))};
        a.trans().SpeedButton3Click();
    }
    const QByteArray transfer = out.readBytes(QStringLiteral("envoi.b2t"));
    ASSERT_EQ(transfer.size(), 3 * TFiche::kSize);

    TestFolder target;
    for (int n : {1, 2, 4}) {
        target.writePupil(n, QStringLiteral("ICI"), QString::number(n), QStringLiteral("CM1"));
    }
    Program b(target);
    b.main().Triparclasses1Click();
    TF_trans& d = b.trans();
    d.FormShow();
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("3"));
    b.platform.fileAnswers = {out.path(QStringLiteral("envoi.b2t"))};
    d.SpeedButton4Click();
    // Positions in the file: BERNARD, DURAND, MARTIN as the list sorted them.
    EXPECT_EQ(d.ListBox2->lines(),
              (QStringList{u8("BERNARD Zoé 5B - n° 1"), u8("DURAND Paul 6A - n° 2"),
                           u8("MARTIN Léa CM2 - n° 3")}));
    selectRows(d.ListBox2, {2, 0});
    d.SpeedButton2Click();
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("2"));
    d.BitBtn2Click();

    EXPECT_EQ(target.readBytes(QStringLiteral("3.b2i")), source.readBytes(QStringLiteral("3.b2i")));
    EXPECT_EQ(target.readBytes(QStringLiteral("5.b2i")), source.readBytes(QStringLiteral("1.b2i")));
    EXPECT_EQ(target.entries().size(), 5);
    EXPECT_EQ(out.readBytes(QStringLiteral("envoi.b2t")), transfer);
    EXPECT_EQ(source.entries(), sourceEntries);
    const QStringList mainLines = b.main().ListBox1->lines();
    EXPECT_TRUE(mainLines.contains(u8("5B : BERNARD Zoé - n° 3")));
    EXPECT_TRUE(mainLines.contains(u8("CM2 : MARTIN Léa - n° 5")));
    EXPECT_EQ(mainLines.size(), 5);
    EXPECT_EQ(b.main().Memo1->lines(), QStringList{u8("5 élèves au total")});
    EXPECT_TRUE(b.platform.messages.isEmpty());
    EXPECT_TRUE(b.platform.errors.isEmpty());
}

TEST(TransferDialog, TheArrowsCopyTheSelectionWhenTheCurrentLineIsUnselected) {
    TestFolder folder;
    writePupils(folder);
    folder.writeBytes(QStringLiteral("t.b2t"), folder.readBytes(QStringLiteral("1.b2i")) +
                                                   folder.readBytes(QStringLiteral("2.b2i")));
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();
    // A ctrl+click on the current line unselects it and leaves it current.
    auto unselectCurrent = [](SortedListBox* list, int row) {
        list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                QItemSelectionModel::Toggle);
    };
    selectRows(d.ListBox1, {0, 2});
    unselectCurrent(d.ListBox1, 2);
    d.SpeedButton1Click();
    EXPECT_EQ(buttons(d), kBuilding);
    EXPECT_EQ(d.ListBox2->lines(), QStringList{u8("BERNARD Zoé 5B - n° 3")});

    p.platform.fileAnswers = {folder.path(QStringLiteral("t.b2t"))};
    d.SpeedButton4Click();
    selectRows(d.ListBox2, {0, 1});
    unselectCurrent(d.ListBox2, 1);
    d.SpeedButton2Click();
    EXPECT_EQ(d.ListBox1->lines(), QStringList{u8("DURAND Paul 6A - n° 2")});
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("1"));
}

TEST(TransferDialog, ReturnOnFermerClosesWithoutImportingAndTheCountsAreHeard) {
    TestFolder folder;
    writePupils(folder);
    folder.writeBytes(QStringLiteral("t.b2t"), folder.readBytes(QStringLiteral("1.b2i")));
    Program p(folder);
    TF_trans& d = p.trans();
    const auto heard = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    test::driveModal(
        &d,
        [&] {
            EXPECT_EQ(heard(d.Panel1), QStringLiteral("3"));
            // The pupil of the transfer file is ready to import: "OK" would add it.
            p.platform.fileAnswers = {folder.path(QStringLiteral("t.b2t"))};
            d.SpeedButton4Click();
            selectRows(d.ListBox2, {0});
            d.SpeedButton2Click();
            EXPECT_EQ(heard(d.Panel1), QStringLiteral("1"));
            EXPECT_EQ(heard(d.Panel2), QStringLiteral("1"));
            d.BitBtn1->setFocus();
            QTest::keyClick(d.BitBtn1, Qt::Key_Return);
        },
        [&] { p.main().Crerunfichierdetransfert1Click(); });
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(folder.entries().size(), 4);
}

TEST(TransferDialog, RunsModallyFromTheHiddenCommand) {
    TestFolder folder;
    writePupils(folder);
    Program p(folder);
    TF_trans& d = p.trans();
    bool checked = false;
    test::driveModal(
        &d,
        [&] {
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(d.isModal());
            EXPECT_EQ(d.ListBox1->count(), 3);
            EXPECT_EQ(buttons(d), kInitial);
            selectRows(d.ListBox1, {0});
            QTest::mouseClick(d.SpeedButton1, Qt::LeftButton);
            EXPECT_EQ(d.ListBox2->count(), 1);
            EXPECT_EQ(buttons(d), kBuilding);
            checked = true;
            QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
        },
        [&] { p.main().Crerunfichierdetransfert1Click(); });
    EXPECT_TRUE(checked);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);

    // Shown again, it starts over; OK with nothing opened only rewrites the count line.
    test::driveModal(
        &d,
        [&] {
            EXPECT_EQ(d.ListBox2->count(), 0);
            d.BitBtn2Click();
            d.accept();
        },
        [&] { p.main().Crerunfichierdetransfert1Click(); });
    EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("0 élève au total")});
    EXPECT_EQ(folder.entries().size(), 3);
}

TEST(ClassImport, ListsThePupilsAddedAndCountsThemAll) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("ICI"), QStringLiteral("Déjà"), QStringLiteral("CM1"));
    TestFolder lists;
    lists.writeBytes(QStringLiteral("CM2.txt"), "Martin;L\xc3\xa9"
                                                "a\n\nDupont;\xc3\x89lodie\n");
    Program p(folder);
    p.main().Tousleslves1Click();

    p.platform.fileAnswers = {lists.path(QStringLiteral("CM2.txt"))};
    p.main().Importerclasseenmodetexte1Click();
    EXPECT_EQ(p.platform.log,
              QStringList{QStringLiteral("open: Classe Texte |*.TXT|Autres fichiers |*.*")});
    EXPECT_EQ(p.main().ListBox1->lines(),
              (QStringList{u8("Dupont Élodie CM2 - n° 3"), u8("ICI Déjà CM1 - n° 1"),
                           u8("Martin Léa CM2 - n° 2")}));
    EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("3 élèves au total")});
    EXPECT_EQ(p.platform.waitCursorDepth, 0);
    EXPECT_TRUE(p.platform.messages.isEmpty());
}

TEST(ClassImport, RefreshesTheCountLineWhenNothingIsImported) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("ICI"), QStringLiteral("Paul"), QStringLiteral("CM1"));
    TestFolder lists;
    lists.writeBytes(QStringLiteral("vide.txt"), {});
    Program p(folder);
    p.main().Tousleslves1Click();

    p.platform.fileAnswers = {std::nullopt, lists.path(QStringLiteral("absent.txt")),
                              lists.path(QStringLiteral("vide.txt"))};
    for (int i = 0; i < 3; ++i) {
        p.main().Memo1->setLines({QStringLiteral("avant")});
        p.main().Importerclasseenmodetexte1Click();
        EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("1 élève au total")}) << i;
    }
    EXPECT_EQ(p.platform.messages, QStringList{u8("Echec à l'ouverture du fichier")});
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("1.b2i")});
}

TEST(ClassImport, TheFileDialogMatchesExtensionsWhateverTheirCase) {
    TestFolder lists;
    lists.writeBytes(QStringLiteral("6A.txt"), "A;a\n");
    lists.writeBytes(QStringLiteral("5B.TXT"), "B;b\n");
    lists.writeBytes(QStringLiteral("notes.doc"), "x");
    lists.writeBytes(QStringLiteral("CM2"), "C;c\n");
    QtPlatform platform;
    QStringList shown;
    QStringList others;
    test::driveModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(lists.prefix());
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            ASSERT_NE(view, nullptr);
            auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
            auto names = [&] {
                QStringList found;
                for (int row = 0; row < rows(); ++row) {
                    found.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
                }
                found.sort();
                return found;
            };
            EXPECT_TRUE(QTest::qWaitFor([&] { return rows() >= 2; }, 5000));
            QTest::qWait(100);
            shown = names();
            // "Autres fichiers" shows every file, a name without a dot included.
            dialog->selectNameFilter(dialog->nameFilters().value(1));
            EXPECT_TRUE(QTest::qWaitFor([&] { return rows() >= 4; }, 5000));
            others = names();
            dialog->reject();
        },
        [&] {
            EXPECT_FALSE(
                platform.openFileName(nullptr, u8("Classe Texte |*.TXT|Autres fichiers |*.*")));
        });
    EXPECT_EQ(shown, (QStringList{QStringLiteral("5B.TXT"), QStringLiteral("6A.txt")}));
    EXPECT_EQ(others, (QStringList{QStringLiteral("5B.TXT"), QStringLiteral("6A.txt"),
                                   QStringLiteral("CM2"), QStringLiteral("notes.doc")}));
}

TEST(DirectoryImport, PreviewsTakesTheTypedClassNameThenListsWhatItImported) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("MARTIN"), u8("Léa"), QStringLiteral("6A"));
    folder.writePupil(2, QStringLiteral("ZOLA"), QStringLiteral("Ana"), QStringLiteral("5B"));
    TestFolder files;
    // Two labels cut alike; a pupil in "Inactifs" is left out.
    files.writeBytes(QStringLiteral("CSVExtraction.csv"),
                     "Nom \xE9l\xE8ve;Pr\xE9nom \xE9l\xE8ve;Date naissance;Niveau;Libell\xE9 "
                     "classe\n"
                     "MARTIN;L\xE9"
                     "a;;6e;Classe de 6e A bilingue\n"
                     "NEUF;Ida;;6e;Classe de 6e A\n"
                     "PARTI;Jo;;6e;Inactifs\n");
    files.writeBytes(QStringLiteral("notes.csv"), "Nom;Prenom\nMARTIN;Lea\n");
    Program p(folder);
    p.main().Tousleslves1Click();
    const QMap<QString, QByteArray> before{{"1.b2i", folder.readBytes("1.b2i")},
                                           {"2.b2i", folder.readBytes("2.b2i")}};

    // A file that is no export: one box, no preview, nothing written.
    p.platform.fileAnswers = {files.path(QStringLiteral("notes.csv"))};
    p.main().Importerdepuislannuaire1Click();
    ASSERT_EQ(p.platform.errors.size(), 1);
    EXPECT_TRUE(p.platform.errors.first().contains(files.path(QStringLiteral("notes.csv"))));
    EXPECT_EQ(folder.entries(), QStringList(before.keys()));

    using Window = DirectoryImportWindow;
    const auto counts = [](const Window& window, int row) {
        QStringList shown;
        for (int column = Window::kStored; column < Window::kNote; ++column) {
            shown.append(window.GridClasses->item(row, column)->text());
        }
        return shown.join(QLatin1Char(' ')) +
               (window.GridClasses->item(row, Window::kNote)->text().isEmpty() ? "" : " clash");
    };
    p.platform.fileAnswers = {files.path(QStringLiteral("CSVExtraction.csv"))};
    test::driveModalWindow(
        [] { return qobject_cast<Window*>(QApplication::activeModalWidget()); },
        [&](QWidget* shown) {
            auto& window = *static_cast<Window*>(shown);
            ASSERT_EQ(window.GridClasses->rowCount(), 2);
            EXPECT_EQ(counts(window, 0), QStringLiteral("Classe d 1 0 1 0 0 clash"));
            EXPECT_EQ(counts(window, 1), QStringLiteral("Classe d 1 1 0 0 0 clash"));
            EXPECT_EQ(window.ListEleves->count(), 2); // the title and PARTI Jo
            EXPECT_EQ(window.LabelBilan->text(), u8("1 élève du dossier absent du fichier"));
            // The first class gets its own name, cut to what a record keeps.
            window.GridClasses->item(0, Window::kStored)->setText(QStringLiteral("6A bilingue"));
            EXPECT_EQ(counts(window, 0), QStringLiteral("6A bilin 1 0 1 0 0"));
            EXPECT_EQ(counts(window, 1), QStringLiteral("Classe d 1 1 0 0 0"));
            window.ButtonImporter->click();
        },
        [&] { p.main().Importerdepuislannuaire1Click(); });

    EXPECT_EQ(p.platform.log.first(),
              QStringLiteral("open: Export de l'annuaire|*.xml;*.zip;*.csv"));
    EXPECT_EQ(p.main().ListBox1->lines(),
              (QStringList{u8("MARTIN Léa 6A bilin - n° 1"), u8("NEUF Ida Classe d - n° 3"),
                           u8("ZOLA Ana 5B - n° 2")}));
    EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("3 élèves au total")});
    ASSERT_EQ(p.platform.messages.size(), 1);
    EXPECT_TRUE(
        p.platform.messages.first().contains(u8("Élèves créés : 1\nChangés de classe : 1")));
    EXPECT_EQ(folder.readBytes("2.b2i"), before.value("2.b2i"));
    EXPECT_EQ(p.platform.waitCursorDepth, 0);
}
