// One data folder used by several machines at once: pupils created side by side are all kept.

#include "records/io_error.h"
#include "records/leftovers.h"
#include "records/new_file.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "tests/support/child_process.h"
#include "tests/support/scripted_naming_calls.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kalidor;
using kalidor::test::TestFolder;

TEST(SharedFolder, TwoMachinesCreatingPupilsAtOnceLoseNone) {
    TestFolder folder;
    constexpr int kEach = 250;
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    QList<pid_t> machines;
    for (const char* who : {"A", "B"}) {
        machines.append(test::startChild([&, who] {
            ::close(gate[1]);
            char go = 0;
            (void)::read(gate[0], &go, 1); // both start when the gate closes
            SharedState state = folder.state();
            PupilAdder adder(state);
            for (int i = 1; i <= kEach; ++i) {
                adder.add(test::makeRecord(QStringLiteral("%1%2").arg(QLatin1String(who)).arg(i),
                                           {}, {}));
            }
            adder.finish();
        }));
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (const pid_t machine : machines) {
        int status = -1;
        ASSERT_EQ(::waitpid(machine, &status, 0), machine);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    QSet<QString> names;
    for (int number = 1; number <= 2 * kEach; ++number) {
        TFiche record;
        const QString fileName = folder.path(QStringLiteral("%1.b2i").arg(number));
        ASSERT_NO_THROW(readRecordFile(fileName, record)) << number;
        EXPECT_EQ(QFile(fileName).size(), TFiche::kSize);
        names.insert(record.nom());
    }
    EXPECT_EQ(names.size(), 2 * kEach);
    EXPECT_EQ(folder.entries().size(), 2 * kEach);
}

TEST(SharedFolder, EveryWayOfCreatingANewFileLeavesAnExistingOneAlone) {
    TestFolder folder;
    const QByteArray first(TFiche::kSize, 'a');
    const QByteArray second(TFiche::kSize, 'b');
    for (const NewFileMethod method : {NewFileMethod::RenameWithoutReplacing, NewFileMethod::Link,
                                       NewFileMethod::RenameUnderClaim}) {
        const QString fileName = folder.path(QStringLiteral("1.b2i"));
        QFile::remove(fileName);
        EXPECT_EQ(
            createNewFileFrom(method, fileName, first.constData(), first.size(), FolderFlush::Now),
            first);
        EXPECT_FALSE(createNewFileFrom(method, fileName, second.constData(), second.size(),
                                       FolderFlush::Now));
        EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), first);
        EXPECT_EQ(folder.entries(), QStringList(QStringLiteral("1.b2i")));
    }
}

namespace {

using Call = test::ScriptedNamingCalls::Call;
using Answer = test::ScriptedNamingCalls::Answer;

} // namespace

// What a share's client may answer while a pupil takes its number: the pupil ends under one
// number only, holding its own bytes, another machine's pupil is never written over, and nothing
// of ours is left behind.
TEST(SharedFolder, EachAnswerOfAShareLeavesThePupilOnceAndTheOthersWhole) {
    const TFiche ours = test::makeRecord(QStringLiteral("NOUS"), {}, {});
    const TFiche other = test::makeRecord(QStringLiteral("AUTRE"), {}, {});
    const struct {
        const char* what;
        std::function<void(test::ScriptedNamingCalls&, const TestFolder&)> script;
        const char* number;
        QStringList entries; // the folder's entries after
    } cases[] = {
        {"EIO once the rename did its work",
         [](auto& calls, auto&) {
             calls.script(Call::RenameWithoutReplacing, {{true, EIO}});
         },
         "1",
         {QStringLiteral("1.b2i")}},
        {"EIO once the link did its work",
         [](auto& calls, auto&) {
             calls.script(Call::RenameWithoutReplacing, {{false, EINVAL}});
             calls.script(Call::Link, {{true, EIO}});
         },
         "1",
         {QStringLiteral("1.b2i")}},
        {"the read-back fails once",
         [](auto& calls, auto&) {
             calls.script(Call::OpenForReading, {{}, {true, EIO}});
         },
         "1",
         {QStringLiteral("1.b2i")}},
        {"a claim just removed from another mount answers ENOENT",
         [](auto& calls, auto&) {
             calls.script(Call::MakeFolder, {{false, ENOENT}});
         },
         "1",
         {QStringLiteral("1.b2i")}},
        {"another machine's claim answers EPERM",
         [](auto& calls, auto& folder) {
             ASSERT_TRUE(QDir().mkdir(folder.path(QStringLiteral(".1.b2i.kalidor-claim"))));
             calls.script(Call::MakeFolder, {{true, EPERM}});
         },
         "2",
         {QStringLiteral(".1.b2i.kalidor-claim"), QStringLiteral("2.b2i")}},
        {"the rename answers success but another machine's pupil lands there",
         [&](auto& calls, auto& folder) {
             calls.script(
                 Call::RenameWithoutReplacing,
                 {{true, 0, {}, [&] { folder.writeRecord(QStringLiteral("1.b2i"), other); }}});
         },
         "2",
         {QStringLiteral("1.b2i"), QStringLiteral("2.b2i")}},
        {"a name another machine just took answers EPERM",
         [&](auto& calls, auto& folder) {
             calls.script(Call::RenameWithoutReplacing, {{false, EINVAL}});
             calls.script(Call::Link, {{true, EPERM, [&] {
                                            folder.writeRecord(QStringLiteral("1.b2i"), other);
                                        }}});
         },
         "2",
         {QStringLiteral("1.b2i"), QStringLiteral("2.b2i")}},
        {"the server has the name the client refuses",
         [&](auto& calls, auto& folder) {
             calls.script(Call::RenameWithoutReplacing,
                          {{true, 0, [&] { folder.writeRecord(QStringLiteral("1.b2i"), other); }}});
         },
         "2",
         {QStringLiteral("1.b2i"), QStringLiteral("2.b2i")}},
        {"a client that answers EIO to every call for a moment",
         [](auto& calls, auto&) {
             calls.script(Call::MakeFolder, {{false, EIO}, {false, EIO}});
             calls.script(Call::OpenForReading, {{false, EIO}});
             calls.script(Call::RenameWithoutReplacing, {{false, EIO}});
         },
         "1",
         {QStringLiteral("1.b2i")}},
        {"the client refuses a name the server does not have",
         [](auto& calls, auto&) {
             calls.script(Call::RenameWithoutReplacing, {{false, EEXIST}});
         },
         "1",
         {QStringLiteral("1.b2i")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        test::ScriptedNamingCalls calls;
        c.script(calls, folder);
        const ScopedNamingCalls scoped(calls);
        const NewPupil pupil = createRecordFile(folder.state(), ours);
        EXPECT_EQ(pupil.number, QLatin1String(c.number));
        EXPECT_EQ(folder.readBytes(pupil.number + QStringLiteral(".b2i")), test::recordBytes(ours));
        EXPECT_EQ(folder.entries(), c.entries);
        if (pupil.number != QLatin1String("1") && c.entries.contains(QStringLiteral("1.b2i"))) {
            EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), test::recordBytes(other));
        }
    }
}

