// Two machines adding pupils to one folder of a real network share at the same moment: a Samba
// server mounted twice through smbnetfs, and an SFTP server mounted twice through sshfs, with its
// caches and without its folder cache; and the commonest school setup, one machine working in the
// server's own folder while the other goes through a mount. Each round starts right after the
// folder was emptied on the server's side, as a colleague's machine would; no pupil may be lost,
// doubled, or listed under a number whose file holds another pupil, and no import may stop.
// Then a number freed and taken again on one machine while the other has the first pupil's sheet
// open.

#include "commands/pupil_save.h"
#include "records/io_error.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "tests/support/child_process.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

using namespace kalidor;

namespace {

constexpr int kEach = 300;
constexpr int kRounds = 3;

QString serversScript() {
    return QStringLiteral(KALIDOR_SOURCE_DIR "/tests/support/share_servers.sh");
}

// Creates kEach pupils named "<tag><i>" in `folder` through the program's own batch adder, as a
// class import does, and writes "<number> <name>" for each to `out`; a failure ends the list
// with "! <message>".
void importPupils(const QString& folder, const QString& tag, int out) {
    SharedState state;
    state.prefix = folder + QLatin1Char('/');
    FILE* report = ::fdopen(out, "w");
    try {
        PupilAdder adder(state);
        for (int i = 1; i <= kEach; ++i) {
            const NewPupil pupil = adder.add(test::makeRecord(tag + QString::number(i), {}, {}));
            std::fprintf(report, "%s %s\n", qPrintable(pupil.number),
                         qPrintable(pupil.record.nom()));
        }
        adder.finish();
    } catch (const IoError& error) {
        std::fprintf(report, "! %s\n", qPrintable(QString(error.message()).replace('\n', ' ')));
    }
    std::fclose(report);
}

struct Round {
    int created = 0, listed = 0, lost = 0, doubled = 0, misdirected = 0, leftovers = 0;
    QStringList failures;
};

struct Share {
    const char* name;   // the servers script's share
    bool onServersDisk; // the first machine works in the server's own folder
};

class ShareTest : public testing::TestWithParam<Share> {
protected:
    void SetUp() override {
        QProcess start;
        start.start(serversScript(),
                    {QStringLiteral("start"), QLatin1String(GetParam().name), work_.path()});
        ASSERT_TRUE(start.waitForFinished(120000));
        const QString why = QString::fromLocal8Bit(start.readAllStandardError()).trimmed();
        if (start.exitCode() == 77) {
            GTEST_SKIP() << why.toStdString();
        }
        ASSERT_EQ(start.exitCode(), 0) << why.toStdString();
        const QStringList folders =
            QString::fromLocal8Bit(start.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(folders.size(), 3);
        server_ = folders[0];
        machines_ = folders.mid(1);
        if (GetParam().onServersDisk) {
            machines_[0] = server_;
        }
    }

    void TearDown() override {
        QProcess::execute(serversScript(), {QStringLiteral("stop"), work_.path()});
    }

    // Both machines import at once into the emptied folder; what the server then holds, against
    // what each machine listed.
    Round runRound(int round) {
        QDir server(server_);
        for (const QString& entry : server.entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::System | QDir::NoDotAndDotDot)) {
            QFile::remove(server.filePath(entry));
        }
        int gate[2];
        int reports[2][2];
        if (::pipe(gate) != 0 || ::pipe(reports[0]) != 0 || ::pipe(reports[1]) != 0) {
            ADD_FAILURE() << "pipe";
            return {};
        }
        pid_t children[2];
        for (int m = 0; m < 2; ++m) {
            const QString tag = QStringLiteral("%1%2-").arg(QChar(u'A' + m)).arg(round);
            children[m] = test::startChild([&, m, tag] {
                ::close(gate[1]);
                char go = 0;
                (void)::read(gate[0], &go, 1); // both start when the gate closes
                importPupils(machines_[m], tag, reports[m][1]);
            });
            ::close(reports[m][1]);
        }
        ::close(gate[0]);
        ::close(gate[1]);
        QMap<QString, QString> listed; // "<machine>/<number>" -> name listed
        Round result;
        for (int m = 0; m < 2; ++m) {
            FILE* report = ::fdopen(reports[m][0], "r");
            char number[64], name[512];
            while (std::fscanf(report, "%63s %511[^\n]\n", number, name) == 2) {
                if (number[0] == '!') {
                    result.failures.append(QString::fromUtf8(name));
                } else {
                    listed.insert(QStringLiteral("%1/%2").arg(m).arg(QLatin1String(number)),
                                  QLatin1String(name));
                }
            }
            std::fclose(report);
            ::waitpid(children[m], nullptr, 0);
        }
        QMap<QString, int> copies;       // name -> files holding it
        QMap<QString, QString> onServer; // number -> name
        for (const QString& entry :
             server.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (!entry.endsWith(QLatin1String(".b2i")) || entry.startsWith(QLatin1Char('.'))) {
                ++result.leftovers;
                continue;
            }
            TFiche record;
            readRecordFile(server.filePath(entry), record);
            ++copies[record.nom()];
            onServer.insert(entry.chopped(4), record.nom());
        }
        result.created = onServer.size();
        for (int m = 0; m < 2; ++m) {
            for (int i = 1; i <= kEach; ++i) {
                const int count =
                    copies.value(QStringLiteral("%1%2-%3").arg(QChar(u'A' + m)).arg(round).arg(i));
                result.lost += count == 0;
                result.doubled += count > 1;
            }
        }
        result.listed = listed.size();
        for (auto line = listed.cbegin(); line != listed.cend(); ++line) {
            result.misdirected += onServer.value(line.key().section('/', 1)) != line.value();
        }
        return result;
    }

