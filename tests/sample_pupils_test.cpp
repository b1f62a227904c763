// Sample pupils: their records, their numbers near the 999 limit, a failure in the middle.

#include "records/io_error.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/sample_pupils.h"
#include "tests/support/child_process.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kalidor;
using kalidor::test::TestFolder;

namespace {

// The lines of the pupils created; `stop` gets the failure's message when the command stopped.
QStringList createAll(SharedState& state, SampleSet set, QString* stop = nullptr) {
    QStringList lines;
    try {
        createSamplePupils(state, set,
                           [&lines](const ListEntry& entry) { lines.append(entry.line); });
    } catch (const IoError& error) {
        if (stop == nullptr) {
            throw;
        }
        *stop = error.message();
    }
    return lines;
}

TFiche readBack(const TestFolder& folder, int number) {
    TFiche record;
    readRecordFile(folder.path(QString::number(number) + QLatin1String(".b2i")), record);
    return record;
}

} // namespace

TEST(SamplePupils, RecordsHoldTheirSetsNamesAndCompetencesAndNothingElse) {
    const TFiche first = samplePupil(SampleSet::Niveau1, 1);
    EXPECT_EQ(first.nom(), QStringLiteral("niv1_1"));
    EXPECT_EQ(first.prenom(), QStringLiteral("p1"));
    EXPECT_EQ(first.classe(), QStringLiteral("a"));
    EXPECT_EQ(first.dateNais(), QString());
    EXPECT_EQ(samplePupil(SampleSet::Niveau1, 17).nom(), QStringLiteral("niv1_17"));
    EXPECT_EQ(samplePupil(SampleSet::Blank110, 110).nom(), QStringLiteral("n110"));

    const TFiche niveau2 = samplePupil(SampleSet::Niveau2, 3);
    TFiche expected = kalidor::test::makeRecord(QStringLiteral("niv2_3"), QStringLiteral("p3"),
                                                QStringLiteral("a"));
    for (int slot = 1; slot <= 51; ++slot) {
        expected.setValide(slot, true);
    }
    // Whole bytes: validated flags set, dates, disciplines and teachers empty, the rest zero.
    EXPECT_EQ(kalidor::test::recordBytes(niveau2), kalidor::test::recordBytes(expected));

    for (int slot = 1; slot <= 51; ++slot) {
        EXPECT_EQ(first.valide(slot), slot <= 22) << slot;
        EXPECT_FALSE(samplePupil(SampleSet::Blank110, 5).valide(slot)) << slot;
    }
}

TEST(SamplePupils, FillAnEmptyFolderThenAddASecondSetAfterIt) {
    TestFolder folder;
    SharedState state = folder.state();
    QStringList lines = createAll(state, SampleSet::Blank110);
    ASSERT_EQ(lines.size(), 110);
    EXPECT_EQ(lines.first(), QString::fromUtf8("n1 p1 a - n° 1"));
    EXPECT_EQ(lines.last(), QString::fromUtf8("n110 p110 a - n° 110"));
    EXPECT_EQ(readBack(folder, 57).nom(), QStringLiteral("n57"));

    lines = createAll(state, SampleSet::Blank110);
    ASSERT_EQ(lines.size(), 110);
    EXPECT_EQ(lines.first(), QString::fromUtf8("n1 p1 a - n° 111"));
    EXPECT_EQ(lines.last(), QString::fromUtf8("n110 p110 a - n° 220"));
    EXPECT_EQ(folder.entries().size(), 220);
}

