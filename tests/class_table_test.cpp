// The competence table of a class: what a pupil still lacks, the rows and the counts, the
// texts of a validated competence's cell.

#include "records/class_table.h"
#include "records/referential.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::makeRecord;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Validates the first `counts[d]` items of each domain of the level.
void validate(TFiche& record, int level, std::array<int, 5> counts) {
    for (int domain = 1; domain <= kDomainCount; ++domain) {
        for (int item = 1; item <= counts[domain - 1]; ++item) {
            record.setValide(slotOf(level, domain, item), true);
        }
    }
}

} // namespace

TEST(ClassTable, WhatAPupilLacksAtTheRuleEdges) {
    struct Case {
        int level;
        std::array<int, 5> ecole;
        std::array<int, 5> college;
        const char* lacks; // empty: the level is held
    };
    const Case cases[] = {
        // Total reached, a domain empty: only that domain's minimum is missing.
        {kLevelEcole, {4, 4, 6, 4, 0}, {}, "2 (domaine 5)"},
        // Every domain at its minimum, the total short.
        {kLevelEcole, {2, 2, 3, 2, 2}, {}, "7"},
        {kLevelEcole, {4, 4, 6, 2, 2}, {}, ""},
        // Both needs equal: the two domains' four fill the total too.
        {kLevelEcole, {4, 4, 6, 0, 0}, {}, "4 (domaines 4 et 5)"},
        // The total's need is the larger one.
        {kLevelEcole, {1, 4, 1, 4, 1}, {}, "7 (domaines 1, 3 et 5)"},
        {kLevelCollege, {}, {6, 3, 7, 5, 4}, "1 (domaine 2)"},
        {kLevelCollege, {}, {6, 7, 7, 2, 4}, "1 (domaine 4)"},
        {kLevelCollege, {}, {5, 5, 5, 4, 4}, ""},
        // The levels are independent.
        {kLevelEcole, {4, 4, 6, 4, 4}, {}, ""},
        {kLevelCollege, {4, 4, 6, 4, 4}, {}, "23 (domaines 1, 2, 3, 4 et 5)"},
    };
    for (const Case& c : cases) {
        TFiche record = makeRecord(u("X"), u("Y"), u("6A"));
        validate(record, kLevelEcole, c.ecole);
        validate(record, kLevelCollege, c.college);
        const TablePupil pupil(u("1"), record);
        const ClassTable table = buildClassTable({pupil}, c.level, std::nullopt);
        ASSERT_EQ(table.rows.size(), 1);
        EXPECT_EQ(missingText(table.rows[0].missing), u(c.lacks)) << c.lacks;
        EXPECT_EQ(table.rows[0].held, *c.lacks == '\0') << c.lacks;
    }

    // A flag byte of any non-zero value counts as validated.
    TFiche odd = makeRecord(u("X"), u("Y"), u("6A"));
    validate(odd, kLevelEcole, {4, 4, 6, 4, 0});
    odd.bytes()[fields::kValideBase + slotOf(kLevelEcole, 5, 1)] = 7;
    odd.bytes()[fields::kValideBase + slotOf(kLevelEcole, 5, 2)] = static_cast<char>(0xFF);
    const ClassTable table = buildClassTable({TablePupil(u("1"), odd)}, kLevelEcole, std::nullopt);
    EXPECT_TRUE(table.rows[0].held);
    EXPECT_EQ(tableTotalText(kLevelEcole, table.rows[0].validated), u("20/22"));
}

