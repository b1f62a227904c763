// Transfer files and class files: writing, listing and importing on real folders.

#include "exchange/class_file.h"
#include "exchange/transfer_file.h"
#include "records/io_error.h"
#include "records/record_file.h"
#include "tests/support/child_process.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>

using namespace kalidor;
using kalidor::test::makeRecord;
using kalidor::test::recordBytes;
using kalidor::test::runInChild;
using kalidor::test::TestFolder;

namespace {

// A pupil whose every byte past its identity differs, reserved fields and bytes past the text
// lengths included, so that a copy that rebuilds the record instead of copying it shows.
TFiche patternedPupil(const QString& nom, const QString& prenom, const QString& classe, int seed) {
    TFiche record;
    for (int i = 0; i < TFiche::kSize; ++i) {
        record.bytes()[i] = static_cast<char>((i * 7 + seed) % 251);
    }
    record.setNom(nom);
    record.setPrenom(prenom);
    record.setClasse(classe);
    record.bytes()[42] = 1; // a reserved field of capacity 1 holding one character
    return record;
}

ListEntry line(const QString& text, const QString& number) {
    return {text + QString::fromUtf8(" - n° ") + number, number};
}

// Folder entries other than the given ones (temporary files left behind, for instance).
QStringList entriesBut(const TestFolder& folder, const QStringList& expected) {
    QStringList rest = folder.entries();
    for (const QString& name : expected) {
        rest.removeAll(name);
    }
    return rest;
}

// Every line a class file hands out; nothing when it cannot be opened.
std::optional<QStringList> classLines(const QString& fileName) {
    ClassFileReader reader(fileName);
    if (!reader.isOpen()) {
        return std::nullopt;
    }
    QStringList lines;
    while (const std::optional<QString> line = reader.nextLine()) {
        lines.append(*line);
    }
    return lines;
}

// Imports a class file; the lines of the pupils created.
// The entries of the pupils created; `stop` gets the failure's message when the import stopped.
QList<ListEntry> importClassFile(SharedState& state, const QString& fileName,
                                 QString* stop = nullptr) {
    ClassFileReader reader(fileName);
    QList<ListEntry> added;
    try {
        importClass(state, classFromFileName(fileName), reader,
                    [&added](const ListEntry& entry) { added.append(entry); });
    } catch (const IoError& error) {
        if (stop == nullptr) {
            throw;
        }
        *stop = error.message();
    }
    return added;
}

// A listing with the lines it handed out and the message of the failure that stopped it.
struct Listed {
    bool opened = false;
    bool damaged = false;
    QList<ListEntry> entries;
    std::optional<QString> error;
};

Listed listTransfer(const QString& fileName) {
    Listed listed;
    try {
        const TransferListing listing = listTransferFile(
            fileName, [&listed](const ListEntry& entry) { listed.entries.append(entry); });
        listed.opened = listing.opened;
        listed.damaged = listing.damaged;
    } catch (const IoError& error) {
        listed.error = error.message();
    }
    return listed;
}

// An import with the pupils it created and the message of the failure that stopped it.
struct Imported {
    QList<ListEntry> entries;
    int openFailures = 0;
    std::optional<QString> error;
};

Imported importTransfer(SharedState& state, const QString& fileName,
                        const QList<ListEntry>& lines) {
    Imported imported;
    TransferImport progress;
    try {
        importTransferRecords(
            state, fileName, lines, progress,
            [&imported](const ListEntry& entry) { imported.entries.append(entry); });
    } catch (const IoError& error) {
        imported.error = error.message();
    }
    imported.openFailures = progress.openFailures;
    return imported;
}

void fillNumbers(const TestFolder& folder, int from, int to) {
    for (int n = from; n <= to; ++n) {
        folder.writeBytes(QString::number(n) + QLatin1String(".b2i"), {});
    }
}

} // namespace

