// The record file: layout, text fields, load and save, numbers and enumeration.

#include "records/cp1252.h"
#include "records/io_error.h"
#include "records/record_file.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::TestFolder;

namespace {

// A record whose every byte is different from its neighbours, reserved fields and bytes past
// the text lengths included, but with length bytes that stay within their capacities.
TFiche patternedRecord() {
    TFiche record;
    for (int i = 0; i < TFiche::kSize; ++i) {
        record.bytes()[i] = static_cast<char>((i * 7 + 3) % 251);
    }
    return record;
}

} // namespace

TEST(TFiche, FieldsSitAtTheirOffsets) {
    TFiche record;
    record.setNom(QStringLiteral("DUPONT"));
    record.setPrenom(QStringLiteral("Marie"));
    record.setClasse(QStringLiteral("6A"));
    record.setDateNais(QStringLiteral("01/02/2010"));
    record.setValide(1, true);
    record.setValide(51, true);
    record.setDate(1, QStringLiteral("03/04/2011"));
    record.setDiscipline(51, QStringLiteral("Maths"));
    record.setProfesseur(51, QStringLiteral("DURAND"));
    const auto& b = record.bytes();
    EXPECT_EQ(b[0], 6);
    EXPECT_EQ(QByteArray(b.data() + 1, 6), "DUPONT");
    EXPECT_EQ(b[21], 5);
    EXPECT_EQ(QByteArray(b.data() + 22, 5), "Marie");
    EXPECT_EQ(b[55], 2);
    EXPECT_EQ(QByteArray(b.data() + 56, 2), "6A");
    EXPECT_EQ(b[64], 10);
    EXPECT_EQ(b[268], 1);
    EXPECT_EQ(b[318], 1);
    EXPECT_EQ(b[319], 10);
    EXPECT_EQ(QByteArray(b.data() + 320, 10), "03/04/2011");
    EXPECT_EQ(b[859 + 21 * 51], 5);
    EXPECT_EQ(QByteArray(b.data() + 1930 + 21 * 51 + 1, 6), "DURAND");
    EXPECT_EQ(1930 + 21 * 51 + 21, TFiche::kSize);
}

