// The printed documents through the main window's commands: the print dialog, the pages and
// their texts on the recording printer, and real PDF files read back with poppler.

#include "app/kalidor_program.h"
#include "platform/platform_texts.h"
#include "platform/printer_text_file.h"
#include "platform/qt_printer.h"
#include "platform/scripted_platform.h"
#include "records/referential.h"
#include "records/report_lines.h"
#include "records/utf8.h"
#include "reports/print_progress.h"
#include "tests/support/modal.h"
#include "tests/support/pdf_text.h"
#include "tests/support/program_test.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace kalidor {
namespace {

using test::pdfPageLines;
using test::pdfPages;

// The right edges of the words `word` on the first page of a PDF, and the page's width, in points.
std::pair<QList<double>, double> pdfWordRightEdges(const QString& file, const QString& word) {
    QProcess boxes;
    boxes.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                 QStringLiteral("-l"), QStringLiteral("1"), file, QStringLiteral("-")});
    boxes.waitForFinished();
    const QString out = QString::fromUtf8(boxes.readAllStandardOutput());
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\"")).match(out);
    QList<double> rights;
    QRegularExpressionMatchIterator words =
        QRegularExpression(QStringLiteral("xMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>"))
            .globalMatch(out);
    while (words.hasNext()) {
        const QRegularExpressionMatch match = words.next();
        if (match.captured(2) == word) {
            rights.append(match.captured(1).toDouble());
        }
    }
    return {rights, page.hasMatch() ? page.captured(1).toDouble() : 0.0};
}

int countContaining(const QStringList& lines, const QString& part) {
    int count = 0;
    for (const QString& line : lines) {
        count += line.count(part);
    }
    return count;
}

class Printing : public test::ProgramTest {
protected:
    ScriptedPrinter& printer() { return platform.printing; }
    TF_annule& annule() { return *program->windows.F_annule; }

    void open() { startProgram(); }
    void select(const QString& start) {
        ASSERT_TRUE(selectLineStartingWith(start)) << "no line " << start.toStdString();
    }
    void writePupils(int count, std::initializer_list<int> validated) {
        for (int n = 1; n <= count; ++n) {
            folder.writePupil(n, QStringLiteral("ELEVE%1").arg(n, 3, 10, QLatin1Char('0')),
                              tr8("Prénom"), tr8("5C"), validated);
        }
    }
    QString pdf(const QString& name) { return folder.path(name + QLatin1String(".pdf")); }
};

const std::initializer_list<int> kAllEcole = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                              12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};