TEST(TransferFile, ExtensionRuleKeepsExactlyB2tAndAppendsOtherwise) {
    EXPECT_EQ(withTransferExtension(QStringLiteral("/home/p/classe.b2t")),
              QStringLiteral("/home/p/classe.b2t"));
    EXPECT_EQ(withTransferExtension(QStringLiteral("/home/p/classe")),
              QStringLiteral("/home/p/classe.b2t"));
    EXPECT_EQ(withTransferExtension(QStringLiteral("/home/p/classe.B2T")),
              QStringLiteral("/home/p/classe.B2T.b2t"));
    EXPECT_EQ(withTransferExtension(QStringLiteral("/home/p/classe.txt")),
              QStringLiteral("/home/p/classe.txt.b2t"));
    EXPECT_EQ(withTransferExtension(QStringLiteral("/home/p.b2t/classe")),
              QStringLiteral("/home/p.b2t/classe.b2t"));
    EXPECT_EQ(withTransferExtension(QStringLiteral("/home/p/a.b2t.old")),
              QStringLiteral("/home/p/a.b2t.old.b2t"));
}

TEST(TransferFile, CreatesTheRecordsByteForByteInListOrderDuplicatesIncluded) {
    TestFolder data;
    const TFiche martin =
        patternedPupil(QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("CM2"), 3);
    const TFiche durand =
        patternedPupil(QStringLiteral("DURAND"), QStringLiteral("Paul"), QStringLiteral("6A"), 11);
    data.writeRecord(QStringLiteral("4.b2i"), martin);
    data.writeRecord(QStringLiteral("007.b2i"), durand);
    const QStringList before = data.entries();
    const QByteArray martinBytes = data.readBytes(QStringLiteral("4.b2i"));

    TestFolder out;
    const QString name = out.path(QStringLiteral("envoi.b2t"));
    const TransferWriteResult result =
        writeTransferFile(data.state(), name,
                          {line(QStringLiteral("DURAND Paul 6A"), QStringLiteral("007")),
                           line(QStringLiteral("MARTIN Léa CM2"), QStringLiteral("4")),
                           line(QStringLiteral("MARTIN Léa CM2"), QStringLiteral("4"))});

    EXPECT_TRUE(result.created);
    EXPECT_EQ(result.written, 3);
    EXPECT_EQ(result.leftOut, 0);
    // 007.b2i is read as 007.b2i, not as 7.b2i.
    EXPECT_EQ(out.readBytes(QStringLiteral("envoi.b2t")),
              recordBytes(durand) + recordBytes(martin) + recordBytes(martin));
    EXPECT_EQ(out.entries(), QStringList{QStringLiteral("envoi.b2t")});
    EXPECT_EQ(data.entries(), before);
    EXPECT_EQ(data.readBytes(QStringLiteral("4.b2i")), martinBytes);
    EXPECT_EQ(QFile::permissions(name) & QFileDevice::ReadOwner, QFileDevice::ReadOwner);
}

TEST(TransferFile, LeavesOutUnreadablePupilsAndSaysHowMany) {
    TestFolder data;
    data.writePupil(1, QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("CM2"));
    data.writeBytes(QStringLiteral("2.b2i"), QByteArray(TFiche::kSize - 1, 'x'));
    ASSERT_TRUE(QDir(data.prefix()).mkdir(QStringLiteral("3.b2i")));
    data.writeBytes(QStringLiteral("abc.b2i"), recordBytes(makeRecord({}, {}, {})));
    // The list showed DURAND under 4; another machine deleted him and gave 4 to DUPONT since.
    data.writePupil(4, QStringLiteral("DUPONT"), QStringLiteral("Jean"), QStringLiteral("CM2"));
    const ListEntry replaced = recordEntry(
        makeRecord(QStringLiteral("DURAND"), QStringLiteral("Paul"), QStringLiteral("CM2")),
        QStringLiteral("4"), true);

    TestFolder out;
    const QString name = out.path(QStringLiteral("t.b2t"));
    const TransferWriteResult result =
        writeTransferFile(data.state(), name,
                          {line(QStringLiteral("A"), QStringLiteral("2")),
                           line(QStringLiteral("B"), QStringLiteral("3")),
                           line(QStringLiteral("C"), QStringLiteral("1")),
                           line(QStringLiteral("D"), QStringLiteral("9")),
                           line(QStringLiteral("E"), QStringLiteral("abc")), replaced});
    EXPECT_TRUE(result.created);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(result.leftOut, 4);
    EXPECT_EQ(result.replaced, 1);
    EXPECT_EQ(out.readBytes(QStringLiteral("t.b2t")), data.readBytes(QStringLiteral("1.b2i")));

    const QString head = QString::fromUtf8("Fichier de transfert créé : \r") + name;
    EXPECT_EQ(transferCreatedMessage(name, {true, 1, 0, 0}), head);
    EXPECT_EQ(transferCreatedMessage(name, {true, 1, 1, 0}),
              head +
                  QString::fromUtf8("\r1 élève n'a pas pu être lu et n'est pas dans le fichier."));
    EXPECT_EQ(transferCreatedMessage(name, {true, 1, 4, 2}),
              head + QString::fromUtf8(
                         "\r4 élèves n'ont pas pu être lus et ne sont pas dans le fichier."
                         "\r2 élèves de la liste ont été remplacés par d'autres élèves sur un "
                         "autre poste et ne sont pas dans le fichier."));
}