TEST(ClassTable, RowsOfAClassInNameOrderWithTheirCounts) {
    QList<TablePupil> pupils;
    const auto add = [&](const char* number, const char* nom, const char* prenom,
                         const char* classe, std::initializer_list<int> validated) {
        replaceTablePupil(pupils, u(number), makeRecord(u(nom), u(prenom), u(classe), validated));
    };
    add("1", "ÉMILE", "Zoé", "6B", {1, 2});
    add("2", "durand", "Léo", "6A", {1});
    add("3", "EMERY", "Paul", "", {});
    add("4", "DUPONT", "Marie", "6B", {});
    add("5", "ABEL", "Jo", "6B", {1, 2, 5, 6, 9, 10, 11, 15, 16, 19, 20, 3, 4, 7, 8, 12, 13, 14});
    EXPECT_EQ(tableClasses(pupils), QStringList({u(""), u("6A"), u("6B")}));

    const ClassTable sixB = buildClassTable(pupils, kLevelEcole, u("6B"));
    QStringList names;
    for (const TableRow& row : sixB.rows) {
        names.append(pupils.at(row.pupil).name());
    }
    // French order: accents and case do not count first.
    EXPECT_EQ(names, QStringList({u("ABEL Jo"), u("DUPONT Marie"), u("ÉMILE Zoé")}));
    EXPECT_EQ(sixB.validatedBy.size(), 22);
    EXPECT_EQ(sixB.validatedBy.mid(0, 5), QList<int>({2, 2, 1, 1, 1}));
    EXPECT_EQ(heldByText(sixB), u("1/3"));
    EXPECT_EQ(buildClassTable(pupils, kLevelEcole, u("")).rows.size(), 1);
    EXPECT_EQ(buildClassTable(pupils, kLevelCollege, std::nullopt).rows.size(), 5);

    // A pupil read again after the sheet: moved to another class and renamed, or gone.
    add("4", "AARON", "Marie", "5C", {});
    EXPECT_EQ(tableClasses(pupils), QStringList({u(""), u("5C"), u("6A"), u("6B")}));
    EXPECT_EQ(pupils.first().number, u("4"));
    replaceTablePupil(pupils, u("1"), std::nullopt);
    EXPECT_EQ(buildClassTable(pupils, kLevelEcole, u("6B")).rows.size(), 1);
}

TEST(ClassTable, AValidatedCellSaysWhatIsFilledIn) {
    struct Case {
        const char* date;
        const char* teacher;
        const char* discipline;
        const char* said;
    };
    const Case cases[] = {
        {"12/03/2009", "DUPONT", "Technologie",
         "Compétence 5 : validée le 12/03/2009 par DUPONT (Technologie)"},
        {"  /  /    ", "DUPONT", "", "Compétence 5 : validée par DUPONT"},
        {"12/03/2009", "", "Arts", "Compétence 5 : validée le 12/03/2009 (Arts)"},
        {"", "", "  ", "Compétence 5 : validée"},
        // A value is never read as a placeholder.
        {"", "A%2", "%1", "Compétence 5 : validée par A%2 (%1)"},
    };
    const int slot = slotOf(kLevelEcole, 2, 1); // running number 5
    for (const Case& c : cases) {
        // The competence before has the same date and a teacher of its own, the one after a
        // discipline of its own.
        TFiche record = makeRecord(u("X"), u("Y"), u("6A"), {slot - 1, slot, slot + 1});
        record.setDate(slot, u(c.date));
        record.setProfesseur(slot, u(c.teacher));
        record.setDiscipline(slot, u(c.discipline));
        record.setDate(slot - 1, u(c.date));
        record.setProfesseur(slot - 1, u("AVANT"));
        record.setDiscipline(slot + 1, u("APRES"));
        EXPECT_EQ(competenceCellText(TablePupil(u("1"), record), slot), u(c.said));
    }
    TFiche record = makeRecord(u("X"), u("Y"), u("6A"));
    record.setDate(slot, u("12/03/2009"));
    EXPECT_EQ(competenceCellText(TablePupil(u("1"), record), slot),
              u("Compétence 5 : non validée"));
    // Collège competences are numbered within their level.
    EXPECT_EQ(competenceCellText(TablePupil(u("1"), record), slotOf(kLevelCollege, 2, 7)),
              u("Compétence 13 : non validée"));
}

TEST(ClassTable, ReadsPupilsAloneAndNamesAFolderAsNoFile) {
    test::TestFolder folder;
    folder.writePupil(1, u("UN"), u("A"), u("6A"), {1});
    // Copies no command acts on; a folder under a pupil's name.
    folder.writeRecord(u("5.sauv.b2i"), makeRecord(u("UN"), u("A"), u("6A"), {1}));
    folder.writeRecord(u("copie 2.b2i"), makeRecord(u("DEUX"), u("B"), u("5B"), {1}));
    ASSERT_TRUE(QDir(folder.prefix()).mkdir(u("5.b2i")));

    const TablePupils read = readTablePupils(folder.prefix());
    ASSERT_EQ(read.pupils.size(), 1);
    EXPECT_EQ(read.pupils.first().number, u("1"));
    EXPECT_EQ(buildClassTable(read.pupils, kLevelEcole, std::nullopt).validatedBy.first(), 1);
    EXPECT_EQ(describeFailures(read.failures), u("5.b2i : Ce n'est pas un fichier ordinaire"));
}

