// The competence table's window on real record files: opened from the main window, worked by
// keyboard, a pupil opened from it, its export read back by Python's csv module and its print
// read back from a real PDF.

#include "app/band_header.h"
#include "app/class_table_class_dialog.h"
#include "app/class_table_validate_dialog.h"
#include "app/class_table_window.h"
#include "records/referential.h"
#include "records/utf8.h"
#include "sheet/competence_sheet.h"
#include "tests/support/modal.h"
#include "tests/support/pdf_text.h"
#include "tests/support/program_test.h"

#include <QAccessible>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace kalidor;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Every row of a CSV file as Python's csv module reads it, the way a French spreadsheet is
// exported: ";" between fields, UTF-8 with its byte-order mark.
QList<QStringList> pythonCsvRows(const QString& file) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f, delimiter=';'))))\n"),
                  file});
    python.waitForFinished();
    QList<QStringList> rows;
    for (const QJsonValue row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        QStringList fields;
        for (const QJsonValue field : row.toArray()) {
            fields.append(field.toString());
        }
        rows.append(fields);
    }
    return rows;
}

// The text of a page as one text.
QString pdfText(const QString& file, int page) {
    return test::pdfPageLines(file, page).join(QLatin1Char('\n'));
}

class ClassTableWindowTest : public test::ProgramTest {
protected:
    // Opens the table with F9 and runs `actions` on it; the table is closed after.
    void withTable(const std::function<void(kalidor::ClassTableWindow&)>& actions) {
        bool shown = false;
        test::driveModal(
            [&](QWidget* modal) {
                auto* table = qobject_cast<kalidor::ClassTableWindow*>(modal);
                ASSERT_NE(table, nullptr);
                shown = true;
                // Focus moves by Tab in the active window only.
                table->activateWindow();
                ASSERT_TRUE(
                    QTest::qWaitFor([table] { return QApplication::activeWindow() == table; }));
                actions(*table);
            },
            [&] { QTest::keyClick(&window(), Qt::Key_F9); });
        EXPECT_TRUE(shown);
    }
    // The row of a pupil's number, -1 when the table does not show it.
    static int rowOf(kalidor::ClassTableWindow& table, const char* number) {
        return table.model().rowOf(u(number));
    }
    static QString cell(kalidor::ClassTableWindow& table, int row, int column,
                        int role = Qt::DisplayRole) {
        return table.model().index(row, column).data(role).toString();
    }
    // Alt and a button's letter, then `actions` on the dialog of type `Dialog` it opens; returns
    // once the summary is shown. Keys reach the active window only: a window shown becomes active
    // a moment later, and the offscreen platform gives no window back its activation when a
    // dialog over it closes. The button is pressed a moment after its key.
    template <typename Dialog>
    void pressForDialog(QWidget& window, Qt::Key letter,
                        const std::function<void(Dialog&)>& actions) {
        const qsizetype before = platform.messages.size();
        test::driveModalWindow(
            [] { return qobject_cast<Dialog*>(QApplication::activeModalWidget()); },
            [&](QWidget* shown) {
                ASSERT_TRUE(QTest::qWaitFor([shown] { return shown->isActiveWindow(); }));
                actions(*static_cast<Dialog*>(shown));
            },
            [&] {
                window.activateWindow();
                ASSERT_TRUE(QTest::qWaitFor([&] { return window.isActiveWindow(); }));
                QTest::keyClick(&window, letter, Qt::AltModifier);
                EXPECT_TRUE(QTest::qWaitFor([&] { return platform.messages.size() > before; }));
            });
    }
    static QWidget* afterTab(QWidget* from) {
        QTest::keyClick(from, Qt::Key_Tab);
        return QApplication::focusWidget();
    }
};

} // namespace

