// The report commands of the main window: reviews, index, validation of every competence and
// the printed competence sheet, on record files of a temporary folder.

#include "app/kalidor_program.h"
#include "platform/scripted_platform.h"
#include "records/referential.h"
#include "records/report_lines.h"
#include "tests/support/program_test.h"

#include <QProcess>
#include <QShortcut>
#include <gtest/gtest.h>

namespace kalidor {
namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

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
        folder.writeBytes(u("5.b2i"), QByteArray(3021, '\0'));
        window().ListBox1->addLine(u("ABIME Fichier 6A - n° 5"), u("5"));
        select(u("ABIME"));
    }
};

TEST_F(ReportCommands, ReviewsOfTheSelectedPupil) {
    TFiche record = test::makeRecord(u("DUPONT"), u("Marie"), u("6A"), {1, 23});
    record.setProfesseur(1, u("M. LEBRUN"));
    record.setDiscipline(1, u("Français"));
    record.setDate(1, u("12/03/2009"));
    folder.writeRecord(u("12.b2i"), record);
    open();

    // Without a selection nothing happens.
    window().ListBox1->setCurrentRow(-1);
    window().Bilandescomptencescoledellve1Click();
    EXPECT_EQ(window().Memo1->lines(), QStringList{u("1 élève au total")});

    select(u("DUPONT"));
    window().Bilandescomptencescoledellve1Click();
    const QStringList ecole = window().Memo1->lines();
    ASSERT_EQ(ecole.size(), 27);
    EXPECT_EQ(ecole.at(1), u(" DUPONT Marie    Classe : 6A"));
    EXPECT_EQ(ecole.at(3), u(" Compétence 1 OK M. LEBRUN Français 12/03/2009"));
    EXPECT_EQ(ecole.last(), u(" B2i niveau école non acquis."));
    EXPECT_EQ(program->state.currentFileName, folder.path(u("12.b2i")));

    window().Bilandescomptencescollgedellve1Click();
    const QStringList college = window().Memo1->lines();
    ASSERT_EQ(college.size(), 34);
    EXPECT_EQ(college.at(3), u(" Compétence 1 OK   "));
    EXPECT_EQ(college.at(4), u(" Compétence 2 Non Validée"));
    EXPECT_EQ(college.last(), u(" B2i niveau collège non acquis."));
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
    EXPECT_EQ(folder.readBytes(u("5.b2i")), QByteArray(3021, '\0'));
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

TEST_F(ReportCommands, ValidateAllChangesOnlyTheFlagsOnDisk) {
    TFiche record = test::makeRecord(u("DUPONT"), u("Marie"), u("6A"), {4});
    for (int offset : {42, 50, 100, 187, 250, 400, 1000, 2500, 3021}) {
        record.bytes()[offset] = static_cast<char>(0x77);
    }
    record.bytes()[267 + 9] = 5;
    record.setDate(30, u("01/02/2010"));
    folder.writeRecord(u("7.b2i"), record);
    const QByteArray before = folder.readBytes(u("7.b2i"));
    open();
    select(u("DUPONT"));
    // Reached by its shortcut only: the item is hidden.
    auto* shortcut = window().findChild<QShortcut*>(u("Validercomptenceslevesl1Shortcut"));
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->key(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W));
    emit shortcut->activated();

    const QByteArray after = folder.readBytes(u("7.b2i"));
    ASSERT_EQ(after.size(), TFiche::kSize);
    for (int offset = 0; offset < TFiche::kSize; ++offset) {
        if (offset >= 268 && offset < 268 + 51) {
            EXPECT_EQ(after.at(offset), 1) << offset;
        } else {
            EXPECT_EQ(after.at(offset), before.at(offset)) << offset;
        }
    }
    const QStringList lines = window().Memo1->lines();
    ASSERT_EQ(lines.size(), 58);
    EXPECT_EQ(lines.at(28), u(" Compétence 23 Validée  "));
    EXPECT_EQ(lines.last(), u(" Total Niveau collège : 29/29"));
    EXPECT_EQ(folder.entries(), QStringList{u("7.b2i")});
}

TEST_F(ReportCommands, SheetPrintsTheSameTextEachTime) {
    TFiche record = test::makeRecord(u("MARTIN"), u("Paul"), u("CM1"), {2, 3});
    record.setProfesseur(3, u("Mme ROY"));
    record.setDate(3, u("05/06/2009"));
    folder.writeRecord(u("3.b2i"), record);
    open();
    select(u("MARTIN"));
    const QString pdf = folder.path(u("sheet.pdf"));
    printer().dialogAnswers = {pdf, QString()};
    window().Imprimer2Click();
    EXPECT_EQ(window().Memo1->lines(), sheetLines(record, kLevelEcole));
    EXPECT_EQ(platform.waitCursorDepth, 0);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(u("FICHE élève B2i")));
    EXPECT_TRUE(text.contains(u("MARTIN Paul Classe : CM1")));
    EXPECT_TRUE(text.contains(u("Compétence 3 Validée Mme ROY 05/06/2009")));
    EXPECT_TRUE(text.contains(u("Total Niveau école : 2/22")));
    EXPECT_TRUE(text.contains(u("B2i niveau école non acquis.")));

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
    folder.writePupil(1, u("MARTIN"), u("Paul"), u("CM1"));
    open();
    select(u("MARTIN"));
    printer().dialogAnswers = {QString()};
    printer().beginFailures = 1;
    window().Imprimer2Click();
    EXPECT_EQ(platform.waitCursorDepth, 0);
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors.first().startsWith(u("Impression impossible")));
    EXPECT_TRUE(printer().callsOf(PrintCall::Text).isEmpty());
}

TEST_F(ReportCommands, IndexPrintsInThePaneFont) {
    open();
    const QString pdf = folder.path(u("index.pdf"));
    printer().dialogAnswers = {pdf};
    window().Listedescomptencesniveaucole2Click();
    EXPECT_EQ(window().Memo1->lines(), competenceIndex(kLevelEcole));
    const QList<PrintCall> fonts = printer().callsOf(PrintCall::Font);
    ASSERT_EQ(fonts.size(), 1);
    EXPECT_EQ(fonts[0].text, u("Times New Roman"));
    EXPECT_EQ(fonts[0].pointSize, 12);
    EXPECT_TRUE(fonts[0].bold);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(u("Index des compétences B2i niveau école")));
    EXPECT_TRUE(text.contains(u("14 Je sais imprimer un document.")));
    EXPECT_TRUE(text.contains(u("Communiquer, échanger")));
    EXPECT_EQ(printer().callsOf(PrintCall::Title).size(), 0);
}

} // namespace
} // namespace kalidor