TEST(TransferFile, ReplacesAnOlderFileAndReportsNamesThatCannotBeCreated) {
    TestFolder data;
    data.writePupil(1, QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("CM2"));
    const QList<ListEntry> lines{line(QStringLiteral("MARTIN Léa CM2"), QStringLiteral("1"))};
    TestFolder out;
    out.writeBytes(QStringLiteral("t.b2t"), QByteArray(10000, 'o'));
    // What an earlier write killed half-way left there goes once old; a lookalike stays.
    const timeval old[2] = {{::time(nullptr) - 11 * 60, 0}, {::time(nullptr) - 11 * 60, 0}};
    for (const char* name : {".t.b2t.kalidor-tmp-Ab12Cd", ".t.b2t.Ab12Cd"}) {
        out.writeBytes(QLatin1String(name), QByteArray(3 * TFiche::kSize, 'o'));
        ASSERT_EQ(::utimes(QFile::encodeName(out.path(QLatin1String(name))).constData(), old), 0);
    }
    EXPECT_TRUE(writeTransferFile(data.state(), out.path(QStringLiteral("t.b2t")), lines).created);
    EXPECT_EQ(out.readBytes(QStringLiteral("t.b2t")), data.readBytes(QStringLiteral("1.b2i")));
    EXPECT_EQ(out.entries(),
              (QStringList{QStringLiteral(".t.b2t.Ab12Cd"), QStringLiteral("t.b2t")}));

    EXPECT_FALSE(
        writeTransferFile(data.state(), out.path(QStringLiteral("missing/t.b2t")), lines).created);
    ASSERT_TRUE(QDir(out.prefix()).mkdir(QStringLiteral("folder.b2t")));
    EXPECT_FALSE(
        writeTransferFile(data.state(), out.path(QStringLiteral("folder.b2t")), lines).created);
    EXPECT_FALSE(writeTransferFile(data.state(), QString(), lines).created);
    EXPECT_EQ(out.entries(), (QStringList{QStringLiteral(".t.b2t.Ab12Cd"),
                                          QStringLiteral("folder.b2t"), QStringLiteral("t.b2t")}));
}