TEST_F(Printing, AbortWindowLooksAsItShould) {
    open();
    EXPECT_EQ(annule().objectName(), tr8("F_annule"));
    EXPECT_EQ(annule().windowTitle(), tr8("Impression en cours"));
    EXPECT_TRUE(annule().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(annule().palette().color(QPalette::Window), QColor(0x00, 0x80, 0x80));
    EXPECT_EQ(annule().Panel1->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(annule().BitBtn1->text(), tr8("Abandonner l'impression"));
    annule().startDocument(tr8("Impression B2i"));
    EXPECT_TRUE(annule().isVisible());
    EXPECT_TRUE(annule().continuePrinting());
    EXPECT_EQ(annule().Panel1->text(), tr8("Impression B2i"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(annule().Panel1)->text(QAccessible::Name),
              tr8("Impression B2i"));
    QTest::mouseClick(annule().BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(annule().continuePrinting());
    EXPECT_FALSE(annule().isVisible());
}

TEST_F(Printing, ListOf70IsOnePageAnd71AreTwoInOnePdf) {
    writePupils(70, {});
    open();
    printer().dialogAnswers = {pdf(tr8("70"))};
    window().Listedetousleslves1Click();
    ASSERT_EQ(pdfPages(pdf(tr8("70"))), 1);
    const QStringList single = pdfPageLines(pdf(tr8("70")), 1);
    EXPECT_EQ(countContaining(single, tr8("1/1")), 1);
    EXPECT_EQ(countContaining(single, tr8(" - n° ")), 70);

    folder.writePupil(71, tr8("ZORRO"), tr8("Diego"), tr8("5C"));
    printer().dialogAnswers = {pdf(tr8("71"))};
    window().Listedetousleslves1Click();
    ASSERT_EQ(pdfPages(pdf(tr8("71"))), 2);
    const QStringList first = pdfPageLines(pdf(tr8("71")), 1);
    const QStringList second = pdfPageLines(pdf(tr8("71")), 2);
    EXPECT_EQ(countContaining(first, tr8("1/2")), 1);
    EXPECT_EQ(countContaining(first, tr8(" - n° ")), 70);
    EXPECT_EQ(countContaining(second, tr8("2/2")), 1);
    EXPECT_EQ(countContaining(second, tr8(" - n° ")), 1);
    EXPECT_EQ(countContaining(second, tr8("ZORRO Diego 5C - n° 71")), 1);
    for (const QStringList& page : {first, second}) {
        EXPECT_EQ(countContaining(page, tr8("B2i Brevet informatique et internet (compétences)")),
                  1);
        EXPECT_EQ(countContaining(page, tr8("Liste de tous les élèves")), 1);
        EXPECT_EQ(countContaining(page, printedDate(QDate::currentDate())), 1);
    }
    // One print job with a page break, under its name.
    EXPECT_EQ(printer().callsOf(PrintCall::Begin).size(), 2);
    EXPECT_EQ(printer().callsOf(PrintCall::NewPage).size(), 1);
    EXPECT_EQ(printer().callsOf(PrintCall::Title).last().text, tr8("B2i"));
}

TEST_F(Printing, ListPageLayoutInUnits) {
    writePupils(3, kAllEcole);
    open();
    printer().recordedPageSize = {4961, 7016}; // units 58 and 82
    printer().dialogAnswers = {QString()};
    QString panel;
    bool shown = false;
    printer().observer = [&](const PrintCall& call) {
        if (call.kind == PrintCall::Text && panel.isEmpty()) {
            panel = annule().Panel1->text();
            shown = annule().isVisible();
        }
    };
    window().Listedeslvesayantleniveaucole1Click();
    EXPECT_EQ(panel, tr8("Impression B2i"));
    EXPECT_TRUE(shown);
    EXPECT_FALSE(annule().isVisible());
    EXPECT_EQ(window().ListBox1->count(), 3);

    const QList<PrintCall> texts = printer().callsOf(PrintCall::Text, 1);
    ASSERT_EQ(texts.size(), 4 + 3);
    const auto at = [](const PrintCall& call) { return std::pair(call.x1, call.y1); };
    EXPECT_EQ(texts[0].text, tr8("B2i Brevet informatique et internet (compétences)"));
    EXPECT_EQ(at(texts[0]), std::pair(40 * 58, 2 * 82));
    EXPECT_EQ(texts[1].text, printedDate(QDate::currentDate()));
    EXPECT_EQ(at(texts[1]), std::pair(3 * 58, 2 * 82));
    EXPECT_EQ(texts[2].text, tr8("Liste des élèves ayant le Niveau école "));
    EXPECT_EQ(at(texts[2]), std::pair(15 * 58, 3 * 82));
    EXPECT_EQ(texts[3].text, tr8("1/1"));
    EXPECT_EQ(at(texts[3]), std::pair(3 * 58, 3 * 82));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(texts[4 + k].text, window().ListBox1->line(k));
        EXPECT_EQ(at(texts[4 + k]), std::pair(15 * 58, (k + 6) * 82));
    }
    const QList<PrintCall> moves = printer().callsOf(PrintCall::Move, 1);
    const QList<PrintCall> lines = printer().callsOf(PrintCall::Line, 1);
    ASSERT_EQ(moves.size(), 1);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(at(moves[0]), std::pair(58, 4 * 82));
    EXPECT_EQ(at(lines[0]), std::pair(4961, 4 * 82));
    const QList<PrintCall> fonts = printer().callsOf(PrintCall::Font);
    ASSERT_EQ(fonts.size(), 1);
    EXPECT_EQ(fonts[0].text, tr8("Arial"));
    EXPECT_EQ(fonts[0].pointSize, 9);
    EXPECT_EQ(printer().callsOf(PrintCall::Portrait).size(), 1);
}

TEST_F(Printing, EmptyViewPrintsNothingAndCancelChangesNothing) {
    writePupils(2, {});
    open();
    window().Listedeslvesayantleniveaucollge1Click();
    EXPECT_EQ(printer().dialogs, 0);
    EXPECT_TRUE(printer().calls.isEmpty());
    EXPECT_EQ(window().Memo1->lines(), QStringList{tr8("0 élève de niveau collège")});

    printer().dialogAnswers = {std::nullopt};
    window().Listedeslvesnayantpasleniveaucole1Click();
    EXPECT_EQ(printer().dialogs, 1);
    EXPECT_TRUE(printer().callsOf(PrintCall::Begin).isEmpty());
    EXPECT_TRUE(printer().callsOf(PrintCall::Title).isEmpty());
    EXPECT_FALSE(annule().isVisible());
    EXPECT_EQ(window().ListBox1->count(), 2);
    EXPECT_EQ(window().Memo1->lines(), QStringList{tr8("2 élèves qui n'ont pas le niveau école")});
}

TEST_F(Printing, AbortStopsAfterThePageBeingDrawn) {
    writePupils(141, {});
    open();
    printer().dialogAnswers = {pdf(tr8("aborted"))};
    printer().observer = [&](const PrintCall& call) {
        if (call.kind == PrintCall::Text && call.page == 1 && annule().continuePrinting()) {
            QTest::mouseClick(annule().BitBtn1, Qt::LeftButton);
        }
    };
    window().Listedetousleslves1Click();
    EXPECT_EQ(printer().pages(), 1);
    EXPECT_EQ(printer().texts(1).size(), 4 + 70);
    EXPECT_TRUE(printer().callsOf(PrintCall::NewPage).isEmpty());
    EXPECT_EQ(printer().callsOf(PrintCall::End).size(), 1);
    EXPECT_FALSE(annule().isVisible());
    EXPECT_EQ(pdfPages(pdf(tr8("aborted"))), 1);
    EXPECT_EQ(countContaining(pdfPageLines(pdf(tr8("aborted")), 1), tr8("1/3")), 1);
}

TEST_F(Printing, EscapeAndTheCloseBoxStopThePrintingAsTheButtonDoes) {
    writePupils(141, {});
    open();
    for (const bool escape : {true, false}) {
        printer().calls.clear();
        printer().dialogAnswers = {QString()};
        printer().observer = [&](const PrintCall& call) {
            if (call.kind == PrintCall::Text && annule().isVisible()) {
                if (escape) {
                    QTest::keyClick(&annule(), Qt::Key_Escape);
                } else {
                    annule().close();
                }
            }
        };
        window().Listedetousleslves1Click();
        EXPECT_TRUE(printer().callsOf(PrintCall::NewPage).isEmpty()) << escape;
        EXPECT_FALSE(annule().isVisible());
    }
}

// A stop comes as a window event and runs where the batch lets events run, between two names or
// two pages. Whenever it comes (Esc, the close box or the button), the batch ends short of its
// last page and every page it printed is whole; a print command chosen after the stop does not
// start the batch's window again under it.
TEST_F(Printing, AStopAtAnyMomentEndsTheBatchShortWithWholePages) {
    writePupils(25, kAllEcole); // 4 pages: 8, 8, 8 and 1 certificates
    open();
    platform.runEvents = true;
    enum Stop { None, Escape, CloseBox, Button, EscapeThenPrint };
    using C = PrintCall;
    struct Moment {
        Stop stop;
        C::Kind kind; // the stop comes with this call
        int page;     // of this page (0 before the first one starts), the pages printed
        int index;    // among the calls of its kind on that page, -1 the last
        int beginFailures = 0;
    };
    // The last row, without a stop, prints the 4 pages.
    const QList<Moment> moments{{Escape, C::Title, 0, 0},
                                {CloseBox, C::Font, 0, 0},
                                {Button, C::Begin, 1, 0},
                                {Escape, C::Rect, 1, 0},
                                {CloseBox, C::Text, 1, 0},
                                {Escape, C::Text, 1, 40},
                                {Button, C::Text, 1, -1},
                                {CloseBox, C::NewPage, 2, 0},
                                {Escape, C::Rect, 2, -1},
                                {Button, C::Text, 2, 9},
                                {CloseBox, C::Font, 2, 30},
                                {Escape, C::Text, 2, -1},
                                {Button, C::NewPage, 3, 0},
                                {Escape, C::Font, 3, 0},
                                {CloseBox, C::Text, 3, 50},
                                {Button, C::Rect, 3, 3},
                                {CloseBox, C::Text, 3, -1},
                                {Escape, C::Begin, 0, 1, 3},
                                {EscapeThenPrint, C::Title, 0, 0},
                                {EscapeThenPrint, C::Text, 1, 0},
                                {None, C::Title, 4, 0}};
    const auto postStop = [&](Stop stop) {
        if (stop == Escape || stop == EscapeThenPrint) {
            QCoreApplication::postEvent(
                &annule(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        } else if (stop == CloseBox) {
            QCoreApplication::postEvent(&annule(), new QCloseEvent);
        } else if (stop == Button) {
            QMetaObject::invokeMethod(annule().BitBtn1, &QPushButton::click, Qt::QueuedConnection);
        }
        if (stop == EscapeThenPrint) {
            QMetaObject::invokeMethod(
                &window(),
                [&] {
                    window().ListBox1->setCurrentRow(0);
                    window().imprimerattestation11Click();
                },
                Qt::QueuedConnection);
        }
    };
    // Prints the batch, the stop posted with call number `at`; returns every call.
    const auto print = [&](const Moment& moment, qsizetype at) {
        printer().calls.clear();
        printer().dialogs = 0;
        printer().dialogAnswers = {QString(), QString()};
        printer().beginFailures = moment.beginFailures;
        qsizetype count = 0;
        printer().observer = [&](const PrintCall&) {
            if (count++ == at) {
                postStop(moment.stop);
            }
        };
        window().Imprimertouteslesattestationsdeniveau11Click();
        printer().observer = nullptr;
        QCoreApplication::processEvents();
        return printer().calls;
    };
    for (qsizetype row = 0; row < moments.size(); ++row) {
        SCOPED_TRACE(testing::Message() << "moment " << row);
        const Moment& moment = moments[row];
        QList<qsizetype> candidates;
        const QList<PrintCall> unstopped = print(moment, -1);
        for (qsizetype i = 0; i < unstopped.size(); ++i) {
            if (unstopped[i].kind == moment.kind && unstopped[i].page == moment.page) {
                candidates.append(i);
            }
        }
        const qsizetype index = moment.index < 0 ? candidates.size() + moment.index : moment.index;
        ASSERT_TRUE(moment.stop == None || (index >= 0 && index < candidates.size()));
        print(moment, moment.stop == None ? -1 : candidates[index]);
        EXPECT_EQ(printer().pages(), moment.page);
        for (int page = 1; page <= printer().pages(); ++page) {
            EXPECT_EQ(printer().callsOf(PrintCall::Rect, page).size(), 8) << page;
            EXPECT_EQ(printer().texts(page).size(), page < 4 ? 8 * 9 : 9) << page;
        }
        EXPECT_EQ(printer().callsOf(PrintCall::End).size(), moment.page > 0 ? 1 : 0);
        EXPECT_EQ(printer().dialogs, 1);
        EXPECT_FALSE(annule().isVisible());
        EXPECT_FALSE(annule().documentOpen());
    }
}

TEST_F(Printing, PrintCommandsWhileADocumentPrintsAreIgnored) {
    writePupils(80, kAllEcole);
    open();
    printer().dialogAnswers = {QString(), QString()};
    bool again = true;
    printer().observer = [&](const PrintCall& call) {
        if (call.kind == PrintCall::Text && again) {
            again = false;
            window().Listedeslvesayantleniveaucole1Click();
            window().imprimerattestation11Click();
            window().Listedescomptencesniveaucole2Click();
        }
    };
    window().Listedetousleslves1Click();
    EXPECT_EQ(printer().dialogs, 1);
    EXPECT_EQ(printer().callsOf(PrintCall::Begin).size(), 1);
    EXPECT_EQ(printer().texts(1).size(), 4 + 70);
    EXPECT_EQ(printer().texts(2).size(), 4 + 10);
}

TEST_F(Printing, RefusedStartIsRetriedUntilAcceptedOrAbandoned) {
    writePupils(2, {});
    open();
    printer().dialogAnswers = {QString()};
    printer().beginFailures = 2;
    window().Listedetousleslves1Click();
    const QList<PrintCall> begins = printer().callsOf(PrintCall::Begin);
    ASSERT_EQ(begins.size(), 3);
    EXPECT_EQ(begins[0].x1, 0);
    EXPECT_EQ(begins[1].x1, 0);
    EXPECT_EQ(begins[2].x1, 1);
    EXPECT_EQ(printer().texts(1).size(), 4 + 2);

    printer().calls.clear();
    printer().dialogAnswers = {QString()};
    printer().beginFailures = 1000;
    int failures = 0;
    printer().observer = [&](const PrintCall& call) {
        if (call.kind == PrintCall::Begin && ++failures == 3) {
            QTest::mouseClick(annule().BitBtn1, Qt::LeftButton);
        }
    };
    window().Listedetousleslves1Click();
    EXPECT_EQ(printer().callsOf(PrintCall::Begin).size(), 3);
    EXPECT_TRUE(printer().callsOf(PrintCall::Text).isEmpty());
    EXPECT_TRUE(printer().callsOf(PrintCall::End).isEmpty());
    EXPECT_FALSE(annule().isVisible());
}

// Every print command (F4, F6, all attestations, a list, the competence index) shows the
// refusal once, closes the print-in-progress window and leaves the printer free.
TEST_F(Printing, APrinterThatRefusesTheDocumentIsNamedOnceByEveryCommand) {
    writePupils(1, kAllEcole);
    open();
    printer().refusingPrinter = tr8("Salle 12");
    for (void (TF_une::*command)() :
         {&TF_une::Imprimer2Click, &TF_une::imprimerattestation11Click,
          &TF_une::Imprimertouteslesattestationsdeniveau11Click, &TF_une::Listedetousleslves1Click,
          &TF_une::Listedescomptencesniveaucole2Click}) {
        select(tr8("ELEVE001"));
        platform.errors.clear();
        printer().dialogAnswers = {QString()};
        (window().*command)();
        EXPECT_EQ(platform.errors,
                  QStringList{tr8(platform_texts::kPrinterRefusesJobs).arg(tr8("Salle 12"))});
        EXPECT_FALSE(annule().isVisible());
        EXPECT_FALSE(printer().printing());
    }
}

TEST_F(Printing, OneAttestationTwiceInTheTopRow) {
    folder.writePupil(4, tr8("DUPONT"), tr8("Marie"), tr8("6A"), kAllEcole);
    open();
    select(tr8("DUPONT"));
    printer().recordedPageSize = {4961, 7016};
    printer().dialogAnswers = {QString()};
    window().imprimerattestation11Click();

    EXPECT_EQ(printer().callsOf(PrintCall::Title).last().text, tr8("Attestation B2i niveau école"));
    const QList<PrintCall> frames = printer().callsOf(PrintCall::Rect, 1);
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ((QList<int>{frames[0].x1, frames[0].y1, frames[0].x2, frames[0].y2}),
              (QList<int>{0, 0, 2480, 1754}));
    EXPECT_EQ((QList<int>{frames[1].x1, frames[1].y1, frames[1].x2, frames[1].y2}),
              (QList<int>{2480, 0, 4960, 1754}));

    const QList<PrintCall> texts = printer().callsOf(PrintCall::Text, 1);
    ASSERT_EQ(texts.size(), 18);
    const QList<PrintCall> fonts = printer().callsOf(PrintCall::Font, 1);
    ASSERT_EQ(fonts.size(), 18);
    struct Expected {
        QString text;
        QString family;
        int size;
        int x; // from the column's left
        int y;
    };
    const QList<Expected> expected{
        {tr8("B2i Brevet Informatique Internet"), tr8("Times New Roman"), 20, 58, 87},
        {tr8("école"), tr8("Times New Roman"), 16, 58, 350},
        {tr8("Le brevet informatique et internet attestant les compétences"),
         tr8("Times New Roman"), 10, 58, 668},
        {tr8("de niveau école est délivré à"), tr8("Times New Roman"), 10, 58, 779},
        {tr8("ATTESTATION"), tr8("Arial"), 12, 15 * 58, 501},
        {tr8("L'élève"), tr8("Arial"), 7, 58, 1169},
        {tr8("Cachet Etablissement"), tr8("Arial"), 7, 26 * 58, 1169},
        {printedDate(QDate::currentDate()), tr8("Arial"), 9, 26 * 58, 350},
        {tr8("DUPONT Marie 6A"), tr8("Arial"), 10, 4 * 58, 935},
    };
    for (int copy = 0; copy < 2; ++copy) {
        for (int i = 0; i < expected.size(); ++i) {
            const PrintCall& text = texts[copy * 9 + i];
            const PrintCall& font = fonts[copy * 9 + i];
            EXPECT_EQ(text.text, expected[i].text) << i;
            EXPECT_EQ(text.x1, copy * 2480 + expected[i].x) << i;
            EXPECT_EQ(text.y1, expected[i].y) << i;
            EXPECT_EQ(font.text, expected[i].family) << i;
            EXPECT_EQ(font.pointSize, expected[i].size) << i;
        }
    }
}

TEST_F(Printing, ANameTooWideForItsCellIsDrawnSmallerThenCut) {
    const QString longName = tr8("MONTMORENCY-LAVALLÉE Marie-Bénédicte-Zoé 6e B-12");
    folder.writePupil(1, tr8("MONTMORENCY-LAVALLÉE"), tr8("Marie-Bénédicte-Zoé"), tr8("6e B-12"),
                      kAllEcole);
    const QString widest(20, QLatin1Char('W'));
    const QString widestName =
        widest + QLatin1Char(' ') + widest + QLatin1Char(' ') + QString(8, 'W');
    folder.writePupil(2, widest, widest, QString(8, QLatin1Char('W')), kAllEcole);
    open();
    // The two names of the page printed last: the ninth text of each attestation.
    const auto printedNames = [&] {
        const QList<PrintCall> texts = printer().callsOf(PrintCall::Text).last(18);
        const QList<PrintCall> fonts = printer().callsOf(PrintCall::Font).last(18);
        QList<std::pair<PrintCall, int>> names;
        for (int copy = 0; copy < 2; ++copy) {
            names.append({texts[copy * 9 + 8], fonts[copy * 9 + 8].pointSize});
        }
        for (auto& [text, size] : names) {
            printer().setFont(QFont(tr8("Arial"), size));
            // Inside its own cell: column 1 ends at 2480, column 2 at 4960.
            EXPECT_LE(text.x1 + printer().textWidth(text.text), text.x1 < 2480 ? 2480 : 4960)
                << size;
            EXPECT_GE(size, 6);
        }
        return names;
    };

    select(tr8("MONTMORENCY"));
    printer().dialogAnswers = {QString()};
    window().imprimerattestation11Click();
    for (const auto& [text, size] : printedNames()) {
        EXPECT_EQ(text.text, longName);
        EXPECT_LT(size, 10);
    }
    select(tr8("WWW"));
    printer().dialogAnswers = {QString()};
    window().imprimerattestation11Click();
    for (const auto& [text, size] : printedNames()) {
        EXPECT_EQ(size, 6);
        EXPECT_LT(text.text.size(), widestName.size());
        EXPECT_TRUE(widestName.startsWith(text.text));
    }
    // On a real page, the end of the long name stays inside each copy's cell.
    select(tr8("MONTMORENCY"));
    printer().dialogAnswers = {pdf(tr8("long"))};
    window().imprimerattestation11Click();
    auto [rights, pageWidth] = pdfWordRightEdges(pdf(tr8("long")), tr8("B-12"));
    ASSERT_EQ(rights.size(), 2);
    std::sort(rights.begin(), rights.end());
    EXPECT_LE(rights[0], pageWidth / 2);
    EXPECT_LE(rights[1], pageWidth);
}

TEST_F(Printing, AttestationRefusedWhenTheLevelIsNotHeld) {
    folder.writePupil(2, tr8("DURAND"), tr8("Léa"), tr8("3B"), kAllEcole);
    open();
    select(tr8("DURAND"));
    window().Imprimerattestationniveau2dellve1Click();
    EXPECT_EQ(
        platform.messages,
        QStringList{tr8("L'élève DURAND Léa classe : 3B n'a pas atteint le niveau collège !")});
    EXPECT_EQ(printer().dialogs, 0);

    printer().dialogAnswers = {pdf(tr8("one"))};
    window().imprimerattestation11Click();
    ASSERT_EQ(pdfPages(pdf(tr8("one"))), 1);
    const QStringList page = pdfPageLines(pdf(tr8("one")), 1);
    EXPECT_EQ(countContaining(page, tr8("ATTESTATION")), 2);
    EXPECT_EQ(countContaining(page, tr8("DURAND Léa 3B")), 2);
}

TEST_F(Printing, NinePupilsGiveTwoPagesFilledColumnByColumn) {
    writePupils(9, kAllEcole);
    open();
    printer().recordedPageSize = {4961, 7016};
    printer().dialogAnswers = {QString(), pdf(tr8("nine"))};
    window().Imprimertouteslesattestationsdeniveau11Click();
    EXPECT_EQ(platform.messages.last(), tr8("9 élèves, 2 pages"));
    EXPECT_EQ(window().Memo1->lines(), QStringList{tr8("9 élèves de niveau école")});

    EXPECT_EQ(printer().callsOf(PrintCall::Title).last().text, tr8("Attestation B2i niveau école"));
    EXPECT_EQ(printer().callsOf(PrintCall::Rect, 1).size(), 8);
    EXPECT_EQ(printer().callsOf(PrintCall::Rect, 2).size(), 8);
    EXPECT_EQ(printer().texts(1).size(), 8 * 9);
    EXPECT_EQ(printer().texts(2).size(), 9);
    // Every frame of page 2: columns of 2480, rows of 1754.
    QList<QList<int>> frames;
    for (const PrintCall& call : printer().callsOf(PrintCall::Rect, 2)) {
        frames.append({call.x1, call.y1, call.x2, call.y2});
    }
    for (int column = 1; column <= 2; ++column) {
        for (int row = 1; row <= 4; ++row) {
            EXPECT_TRUE(frames.contains(
                QList<int>{2480 * (column - 1), 1754 * (row - 1), 2480 * column, 1754 * row}))
                << column << " " << row;
        }
    }
    // Names: pupil 2 in column 1 row 2, pupil 5 in column 2 row 1, pupil 9 on page 2.
    const auto nameCall = [&](const QString& name) {
        for (const PrintCall& call : printer().callsOf(PrintCall::Text)) {
            if (call.text == name) {
                return call;
            }
        }
        return PrintCall{};
    };
    const PrintCall second = nameCall(tr8("ELEVE002 Prénom 5C - "));
    EXPECT_EQ(std::pair(second.page, second.x1), std::pair(1, 4 * 58));
    EXPECT_EQ(second.y1, static_cast<int>(7016 / 4.0 + 7016 / 7.5));
    const PrintCall fifth = nameCall(tr8("ELEVE005 Prénom 5C - "));
    EXPECT_EQ(std::pair(fifth.page, fifth.x1), std::pair(1, 2480 + 4 * 58));
    EXPECT_EQ(fifth.y1, 935);
    const PrintCall ninth = nameCall(tr8("ELEVE009 Prénom 5C - "));
    EXPECT_EQ(std::pair(ninth.page, ninth.x1), std::pair(2, 4 * 58));
    const PrintCall third = nameCall(tr8("ELEVE003 Prénom 5C - "));
    EXPECT_EQ(third.y1, static_cast<int>(7016 / 4.0 * 2 + 7016 / 7.5));

    // The same into a PDF file.
    window().Imprimertouteslesattestationsdeniveau11Click();
    ASSERT_EQ(pdfPages(pdf(tr8("nine"))), 2);
    EXPECT_EQ(countContaining(pdfPageLines(pdf(tr8("nine")), 1), tr8("ATTESTATION")), 8);
    const QStringList last = pdfPageLines(pdf(tr8("nine")), 2);
    EXPECT_EQ(countContaining(last, tr8("ATTESTATION")), 1);
    EXPECT_EQ(countContaining(last, tr8("ELEVE009 Prénom 5C -")), 1);
}

TEST_F(Printing, BatchCollegeTitleAndPanelAndNoPupilMessage) {
    writePupils(2, {});
    open();
    window().Imprimertouteslesattestationsdeniveau21Click();
    EXPECT_EQ(platform.messages, QStringList{tr8("0 élèves, 0 pages")});
    EXPECT_EQ(printer().dialogs, 0);

    folder.writePupil(3, tr8("COLLEGIEN"), tr8("Tom"), tr8("3A"),
                      {23, 24, 25, 29, 30, 31, 32, 36, 37, 38, 39, 43,
                       44, 45, 48, 49, 26, 27, 33, 40, 46, 28, 34});
    QString panel;
    printer().observer = [&](const PrintCall& call) {
        if (call.kind == PrintCall::Text && panel.isEmpty()) {
            panel = annule().Panel1->text();
        }
    };
    printer().dialogAnswers = {QString()};
    window().Imprimertouteslesattestationsdeniveau21Click();
    EXPECT_EQ(platform.messages.last(), tr8("1 élèves, 1 pages"));
    EXPECT_EQ(panel, tr8("Attestations niveau collège"));
    EXPECT_EQ(printer().callsOf(PrintCall::Title).last().text,
              tr8("Attestation B2i niveau collège"));
    EXPECT_TRUE(printer().texts(1).contains(tr8("de niveau collège est délivré à")));
    EXPECT_TRUE(printer().texts(1).contains(tr8("collège")));

    select(tr8("COLLEGIEN"));
    printer().dialogAnswers = {QString()};
    window().Imprimerattestationniveau2dellve1Click();
    EXPECT_EQ(printer().callsOf(PrintCall::Title).last().text, tr8("Attestation B2i niveau 2"));
}

} // namespace
} // namespace kalidor

namespace kalidor {
namespace {

// The real printer: Qt's own print dialog, accepted, then a two-page document in one PDF file.
TEST(QtPrinterTest, DialogThenOneJobWithPageBreaksIntoPdf) {
    test::TestFolder folder;
    const QString file = folder.path(QStringLiteral("real.pdf"));
    QtPrinter printer;
    printer.printToPdf(file);
    bool sawDialog = false;
    bool accepted = false;
    test::driveModal(
        [&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                sawDialog = true;
                dialog->accept();
            }
        },
        [&] { accepted = printer.executePrintDialog(nullptr); });
    ASSERT_TRUE(accepted);
    EXPECT_TRUE(sawDialog);
    printer.setPortrait();
    printer.setTitle(QStringLiteral("B2i"));
    EXPECT_GT(printer.pageHeight(), printer.pageWidth());
    ASSERT_TRUE(printer.beginDoc());
    EXPECT_TRUE(printer.printing());
    printer.setFont(QFont(QStringLiteral("Arial"), 9));
    printer.textOut(100, 100, QStringLiteral("Page un"));
    printer.rectangle(50, 50, 1000, 1000);
    ASSERT_TRUE(printer.newPage());
    printer.textOut(100, 100, QStringLiteral("Page deux"));
    printer.endDoc();
    EXPECT_FALSE(printer.printing());
    ASSERT_EQ(pdfPages(file), 2);
    EXPECT_EQ(pdfPageLines(file, 1), QStringList{QStringLiteral("Page un")});
    EXPECT_EQ(pdfPageLines(file, 2), QStringList{QStringLiteral("Page deux")});

    // Cancelled: false, and the next document still goes where it went.
    test::driveModal(
        [](QWidget* modal) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        },
        [&] { EXPECT_FALSE(printer.executePrintDialog(nullptr)); });
    // An orientation set before the printer is first used holds once it is.
    QtPrinter landscape;
    landscape.setLandscape();
    landscape.printToPdf(file);
    EXPECT_GT(landscape.pageWidth(), landscape.pageHeight());
}

// The printer opened as a text file breaks long lines at blanks and starts new pages.
TEST(PrinterTextFileTest, BreaksLongLinesAndPages) {
    ScriptedPrinter printer;
    printer.dialogAnswers = {QString()};
    ASSERT_TRUE(printer.executePrintDialog(nullptr));
    printer.setFont(QFont(QStringLiteral("Arial"), 10));
    const int height = printer.textHeight();
    printer.recordedPageSize = {printer.textWidth(QStringLiteral("mot mot mot mot mot")),
                                height * 3};
    QStringList lines;
    lines << QStringLiteral("un") << QString() << QStringLiteral("mot mot mot mot mot mot mot")
          << QStringLiteral("fin");
    printTextLines(printer, lines);
    const QList<PrintCall> texts = printer.callsOf(PrintCall::Text);
    QStringList pieces;
    for (const PrintCall& call : texts) {
        pieces.append(call.text);
        // A blank that ends a piece may pass the edge; the words may not.
        QString words = call.text;
        while (words.endsWith(QLatin1Char(' '))) {
            words.chop(1);
        }
        EXPECT_LE(printer.textWidth(words), printer.recordedPageSize.width())
            << call.text.toStdString();
        EXPECT_EQ(call.x1, 0);
    }
    EXPECT_EQ(pieces.join(QString()), QStringLiteral("unmot mot mot mot mot mot motfin"));
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[0].page, 1);
    EXPECT_EQ(texts[0].y1, 0);
    EXPECT_EQ(texts[1].page, 1); // after the empty line
    EXPECT_EQ(texts[1].y1, 2 * height);
    EXPECT_EQ(texts[2].page, 2);
    EXPECT_EQ(texts[2].y1, 0);
    EXPECT_EQ(texts[3].page, 2);
    EXPECT_EQ(printer.callsOf(PrintCall::End).size(), 1);
}

} // namespace
} // namespace kalidor
