// One data folder used by several machines at once: pupils created side by side are all kept.

#include "records/atomic_file.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "tests/support/child_process.h"
#include "tests/support/test_folder.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

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
    for (const NewFileMethod method :
         {NewFileMethod::RenameWithoutReplacing, NewFileMethod::Link, NewFileMethod::Exclusive}) {
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