TEST(TransferFile, ADeniedFolderIsAFailedWriteWithTheRuntimeMessage) {
    TestFolder data;
    ASSERT_EQ(::chmod(data.prefix().toLocal8Bit().constData(), 0755), 0);
    data.writePupil(1, QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("CM2"));
    const QList<ListEntry> lines{line(QStringLiteral("MARTIN Léa CM2"), QStringLiteral("1"))};
    TestFolder out;
    ASSERT_EQ(::chmod(out.prefix().toLocal8Bit().constData(), 0555), 0);
    const int result = kalidor::test::runUnprivileged([&] {
        try {
            writeTransferFile(data.state(), out.path(QStringLiteral("t.b2t")), lines);
        } catch (const IoError& error) {
            return error.message() == QString::fromUtf8("Accès au fichier refusé") ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(out.entries().isEmpty());
    ::chmod(out.prefix().toLocal8Bit().constData(), 0755);
}

TEST(TransferFile, AFullDiskLeavesNoPartialFileAndKeepsTheOldOne) {
    TestFolder data;
    QList<ListEntry> lines;
    for (int n = 1; n <= 3; ++n) {
        data.writePupil(n, QStringLiteral("NOM%1").arg(n), QStringLiteral("P"),
                        QStringLiteral("6A"));
        lines.append(line(QStringLiteral("NOM%1 P 6A").arg(n), QString::number(n)));
    }
    TestFolder out;
    out.writeBytes(QStringLiteral("old.b2t"), QByteArray("previous"));
    const SharedState state = data.state();

    for (const QString& target : {QStringLiteral("new.b2t"), QStringLiteral("old.b2t")}) {
        const int code = runInChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{2 * TFiche::kSize + 100, 2 * TFiche::kSize + 100};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return 2;
            }
            try {
                writeTransferFile(state, out.path(target), lines);
            } catch (const IoError& error) {
                return error.message() == QStringLiteral("Disque plein") ? 0 : 3;
            }
            return 1;
        });
        EXPECT_EQ(code, 0) << target.toStdString();
    }
    EXPECT_EQ(out.entries(), QStringList{QStringLiteral("old.b2t")});
    EXPECT_EQ(out.readBytes(QStringLiteral("old.b2t")), QByteArray("previous"));
}

TEST(TransferFile, ListsWholeRecordsFromLastToFirstAndIgnoresStrayBytes) {
    TestFolder folder;
    QByteArray bytes;
    for (int k = 1; k <= 3; ++k) {
        bytes += recordBytes(patternedPupil(QStringLiteral("NOM%1").arg(k), QStringLiteral("Élise"),
                                            QStringLiteral("5B"), k));
    }
    folder.writeBytes(QStringLiteral("t.b2t"), bytes + QByteArray(100, '\xff'));
    const Listed listing = listTransfer(folder.path(QStringLiteral("t.b2t")));
    EXPECT_TRUE(listing.opened);
    EXPECT_FALSE(listing.error);
    EXPECT_EQ(linesOf(listing.entries), (QStringList{QString::fromUtf8("NOM3 Élise 5B - n° 3"),
                                                     QString::fromUtf8("NOM2 Élise 5B - n° 2"),
                                                     QString::fromUtf8("NOM1 Élise 5B - n° 1")}));

    folder.writeBytes(QStringLiteral("empty.b2t"), {});
    folder.writeBytes(QStringLiteral("short.b2t"), QByteArray(TFiche::kSize - 1, 'x'));
    for (const QString& name : {QStringLiteral("empty.b2t"), QStringLiteral("short.b2t")}) {
        const Listed none = listTransfer(folder.path(name));
        EXPECT_TRUE(none.opened);
        EXPECT_TRUE(none.entries.isEmpty());
        EXPECT_FALSE(none.error);
    }
    ASSERT_TRUE(QDir(folder.prefix()).mkdir(QStringLiteral("dir.b2t")));
    EXPECT_FALSE(listTransfer(folder.path(QStringLiteral("missing.b2t"))).opened);
    EXPECT_FALSE(listTransfer(folder.path(QStringLiteral("dir.b2t"))).opened);
}