    QTemporaryDir work_;
    QString server_;
    QStringList machines_;
};

TEST_P(ShareTest, TwoMachinesImportingAtOnceLoseNoPupil) {
    for (int round = 1; round <= kRounds; ++round) {
        const Round r = runRound(round);
        std::printf("%s%s, round %d: %d pupils on the server, %d lost, %d doubled, "
                    "%d misdirected, %d leftovers %s\n",
                    GetParam().name, GetParam().onServersDisk ? " (one on the server's disk)" : "",
                    round, r.created, r.lost, r.doubled, r.misdirected, r.leftovers,
                    qPrintable(r.failures.join(QLatin1String(" / "))));
        std::fflush(stdout);
        // Every pupil on the server was listed by the machine that created it, under its number.
        EXPECT_EQ(r.created, r.listed) << "round " << round;
        EXPECT_EQ(r.doubled + r.misdirected, 0) << "round " << round;
        EXPECT_TRUE(r.failures.isEmpty()) << "round " << round;
        EXPECT_EQ(r.created, 2 * kEach) << "round " << round;
        EXPECT_EQ(r.lost + r.leftovers, 0) << "round " << round;
    }
}

// Answers every question Oui and keeps what it was told.
class AnswerYes : public UserAnswers {
public:
    bool ask(const QString& question) override {
        asked.append(question);
        return true;
    }
    void tell(const QString& message) override { told.append(message); }
    QStringList asked, told;
};

// The second machine has DURAND's sheet open (n° 1) while the first deletes him and creates
// MARTIN, who gets n° 1: saving DURAND leaves MARTIN as he is and puts DURAND under a new number.
TEST_P(ShareTest, ANumberFreedAndTakenAgainUnderAnOpenSheetKeepsBothPupils) {
    SharedState first, second;
    first.prefix = machines_[0] + QLatin1Char('/');
    second.prefix = machines_[1] + QLatin1Char('/');
    const TFiche durand = test::makeRecord(QStringLiteral("DURAND"), QStringLiteral("Paul"), {});
    const TFiche martin = test::makeRecord(QStringLiteral("MARTIN"), QStringLiteral("Léa"), {});
    ASSERT_EQ(createRecordFile(first, durand).number, QStringLiteral("1"));
    TFiche opened;
    readRecordFile(recordFileName(second, QStringLiteral("1")), opened);
    deleteRecordFile(recordFileName(first, QStringLiteral("1")));
    ASSERT_EQ(createRecordFile(first, martin).number, QStringLiteral("1"));

    TFiche typed = opened;
    typed.setValide(3, true);
    AnswerYes answers;
    const std::optional<QString> saved =
        saveOpenedPupil(second, QStringLiteral("1"), opened, typed, answers);
    ASSERT_TRUE(saved);
    EXPECT_NE(*saved, QStringLiteral("1"));
    EXPECT_EQ(answers.asked.size(), 1);
    TFiche onServer;
    readRecordFile(server_ + QStringLiteral("/1.b2i"), onServer);
    EXPECT_EQ(onServer.nom(), QStringLiteral("MARTIN"));
    readRecordFile(server_ + QLatin1Char('/') + *saved + QStringLiteral(".b2i"), onServer);
    EXPECT_EQ(onServer.nom(), QStringLiteral("DURAND"));
    EXPECT_TRUE(onServer.valide(3));
}

INSTANTIATE_TEST_SUITE_P(Shares, ShareTest,
                         testing::Values(Share{"smb", false}, Share{"sshfs", false},
                                         Share{"sshfs-nocache", false}, Share{"smb", true},
                                         Share{"sshfs", true}),
                         [](const testing::TestParamInfo<Share>& info) {
                             std::string name = info.param.name == std::string("sshfs-nocache")
                                                    ? "sshfs_without_folder_cache"
                                                    : info.param.name;
                             return info.param.onServersDisk ? name + "_and_the_servers_disk"
                                                             : name;
                         });

} // namespace