TEST(TFiche, TextFieldsKeepTheirFirstCharactersAndNeverReadPastTheField) {
    TFiche record;
    record.setNom(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
    EXPECT_EQ(record.nom(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    record.setClasse(QStringLiteral("123456789"));
    EXPECT_EQ(record.classe(), QStringLiteral("12345678"));

    // A length byte of 200 in a field of 8 reads as 8 characters, not into the next field.
    record.bytes()[55] = static_cast<char>(200);
    EXPECT_EQ(record.classe(), QStringLiteral("12345678"));
    record.bytes()[0] = static_cast<char>(255);
    EXPECT_EQ(record.nom().size(), 20);

    // A length byte of 0 reads as empty whatever follows.
    record.bytes()[21] = 0;
    record.bytes()[22] = 'Z';
    EXPECT_EQ(record.prenom(), QString());

    // Any non-zero flag byte counts as validated.
    record.bytes()[267 + 7] = static_cast<char>(0x80);
    EXPECT_TRUE(record.valide(7));
    EXPECT_FALSE(record.valide(8));
}

TEST(TFiche, AccentedFrenchLettersRoundTripThroughWindows1252) {
    const QString letters = QString::fromUtf8("àâäæçéèêëîïôöœùûüÿÀÂÄÆÇÉÈÊËÎÏÔÖŒÙÛÜŸ€«»°");
    const QByteArray encoded = encodeCp1252(letters);
    EXPECT_EQ(encoded.size(), letters.size());
    EXPECT_EQ(encoded.indexOf('?'), -1);
    EXPECT_EQ(decodeCp1252(encoded), letters);
    EXPECT_EQ(static_cast<unsigned char>(encodeCp1252(QString::fromUtf8("é")).at(0)), 0xE9);
    EXPECT_EQ(static_cast<unsigned char>(encodeCp1252(QString::fromUtf8("œ")).at(0)), 0x9C);
    EXPECT_EQ(static_cast<unsigned char>(encodeCp1252(QString::fromUtf8("€")).at(0)), 0x80);

    // What Windows-1252 cannot hold is stored as '?', a surrogate pair as one '?'.
    EXPECT_EQ(encodeCp1252(QString::fromUtf8("Ωx😀y")), QByteArray("?x?y"));
    TFiche record;
    record.setPrenom(QString::fromUtf8("Zoé😀"));
    EXPECT_EQ(record.prenom(), QString::fromUtf8("Zoé?"));
}

TEST(TFiche, InitNewRecordEmptiesFieldsAndLeavesOtherBytes) {
    TFiche record = patternedRecord();
    const TFiche before = record;
    initNewRecord(record);
    EXPECT_TRUE(record.nom().isEmpty());
    EXPECT_TRUE(record.dateNais().isEmpty());
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_FALSE(record.valide(slot));
        EXPECT_TRUE(record.date(slot).isEmpty());
        EXPECT_TRUE(record.discipline(slot).isEmpty());
        EXPECT_TRUE(record.professeur(slot).isEmpty());
    }
    for (const ShortStringField field : fields::kReserved) {
        EXPECT_EQ(record.bytes()[field.offset], 0);
        EXPECT_EQ(record.bytes()[field.offset + 1], before.bytes()[field.offset + 1]);
    }
    EXPECT_EQ(record.bytes()[2], before.bytes()[2]); // past the name's length byte
}

TEST(RecordFile, LoadThenSaveKeepsEveryByte) {
    TestFolder folder;
    SharedState state = folder.state();
    const TFiche original = patternedRecord();
    folder.writeRecord(QStringLiteral("5.b2i"), original);

    loadRecord(state, folder.path(QStringLiteral("5.b2i")));
    saveRecord(state, folder.path(QStringLiteral("6.b2i")));
    EXPECT_EQ(folder.readBytes(QStringLiteral("6.b2i")), test::recordBytes(original));

    // A longer file is read without complaint: only its first record counts.
    folder.writeBytes(QStringLiteral("7.b2i"), test::recordBytes(original) + QByteArray(50, 'x'));
    loadRecord(state, folder.path(QStringLiteral("7.b2i")));
    EXPECT_EQ(state.current.bytes(), original.bytes());

    // Saving leaves no temporary file behind and gives the file the usual permissions.
    EXPECT_EQ(folder.entries(), QStringList({QStringLiteral("5.b2i"), QStringLiteral("6.b2i"),
                                             QStringLiteral("7.b2i")}));
    EXPECT_TRUE(QFile::permissions(folder.path(QStringLiteral("6.b2i"))) & QFileDevice::ReadOther);
}

TEST(RecordFile, LoadFailuresCarryTheRuntimeMessages) {
    TestFolder folder;
    SharedState state = folder.state();
    state.current = test::makeRecord(QStringLiteral("KEEP"), {}, {});
    folder.writeBytes(QStringLiteral("1.b2i"), QByteArray(3021, 'a'));
    auto messageOf = [&state](const QString& path) {
        try {
            loadRecord(state, path);
        } catch (const IoError& error) {
            return error.message();
        }
        return QString();
    };
    EXPECT_EQ(messageOf(folder.path(QStringLiteral("1.b2i"))),
              QString::fromUtf8("Lecture au-delà de la fin de fichier"));
    EXPECT_EQ(messageOf(folder.path(QStringLiteral("2.b2i"))),
              QStringLiteral("Fichier introuvable"));
    // A failed read leaves the current record as it was.
    EXPECT_EQ(state.current.nom(), QStringLiteral("KEEP"));
    EXPECT_EQ(ioErrorMessage(EIO), QStringLiteral("Erreur E/S 5"));
    EXPECT_EQ(ioErrorMessage(ENOSPC), QStringLiteral("Disque plein"));
    EXPECT_EQ(ioErrorMessage(EACCES), QString::fromUtf8("Accès au fichier refusé"));
}

TEST(RecordFile, NumbersStayText) {
    SharedState state;
    state.prefix = QStringLiteral("/data/");
    EXPECT_EQ(recordFileName(state, QStringLiteral("007")), QStringLiteral("/data/007.b2i"));
    EXPECT_EQ(dataDirectoryPrefix(QStringLiteral("/opt/kalidor")), QStringLiteral("/opt/kalidor/"));
    EXPECT_EQ(dataDirectoryPrefix(QStringLiteral("/ab")), QStringLiteral("/ab/"));
    EXPECT_EQ(dataDirectoryPrefix(QStringLiteral("/")), QStringLiteral("/"));
}

TEST(RecordFile, FreeNumberIsTheFirstGap) {
    TestFolder folder;
    SharedState state = folder.state();
    EXPECT_EQ(findFreeNumber(state), 1);
    for (int n : {1, 2, 3, 4, 6}) {
        folder.writePupil(n, QStringLiteral("P"), {}, {});
    }
    EXPECT_EQ(findFreeNumber(state), 5);
    EXPECT_EQ(findFreeNumber(state, 6), 7);
    // Any entry takes its number, a folder or a zero-padded name does not.
    QFile::remove(folder.path(QStringLiteral("1.b2i")));
    ASSERT_TRUE(QDir().mkdir(folder.path(QStringLiteral("1.b2i"))));
    folder.writePupil(5, QStringLiteral("P"), {}, {});
    folder.writeBytes(QStringLiteral("07.b2i"), QByteArray(3022, 0));
    EXPECT_EQ(findFreeNumber(state), 7);
}

TEST(RecordFile, NoFreeNumberWhenAllOf1To999AreTaken) {
    TestFolder folder;
    SharedState state = folder.state();
    for (int n = 1; n <= kMaxRecordNumber; ++n) {
        QFile file(folder.path(QString::number(n) + QLatin1String(".b2i")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(findFreeNumber(state), kNoFreeNumber);
}

TEST(RecordFile, EnumerationVisitsEveryRecordAndReportsTheUnreadable) {
    TestFolder folder;
    SharedState state = folder.state();
    folder.writePupil(1, QStringLiteral("UN"), {}, {});
    folder.writeRecord(QStringLiteral("007.b2i"), test::makeRecord(QStringLiteral("SEPT"), {}, {}));
    folder.writeRecord(QStringLiteral("abc.b2i"), test::makeRecord(QStringLiteral("ABC"), {}, {}));
    folder.writeRecord(QStringLiteral("a.b.b2i"), test::makeRecord(QStringLiteral("AB"), {}, {}));
    folder.writeRecord(QStringLiteral(".b2i"), test::makeRecord(QStringLiteral("HIDDEN"), {}, {}));
    folder.writeBytes(QStringLiteral("12.b2i"), QByteArray(100, 'x'));
    folder.writeBytes(QStringLiteral("9.b2i.bak"), QByteArray(3022, 0));
    folder.writeBytes(QStringLiteral("8.B2I"), QByteArray(3022, 0));
    ASSERT_TRUE(QDir().mkdir(folder.path(QStringLiteral("5.b2i"))));
    // A file deleted by another machine between the folder's listing and its reading is no
    // failure: the link stands for it.
    ASSERT_TRUE(
        QFile::link(folder.path(QStringLiteral("gone")), folder.path(QStringLiteral("3.b2i"))));

    QMap<QString, QString> seen; // number text -> name read
    const QList<RecordFailure> failures =
        enumerateRecords(state.prefix, [&](const QString& number, const TFiche& record) {
            seen.insert(number, record.nom());
        });
    // Listing leaves the current record and its file name alone.
    EXPECT_EQ(state.current.nom(), QString());
    EXPECT_EQ(state.currentFileName, QString());
    EXPECT_EQ(seen.value(QStringLiteral("1")), QStringLiteral("UN"));
    EXPECT_EQ(seen.value(QStringLiteral("007")), QStringLiteral("SEPT"));
    EXPECT_EQ(seen.value(QStringLiteral("abc")), QStringLiteral("ABC"));
    EXPECT_EQ(seen.value(QStringLiteral("a.b")), QStringLiteral("AB"));
    EXPECT_EQ(seen.value(QString()), QStringLiteral("HIDDEN"));
    EXPECT_EQ(seen.size(), 5);

    ASSERT_EQ(failures.size(), 2);
    QStringList described = describeFailures(failures).split(QLatin1Char('\n'));
    described.sort();
    EXPECT_EQ(described.at(0), QString::fromUtf8("12.b2i : Lecture au-delà de la fin de fichier"));
    EXPECT_EQ(described.at(1), QString::fromUtf8("5.b2i : Ce n'est pas un fichier ordinaire"));
}