TEST_F(ClassTableWindowTest, OpensOnTheSelectedClassIsWorkedByKeyboardAndReadsAnOpenedPupilAgain) {
    const std::initializer_list<int> holding = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                10, 11, 12, 13, 14, 15, 16, 19, 20};
    folder.writePupil(1, u("DUPONT"), u("Marie"), u("6A"), {1, 2, 3, 4});
    folder.writePupil(2, u("MARTIN"), u("Léo"), u("6A"), holding);
    folder.writePupil(3, u("ZOLA"), u("Ana"), u("5B"));
    folder.writePupil(4, u("BERNARD"), u("Paul"), u("6A"));
    startProgram(true);
    ASSERT_TRUE(selectLineStartingWith(u("MARTIN")));

    withTable([&](kalidor::ClassTableWindow& table) {
        EXPECT_EQ(table.ComboClasse->currentText(), u("6A"));
        EXPECT_EQ(table.ComboNiveau->currentIndex(), 0);
        ASSERT_EQ(table.model().rowCount(), 3 + 1);
        EXPECT_EQ(cell(table, 0, 0), u("BERNARD Paul"));
        EXPECT_EQ(cell(table, rowOf(table, "2"), 24), u("acquis"));
        EXPECT_EQ(cell(table, 3, 24), u("1/3"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(table.Grid1)->text(QAccessible::Name),
                  u("Tableau des compétences niveau école – classe 6A"));

        // Tab: choosers, table, buttons.
        table.ComboClasse->setFocus();
        EXPECT_EQ(afterTab(table.ComboClasse), table.ComboNiveau);
        EXPECT_EQ(afterTab(table.ComboNiveau), table.Grid1);
        EXPECT_EQ(afterTab(table.Grid1), table.ButtonImprimer);
        EXPECT_EQ(afterTab(table.ButtonImprimer), table.ButtonExporter);
        EXPECT_EQ(afterTab(table.ButtonExporter), table.ButtonFermer);

        // The arrows move in the table; Return opens the pupil of the row.
        table.Grid1->setFocus();
        QTest::keyClick(table.Grid1, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(table.Grid1, Qt::Key_Down);
        for (int k = 0; k < 5; ++k) {
            QTest::keyClick(table.Grid1, Qt::Key_Right);
        }
        const QModelIndex current = table.Grid1->currentIndex();
        EXPECT_EQ(current.row(), rowOf(table, "1"));
        EXPECT_EQ(current.data(Qt::AccessibleTextRole).toString(), u("Compétence 5 : non validée"));
        test::driveModal(
            program->windows.F_saisi1,
            [&] {
                TF_saisi1* sheet = program->windows.F_saisi1;
                sheet->EditNom->setText(u("AUBERT"));
                sheet->findChild<QCheckBox*>(checkBoxName(5))->setChecked(true);
                QTest::mouseClick(sheet->SpeedButton1, Qt::LeftButton);
            },
            [&] { QTest::keyClick(table.Grid1, Qt::Key_Return); });

        // The row, its place and the last row as the file holds them now.
        const int row = rowOf(table, "1");
        EXPECT_EQ(row, 0);
        EXPECT_EQ(table.Grid1->currentIndex().row(), row);
        EXPECT_EQ(cell(table, row, 0), u("AUBERT Marie"));
        EXPECT_EQ(cell(table, row, 5), u("✓"));
        EXPECT_EQ(cell(table, row, 23), u("5/22"));
        EXPECT_EQ(cell(table, 3, 5), u("2"));
        QTest::keyClick(&table, Qt::Key_Escape);
        EXPECT_FALSE(table.isVisible());
    });
    EXPECT_TRUE(window().ListBox1->lines().contains(u("AUBERT Marie 6A - n° 1")));
    EXPECT_FALSE(window().ListBox1->lines().contains(u("DUPONT Marie 6A - n° 1")));
}

TEST_F(ClassTableWindowTest, ValidatesAColumnChosenByKeyboardAndMovesARowToAnotherClass) {
    folder.writePupil(1, u("AUBERT"), u("Léa"), u("6A"));
    folder.writePupil(2, u("BLANC"), u("Jo"), u("6A"), {7});
    folder.writePupil(3, u("CARON"), u("Ana"), u("6A"));
    folder.writePupil(4, u("DUPUIS"), u("Noé"), u("5B"));
    startProgram(true);
    ASSERT_TRUE(selectLineStartingWith(u("BLANC")));
    // Each line of the main list made from what its file holds now.
    const auto listedAsOnDisk = [&] {
        for (const ListEntry& entry : window().ListBox1->entries()) {
            TFiche record;
            readRecordFile(folder.path(entry.number + u(".b2i")), record);
            if (entry.stamp != recordStamp(record) ||
                entry.line != recordLine(record, entry.number, true)) {
                return false;
            }
        }
        return true;
    };

    withTable([&](kalidor::ClassTableWindow& table) {
        table.Grid1->setFocus();
        EXPECT_FALSE(table.ButtonValider->isEnabled());
        // A competence's header selects its column, the counts row left out.
        QHeaderView* header = table.Grid1->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(5) + header->sectionSize(5) / 2,
                                 header->height() * 3 / 4));
        EXPECT_EQ(table.Grid1->selectionModel()->selectedIndexes().size(), 3);
        EXPECT_TRUE(table.ButtonValider->isEnabled());
        // Competence 7 (2.3) of the class: its column, then Alt+V.
        QTest::keyClick(table.Grid1, Qt::Key_Home, Qt::ControlModifier);
        for (int k = 0; k < 7; ++k) {
            QTest::keyClick(table.Grid1, Qt::Key_Right);
        }
        QTest::keyClick(table.Grid1, Qt::Key_Space, Qt::ControlModifier);
        pressForDialog<ValidationDialog>(table, Qt::Key_V, [&](ValidationDialog& dialog) {
            EXPECT_EQ(dialog.LabelPlan->text(),
                      u("3 élèves, compétence 7 (2.3) : 2 à valider, 1 déjà validée"));
            EXPECT_EQ(
                QAccessible::queryAccessibleInterface(dialog.Maskdate)->text(QAccessible::Name),
                u("Date"));
            QTest::keyClicks(QApplication::focusWidget(), u("martin"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), u("Techno"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        EXPECT_EQ(platform.messages.value(0),
                  u("2 compétences validées.\n1 compétence déjà validée : détails gardés."));
        for (const char* number : {"1", "2", "3"}) {
            EXPECT_EQ(cell(table, rowOf(table, number), 7), u("✓")) << number;
            EXPECT_EQ(cell(table, rowOf(table, number), 23), u("1/22")) << number;
        }
        EXPECT_EQ(cell(table, 0, 7, Qt::AccessibleTextRole),
                  u("Compétence 7 : validée le ") + QDate::currentDate().toString(u("dd/MM/yyyy")) +
                      u(" par MARTIN (Techno)"));
        EXPECT_EQ(cell(table, 3, 7), u("3"));
        EXPECT_TRUE(listedAsOnDisk());

        // The column stays selected; an arrow leaves one cell, whose row moves to 5B and leaves
        // the table of 6A.
        EXPECT_EQ(table.Grid1->selectionModel()->selectedIndexes().size(), 3);
        QTest::keyClick(table.Grid1, Qt::Key_Right);
        QTest::keyClick(table.Grid1, Qt::Key_Space, Qt::ShiftModifier);
        pressForDialog<ClassChangeDialog>(table, Qt::Key_L, [&](ClassChangeDialog&) {
            QTest::keyClicks(QApplication::focusWidget(), u("5B"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        EXPECT_EQ(platform.messages.value(1), u("1 élève passé en classe 5B."));
        EXPECT_EQ(table.ComboClasse->currentText(), u("6A"));
        EXPECT_EQ(rowOf(table, "1"), -1);

        // Ctrl+Shift+R on one validated cell: asked once, and taken back.
        table.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return table.isActiveWindow(); }));
        table.Grid1->setFocus();
        table.Grid1->setCurrentIndex(table.model().index(rowOf(table, "3"), 7));
        platform.yesNoAnswers = {true};
        QTest::keyClick(table.Grid1, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(platform.questions,
                  QStringList{u("Retirer la validation de 1 compétence pour 1 élève ?")});
        EXPECT_EQ(platform.messages.value(2), u("1 validation retirée."));
        EXPECT_EQ(cell(table, rowOf(table, "3"), 7), QString());
    });
    EXPECT_TRUE(window().ListBox1->lines().contains(u("AUBERT Léa 5B - n° 1")));
    EXPECT_TRUE(listedAsOnDisk());
}

TEST_F(ClassTableWindowTest, ExportIsReadBackByPythonsCsvReaderAndAFailedWriteIsReported) {
    TFiche tricky = test::makeRecord(u("DE;LA \"TOUR\""), u("Zoé"), u("6A"), {1, 2, 23});
    tricky.setDate(1, u("12/03/2009"));
    tricky.setDate(2, u("  /  /    "));
    folder.writeRecord(u("7.b2i"), tricky);
    folder.writePupil(3, u("ABEL"), u("Jo"), u(""), {});
    // Quoted for its ";" alone.
    folder.writePupil(5, u("MARTIN"), u("Léa;Zoé"), u("6A"), {});
    startProgram(true);

    const QString file = folder.path(u("tableau.csv"));
    withTable([&](kalidor::ClassTableWindow& table) {
        EXPECT_EQ(table.ComboClasse->currentText(), u("Toutes les classes"));
        platform.fileAnswers = {file, folder.path(u("absent/tableau.csv"))};
        QTest::mouseClick(table.ButtonExporter, Qt::LeftButton);
        EXPECT_EQ(platform.log.last(),
                  u("save: Tableur CSV|*.csv as Toutes les classes - niveau école.csv"));
        QTest::mouseClick(table.ButtonExporter, Qt::LeftButton);
    });

    const QByteArray bytes = folder.readBytes(u("tableau.csv"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), 4);
    EXPECT_EQ(bytes.count('\n'), 4);
    const QList<QStringList> rows = pythonCsvRows(file);
    ASSERT_EQ(rows.size(), 4);
    QStringList heading{u("Nom"), u("Prénom"), u("Classe"), u("Numéro")};
    for (int k = 1; k <= 22; ++k) {
        heading.append(QStringLiteral("C%1").arg(k));
    }
    heading << u("Total") << u("Niveau") << u("Il manque");
    EXPECT_EQ(rows[0], heading);
    QStringList abel{u("ABEL"), u("Jo"), u(""), u("3")};
    QStringList martin{u("MARTIN"), u("Léa;Zoé"), u("6A"), u("5")};
    QStringList zoe{u("DE;LA \"TOUR\""), u("Zoé"), u("6A"), u("7"), u("12/03/2009"), u("validée")};
    for (int k = 1; k <= 22; ++k) {
        abel.append(QString());
        martin.append(QString());
        if (k > 2) {
            zoe.append(QString());
        }
    }
    abel << u("0/22") << u("non acquis") << u("18 (domaines 1, 2, 3, 4 et 5)");
    martin << abel.mid(26);
    zoe << u("2/22") << u("non acquis") << u("16 (domaines 2, 3, 4 et 5)");
    EXPECT_EQ(rows[1], abel);
    EXPECT_EQ(rows[2], zoe);
    EXPECT_EQ(rows[3], martin);

    // A folder that does not exist: the standard error box, and no file.
    EXPECT_EQ(platform.errors.size(), 1);
    EXPECT_FALSE(QFile::exists(folder.path(u("absent/tableau.csv"))));
}

TEST_F(ClassTableWindowTest, PrintsLandscapePagesWithTheCountsEndingTheLastOne) {
    for (int n = 1; n <= 60; ++n) {
        folder.writePupil(
            n, QStringLiteral("ELEVE%1").arg(n, 2, 10, QLatin1Char('0')), u("Jo"), u("CM2"),
            n % 2 == 0 ? std::initializer_list<int>{} : std::initializer_list<int>{1});
    }
    startProgram(true);
    ASSERT_TRUE(selectLineStartingWith(u("ELEVE01")));
    const QString pdf = folder.path(u("tableau.pdf"));
    platform.printing.dialogAnswers = {pdf};
    withTable([&](kalidor::ClassTableWindow& table) {
        QTest::mouseClick(table.ButtonImprimer, Qt::LeftButton);
    });

    ASSERT_EQ(test::pdfPages(pdf), 2);
    EXPECT_TRUE(test::pdfLandscape(pdf));
    const QString first = pdfText(pdf, 1);
    const QString second = pdfText(pdf, 2);
    const QString title = u("Tableau des compétences niveau école – classe CM2 – ") +
                          QDate::currentDate().toString(u("dd/MM/yyyy"));
    for (const QString& page : {first, second}) {
        EXPECT_EQ(page.count(title), 1);
        EXPECT_EQ(page.count(u("Il manque")), 1);
        EXPECT_EQ(page.count(u("Domaine ")), 5);
    }
    EXPECT_EQ(first.count(u("page 1/2")), 1);
    EXPECT_EQ(second.count(u("page 2/2")), 1);
    EXPECT_EQ(first.count(u("ELEVE")) + second.count(u("ELEVE")), 60);
    EXPECT_EQ(first.count(u("Validée par")), 0);
    EXPECT_EQ(second.count(u("Validée par")), 1);
    EXPECT_TRUE(second.contains(u("0/60")));

    // The printer is back in portrait for the documents that print in its orientation.
    const QString index = folder.path(u("index.pdf"));
    platform.printing.dialogAnswers = {index};
    window().Listedescomptencesniveaucole2Click();
    EXPECT_FALSE(test::pdfLandscape(index));
}

TEST_F(ClassTableWindowTest, ItsAbortWindowAnswersOverTheModalTable) {
    for (int n = 1; n <= 150; ++n) {
        folder.writePupil(n, QStringLiteral("ELEVE%1").arg(n), u("Jo"), u("CM2"));
    }
    startProgram(true);
    platform.printing.dialogAnswers = {QString()};
    withTable([&](kalidor::ClassTableWindow& table) {
        // The print-in-progress window on screen, whichever it is.
        platform.printing.observer = [&](const PrintCall& call) {
            for (QWidget* shown : QApplication::topLevelWidgets()) {
                auto* annule = qobject_cast<TF_annule*>(shown);
                if (call.kind == PrintCall::Text && annule != nullptr && annule->isVisible()) {
                    // Through the window system, which keeps input from a window that a
                    // modal one blocks.
                    QTest::mouseClick(
                        annule->windowHandle(), Qt::LeftButton, {},
                        annule->BitBtn1->mapTo(annule, annule->BitBtn1->rect().center()));
                }
            }
        };
        QTest::mouseClick(table.ButtonImprimer, Qt::LeftButton);
        platform.printing.observer = nullptr;
    });
    EXPECT_EQ(platform.printing.pages(), 1);
    EXPECT_EQ(platform.printing.callsOf(PrintCall::End).size(), 1);
}

TEST_F(ClassTableWindowTest, EveryColumnShowsWholeAtEitherLevelWithoutScrolling) {
    // Counts over 100, and the longest "Il manque" of a pupil without any competence.
    for (int n = 1; n <= 120; ++n) {
        folder.writePupil(n, QStringLiteral("ELEVE%1").arg(n, 3, 10, QLatin1Char('0')), u("Jo"),
                          u("6A"), {1, 23});
    }
    folder.writePupil(121, u("ZOLA"), u("Ana"), u("6A"));
    startProgram(true);
    withTable([&](kalidor::ClassTableWindow& table) {
        auto* grid = static_cast<QAbstractItemView*>(table.Grid1);
        QHeaderView* header = table.Grid1->horizontalHeader();
        // From école to collège and back: each level laid out afresh.
        for (const int level : {1, 0, 1}) {
            table.ComboNiveau->setCurrentIndex(level);
            table.Grid1->scrollToBottom();
            QApplication::processEvents();
            EXPECT_EQ(table.Grid1->horizontalScrollBar()->maximum(), 0) << level;
            for (int column = 0; column < table.model().columnCount(); ++column) {
                EXPECT_LE(grid->sizeHintForColumn(column), table.Grid1->columnWidth(column))
                    << level << " " << column;
                EXPECT_LE(header->sectionSizeHint(column), header->sectionSize(column))
                    << level << " " << column;
            }
        }
        EXPECT_EQ(cell(table, 121, 1), u("120"));
    });
}

TEST_F(ClassTableWindowTest, TheNamesStayInViewWhenTheTableScrollsSideways) {
    folder.writePupil(1, u("DUPONT"), u("Marie"), u("6A"));
    startProgram(true);
    withTable([&](kalidor::ClassTableWindow& table) {
        table.resize(500, table.height());
        table.Grid1->setFocus();
        QTest::keyClick(table.Grid1, Qt::Key_End, Qt::ControlModifier);
        QApplication::processEvents();
        ASSERT_GT(table.Grid1->horizontalScrollBar()->value(), 0);
        // What is at the table's left edge, on the pupil's row.
        const QPoint edge = table.Grid1->viewport()->mapTo(
            table.Grid1, QPoint(4, table.Grid1->rowViewportPosition(0) + 4));
        QWidget* shown = table.Grid1->childAt(edge);
        auto* view = qobject_cast<QAbstractItemView*>(shown->parentWidget());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->indexAt(shown->mapFrom(table.Grid1, edge)).data().toString(),
                  u("DUPONT Marie"));
    });
}

TEST(ClassTableHeaders, EachCompetenceStandsUnderItsDomain) {
    ClassTableModel model;
    for (const int level : {kLevelEcole, kLevelCollege}) {
        model.setPupils({}, level, std::nullopt);
        QStringList bands;
        for (int column = 0; column < model.columnCount(); ++column) {
            bands.append(
                model.headerData(column, Qt::Horizontal, BandHeader::kBandRole).toString());
        }
        QStringList expected{QString()};
        for (int domain = 1; domain <= kDomainCount; ++domain) {
            for (int k = 0; k < domainSize(level, domain); ++k) {
                expected.append(QStringLiteral("Domaine %1").arg(domain));
            }
        }
        EXPECT_EQ(bands, expected + QStringList(3, QString())) << level;
    }
}
