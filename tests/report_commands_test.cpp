// The report commands of the main window: reviews, index, validation of every competence and
// the printed competence sheet, on record files of a temporary folder.

#include "app/kalidor_program.h"
#include "platform/scripted_platform.h"
#include "records/record_file.h"
#include "records/referential.h"
#include "records/report_lines.h"
#include "records/utf8.h"
#include "sheet/competence_sheet.h"
#include "tests/support/modal.h"
#include "tests/support/program_test.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace kalidor {
namespace {

QString pdfText(const QString& file) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

class ReportCommands : public test::ProgramTest {
protected:
    ScriptedPrinter& printer() { return platform.printing; }

    void open() { startProgram(); }
    void select(const QString& start) {
        ASSERT_TRUE(selectLineStartingWith(start)) << "no line " << start.toStdString();
    }
    // A line whose record file is 3021 bytes long, so that it cannot be read.
    void addUnreadablePupil() {
        folder.writeBytes(tr8("5.b2i"), QByteArray(3021, '\0'));
        window().ListBox1->addLine({tr8("ABIME Fichier 6A - n° 5"), tr8("5")});
        select(tr8("ABIME"));
    }
};

TEST_F(ReportCommands, ReviewsOfTheSelectedPupil) {
    const TFiche record = test::makeRecord(tr8("DUPONT"), tr8("Marie"), tr8("6A"), {1, 23});
    folder.writeRecord(tr8("12.b2i"), record);
    open();

    // Without a selection nothing happens.
    window().ListBox1->setCurrentRow(-1);
    window().Bilandescomptencescoledellve1Click();
    EXPECT_EQ(window().Memo1->lines(), QStringList{tr8("1 élève au total")});

    select(tr8("DUPONT"));
    window().Bilandescomptencescoledellve1Click();
    EXPECT_EQ(window().Memo1->lines(), reviewLines(record, kLevelEcole));
    window().Bilandescomptencescollgedellve1Click();
    EXPECT_EQ(window().Memo1->lines(), reviewLines(record, kLevelCollege));
}

TEST_F(ReportCommands, UnreadableRecordLeavesThePaneAsItWas) {
    open();
    window().Listedescomptencesniveaucollge1Click();
    const QStringList before = window().Memo1->lines();
    EXPECT_EQ(before, competenceIndex(kLevelCollege));
    addUnreadablePupil();
    window().Bilandescomptencescoledellve1Click();
    window().Validercomptenceslevesl1Click();
    window().imprimerattestation11Click();
    EXPECT_EQ(window().Memo1->lines(), before);
    EXPECT_EQ(folder.readBytes(tr8("5.b2i")), QByteArray(3021, '\0'));
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(printer().dialogs, 0);
}

TEST_F(ReportCommands, SheetOfAnUnreadableRecordPrintsThePaneAsItStands) {
    open();
    window().Listedescomptencesniveaucole1Click();
    addUnreadablePupil();
    printer().dialogAnswers = {QString()};
    window().Imprimer2Click();
    EXPECT_EQ(printer().dialogs, 1);
    EXPECT_EQ(window().Memo1->lines(), competenceIndex(kLevelEcole));
    QStringList printed = printer().texts();
    // The empty second line of the index is a line feed, not a text.
    QStringList expected = competenceIndex(kLevelEcole);
    expected.removeAll(QString());
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(platform.waitCursorDepth, 0);
}

TEST_F(ReportCommands, ValidateAllShowsTheReportOfThePupilAsSaved) {
    folder.writePupil(7, tr8("DUPONT"), tr8("Marie"), tr8("6A"), {4});
    open();
    select(tr8("DUPONT"));
    window().Validercomptenceslevesl1Click();
    TFiche saved;
    readRecordFile(folder.path(tr8("7.b2i")), saved);
    EXPECT_TRUE(saved.valide(kSlotCount));
    EXPECT_EQ(window().Memo1->lines(), validateAllLines(saved));
}

// Another machine deleted DURAND (n° 1) and gave his number to MARTIN while this one still
// lists DURAND: no command of DURAND's line touches MARTIN.
TEST_F(ReportCommands, ALineWhoseNumberNowHoldsAnotherPupilActsOnNobody) {
    folder.writePupil(1, tr8("DURAND"), tr8("Paul"), tr8("6A"), {2});
    open();
    const TFiche martin = test::makeRecord(tr8("MARTIN"), tr8("Léa"), tr8("6B"));
    folder.writeRecord(tr8("1.b2i"), martin);
    const QStringList pane = window().Memo1->lines();
    const struct {
        const char* what;
        void (TF_une::*command)();
    } commands[] = {
        {"open", &TF_une::ListBox1DblClick},
        {"validate all", &TF_une::Validercomptenceslevesl1Click},
        {"review", &TF_une::Bilandescomptencescoledellve1Click},
        {"print the sheet", &TF_une::Imprimer2Click},
        {"print the certificate", &TF_une::imprimerattestation11Click},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.what);
        platform.messages.clear();
        select(tr8("DURAND"));
        test::driveModal(
            program->windows.F_saisi1, [] { ADD_FAILURE() << "the sheet opened"; },
            [&] { (window().*c.command)(); });
        EXPECT_EQ(platform.messages.size(), 1);
        EXPECT_EQ(folder.readBytes(tr8("1.b2i")), test::recordBytes(martin));
        EXPECT_EQ(window().Memo1->lines(), pane);
        EXPECT_EQ(printer().dialogs, 0);
    }
}

