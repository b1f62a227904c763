// Record writes under real faults: a denied folder or file, a full disk, a killed process.

#include "records/io_error.h"
#include "records/record_file.h"
#include "tests/support/child_process.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace kalidor;
using kalidor::test::TestFolder;

namespace {

constexpr int kRaisedExpectedError = 10;
constexpr int kWrongError = 11;
constexpr int kNoError = 12;

// Runs a save in the child and tells whether it failed with `message`.
int saveExpecting(const SharedState& state, const QString& path, const QString& message) {
    try {
        saveRecord(state, path);
    } catch (const IoError& error) {
        return !message.isEmpty() && error.message() == message ? kRaisedExpectedError
                                                                : kWrongError;
    }
    return kNoError;
}

struct stat fileStatus(const QByteArray& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.constData(), &status), 0) << path.constData();
    return status;
}

void openToEveryone(const TestFolder& folder) {
    ASSERT_EQ(::chmod(folder.prefix().toLocal8Bit().constData(), 0777), 0);
}

} // namespace

TEST(RecordFaults, ADeniedFolderKeepsThePreviousFile) {
    TestFolder folder;
    SharedState state = folder.state();
    const TFiche before = test::makeRecord(QStringLiteral("AVANT"), {}, {});
    folder.writeRecord(QStringLiteral("1.b2i"), before);
    ASSERT_EQ(::chmod(folder.prefix().toLocal8Bit().constData(), 0555), 0);
    state.current = test::makeRecord(QStringLiteral("APRES"), {}, {});

    const int result = test::runUnprivileged([&] {
        return saveExpecting(state, folder.path(QStringLiteral("1.b2i")),
                             QString::fromUtf8("Accès au fichier refusé"));
    });
    EXPECT_EQ(result, kRaisedExpectedError);
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), test::recordBytes(before));
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("1.b2i")});
    ::chmod(folder.prefix().toLocal8Bit().constData(), 0755);
}

TEST(RecordFaults, AnUnreadableFileIsReported) {
    TestFolder folder;
    openToEveryone(folder);
    folder.writePupil(1, QStringLiteral("SECRET"), {}, {});
    ASSERT_EQ(::chmod(folder.path(QStringLiteral("1.b2i")).toLocal8Bit().constData(), 0), 0);
    SharedState state = folder.state();
    const int result = test::runUnprivileged([&] {
        const QList<RecordFailure> failures =
            enumerateRecords(state.prefix, [](const QString&, const TFiche&) {});
        return failures.size() == 1 &&
                       failures.first().message == QString::fromUtf8("Accès au fichier refusé")
                   ? kRaisedExpectedError
                   : kWrongError;
    });
    EXPECT_EQ(result, kRaisedExpectedError);
}

TEST(RecordFaults, AFullDiskKeepsThePreviousFileAndLeavesNoTemporary) {
    TestFolder folder;
    SharedState state = folder.state();
    const TFiche before = test::makeRecord(QStringLiteral("AVANT"), {}, {});
    folder.writeRecord(QStringLiteral("1.b2i"), before);
    state.current = test::makeRecord(QStringLiteral("APRES"), {}, {});

    const int result = test::runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000}; // fewer bytes than one record
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return saveExpecting(state, folder.path(QStringLiteral("1.b2i")),
                             QStringLiteral("Disque plein"));
    });
    EXPECT_EQ(result, kRaisedExpectedError);
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), test::recordBytes(before));
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("1.b2i")});
}