TEST(SamplePupils, TakeEveryHoleInOrder) {
    TestFolder folder;
    for (const int number : {1, 2, 4, 7, 8, 10}) {
        folder.writePupil(number, QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"));
    }
    SharedState state = folder.state();
    const QStringList lines = createAll(state, SampleSet::Niveau2);
    ASSERT_EQ(lines.size(), 17);
    const QStringList expectedEnds = {
        QString::fromUtf8("niv2_1 p1 a - n° 3"), QString::fromUtf8("niv2_2 p2 a - n° 5"),
        QString::fromUtf8("niv2_3 p3 a - n° 6"), QString::fromUtf8("niv2_4 p4 a - n° 9"),
        QString::fromUtf8("niv2_5 p5 a - n° 11")};
    EXPECT_EQ(lines.mid(0, 5), expectedEnds);
    EXPECT_EQ(lines.last(), QString::fromUtf8("niv2_17 p17 a - n° 23"));
}

TEST(SamplePupils, StopNumberingAt999AndSayHowManyWereCreated) {
    TestFolder folder;
    for (int number = 1; number <= 990; ++number) {
        folder.writePupil(number, QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"));
    }
    SharedState state = folder.state();
    QString stop;
    const QStringList lines = createAll(state, SampleSet::Niveau1, &stop);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(stop, QString::fromUtf8("Tous les numéros d'élève, de 1 à 999, sont pris : aucun "
                                      "élève ne peut plus être ajouté.\nL'opération s'est "
                                      "arrêtée après 9 élèves créés."));
    EXPECT_EQ(lines.first(), QString::fromUtf8("niv1_1 p1 a - n° 991"));
    EXPECT_EQ(lines.last(), QString::fromUtf8("niv1_9 p9 a - n° 999"));
    EXPECT_EQ(readBack(folder, 999).nom(), QStringLiteral("niv1_9"));
    EXPECT_FALSE(QFile::exists(folder.path(QStringLiteral("1000.b2i"))));
    EXPECT_EQ(folder.entries().size(), 999);

    // A full folder: nothing at all, and it is said.
    EXPECT_TRUE(createAll(state, SampleSet::Niveau2, &stop).isEmpty());
    EXPECT_TRUE(stop.endsWith(QString::fromUtf8("après 0 élève créé."))) << stop.toStdString();
    EXPECT_EQ(folder.entries().size(), 999);
}

TEST(SamplePupils, AFailedWriteStopsTheCommandAndKeepsThePupilsWritten) {
    TestFolder folder;
    const QByteArray path = QFile::encodeName(folder.prefix());
    // The folder belongs to the unprivileged child, which locks it after the third pupil.
    ASSERT_TRUE(kalidor::test::giveToUnprivileged(path.constData()));
    const int result = kalidor::test::runUnprivileged([&folder, &path] {
        SharedState state = folder.state();
        int created = 0;
        try {
            createSamplePupils(state, SampleSet::Blank110, [&](const ListEntry&) {
                if (++created == 3) {
                    ::chmod(path.constData(), 0555);
                }
            });
        } catch (const IoError& error) {
            return created == 3 && error.message() ==
                                       QString::fromUtf8("Accès au fichier refusé\nL'opération "
                                                         "s'est arrêtée après 3 élèves créés.")
                       ? 0
                       : 2;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(folder.entries(), QStringList({QStringLiteral("1.b2i"), QStringLiteral("2.b2i"),
                                             QStringLiteral("3.b2i")}));
    ::chmod(path.constData(), 0700); // so that an ordinary user can remove it
}

TEST(PupilFiles, DeleteReportsEveryFailureButAFileAlreadyGone) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
    deleteRecordFile(folder.path(QStringLiteral("1.b2i")));
    EXPECT_TRUE(folder.entries().isEmpty());
    EXPECT_NO_THROW(deleteRecordFile(folder.path(QStringLiteral("1.b2i"))));

    // A folder named like a record cannot be deleted as a file.
    ASSERT_TRUE(QDir(folder.prefix()).mkdir(QStringLiteral("5.b2i")));
    try {
        deleteRecordFile(folder.path(QStringLiteral("5.b2i")));
        ADD_FAILURE() << "no error";
    } catch (const IoError& error) {
        EXPECT_FALSE(error.message().isEmpty());
    }
    EXPECT_EQ(folder.entries(), QStringList(QStringLiteral("5.b2i")));
}

TEST(PupilFiles, ANewRecordStartsFromZeroWhateverTheBufferHeld) {
    TestFolder folder;
    SharedState state = folder.state();
    TFiche record;
    record.bytes().fill(char(0x5A));
    record = blankRecord();
    record.setNom(QStringLiteral("DUPONT"));
    const NewPupil pupil = createRecordFile(state, record, 1);
    EXPECT_EQ(pupil.number, QStringLiteral("1"));
    TFiche expected = kalidor::test::makeRecord(QStringLiteral("DUPONT"), QString(), QString());
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), kalidor::test::recordBytes(expected));
    EXPECT_EQ(kalidor::test::recordBytes(pupil.record), kalidor::test::recordBytes(expected));
}