TEST_F(ReportCommands, SheetPrintsTheSameTextEachTime) {
    TFiche record = test::makeRecord(tr8("MARTIN"), tr8("Paul"), tr8("CM1"), {2, 3});
    record.setProfesseur(3, tr8("Mme ROY"));
    record.setDate(3, tr8("05/06/2009"));
    folder.writeRecord(tr8("3.b2i"), record);
    open();
    select(tr8("MARTIN"));
    const QString pdf = folder.path(tr8("sheet.pdf"));
    printer().dialogAnswers = {pdf, QString()};
    window().Imprimer2Click();
    EXPECT_EQ(window().Memo1->lines(), sheetLines(record, kLevelEcole));
    EXPECT_EQ(platform.waitCursorDepth, 0);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(tr8("FICHE élève B2i")));
    EXPECT_TRUE(text.contains(tr8("MARTIN Paul Classe : CM1")));
    EXPECT_TRUE(text.contains(tr8("Compétence 3 Validée Mme ROY 05/06/2009")));
    EXPECT_TRUE(text.contains(tr8("Total Niveau école : 2/22")));
    EXPECT_TRUE(text.contains(tr8("B2i niveau école non acquis.")));

    const QStringList first = printer().texts();
    printer().calls.clear();
    window().Memo1->clear();
    window().Imprimer2Click();
    EXPECT_EQ(printer().texts(), first);
    // The blank line " " is printed as text too.
    EXPECT_EQ(first.size(), sheetLines(record, kLevelEcole).size());

    // Cancelled: nothing printed, the pane holds the sheet all the same.
    printer().calls.clear();
    window().Memo1->clear();
    window().Imprimercomptencesniveaucollgedellve1Click();
    EXPECT_TRUE(printer().callsOf(PrintCall::Begin).isEmpty());
    EXPECT_EQ(window().Memo1->lines(), sheetLines(record, kLevelCollege));
    EXPECT_EQ(platform.waitCursorDepth, 0);
}

TEST_F(ReportCommands, PrinterFailureIsReportedAndTheCursorRestored) {
    folder.writePupil(1, tr8("MARTIN"), tr8("Paul"), tr8("CM1"));
    open();
    select(tr8("MARTIN"));
    printer().dialogAnswers = {QString()};
    printer().beginFailures = 1;
    window().Imprimer2Click();
    EXPECT_EQ(platform.waitCursorDepth, 0);
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors.first().startsWith(tr8("Impression impossible")));
    EXPECT_TRUE(printer().callsOf(PrintCall::Text).isEmpty());
}

TEST_F(ReportCommands, IndexPrintsInThePaneFont) {
    open();
    const QString pdf = folder.path(tr8("index.pdf"));
    printer().dialogAnswers = {pdf};
    window().Listedescomptencesniveaucole2Click();
    EXPECT_EQ(window().Memo1->lines(), competenceIndex(kLevelEcole));
    const QList<PrintCall> fonts = printer().callsOf(PrintCall::Font);
    ASSERT_EQ(fonts.size(), 1);
    EXPECT_EQ(fonts[0].text, tr8("Times New Roman"));
    EXPECT_EQ(fonts[0].pointSize, 12);
    EXPECT_TRUE(fonts[0].bold);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(tr8("Index des compétences B2i niveau école")));
    EXPECT_TRUE(text.contains(tr8("14 Je sais imprimer un document.")));
    EXPECT_TRUE(text.contains(tr8("Communiquer, échanger")));
    EXPECT_EQ(printer().callsOf(PrintCall::Title).size(), 0);
}

} // namespace
} // namespace kalidor
