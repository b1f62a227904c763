// The commands on a program folder, without a window: what each one writes, asks, tells and
// hands back, on real temporary folders.

#include "commands/directory_import.h"
#include "commands/pupil_folder.h"
#include "commands/pupil_save.h"
#include "records/io_error.h"
#include "records/record_file.h"
#include "records/report_lines.h"
#include "tests/support/child_process.h"
#include "tests/support/scripted_answers.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define KALIDOR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KALIDOR_ADDRESS_SANITIZER 1
#endif
#endif

namespace kalidor {
namespace {

using test::makeRecord;
using test::recordBytes;
using test::ScriptedAnswers;

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// Bytes of a literal, NUL bytes included.
template <size_t N> QByteArray bytesOf(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

// The message of the IoError a command ends with; nothing when it ends without one.
template <typename Command> QString failureOf(Command command) {
    try {
        command();
    } catch (const IoError& error) {
        return error.message();
    }
    return {};
}

// Text as UTF-16 with its byte-order mark, as a spreadsheet saves "Unicode text".
QByteArray utf16(const QString& text, bool littleEndian) {
    QByteArray bytes = littleEndian ? QByteArray("\xff\xfe") : QByteArray("\xfe\xff");
    for (const QChar ch : text) {
        const char low = static_cast<char>(ch.unicode() & 0xFF);
        const char high = static_cast<char>(ch.unicode() >> 8);
        bytes.append(littleEndian ? low : high);
        bytes.append(littleEndian ? high : low);
    }
    return bytes;
}

class Commands : public ::testing::Test {
protected:
    QString file(const QString& number) const {
        return folder.path(number + QLatin1String(".b2i"));
    }
    // The line the list shows for what the file of `number` holds now.
    ListEntry listed(const QString& number) const {
        TFiche record;
        readRecordFile(file(number), record);
        return recordEntry(record, number, true);
    }
    // Numbers 1 to `last` taken, as in a folder close to full.
    void takeNumbers(int last) const {
        for (int n = 1; n <= last; ++n) {
            folder.writeBytes(QString::number(n) + QLatin1String(".b2i"), {});
        }
    }
    void setFolderMode(mode_t mode) const {
        ASSERT_EQ(::chmod(QFile::encodeName(folder.prefix()).constData(), mode), 0);
    }

    test::TestFolder folder;
    SharedState state = folder.state();
    PupilFolder pupils{state};
};

TEST_F(Commands, AddingWritesTheIdentityAloneUnderTheFirstFreeNumber) {
    folder.writePupil(1, u8("A"), u8("B"), u8("C"));
    folder.writePupil(3, u8("A"), u8("B"), u8("C"));
    TFiche typed = makeRecord(u8("DUPONT"), u8("Marie"), u8("6A"), {4});
    typed.setDateNais(u8("01/02/2010"));
    typed.setProfesseur(4, u8("LEROY"));
    typed.bytes()[100] = 'R'; // a reserved field
    const ListEntry byName = pupils.addPupil(typed);
    state.sortByName = false;
    const ListEntry byClass = pupils.addPupil(typed);

    EXPECT_EQ(byName.line, u8("DUPONT Marie 6A - n° 2"));
    EXPECT_EQ(byName.number, u8("2"));
    EXPECT_EQ(byClass.line, u8("6A : DUPONT Marie - n° 4"));
    TFiche expected = makeRecord(u8("DUPONT"), u8("Marie"), u8("6A"));
    expected.setDateNais(u8("01/02/2010"));
    EXPECT_EQ(folder.readBytes(u8("2.b2i")), recordBytes(expected));
    // Neither went through the current record.
    EXPECT_EQ(state.currentFileName, QString());
    EXPECT_EQ(state.current.nom(), QString());
}

TEST_F(Commands, ALockedOrAFullFolderStopsAddsAndDeletesWithTheReason) {
    folder.writePupil(1, u8("A"), u8("B"), u8("C"));
    const ListEntry line = listed(u8("1"));
    const TFiche pupil = makeRecord(u8("DUPONT"), u8("Marie"), u8("6A"));
    // An ordinary user may not change a folder that is not his.
    setFolderMode(0555);
    EXPECT_EQ(test::runUnprivileged([&] {
                  ::alarm(60); // a child that hangs ends
                  const QString refused = u8("Accès au fichier refusé");
                  ScriptedAnswers yes{true};
                  return failureOf([&] { pupils.addPupil(pupil); }) == refused &&
                                 failureOf([&] { pupils.deletePupil(line, yes); }) == refused
                             ? 0
                             : 1;
              }),
              0);
    setFolderMode(0755);
    EXPECT_EQ(folder.entries(), QStringList{u8("1.b2i")});

    takeNumbers(999);
    EXPECT_EQ(failureOf([&] { pupils.addPupil(pupil); }),
              u8("Tous les numéros d'élève, de 1 à 999, sont pris : aucun élève ne peut plus "
                 "être ajouté."));
    EXPECT_EQ(folder.entries().size(), 999);
}

TEST_F(Commands, DeletingAsksAndSaysWhenTheFileNoLongerHoldsWhatTheLineShowed) {
    const QString confirm = u8("Confirmation de l'effacement de\nDURAND Paul 6A - n° 1");
    const QString changed = u8("\n\nAttention : cette fiche a été modifiée sur un autre poste "
                               "depuis l'affichage de la liste.");
    const QString other = u8("\n\nAttention : le n° 1 contient maintenant MARTIN Léa, un autre "
                             "élève que celui de cette ligne, enregistré sur un autre poste. "
                             "C'est cet élève qui serait effacé.");
    enum class Meanwhile { Nothing, SavedAgain, OtherPupil, Deleted };
    const struct {
        const char* what;
        Meanwhile meanwhile;
        bool answer;
        QString question;
        bool deleted;
    } cases[] = {
        {"answered Non", Meanwhile::Nothing, false, confirm, false},
        {"answered Oui", Meanwhile::Nothing, true, confirm, true},
        {"saved on another machine", Meanwhile::SavedAgain, true, confirm + changed, true},
        {"another pupil under the number", Meanwhile::OtherPupil, false, confirm + other, false},
        {"deleted on another machine", Meanwhile::Deleted, true, confirm + changed, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.writePupil(1, u8("DURAND"), u8("Paul"), u8("6A"));
        const ListEntry line = listed(u8("1"));
        if (c.meanwhile == Meanwhile::SavedAgain) {
            folder.writePupil(1, u8("DURAND"), u8("Paul"), u8("6A"), {5});
        } else if (c.meanwhile == Meanwhile::OtherPupil) {
            folder.writePupil(1, u8("MARTIN"), u8("Léa"), u8("6B"));
        } else if (c.meanwhile == Meanwhile::Deleted) {
            ASSERT_TRUE(QFile::remove(file(u8("1"))));
        }
        const QByteArray before = folder.readBytes(u8("1.b2i"));
        ScriptedAnswers user{c.answer};
        EXPECT_EQ(pupils.deletePupil(line, user), c.deleted);
        EXPECT_EQ(user.questions, QStringList{c.question});
        EXPECT_EQ(folder.readBytes(u8("1.b2i")), c.deleted ? QByteArray() : before);
        EXPECT_EQ(state.currentFileName, c.deleted ? file(u8("1")) : QString());
        state.currentFileName.clear();
    }
}

// Another machine may have given the line's number to another pupil, or deleted or damaged the
// file; a copy's line or a file name that imitates a line's ending is listed, never acted on.
TEST_F(Commands, ALineCommandActsOnlyOnThePupilItsLineShowed) {
    const QString told = u8("La ligne « DURAND Paul 6A - n° 1 » ne correspond plus à son fichier : "
                            "le n° 1 contient maintenant MARTIN Léa, un autre élève, enregistré "
                            "sur un autre poste.\nRien n'a été fait. Choisissez à nouveau "
                            "l'affichage pour mettre la liste à jour.");
    const struct {
        const char* number;
        QByteArray meanwhile; // what the file holds once the line was listed; empty: as listed
        LinePupil found;
    } cases[] = {
        {"007", {}, LinePupil::Loaded},
        {"1", recordBytes(makeRecord(u8("MARTIN"), u8("Léa"), u8("6B"))), LinePupil::Other},
        {"1", QByteArray(TFiche::kSize - 1, 'x'), LinePupil::Unreadable},
        {"copie 1", {}, LinePupil::Unreadable},
        {"x - n° 1", {}, LinePupil::Unreadable},
    };
    for (const auto& c : cases) {
        const QString number = u8(c.number);
        SCOPED_TRACE(c.number + std::string(c.meanwhile.isEmpty() ? "" : " changed"));
        folder.writeRecord(number + u8(".b2i"), makeRecord(u8("DURAND"), u8("Paul"), u8("6A")));
        const ListEntry line = listed(number);
        if (!c.meanwhile.isEmpty()) {
            folder.writeBytes(number + u8(".b2i"), c.meanwhile);
        }
        const QByteArray before = folder.readBytes(number + u8(".b2i"));
        ScriptedAnswers user{true};
        EXPECT_EQ(pupils.loadLinePupil(line, user), c.found);
        const bool loaded = c.found == LinePupil::Loaded;
        if (loaded) {
            EXPECT_EQ(state.currentFileName, file(number));
            EXPECT_EQ(state.current.nom(), u8("DURAND"));
        }
        EXPECT_EQ(pupils.validateAll(line, user).has_value(), loaded);
        if (!loaded) {
            EXPECT_EQ(folder.readBytes(number + u8(".b2i")), before);
        }
        const QStringList toldTwice{told, told};
        EXPECT_EQ(user.messages, c.found == LinePupil::Other ? toldTwice : QStringList());
        if (!isRecordNumber(number)) {
            EXPECT_FALSE(pupils.deletePupil(line, user));
            EXPECT_TRUE(user.questions.isEmpty());
            EXPECT_TRUE(QFile::exists(file(number)));
        }
    }
}

TEST_F(Commands, ValidateAllChangesOnlyTheFlagsOnDiskAndReportsTheSavedRecord) {
    TFiche record = makeRecord(u8("DUPONT"), u8("Marie"), u8("6A"), {4});
    for (const int offset : {42, 50, 100, 187, 250, 400, 1000, 2500, 3021}) {
        record.bytes()[offset] = static_cast<char>(0x77);
    }
    record.bytes()[267 + 9] = 5;
    record.setDate(30, u8("01/02/2010"));
    folder.writeRecord(u8("7.b2i"), record);
    const QByteArray before = folder.readBytes(u8("7.b2i"));
    ScriptedAnswers user;
    const std::optional<QStringList> report = pupils.validateAll(listed(u8("7")), user);

    const QByteArray after = folder.readBytes(u8("7.b2i"));
    ASSERT_EQ(after.size(), TFiche::kSize);
    for (int offset = 0; offset < TFiche::kSize; ++offset) {
        const bool flag = offset >= 268 && offset < 268 + 51;
        EXPECT_EQ(after.at(offset), flag ? 1 : before.at(offset)) << offset;
    }
    TFiche saved;
    readRecordFile(file(u8("7")), saved);
    EXPECT_EQ(report, validateAllLines(saved));
    EXPECT_EQ(folder.entries(), QStringList{u8("7.b2i")});
}

// While DUPONT's sheet is open here, another machine saves DUPONT, deletes him, or gives his
// number to another pupil.
TEST_F(Commands, SavingASheetAsksBeforeReplacingAnotherMachinesWorkAndKeepsAnyOtherPupil) {
    const TFiche dupont = makeRecord(u8("DUPONT"), u8("Marie"), u8("6A"), {1});
    TFiche savedElsewhere = dupont;
    savedElsewhere.setValide(40, true);
    const TFiche martin = makeRecord(u8("MARTIN"), u8("Léa"), u8("6B"));
    // What the sheet holds: the questions name the pupil as it was opened.
    TFiche typed = dupont;
    typed.setNom(u8("CHANGE"));
    typed.setValide(10, true);
    const QString overSave = u8("La fiche de DUPONT Marie a été modifiée sur un autre poste depuis "
                                "que vous l'avez ouverte.\nRemplacer cette modification par la "
                                "vôtre ?");
    const QString deleted = u8("La fiche de DUPONT Marie a été effacée sur un autre poste depuis "
                               "que vous l'avez ouverte.\nLa recréer avec ce que vous avez "
                               "saisi ?");
    const QString taken = u8("Le n° 1 contient maintenant MARTIN Léa, un autre élève, enregistré "
                             "sur un autre poste depuis que vous avez ouvert la fiche de %1. Cet "
                             "élève ne sera pas remplacé.\nEnregistrer %1 sous un nouveau "
                             "numéro ?");
    const QString savedUnder = u8("La fiche de CHANGE Marie est enregistrée sous le n° %1.");
    const QByteArray mine = recordBytes(typed), theirs = recordBytes(savedElsewhere),
                     hers = recordBytes(martin), none;
    const struct {
        const char* what;
        bool openedBlank;        // the sheet opened on a number without a file
        const TFiche* meanwhile; // what the file holds now; nullptr: no file
        bool answer;
        QString question;
        std::optional<QString> savedAs;
        bool told;                // where it was saved
        QByteArray first, second; // what 1.b2i and 2.b2i hold then
    } cases[] = {
        {"nothing changed", false, &dupont, false, {}, u8("1"), false, mine, none},
        {"saved again, Non", false, &savedElsewhere, false, overSave, {}, false, theirs, none},
        {"saved again, Oui", false, &savedElsewhere, true, overSave, u8("1"), false, mine, none},
        {"deleted, Non", false, nullptr, false, deleted, {}, false, none, none},
        {"deleted, Oui", false, nullptr, true, deleted, u8("1"), true, mine, none},
        {"taken, Non", false, &martin, false, taken.arg(u8("DUPONT Marie")), {}, false, hers, none},
        {"taken, Oui", false, &martin, true, taken.arg(u8("DUPONT Marie")), u8("2"), true, hers,
         mine},
        {"opened blank", true, nullptr, false, {}, u8("1"), false, mine, none},
        {"opened blank, taken", true, &martin, true, taken.arg(u8("CHANGE Marie")), u8("2"), true,
         hers, mine},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(file(u8("1")));
        QFile::remove(file(u8("2")));
        if (c.meanwhile != nullptr) {
            folder.writeRecord(u8("1.b2i"), *c.meanwhile);
        }
        ScriptedAnswers user{c.answer};
        const std::optional<TFiche> opened =
            c.openedBlank ? std::nullopt : std::optional<TFiche>(dupont);
        EXPECT_EQ(saveOpenedPupil(state, u8("1"), opened, typed, user), c.savedAs);
        EXPECT_EQ(user.questions, c.question.isEmpty() ? QStringList() : QStringList{c.question});
        EXPECT_EQ(user.messages, c.told ? QStringList{savedUnder.arg(*c.savedAs)} : QStringList());
        EXPECT_EQ(folder.readBytes(u8("1.b2i")), c.first);
        EXPECT_EQ(folder.readBytes(u8("2.b2i")), c.second);
    }
}

TEST_F(Commands, OpeningRemovesWhatKilledWritersLeftAndNamesWhatIsNoRegularFile) {
    folder.writePupil(1, u8("UN"), u8("A"), u8("6A"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file(u8("7"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(file(u8("7")), file(u8("8"))));
    // What writers killed half-way left eleven minutes ago goes; what is being written now, and
    // a teacher's files that only look alike, stay.
    const struct {
        const char* name;
        qsizetype size; // -1: an empty folder, -2: a folder holding a file
        bool old;
        bool removed;
    } leftovers[] = {
        {".1.b2i.kalidor-tmp-Ab12Cd", 100, true, true},
        {".1.b2i.kalidor-claim", -1, true, true},
        {".2.b2i.kalidor-tmp-Ef34Gh", 100, false, false},
        {".2.b2i.kalidor-claim", -1, false, false},
        {".ALPHA.b2i.backup", 3022, true, false},
        {".1.b2i.kalidor-tmp-Ab12Cd.old", 100, true, false},
        {".1.b2i.Ab12Cd", 3022, true, false},
        {".3.b2i.kalidor-tmp-Zz99Zz", 3023, true, false},
        {".3.b2i.kalidor-claim", -2, true, false},
    };
    const timeval old[2] = {{::time(nullptr) - 11 * 60, 0}, {::time(nullptr) - 11 * 60, 0}};
    for (const auto& leftover : leftovers) {
        if (leftover.size >= 0) {
            folder.writeBytes(u8(leftover.name), QByteArray(leftover.size, 'x'));
        } else {
            ASSERT_TRUE(QDir(folder.prefix()).mkdir(u8(leftover.name)));
            if (leftover.size == -2) {
                folder.writeBytes(u8(leftover.name) + u8("/mine.txt"), "x");
            }
        }
        if (leftover.old) {
            ASSERT_EQ(::utimes(QFile::encodeName(folder.path(u8(leftover.name))).constData(), old),
                      0);
        }
    }

    ::alarm(60); // a command that blocks on the pipe ends the test
    const ViewResult opened = pupils.open();
    EXPECT_EQ(linesOf(opened.entries), QStringList(u8("UN A 6A - n° 1")));
    QStringList reported;
    for (const RecordFailure& failure : opened.failures) {
        reported.append(failure.entryName + u8(" : ") + failure.message);
    }
    reported.sort();
    EXPECT_EQ(reported, QStringList({u8("7.b2i : Ce n'est pas un fichier ordinaire"),
                                     u8("8.b2i : Ce n'est pas un fichier ordinaire")}));
    for (const auto& leftover : leftovers) {
        EXPECT_EQ(QFile::exists(folder.path(u8(leftover.name))), !leftover.removed)
            << leftover.name;
    }
    // The folder's check names what stays that is no readable pupil.
    QStringList checked;
    for (const char* name : {".2.b2i.kalidor-claim", ".2.b2i.kalidor-tmp-Ef34Gh",
                             ".3.b2i.kalidor-claim", ".3.b2i.kalidor-tmp-Zz99Zz"}) {
        checked.append(u8(name) + u8(" : laissé par une écriture interrompue"));
    }
    EXPECT_EQ(pupils.check(), checked + reported);
    // The same pipe chosen as a class file or a transfer file.
    EXPECT_EQ(failureOf([&] { pupils.importClass(file(u8("7"))); }),
              u8("Ce n'est pas un fichier ordinaire"));
    EXPECT_EQ(failureOf([&] { pupils.listTransfer(file(u8("8"))); }),
              u8("Ce n'est pas un fichier ordinaire"));
    ::alarm(0);
}

TEST_F(Commands, AClassImportReadsWhatSpreadsheetsSaveAndRefusesWhatIsNotText) {
    const QByteArray jpeg =
        bytesOf("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
                "\xff\xdb\x00\x43\x00\x08\x06\x06\x07\x06;\x05\x08\x07\x07\x07\x09\n");
    const QByteArray xlsx =
        bytesOf("PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00\x62\xee\x9d\x68^\x01"
                "\x00\x00\x90\x04\x00\x00\x13\x00\x08\x02[Content_Types].xml \xa2\x04\x02"
                "(\xa0\x00\x02\n;\r\n");
    const QString twoPupils = u8("Martin;Léa\r\nDURAND;Zoé\r\n");
    const QString refused =
        u8("Ce fichier n'est pas un fichier texte ; aucun élève n'a été créé :\n");
    const QString stops = u8("La suite de ce fichier n'est pas du texte ; l'importation s'est "
                             "arrêtée après 1 élève :\n");
    test::TestFolder lists;
    const struct {
        const char* file;
        QByteArray bytes;   // not written when empty
        QStringList pupils; // the lines added, without their numbers, sorted
        QString message;    // followed by the file's name, but for a file that does not open
    } cases[] = {
        {"logo.jpg", jpeg + QByteArray(500, 'a') + "\n;x\n", {}, refused},
        {"CM2.xlsx", xlsx, {}, refused},
        {"nul.txt", bytesOf("Martin;Paul\r\nDu\0pont;Jean\r\n"), {}, refused},
        // Text in its first block, then a NUL byte in the next one.
        {"suite.txt",
         "A;a\n" + QByteArray(64 * 1024 - 4, '\n') + bytesOf("B;b\n\0"),
         {u8("A a suite")},
         stops},
        {"6A.txt", utf16(twoPupils, true), {u8("DURAND Zoé 6A"), u8("Martin Léa 6A")}, {}},
        {"6B.txt", utf16(twoPupils, false), {u8("DURAND Zoé 6B"), u8("Martin Léa 6B")}, {}},
        {"mac.csv",
         "Martin;L\351a\rPETIT;Paul\r",
         {u8("Martin Léa mac"), u8("PETIT Paul mac")},
         {}},
        {"nfd.txt", "Martin;Le\314\201a\n", {u8("Martin Léa nfd")}, {}},
        {"mix.txt",
         "Martin;L\303\251a\nDURAND;Zo\351\n",
         {u8("DURAND Zoé mix"), u8("Martin Léa mix")},
         {}},
        {"vides.txt", ";\r\n;;\r\n ; \r\n\t;\t\r\n   \r\n ;Paul\r\n", {u8("  Paul vides")}, {}},
        {"absent.txt", {}, {}, u8("Echec à l'ouverture du fichier")},
    };
    int created = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString name = lists.path(u8(c.file));
        if (!c.bytes.isEmpty()) {
            lists.writeBytes(u8(c.file), c.bytes);
        }
        QStringList added;
        const auto add = [&](const ListEntry& entry) {
            added.append(entry.line.left(entry.line.lastIndexOf(u8(" - n° "))));
        };
        const BatchResult result = pupils.importClass(name, {add, {}, {}, {}});
        added.sort();
        EXPECT_EQ(added, c.pupils);
        EXPECT_EQ(result.created, c.pupils.size());
        created += static_cast<int>(c.pupils.size());
        EXPECT_EQ(folder.entries().size(), created);
        const bool named = c.message == refused || c.message == stops;
        EXPECT_EQ(result.messages, c.message.isEmpty()
                                       ? QStringList()
                                       : QStringList{c.message + (named ? name : QString())});
    }
    // Accents reach the record as Windows-1252 bytes.
    EXPECT_EQ(folder.readBytes(u8("2.b2i")),
              recordBytes(makeRecord(u8("Martin"), u8("Léa"), u8("6A"))));
}

TEST_F(Commands, AHugeClassFileIsReadInBoundedMemoryUpTo999Pupils) {
    test::TestFolder lists;
    QByteArray text;
    // More text than the first block read, then nothing but NUL bytes.
    for (int k = 1; k <= 5000; ++k) {
        text += "NOM" + QByteArray::number(k) + ";Pr\xe9nom\r\n";
    }
    lists.writeBytes(u8("6A.txt"), text);
    // A gigabyte, mostly a hole that takes no room on the disk.
    ASSERT_EQ(::truncate(QFile::encodeName(lists.path(u8("6A.txt"))).constData(), off_t{1} << 30),
              0);
    // Numbers 1 to 900 are taken: the import makes the last 99 and stops reading there.
    takeNumbers(900);
    const int code = test::runInChild([&] {
#ifndef KALIDOR_ADDRESS_SANITIZER // its shadow memory does not fit a limit
        // 256 MiB more than the program holds now: far less than the file.
        std::ifstream statm("/proc/self/statm");
        long pages = 0;
        statm >> pages;
        const rlim_t bytes = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (256u << 20);
        const rlimit limit{bytes, bytes};
        if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0) {
            return 2;
        }
#endif
        const QString stop = failureOf([&] { pupils.importClass(lists.path(u8("6A.txt"))); });
        return stop.endsWith(u8("\nL'opération s'est arrêtée après 99 élèves créés.")) ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(folder.entries().size(), 999);
}

// A batch asked to stop between two pupils keeps those it created and says so; its progress
// counts against what it would create.
TEST_F(Commands, ABatchStopsBetweenTwoPupilsWhenAskedAndSaysAfterHowMany) {
    test::TestFolder lists;
    lists.writeBytes(u8("6A.txt"), "A;a\n;\nB;b\nC;c\nD;d\nE;e\n");
    state.sortByName = false;
    QStringList added;
    std::pair<int, int> progress;
    qsizetype stopAfter = 1;
    const BatchControl control{[&](const ListEntry& entry) { added.append(entry.line); },
                               [&](int done, int total) {
                                   progress = {done, total};
                               },
                               [&] { return added.size() == stopAfter; },
                               {}};
    // The sample pupils are listed by name whatever the sort flag.
    BatchResult result = pupils.createSamples(SampleSet::Niveau1, control);
    EXPECT_EQ(added, QStringList{u8("niv1_1 p1 a - n° 1")});
    EXPECT_EQ(progress, std::make_pair(1, 17));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.messages, QStringList{u8("L'opération a été annulée après 1 élève créé.")});

    added.clear();
    stopAfter = 2;
    result = pupils.importClass(lists.path(u8("6A.txt")), control);
    EXPECT_EQ(added, (QStringList{u8("6A : A a - n° 2"), u8("6A : B b - n° 3")}));
    EXPECT_EQ(progress, std::make_pair(2, 5));
    EXPECT_EQ(result.created, 2);
    EXPECT_EQ(result.messages, QStringList{u8("L'opération a été annulée après 2 élèves créés.")});
}

TEST_F(Commands, TheDirectoryImportMovesCreatesStopsAndNamesWhatChangedSinceThePreview) {
    folder.writePupil(1, u8("MARTIN"), u8("Léa"), u8("6A"));
    folder.writePupil(2, u8("DURAND"), u8("Paul"), u8("6A"));
    test::TestFolder files;
    files.writeBytes(u8("e.csv"), "Nom \xe9l\xe8ve;Pr\xe9nom \xe9l\xe8ve;Date naissance;Niveau;"
                                  "Libell\xe9 classe\n"
                                  "MARTIN;L\xe9"
                                  "a;;5e;5A\nDURAND;Paul;;5e;5A\n"
                                  "NEUF;Ida;;5e;5A\nNOUVEAU;No\xe9;;5e;5A\n");
    const DirectoryPreview preview(state.prefix, files.path(u8("e.csv")));
    ASSERT_EQ(preview.plan().actions.size(), 4);
    // Another machine saves DURAND between the preview and the import.
    folder.writePupil(2, u8("DURAND"), u8("Paul"), u8("6B"));
    QStringList added;
    QStringList changed;
    QStringList steps;
    const BatchControl control{
        [&](const ListEntry& entry) { added.append(entry.line); },
        [&](int done, int total) { steps.append(u8("%1/%2").arg(done).arg(total)); },
        [&] { return added.size() == 1; },
        [&](const ListEntry& entry) { changed.append(entry.line); }};
    const BatchResult result = pupils.importDirectory(preview, control);
    EXPECT_EQ(changed, QStringList{u8("MARTIN Léa 5A - n° 1")});
    EXPECT_EQ(added, QStringList{u8("NEUF Ida 5A - n° 3")});
    EXPECT_EQ(steps, QStringList({u8("1/4"), u8("2/4")}));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.messages,
              QStringList({u8("L'opération a été annulée après 1 élève créé."),
                           u8("Importation depuis l'annuaire terminée.\nÉlèves créés : 1\n"
                              "Changés de classe : 1\nInchangés : 0\nIgnorés : 0\nÀ vérifier : 1\n"
                              "DURAND Paul (n° 2) à vérifier : non modifié, changé sur un autre "
                              "poste depuis l'aperçu")}));
    EXPECT_EQ(listed(u8("2")).line, u8("DURAND Paul 6B - n° 2"));
    EXPECT_EQ(folder.entries(), QStringList({u8("1.b2i"), u8("2.b2i"), u8("3.b2i")}));
}

TEST_F(Commands, ATransferFileIsListedAndWhatIsWrongWithItSaidOnce) {
    const QByteArray good = recordBytes(makeRecord(u8("MARTIN"), u8("Léa"), u8("CM2"), {1, 30}));
    QByteArray overlong = good;
    overlong[TFiche::disciplineField(7).offset] = 21;
    QByteArray controlInName = good;
    controlInName[2] = '\x01';
    test::TestFolder out;
    // 400 000 blank records, a hole on the disk.
    out.writeBytes(u8("enorme.b2t"), {});
    ASSERT_EQ(::truncate(QFile::encodeName(out.path(u8("enorme.b2t"))).constData(),
                         off_t{400000} * TFiche::kSize),
              0);
    const QString damaged = u8("Ce fichier est endommagé ou n'est pas un fichier de transfert :\n");
    const struct {
        const char* file;
        QByteArray bytes; // not written when empty
        int listed;
        QString message; // a damaged file's is followed by its name
    } cases[] = {
        {"bon.b2t", good + good, 2, {}},
        {"coupe.b2t", good + good.left(100), 1, damaged},
        {"long.b2t", good + overlong + good, 3, damaged},
        {"nom.b2t", controlInName, 1, damaged},
        {"logo.jpg", QByteArray(TFiche::kSize * 2, '\xff'), 2, damaged},
        {"enorme.b2t",
         {},
         999,
         u8("Ce fichier de transfert contient plus de 999 élèves : seuls les 999 premiers sont "
            "listés.")},
        {"absent.b2t", {}, 0, u8("Echec à l'ouverture du fichier")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString name = out.path(u8(c.file));
        if (!c.bytes.isEmpty()) {
            out.writeBytes(u8(c.file), c.bytes);
        }
        const PupilFolder::TransferListingResult listing = pupils.listTransfer(name);
        EXPECT_EQ(listing.entries.size(), c.listed);
        EXPECT_EQ(listing.messages,
                  c.message.isEmpty()
                      ? QStringList()
                      : QStringList{c.message + (c.message == damaged ? name : QString())});
    }
}

TEST_F(Commands, ATransferFileSaysWhereItWasWrittenOrThatItCouldNotBe) {
    folder.writePupil(1, u8("MARTIN"), u8("Léa"), u8("6A"));
    folder.writePupil(2, u8("DURAND"), u8("Paul"), u8("6A"));
    const QList<ListEntry> lines{listed(u8("1")), listed(u8("2"))};
    ASSERT_TRUE(QFile::remove(file(u8("2"))));
    test::TestFolder out;
    EXPECT_EQ(pupils.writeTransfer(out.path(u8("t.b2t")), lines),
              u8("Fichier de transfert créé : \r") + out.path(u8("t.b2t")) +
                  u8("\r1 élève n'a pas pu être lu et n'est pas dans le fichier."));
    EXPECT_EQ(pupils.writeTransfer(out.path(u8("absent/t.b2t")), lines),
              u8("Echec à la création du fichier"));

    // Importing from a file gone since it was listed says so once; a full folder stops.
    ScriptedAnswers user;
    EXPECT_EQ(pupils.importTransfer(out.path(u8("parti.b2t")), lines, user).created, 0);
    EXPECT_EQ(user.messages, QStringList{u8("Echec à l'ouverture du fichier")});
    takeNumbers(999);
    EXPECT_TRUE(failureOf([&] {
                    pupils.importTransfer(out.path(u8("t.b2t")), lines, user);
                }).endsWith(u8("après 0 élève créé.")));
}

} // namespace
} // namespace kalidor
