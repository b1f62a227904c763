// Validating, taking back and moving a group of pupils read by the competence table, on real
// record files: what each file holds after, what the summary says, and a pupil another machine
// saved or deleted in between left alone.

#include "commands/class_table_batch.h"
#include "records/io_error.h"
#include "records/record_file.h"
#include "records/referential.h"
#include "tests/support/child_process.h"
#include "tests/support/test_folder.h"

#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace kalidor;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

constexpr int kSlot = 7; // école 2.3

enum class Batch { Validate, Replace, Unvalidate, Move };
enum class Meanwhile { Nothing, SaveThird, DeleteFourth };

// A competence of a pupil's file as "class|V|teacher|date|discipline" ("-" not validated), or
// "absent".
QString slotState(const test::TestFolder& folder, int number) {
    TFiche record;
    if (!readRecordIfPresent(folder.path(QStringLiteral("%1.b2i").arg(number)), record)) {
        return u("absent");
    }
    return QStringList{record.classe(), record.valide(kSlot) ? u("V") : u("-"),
                       record.professeur(kSlot), record.date(kSlot), record.discipline(kSlot)}
        .join(QLatin1Char('|'));
}

QStringList runBatch(const SharedState& state, Batch batch, const QList<BatchPupil>& pupils,
                     const PupilShown& shown) {
    ValidationDetails details{u("MARTIN"), u("05/06/2026"), u("Technologie"), false};
    switch (batch) {
    case Batch::Validate:
        return validateCompetences(state, pupils, details, shown);
    case Batch::Replace:
        details.replace = true;
        return validateCompetences(state, pupils, details, shown);
    case Batch::Unvalidate:
        return unvalidateCompetences(state, pupils, shown);
    case Batch::Move:
        return changeClass(state, pupils, u("5B"), shown);
    }
    return {};
}

class ClassTableBatch : public ::testing::Test {
protected:
    void SetUp() override { layFolder(); }

    // Four pupils of 6A; BLANC (2) holds the competence already, with details of its own.
    void layFolder() {
        pupils.clear();
        folder.writePupil(1, u("AUBERT"), u("Léa"), u("6A"));
        TFiche blanc = test::makeRecord(u("BLANC"), u("Jo"), u("6A"), {kSlot});
        blanc.setProfesseur(kSlot, u("ANCIEN"));
        blanc.setDate(kSlot, u("12/01/2020"));
        blanc.setDiscipline(kSlot, u("Maths"));
        folder.writeRecord(u("2.b2i"), blanc);
        folder.writePupil(3, u("CARON"), u("Ana"), u("6A"));
        folder.writePupil(4, u("DUPUIS"), u("Noé"), u("6A"));
        for (const TablePupil& pupil : readTablePupils(folder.prefix()).pupils) {
            pupils.append({pupil, {kSlot}});
        }
    }

    test::TestFolder folder;
    QList<BatchPupil> pupils;
};

} // namespace

TEST_F(ClassTableBatch, SaysWhatValidatingWillDo) {
    EXPECT_EQ(validationPlan(pupils),
              u("4 élèves, compétence 7 (2.3) : 3 à valider, 1 déjà validée"));
    pupils[0].competences.append(1);
    EXPECT_EQ(validationPlan(pupils), u("4 élèves, 2 compétences : 4 à valider, 1 déjà validée"));
    EXPECT_EQ(unvalidateQuestion(pupils),
              u("Retirer la validation de 1 compétence pour 1 élève ?"));
    EXPECT_EQ(unvalidateQuestion(pupils.mid(2)), std::nullopt);
}