TEST(RecordFaults, AProcessKilledWhileSavingLeavesAWholeRecord) {
    TestFolder folder;
    SharedState state = folder.state();
    const TFiche first = test::makeRecord(QStringLiteral("PREMIER"), {}, {}, {});
    TFiche second = test::makeRecord(QStringLiteral("SECOND"), {}, {});
    second.bytes().fill('S');
    second.setNom(QStringLiteral("SECOND"));
    folder.writeRecord(QStringLiteral("1.b2i"), first);

    for (int round = 0; round < 5; ++round) {
        const pid_t child = test::startChild([&] {
            SharedState writer = folder.state();
            for (int i = 0;; ++i) {
                writer.current = (i % 2 == 0) ? second : first;
                saveRecord(writer, folder.path(QStringLiteral("1.b2i")));
            }
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 7 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const QByteArray bytes = folder.readBytes(QStringLiteral("1.b2i"));
        EXPECT_TRUE(bytes == test::recordBytes(first) || bytes == test::recordBytes(second))
            << "round " << round << ": " << bytes.size() << " bytes";
        // Whatever a kill leaves behind is never taken for a pupil.
        int pupils = 0;
        EXPECT_TRUE(enumerateRecords(folder.prefix(), [&pupils](const QString&, const TFiche&) {
                        ++pupils;
                    }).isEmpty());
        EXPECT_EQ(pupils, 1);
    }
}

TEST(RecordFaults, ASaveRespectsTheFileItReplaces) {
    TestFolder folder;
    openToEveryone(folder);
    ASSERT_TRUE(QDir(folder.prefix()).mkdir(QStringLiteral("cible")));
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path(QStringLiteral("cible"))).constData(), 0777),
              0);
    const TFiche before = test::makeRecord(QStringLiteral("AVANT"), {}, {});
    SharedState state = folder.state();
    state.current = test::makeRecord(QStringLiteral("APRES"), {}, {});
    const QByteArray after = test::recordBytes(state.current);
    const auto path = [&](const char* name) { return folder.path(QLatin1String(name)); };
    const auto local = [&](const char* name) { return QFile::encodeName(path(name)); };
    // Two files of the user who saves (read-only, private) and a link to a record kept elsewhere.
    for (const char* name : {"lecture.b2i", "prive.b2i", "cible/vrai.b2i"}) {
        folder.writeRecord(QLatin1String(name), before);
        ASSERT_TRUE(test::giveToUnprivileged(local(name).constData()));
    }
    ASSERT_EQ(::chmod(local("lecture.b2i").constData(), 0444), 0);
    ASSERT_EQ(::chmod(local("prive.b2i").constData(), 0600), 0);
    ASSERT_EQ(::symlink("cible/vrai.b2i", local("lien.b2i").constData()), 0);

    const int result = test::runUnprivileged([&] {
        if (saveExpecting(state, path("lecture.b2i"),
                          QString::fromUtf8("Accès au fichier refusé")) != kRaisedExpectedError) {
            return 1;
        }
        for (const char* name : {"prive.b2i", "lien.b2i"}) {
            if (saveExpecting(state, path(name), {}) != kNoError) {
                return 2;
            }
        }
        return 0;
    });
    EXPECT_EQ(result, 0);

    EXPECT_EQ(folder.readBytes(QStringLiteral("lecture.b2i")), test::recordBytes(before));
    EXPECT_EQ(fileStatus(local("lecture.b2i")).st_mode & 07777, 0444u);
    EXPECT_EQ(folder.readBytes(QStringLiteral("prive.b2i")), after);
    EXPECT_EQ(fileStatus(local("prive.b2i")).st_mode & 07777, 0600u);
    EXPECT_TRUE(S_ISLNK(fileStatus(local("lien.b2i")).st_mode));
    EXPECT_EQ(folder.readBytes(QStringLiteral("cible/vrai.b2i")), after);
    EXPECT_EQ(folder.entries(),
              (QStringList{QStringLiteral("cible"), QStringLiteral("lecture.b2i"),
                           QStringLiteral("lien.b2i"), QStringLiteral("prive.b2i")}));
}

TEST(RecordFaults, ASaveKeepsTheOwnerOfAnotherUsersFile) {
    if (!test::runningAsRoot()) {
        GTEST_SKIP() << "needs root: only root can lay a file that belongs to another user";
    }
    TestFolder folder;
    openToEveryone(folder);
    SharedState state = folder.state();
    state.current = test::makeRecord(QStringLiteral("APRES"), {}, {});
    const QByteArray after = test::recordBytes(state.current);
    const auto path = [&](const char* name) { return folder.path(QLatin1String(name)); };
    const auto local = [&](const char* name) { return QFile::encodeName(path(name)); };
    // One file of root that everyone may write, one of the ordinary user that only it may.
    for (const char* name : {"autre.b2i", "prive.b2i"}) {
        folder.writeRecord(QLatin1String(name), test::makeRecord(QStringLiteral("AVANT"), {}, {}));
    }
    ASSERT_EQ(::chmod(local("autre.b2i").constData(), 0666), 0);
    ASSERT_TRUE(test::giveToUnprivileged(local("prive.b2i").constData()));
    ASSERT_EQ(::chmod(local("prive.b2i").constData(), 0600), 0);

    // The ordinary user cannot give a new file to root: the file is rewritten in place.
    EXPECT_EQ(test::runUnprivileged([&] { return saveExpecting(state, path("autre.b2i"), {}); }),
              kNoError);
    EXPECT_EQ(folder.readBytes(QStringLiteral("autre.b2i")), after);
    EXPECT_EQ(fileStatus(local("autre.b2i")).st_uid, 0u);
    EXPECT_EQ(fileStatus(local("autre.b2i")).st_mode & 07777, 0666u);

    // An administrator's save keeps the pupil's file its owner's.
    saveRecord(state, path("prive.b2i"));
    EXPECT_EQ(folder.readBytes(QStringLiteral("prive.b2i")), after);
    EXPECT_EQ(fileStatus(local("prive.b2i")).st_uid, 65534u);
    EXPECT_EQ(fileStatus(local("prive.b2i")).st_mode & 07777, 0600u);
    EXPECT_EQ(folder.entries(),
              (QStringList{QStringLiteral("autre.b2i"), QStringLiteral("prive.b2i")}));
}