TEST(TransferFile, ImportsRecordsUnchangedIntoTheFreeNumbersResumingAfterEachOne) {
    TestFolder source;
    const TFiche first =
        patternedPupil(QStringLiteral("UN"), QStringLiteral("A"), QStringLiteral("6A"), 1);
    const TFiche second =
        patternedPupil(QStringLiteral("DEUX"), QStringLiteral("B"), QStringLiteral("6B"), 2);
    const QByteArray transfer = recordBytes(first) + recordBytes(second) + QByteArray(7, 'z');
    source.writeBytes(QStringLiteral("t.b2t"), transfer);

    TestFolder data;
    for (int n : {1, 2, 4}) {
        data.writePupil(n, QStringLiteral("ICI"), QString::number(n), QStringLiteral("CM1"));
    }
    SharedState state = data.state();
    state.sortByName = false;
    // Position 2 first, position 1 twice: duplicates make a new record file each time.
    const Imported result = importTransfer(state, source.path(QStringLiteral("t.b2t")),
                                           {line(QStringLiteral("DEUX B 6B"), QStringLiteral("2")),
                                            ListEntry{QStringLiteral("no number here"), {}},
                                            line(QStringLiteral("UN A 6A"), QStringLiteral("1")),
                                            line(QStringLiteral("UN A 6A"), QStringLiteral("1"))});

    EXPECT_EQ(result.openFailures, 0);
    EXPECT_FALSE(result.error);
    EXPECT_EQ(linesOf(result.entries), (QStringList{QString::fromUtf8("6B : DEUX B - n° 3"),
                                                    QString::fromUtf8("6A : UN A - n° 5"),
                                                    QString::fromUtf8("6A : UN A - n° 6")}));
    EXPECT_EQ(data.readBytes(QStringLiteral("3.b2i")), recordBytes(second));
    EXPECT_EQ(data.readBytes(QStringLiteral("5.b2i")), recordBytes(first));
    EXPECT_EQ(data.readBytes(QStringLiteral("6.b2i")), recordBytes(first));
    EXPECT_EQ(source.readBytes(QStringLiteral("t.b2t")), transfer);
    EXPECT_TRUE(entriesBut(data, {QStringLiteral("1.b2i"), QStringLiteral("2.b2i"),
                                  QStringLiteral("3.b2i"), QStringLiteral("4.b2i"),
                                  QStringLiteral("5.b2i"), QStringLiteral("6.b2i")})
                    .isEmpty());

    state.sortByName = true;
    const Imported byName = importTransfer(state, source.path(QStringLiteral("t.b2t")),
                                           {line(QStringLiteral("x"), QStringLiteral("2"))});
    EXPECT_EQ(linesOf(byName.entries), QStringList{QString::fromUtf8("DEUX B 6B - n° 7")});
}

TEST(TransferFile, ImportStopsAt999AndWritesNothingWhenFull) {
    TestFolder source;
    source.writeBytes(QStringLiteral("t.b2t"),
                      recordBytes(makeRecord(QStringLiteral("N"), {}, {})));
    const QList<ListEntry> lines{line(QStringLiteral("N"), QStringLiteral("1")),
                                 line(QStringLiteral("N"), QStringLiteral("1"))};
    TestFolder data;
    fillNumbers(data, 1, 998);
    SharedState state = data.state();
    Imported result = importTransfer(state, source.path(QStringLiteral("t.b2t")), lines);
    EXPECT_EQ(linesOf(result.entries), QStringList{QString::fromUtf8("N   - n° 999")});
    EXPECT_EQ(data.entries().size(), 999);

    result = importTransfer(state, source.path(QStringLiteral("t.b2t")), lines);
    EXPECT_TRUE(linesOf(result.entries).isEmpty());
    EXPECT_EQ(result.error,
              QString::fromUtf8("Tous les numéros d'élève, de 1 à 999, sont pris : aucun élève ne "
                                "peut plus être ajouté.\nL'opération s'est arrêtée après 0 élève "
                                "créé."));
    EXPECT_EQ(data.entries().size(), 999);
    EXPECT_FALSE(QFile::exists(data.path(QStringLiteral("1000.b2i"))));
}

