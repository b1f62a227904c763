// What a power cut may not undo: every file the program writes is flushed to the disk before it
// takes its name, and its folder is flushed after, so that the name survives too. The writes
// run under strace, and the order of the calls is read from what the kernel was asked.

#include "exchange/class_file.h"
#include "exchange/transfer_file.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/sample_pupils.h"
#include "tests/support/test_folder.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace kalidor;

namespace {

// A record save, a new pupil, a transfer file, then the three batches that add pupils (a class
// import, a transfer import, sample pupils), in the folder the parent test names.
TEST(Durability, DISABLED_WritesUnderTrace) {
    SharedState state;
    state.prefix = qEnvironmentVariable("KALIDOR_TRACED_FOLDER");
    ASSERT_FALSE(state.prefix.isEmpty());
    state.current = test::makeRecord(QStringLiteral("SAVED"), {}, {});
    saveRecord(state, recordFileName(state, QStringLiteral("1")));
    ASSERT_EQ(
        createRecordFile(state, test::makeRecord(QStringLiteral("CREATED"), {}, {}), 2).number,
        QStringLiteral("2"));
    const QString transfer = state.prefix + QLatin1String("t.b2t");
    ASSERT_TRUE(writeTransferFile(state, transfer, {{QStringLiteral("SAVED"), QStringLiteral("1")}})
                    .created);
    const QString classFile = state.prefix + QLatin1String("6A.txt");
    QFile lines(classFile);
    ASSERT_TRUE(lines.open(QIODevice::WriteOnly));
    lines.write("UN;A\nDEUX;B\n");
    lines.close();
    ClassFileReader reader(classFile);
    ASSERT_EQ(importClass(state, QStringLiteral("6A"), reader, [](const ListEntry&) {}), 2);
    TransferImport progress;
    importTransferRecords(state, transfer, {{QString(), QStringLiteral("1")}}, progress,
                          [](const ListEntry&) {});
    ASSERT_EQ(progress.created, 1);
    createSamplePupils(state, SampleSet::Niveau1, [](const ListEntry&) {});
}

TEST(Durability, DataIsFlushedThenNamedThenTheFolderFlushed) {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty()) {
        GTEST_SKIP() << "strace is not installed";
    }
    test::TestFolder folder;
    const QString log = folder.path(QStringLiteral("trace"));
    QProcess traced;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KALIDOR_TRACED_FOLDER"), folder.prefix());
    // A leak check cannot run under ptrace; the untraced runs of the suite make it.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + "detect_leaks=0");
    traced.setProcessEnvironment(environment);
    traced.start(strace, {QStringLiteral("-f"), QStringLiteral("-y"), QStringLiteral("-o"), log,
                          QStringLiteral("-e"),
                          QStringLiteral("trace=fdatasync,fsync,rename,renameat2,link"),
                          QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                          QStringLiteral("--gtest_also_run_disabled_tests"),
                          QStringLiteral("--gtest_filter=Durability.DISABLED_WritesUnderTrace")});
    ASSERT_TRUE(traced.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(traced.readAllStandardError());
    if (traced.exitCode() != 0 && errors.contains(QLatin1String("ptrace"))) {
        GTEST_SKIP() << "strace may not trace here: " << errors.toStdString();
    }
    ASSERT_EQ(traced.exitCode(), 0) << traced.readAllStandardOutput().toStdString();
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList calls = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
    const QString dir = QRegularExpression::escape(folder.prefix().chopped(1));
    // A line of the trace holding this call, whatever the process id before it.
    const auto call = [](const QString& pattern) {
        return QRegularExpression(QStringLiteral(".*") + pattern + QStringLiteral("\\s+= 0$"));
    };
    const QRegularExpression anyNaming =
        call(QStringLiteral("(rename|renameat2|link)\\(.*\"%1/[^/\"]+\".*").arg(dir));
    const QRegularExpression folderFlushed = call(QStringLiteral("fsync\\(\\d+<%1>\\)").arg(dir));
    // Each save and new pupil, and the last pupil of each batch (6A.txt makes 3 and 4, the
    // transfer import 5, the samples 6 to 22): its data flushed before its naming, the folder
    // flushed after it and before anything else takes a name.
    for (const char* name : {"1.b2i", "2.b2i", "t.b2t", "4.b2i", "5.b2i", "22.b2i"}) {
        SCOPED_TRACE(name);
        const QString escaped = QRegularExpression::escape(QLatin1String(name));
        const QString temporary =
            QStringLiteral("%1/(\\.%2\\.kalidor-claim/)?\\.%2\\.kalidor-tmp-\\w{6}")
                .arg(dir, escaped);
        const QRegularExpression flushed =
            call(QStringLiteral("fdatasync\\(\\d+<%1>\\)").arg(temporary));
        const QRegularExpression named =
            call(QStringLiteral("(rename|renameat2|link)\\(.*\"%1\", .*\"%2/%3\".*")
                     .arg(temporary, dir, escaped));
        const qsizetype naming = calls.indexOf(named);
        ASSERT_GE(naming, 0) << "no naming call";
        EXPECT_GE(calls.lastIndexOf(flushed, naming), 0)
            << "the data is not flushed before it is named";
        qsizetype next = calls.indexOf(anyNaming, naming + 1);
        if (next < 0) {
            next = calls.size();
        }
        const qsizetype flush = calls.indexOf(folderFlushed, naming);
        EXPECT_TRUE(flush > naming && flush < next)
            << "the folder is not flushed after the naming and before the next one";
    }
}

} // namespace