TEST_F(ClassTableBatch, WritesOnlyThePupilsTheTableReadAndSaysWhatItDid) {
    const QString moved = u("5B|-|||");
    const QString fresh = u("6A|V|MARTIN|05/06/2026|Technologie");
    const QString old = u("6A|V|ANCIEN|12/01/2020|Maths");
    const QString blank = u("6A|-|||");
    struct Case {
        const char* name;
        Batch batch;
        Meanwhile meanwhile;
        int failAfter; // the disk fills once this many pupils were written; -1 never
        QStringList summary;
        QStringList files; // pupils 1 to 4 after
        QStringList shown; // the pupils handed back, in order
    };
    const Case cases[] = {
        {"validate",
         Batch::Validate,
         Meanwhile::Nothing,
         -1,
         {u("3 compétences validées."), u("1 compétence déjà validée : détails gardés.")},
         {fresh, old, fresh, fresh},
         {u("1"), u("3"), u("4")}},
        {"replace",
         Batch::Replace,
         Meanwhile::Nothing,
         -1,
         {u("3 compétences validées."), u("1 compétence déjà validée : détails remplacés.")},
         {fresh, fresh, fresh, fresh},
         {u("1"), u("2"), u("3"), u("4")}},
        {"unvalidate keeps the details",
         Batch::Unvalidate,
         Meanwhile::Nothing,
         -1,
         {u("1 validation retirée.")},
         {blank, u("6A|-|ANCIEN|12/01/2020|Maths"), blank, blank},
         {u("2")}},
        {"move",
         Batch::Move,
         Meanwhile::Nothing,
         -1,
         {u("4 élèves passés en classe 5B.")},
         {moved, u("5B|V|ANCIEN|12/01/2020|Maths"), moved, moved},
         {u("1"), u("2"), u("3"), u("4")}},
        {"saved elsewhere",
         Batch::Validate,
         Meanwhile::SaveThird,
         -1,
         {u("2 compétences validées."), u("1 compétence déjà validée : détails gardés."),
          u("CARON Ana (n° 3) non modifié : changé sur un autre poste")},
         {fresh, old, u("6A|-|AILLEURS||"), fresh},
         {u("1"), u("3"), u("4")}},
        {"deleted elsewhere",
         Batch::Validate,
         Meanwhile::DeleteFourth,
         -1,
         {u("2 compétences validées."), u("1 compétence déjà validée : détails gardés."),
          u("DUPUIS Noé (n° 4) non modifié : effacé sur un autre poste")},
         {fresh, old, fresh, u("absent")},
         {u("1"), u("3"), u("4")}},
        {"disk full after two",
         Batch::Validate,
         Meanwhile::Nothing,
         2,
         {},
         {fresh, old, fresh, blank},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        layFolder();
        if (c.meanwhile == Meanwhile::SaveThird) {
            TFiche other = test::makeRecord(u("CARON"), u("Ana"), u("6A"));
            other.setProfesseur(kSlot, u("AILLEURS"));
            folder.writeRecord(u("3.b2i"), other);
        } else if (c.meanwhile == Meanwhile::DeleteFourth) {
            ASSERT_TRUE(QFile::remove(folder.path(u("4.b2i"))));
        }
        const SharedState state = folder.state();
        QStringList shown;
        if (c.failAfter < 0) {
            EXPECT_EQ(runBatch(state, c.batch, pupils,
                               [&](const PupilNow& now) {
                                   shown.append(now.number);
                                   // What the file holds: a row is never refreshed from a guess.
                                   EXPECT_EQ(now.record.has_value(),
                                             c.files[now.number.toInt() - 1] != u("absent"));
                               }),
                      c.summary);
        } else {
            const int code = test::runInChild([&] {
                std::signal(SIGXFSZ, SIG_IGN);
                int written = 0;
                try {
                    runBatch(state, c.batch, pupils, [&](const PupilNow&) {
                        if (++written == c.failAfter) {
                            const rlimit tiny{100, 100};
                            ::setrlimit(RLIMIT_FSIZE, &tiny);
                        }
                    });
                } catch (const IoError& error) {
                    return error.message() ==
                                   u("Disque plein\nL'opération s'est arrêtée après 2 élèves "
                                     "modifiés.")
                               ? 0
                               : 3;
                }
                return 1;
            });
            EXPECT_EQ(code, 0);
        }
        EXPECT_EQ(shown, c.shown);
        QStringList files;
        for (int number = 1; number <= 4; ++number) {
            files.append(slotState(folder, number));
        }
        EXPECT_EQ(files, c.files);
        // Nothing but the pupils: no temporary left behind.
        EXPECT_EQ(folder.entries().size(), c.meanwhile == Meanwhile::DeleteFourth ? 3 : 4);
    }
}