TEST(TransferFile, ImportCountsUnopenableFilesPerLineAndStopsOnAMissingRecord) {
    TestFolder source;
    source.writeBytes(QStringLiteral("t.b2t"),
                      recordBytes(makeRecord(QStringLiteral("N"), {}, {})));
    TestFolder data;
    SharedState state = data.state();
    const Imported missing = importTransfer(state, source.path(QStringLiteral("gone.b2t")),
                                            {line(QStringLiteral("N"), QStringLiteral("1")),
                                             ListEntry{QStringLiteral("x"), {}},
                                             line(QStringLiteral("N"), QStringLiteral("1"))});
    EXPECT_EQ(missing.openFailures, 2);
    EXPECT_TRUE(data.entries().isEmpty());

    // The file lost its second record after it was listed: the first line is imported, the
    // import stops at the second.
    const Imported cut = importTransfer(state, source.path(QStringLiteral("t.b2t")),
                                        {line(QStringLiteral("N"), QStringLiteral("1")),
                                         line(QStringLiteral("M"), QStringLiteral("2")),
                                         line(QStringLiteral("N"), QStringLiteral("1"))});
    EXPECT_EQ(linesOf(cut.entries).size(), 1);
    EXPECT_EQ(cut.error, QString::fromUtf8("Lecture au-delà de la fin de fichier"));
    EXPECT_EQ(data.entries(), QStringList{QStringLiteral("1.b2i")});
}

TEST(ClassFile, DecodesWindows1252OrUtf8) {
    EXPECT_EQ(decodeClassText(QByteArray("L\xe9"
                                         "a;M\xfcller")),
              QString::fromUtf8("Léa;Müller"));
    EXPECT_EQ(decodeClassText(QByteArray("L\xc3\xa9"
                                         "a;\xc5\x92uf")),
              QString::fromUtf8("Léa;Œuf"));
    EXPECT_EQ(decodeClassText(QByteArray("\xef\xbb\xbfMartin;Lea")), QStringLiteral("Martin;Lea"));
    EXPECT_EQ(decodeClassText(QByteArray("Martin;Lea\r\n")), QStringLiteral("Martin;Lea\r\n"));
    // Valid UTF-8 up to a Windows-1252 "é": the whole text is Windows-1252.
    EXPECT_EQ(decodeClassText(QByteArray("\xc3\xa9;\xe9")), QString::fromUtf8("Ã©;é"));
    // Windows-1252's euro and quotes.
    EXPECT_EQ(decodeClassText(QByteArray("\x80\x92")), QString::fromUtf8("€’"));
}

TEST(ClassFile, TakesTheClassFromTheFileName) {
    EXPECT_EQ(classFromFileName(QStringLiteral("/home/p/CM2.txt")), QStringLiteral("CM2"));
    EXPECT_EQ(classFromFileName(QStringLiteral("/home/p/6A.TXT")), QStringLiteral("6A"));
    EXPECT_EQ(classFromFileName(QStringLiteral("/home/p/6A")), QStringLiteral("6A"));
    EXPECT_EQ(classFromFileName(QStringLiteral("/home/p/6A.2024.txt")), QStringLiteral("6A"));
    EXPECT_EQ(classFromFileName(QStringLiteral("/home/p.q/Classe de 6e B.txt")),
              QStringLiteral("Classe d"));
    EXPECT_EQ(classFromFileName(QStringLiteral("/home/p/.txt")), QString());
    // "é" written as "e" and a combining accent, as a Mac names files.
    EXPECT_EQ(classFromFileName(QString::fromUtf8("/home/p/Cle\u0301mentine.txt")),
              QString::fromUtf8("Clémenti"));
}