// A client that keeps failing without a word about the names is a failure that stops the
// command, never "every number is taken".
TEST(SharedFolder, AClientThatNeverAnswersIsAFailureNotAFullFolder) {
    TestFolder folder;
    test::ScriptedNamingCalls calls;
    for (int i = 0; i < 20; ++i) {
        calls.script(Call::MakeFolder, {{false, EIO}});
        calls.script(Call::OpenForReading, {{false, EIO}});
    }
    const ScopedNamingCalls scoped(calls);
    try {
        createRecordFile(folder.state(), test::makeRecord(QStringLiteral("UN"), {}, {}));
        ADD_FAILURE() << "created";
    } catch (const IoError& error) {
        EXPECT_EQ(error.errorNumber(), EIO);
    }
    EXPECT_EQ(folder.entries(), QStringList());
}

TEST(SharedFolder, AWayTheClientRefusesIsNotTriedForEveryPupil) {
    TestFolder folder;
    test::ScriptedNamingCalls calls;
    calls.script(Call::RenameWithoutReplacing, {{false, EINVAL}});
    calls.script(Call::Link, {{false, EPERM}});
    const ScopedNamingCalls scoped(calls);
    SharedState state = folder.state();
    PupilAdder adder(state);
    for (const char* name : {"UN", "DEUX", "TROIS"}) {
        adder.add(test::makeRecord(QLatin1String(name), {}, {}));
    }
    adder.finish();
    EXPECT_EQ(folder.entries(), QStringList({QStringLiteral("1.b2i"), QStringLiteral("2.b2i"),
                                             QStringLiteral("3.b2i")}));
    EXPECT_EQ(calls.count(Call::RenameWithoutReplacing), 1);
    EXPECT_EQ(calls.count(Call::Link), 1);
    EXPECT_EQ(calls.count(Call::Rename), 3);
}

// A machine whose clock runs eleven minutes ahead of the server's, as school machines drift:
// the claims and temporaries of other machines are aged by the server's clock.
TEST(SharedFolder, LeftoversAreAgedByTheServersClock) {
    TestFolder folder;
    test::ScriptedNamingCalls calls;
    calls.serverClockOffset = -11 * 60;
    const time_t serverNow = ::time(nullptr) + calls.serverClockOffset;
    const struct {
        const char* claim;
        int minutes; // its age by the server's clock
        bool removed;
    } claims[] = {{".1.b2i.kalidor-claim", 5, false},
                  {".2.b2i.kalidor-claim", 11, true},
                  {".3.b2i.kalidor-claim", -11, false}};
    for (const auto& claim : claims) {
        const QString name = QLatin1String(claim.claim);
        const QString temporary = name + QStringLiteral("/.1.b2i.kalidor-tmp-Ab12Cd");
        ASSERT_TRUE(QDir().mkdir(folder.path(name)));
        folder.writeBytes(temporary, "x");
        const timespec stamp[2] = {{serverNow - claim.minutes * 60, 0},
                                   {serverNow - claim.minutes * 60, 0}};
        for (const QString& path : {folder.path(temporary), folder.path(name)}) {
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), stamp, 0), 0);
        }
    }
    const ScopedNamingCalls scoped(calls);
    removeStaleLeftovers(folder.prefix(), ".b2i", TFiche::kSize);
    for (const auto& claim : claims) {
        EXPECT_EQ(QFile::exists(folder.path(QLatin1String(claim.claim))), !claim.removed)
            << claim.claim;
    }
}