TEST(ClassTable, ClassesEndingInBlanksAreToldApartInTheByClassOrder) {
    QList<TablePupil> pupils;
    for (const char* classe : {"6A", "6B", "6A  ", "", "6A "}) {
        pupils.append(TablePupil(u("1"), makeRecord(u("A"), u("x"), u(classe))));
    }
    // As "Tri par classes" orders "6A  : A x", "6A : A x": the blank before the colon.
    const QStringList classes = tableClasses(pupils);
    EXPECT_EQ(classes, QStringList({u(""), u("6A  "), u("6A "), u("6A"), u("6B")}));
    QStringList labels;
    for (const QString& classe : classes) {
        labels.append(tableClassLabel(classe));
    }
    EXPECT_EQ(labels, QStringList({u("(sans classe)"), u("6A␣␣"), u("6A␣"), u("6A"), u("6B")}));
}

TEST(ClassTable, TheExportKeepsWhatLooksLikeAFormulaAsText) {
    struct Case {
        int column; // 0 name, 1 first name, 2 class, 4 the first competence's date
        const char* stored;
        const char* exported;
    };
    const Case cases[] = {
        {0, "=2+3", "'=2+3"},
        {0, "+33 6 12", "'+33 6 12"},
        {1, "-2+3", "'-2+3"},
        {1, "@A1", "'@A1"},
        {2, "=A1", "'=A1"},
        {4, "=1+1", "'=1+1"},
        // Quoted for its ";", the mark inside the quotes.
        {0, "=SOMME(1;2)", "\"'=SOMME(1;2)\""},
        {0, "JEAN-PAUL", "JEAN-PAUL"},
    };
    QList<TablePupil> pupils;
    for (qsizetype k = 0; k < std::ssize(cases); ++k) {
        const Case& c = cases[k];
        const QStringList identity{c.column == 0 ? u(c.stored) : u("NOM"),
                                   c.column == 1 ? u(c.stored) : u("Jo"),
                                   c.column == 2 ? u(c.stored) : u("6A")};
        TFiche record = makeRecord(identity[0], identity[1], identity[2], {1});
        record.setDate(1, c.column == 4 ? u(c.stored) : u("12/03/2009"));
        pupils.append(TablePupil(QString::number(k + 1), record));
    }
    const QByteArray csv = tableCsv(buildClassTable(pupils, kLevelEcole, std::nullopt), pupils);
    for (qsizetype k = 0; k < std::ssize(cases); ++k) {
        const QByteArray number = ';' + QByteArray::number(k + 1) + ';';
        for (const QByteArray& line : csv.split('\n')) {
            if (line.contains(number)) {
                EXPECT_TRUE((';' + line).contains(';' + QByteArray(cases[k].exported) + ';'))
                    << line.toStdString();
            }
        }
    }

    // Opened by a spreadsheet, each cell holds the text, not a formula's result.
    const QString office = QStandardPaths::findExecutable(u("soffice"));
    if (office.isEmpty()) {
        GTEST_SKIP() << "LibreOffice is not installed: the file was checked byte by byte only";
    }
    test::TestFolder folder;
    folder.writeBytes(u("tableau.csv"), csv);
    QProcess convert;
    convert.start(office,
                  {u("-env:UserInstallation=file://") + folder.path(u("profil")), u("--headless"),
                   u("--norestore"), u("--infilter=CSV:59,34,76,1"), u("--convert-to"), u("fods"),
                   u("--outdir"), folder.prefix(), folder.path(u("tableau.csv"))});
    ASSERT_TRUE(convert.waitForFinished(240000));
    const QByteArray sheet = folder.readBytes(u("tableau.fods"));
    EXPECT_TRUE(sheet.contains("<text:p>&apos;=SOMME(1;2)</text:p>"));
    EXPECT_FALSE(sheet.contains("table:formula"));
}