TEST(ClassFile, SplitsAtTheFirstSemicolonOrElseAtTheFirstTabWithoutTrimming) {
    auto split = [](const char* text) {
        const ClassLine pupil = splitClassLine(QString::fromUtf8(text));
        return std::make_pair(pupil.nom, pupil.prenom);
    };
    EXPECT_EQ(split("Martin;Léa"),
              std::make_pair(QStringLiteral("Martin"), QString::fromUtf8("Léa")));
    EXPECT_EQ(split(" Martin ; Léa "),
              std::make_pair(QStringLiteral(" Martin "), QString::fromUtf8(" Léa ")));
    EXPECT_EQ(split("Martin;Léa;12/03/2010"),
              std::make_pair(QStringLiteral("Martin"), QString::fromUtf8("Léa;12/03/2010")));
    EXPECT_EQ(split("Martin Léa"), std::make_pair(QString(), QString::fromUtf8("Martin Léa")));
    EXPECT_EQ(split(";"), std::make_pair(QString(), QString()));
    // A spreadsheet's text export: tabs, unless the line holds a ';'.
    EXPECT_EQ(split("MARTIN\tLéa"),
              std::make_pair(QStringLiteral("MARTIN"), QString::fromUtf8("Léa")));
    EXPECT_EQ(split(" MARTIN \t Léa\t6A"),
              std::make_pair(QStringLiteral(" MARTIN "), QString::fromUtf8(" Léa\t6A")));
    EXPECT_EQ(split("MARTIN\tLéa;Jean"),
              std::make_pair(QString::fromUtf8("MARTIN\tLéa"), QStringLiteral("Jean")));
}

TEST(ClassFile, ReadsWindowsAndUnixLinesAndSkipsEmptyOnes) {
    TestFolder folder;
    folder.writeBytes(QStringLiteral("CM2.txt"), "Martin;L\xe9"
                                                 "a\r\n\r\n  \r\nDupont;Jean\r\n");
    folder.writeBytes(QStringLiteral("CM1.txt"), "Martin;L\xc3\xa9"
                                                 "a\n\n  \nDupont;Jean");
    folder.writeBytes(QStringLiteral("vide.txt"), {});
    folder.writeBytes(QStringLiteral("blancs.txt"), "\r\n\n\r\n");
    const QStringList expected{QString::fromUtf8("Martin;Léa"), QStringLiteral("  "),
                               QStringLiteral("Dupont;Jean")};

    EXPECT_EQ(classLines(folder.path(QStringLiteral("CM2.txt"))), expected);
    EXPECT_EQ(classLines(folder.path(QStringLiteral("CM1.txt"))), expected);
    for (const QString& name : {QStringLiteral("vide.txt"), QStringLiteral("blancs.txt")}) {
        EXPECT_EQ(classLines(folder.path(name)), QStringList()) << name.toStdString();
    }
    ASSERT_TRUE(QDir(folder.prefix()).mkdir(QStringLiteral("dossier.txt")));
    EXPECT_FALSE(classLines(folder.path(QStringLiteral("absent.txt"))));
    EXPECT_FALSE(classLines(folder.path(QStringLiteral("dossier.txt"))));
    EXPECT_FALSE(classLines(QString()));
}

TEST(ClassFile, KeepsAUtf16PairSplitBetweenTwoBlocks) {
    TestFolder folder;
    // Blocks of 4 bytes: the byte-order mark and "A", then ";" and the first half of the pair.
    const QString text = QString::fromUtf8("A;\U0001F600b\r\nC;d");
    QByteArray bytes = "\xFF\xFE";
    for (const QChar ch : text) {
        bytes.append(static_cast<char>(ch.unicode() & 0xFF));
        bytes.append(static_cast<char>(ch.unicode() >> 8));
    }
    folder.writeBytes(QStringLiteral("6A.txt"), bytes);
    ClassFileReader reader(folder.path(QStringLiteral("6A.txt")), 4);
    QStringList lines;
    while (const std::optional<QString> line = reader.nextLine()) {
        lines.append(*line);
    }
    EXPECT_EQ(lines, QStringList({QString::fromUtf8("A;\U0001F600b"), QStringLiteral("C;d")}));
}

TEST(ClassFile, ImportWritesBlankRecordsWithNameFirstNameAndClassCut) {
    TestFolder source;
    const QByteArray text = "Martin;L\xe9"
                            "a\r\n"
                            "ABCDEFGHIJKLMNOPQRSTUVWXY;Jean;01/02/2010;6A\r\n"
                            "Sans point virgule mais tres long\r\n"
                            " Dupont ; \xc9lodie\r\n";
    source.writeBytes(QStringLiteral("Classe de CM2.txt"), text);

    TestFolder data;
    for (int n : {1, 2, 4}) {
        data.writePupil(n, QStringLiteral("ICI"), QString::number(n), QStringLiteral("CM1"));
    }
    SharedState state = data.state();
    const QList<ListEntry> added =
        importClassFile(state, source.path(QStringLiteral("Classe de CM2.txt")));
    EXPECT_EQ(
        linesOf(added),
        (QStringList{QString::fromUtf8("Martin Léa Classe d - n° 3"),
                     QString::fromUtf8("ABCDEFGHIJKLMNOPQRST Jean;01/02/2010;6A Classe d - n° 5"),
                     QString::fromUtf8(" Sans point virgule m Classe d - n° 6"),
                     QString::fromUtf8(" Dupont   Élodie Classe d - n° 7")}));
    const QString classe = QStringLiteral("Classe d");
    EXPECT_EQ(data.readBytes(QStringLiteral("3.b2i")),
              recordBytes(makeRecord(QStringLiteral("Martin"), QString::fromUtf8("Léa"), classe)));
    EXPECT_EQ(data.readBytes(QStringLiteral("5.b2i")),
              recordBytes(makeRecord(QStringLiteral("ABCDEFGHIJKLMNOPQRST"),
                                     QStringLiteral("Jean;01/02/2010;6A"), classe)));
    EXPECT_EQ(data.readBytes(QStringLiteral("6.b2i")),
              recordBytes(makeRecord({}, QStringLiteral("Sans point virgule m"), classe)));
    const QByteArray dupont = data.readBytes(QStringLiteral("7.b2i"));
    EXPECT_EQ(dupont, recordBytes(makeRecord(QStringLiteral(" Dupont "),
                                             QString::fromUtf8(" Élodie"), classe)));
    EXPECT_EQ(dupont.mid(21, 8), QByteArray("\x07 \xc9lodie"));

    state.sortByName = false;
    source.writeBytes(QStringLiteral("6A.txt"), "Petit;Paul");
    EXPECT_EQ(linesOf(importClassFile(state, source.path(QStringLiteral("6A.txt")))),
              QStringList{QString::fromUtf8("6A : Petit Paul - n° 8")});
}

TEST(ClassFile, ImportStopsAt999AndStopsOnAWriteError) {
    TestFolder data;
    fillNumbers(data, 1, 997);
    SharedState state = data.state();
    TestFolder lists;
    lists.writeBytes(QStringLiteral("6A.txt"), "A;a\nB;b\nC;c\n");
    lists.writeBytes(QStringLiteral("5B.txt"), "A;a\nB;b\n");
    const QString classFile = lists.path(QStringLiteral("6A.txt"));
    QString stop;
    EXPECT_EQ(
        linesOf(importClassFile(state, classFile, &stop)),
        (QStringList{QString::fromUtf8("A a 6A - n° 998"), QString::fromUtf8("B b 6A - n° 999")}));
    EXPECT_TRUE(stop.endsWith(QString::fromUtf8("\nL'opération s'est arrêtée après 2 élèves "
                                                "créés.")));
    EXPECT_TRUE(linesOf(importClassFile(state, classFile, &stop)).isEmpty());
    EXPECT_TRUE(stop.endsWith(QString::fromUtf8("après 0 élève créé.")));
    EXPECT_EQ(data.entries().size(), 999);

    // A disk that fills after two records: the two stay, the import stops at the third.
    TestFolder other;
    SharedState otherState = other.state();
    const int code = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{TFiche::kSize, TFiche::kSize};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        // Each record fits; the limit only bites on a bigger file, so shrink it after two.
        if (linesOf(importClassFile(otherState, lists.path(QStringLiteral("5B.txt")))).size() !=
            2) {
            return 3;
        }
        const rlimit tiny{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        try {
            return importClassFile(otherState, classFile).isEmpty() ? 5 : 6;
        } catch (const IoError& error) {
            return error.message().startsWith(QStringLiteral("Disque plein\n")) ? 0 : 4;
        }
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(other.entries(), (QStringList{QStringLiteral("1.b2i"), QStringLiteral("2.b2i")}));
}
