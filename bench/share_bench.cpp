// The program on a share as schools have one: a folder served by an sshd of our own on
// loopback and mounted through sshfs, with delay_proxy holding every packet a fixed time each
// way (1 ms unless --delay_ms=N says otherwise). The folder holds the program and 999 pupils.
//
// The floor of every reading figure is what the mount gives to 16 readers of the same 999
// files at once; a class import of 300 pupils stands beside 300 plain record writes, each
// flushed, through the same mount. Each figure is the median of three interleaved repetitions
// unless --benchmark_repetitions says otherwise.
//
// Nothing read before a measured run is cached when it starts: the share is mounted again
// before each run (sshfs's caches of names, attributes and folders go with its process, the
// kernel's page and name caches with the mount), so every file is asked of the server.
//
// The servers need root and FUSE; where they cannot run, the benchmark says why and exits 0.

#include "app/class_table_window.h"
#include "bench/bench_support.h"
#include "exchange/class_file.h"
#include "platform/qt_platform.h"
#include "platform/sorted_list_box.h"
#include "records/io_error.h"
#include "records/list_views.h"
#include "records/record_file.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace kalidor;

namespace {

constexpr int kPupils = 999;
constexpr int kImported = 300;
constexpr int kReaders = 16;

// The servers, the mount and what the server's folder holds, for the whole run.
class DelayedShare {
public:
    // Starts the servers and fills the folder; on failure `why` says why.
    bool start(double delayMs, QString& why) {
        QProcess script;
        script.start(QStringLiteral(SHARE_SERVERS),
                     {QStringLiteral("start"), QStringLiteral("sshfs-delayed"), work_.path(),
                      QString::number(delayMs), QStringLiteral(DELAY_PROXY)});
        if (!script.waitForFinished(120000) || script.exitCode() != 0) {
            why = QString::fromLocal8Bit(script.readAllStandardError()).trimmed();
            return false;
        }
        started_ = true;
        const QStringList folders = QString::fromLocal8Bit(script.readAllStandardOutput())
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (folders.size() != 3) {
            why = QStringLiteral("share_servers.sh printed no folders");
            return false;
        }
        server_ = folders[0] + QLatin1Char('/');
        mount_ = folders[1] + QLatin1Char('/');
        bench::writePupils(server_, kPupils);
        bench::installProgram(QStringLiteral(KALIDOR_BIN_DIR), server_);
        writeClassFile();
        return true;
    }

    ~DelayedShare() {
        if (started_) {
            QProcess::execute(QStringLiteral(SHARE_SERVERS),
                              {QStringLiteral("stop"), work_.path()});
        }
    }

    // Drops every cache of the mount; false when the share could not be mounted again.
    bool remount() const {
        return QProcess::execute(QStringLiteral(SHARE_SERVERS),
                                 {QStringLiteral("remount"), work_.path()}) == 0;
    }

    // The folder as the mount shows it, with a trailing '/'.
    const QString& prefix() const { return mount_; }
    // An empty folder of the share for the imports and writes, as the mount shows it.
    QString emptyImportFolder() const {
        QDir folder(server_ + QStringLiteral("import"));
        folder.removeRecursively();
        folder.mkpath(QStringLiteral("."));
        return mount_ + QStringLiteral("import/");
    }
    // A class file of 300 pupils on the local disk, as a teacher's machine holds it.
    QString classFile() const { return work_.path() + QStringLiteral("/6A.txt"); }

private:
    void writeClassFile() const {
        QByteArray text;
        for (int k = 1; k <= kImported; ++k) {
            text += "NOM" + QByteArray::number(k) + ";Pr\xe9nom\r\n";
        }
        QFile file(classFile());
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(classFile()));
            std::abort();
        }
    }

    QTemporaryDir work_;
    bool started_ = false;
    QString server_;
    QString mount_;
};

DelayedShare* share = nullptr;

// Mounts the share again before a run; false (and the run marked failed) when it cannot.
bool freshMount(benchmark::State& loop) {
    if (!share->remount()) {
        loop.SkipWithError("the share could not be mounted again");
        return false;
    }
    return true;
}

// Opens, reads and closes each file of `paths` from `next` on, taking turns with the other
// readers through `next`; returns how many reads fell short.
int readFiles(const std::vector<std::string>& paths, std::atomic<size_t>& next) {
    char buffer[TFiche::kSize];
    int shortReads = 0;
    for (size_t k = next++; k < paths.size(); k = next++) {
        const int fd = ::open(paths[k].c_str(), O_RDONLY);
        if (fd < 0 || ::read(fd, buffer, sizeof buffer) != TFiche::kSize) {
            ++shortReads;
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    return shortReads;
}

void PlainOpenReadCloseLoop(benchmark::State& loop) {
    const std::vector<std::string> paths = bench::recordPaths(share->prefix(), kPupils);
    if (!freshMount(loop)) {
        return;
    }
    int failed = 0;
    for (auto _ : loop) {
        std::atomic<size_t> next{0};
        failed += readFiles(paths, next);
    }
    if (failed != 0) {
        loop.SkipWithError("a file could not be read whole");
    }
}

// The floor: 16 threads each open, read and close the next file not yet taken.
void ParallelReaders16(benchmark::State& loop) {
    const std::vector<std::string> paths = bench::recordPaths(share->prefix(), kPupils);
    if (!freshMount(loop)) {
        return;
    }
    std::atomic<int> failed{0};
    for (auto _ : loop) {
        std::atomic<size_t> next{0};
        std::vector<std::thread> readers;
        for (int r = 0; r < kReaders; ++r) {
            readers.emplace_back([&] { failed += readFiles(paths, next); });
        }
        for (std::thread& reader : readers) {
            reader.join();
        }
    }
    if (failed != 0) {
        loop.SkipWithError("a file could not be read whole");
    }
}

// Every pupil by name, into the list box, as the view command fills the main list.
void AllPupilsView(benchmark::State& loop) {
    SharedState state;
    state.prefix = share->prefix();
    SortedListBox listBox;
    if (!freshMount(loop)) {
        return;
    }
    for (auto _ : loop) {
        const ViewResult result = buildView(state, ListView::AllByName);
        listBox.setEntries(result.entries);
    }
    if (listBox.count() != kPupils) {
        loop.SkipWithError("the view did not list every pupil");
    }
}

// The program started from the share, as a classroom machine starts it, to its shown list.
void StartupToShownList(benchmark::State& loop) {
    const std::string program = (share->prefix() + QStringLiteral("kalidor")).toStdString();
    if (!freshMount(loop)) {
        return;
    }
    bool ok = true;
    for (auto _ : loop) {
        ok = bench::runUntilShown(program).ok && ok;
    }
    if (!ok) {
        loop.SkipWithError("the program did not start and end by itself");
    }
}

QtPlatform& platform() {
    static QtPlatform made;
    return made;
}

// "Toutes les classes": the folder read, the class chooser, the rows and the column widths.
void TableAllClasses(benchmark::State& loop) {
    SharedState state;
    state.prefix = share->prefix();
    ClassTableWindow table(state, platform(), {});
    if (!freshMount(loop)) {
        return;
    }
    for (auto _ : loop) {
        table.showFolder(std::nullopt);
    }
    if (table.model().rowCount() < kPupils) {
        loop.SkipWithError("the table did not show every pupil");
    }
}

// A class file of 300 lines into an empty folder of the share.
void ClassImport300(benchmark::State& loop) {
    SharedState state;
    state.prefix = share->emptyImportFolder();
    if (!freshMount(loop)) {
        return;
    }
    int created = 0;
    try {
        for (auto _ : loop) {
            ClassFileReader reader(share->classFile());
            created = importClass(state, classFromFileName(share->classFile()), reader,
                                  [](const ListEntry&) {});
        }
    } catch (const IoError& error) {
        loop.SkipWithError((std::string("the import failed: ") + error.what()).c_str());
        return;
    }
    if (created != kImported) {
        loop.SkipWithError("the import did not create every pupil");
    }
}

// Its floor: 300 records written under new names into an empty folder, each flushed.
void PlainWritesFsync300(benchmark::State& loop) {
    const QString prefix = share->emptyImportFolder();
    const std::vector<std::string> paths = bench::recordPaths(prefix, kImported);
    TFiche record;
    initNewRecord(record);
    record.setNom(QStringLiteral("NOM"));
    if (!freshMount(loop)) {
        return;
    }
    int failed = 0;
    for (auto _ : loop) {
        for (const std::string& path : paths) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0 || ::write(fd, record.bytes().data(), TFiche::kSize) != TFiche::kSize ||
                ::fsync(fd) != 0) {
                ++failed;
            }
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    if (failed != 0) {
        loop.SkipWithError("a record could not be written");
    }
}

// One run per repetition: each starts on a fresh mount, and a second run would not.
#define SHARE_BENCHMARK(name)                                                                      \
    BENCHMARK(name)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond)
SHARE_BENCHMARK(PlainOpenReadCloseLoop);
SHARE_BENCHMARK(ParallelReaders16);
SHARE_BENCHMARK(AllPupilsView);
SHARE_BENCHMARK(StartupToShownList);
SHARE_BENCHMARK(TableAllClasses);
SHARE_BENCHMARK(ClassImport300);
SHARE_BENCHMARK(PlainWritesFsync300);

// Takes --delay_ms=N out of the arguments; 1 when it is not given.
double takeDelay(int& argc, char** argv) {
    static constexpr char kOption[] = "--delay_ms=";
    double delay = 1;
    int kept = 1;
    for (int k = 1; k < argc; ++k) {
        if (std::strncmp(argv[k], kOption, sizeof kOption - 1) == 0) {
            delay = std::atof(argv[k] + sizeof kOption - 1);
        } else {
            argv[kept++] = argv[k];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return delay;
}

} // namespace

int main(int argc, char** argv) {
    const double delay = takeDelay(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    DelayedShare delayed;
    QString why;
    if (!delayed.start(delay, why)) {
        std::printf("share_bench: no share to measure: %s\n", qPrintable(why));
        return 0;
    }
    share = &delayed;
    std::printf("share_bench: sshfs through a delay of %g ms each way, %d pupils\n", delay,
                kPupils);
    return bench::runWithRatios(argc, argv,
                                {{"PlainOpenReadCloseLoop", "ParallelReaders16"},
                                 {"AllPupilsView", "ParallelReaders16"},
                                 {"StartupToShownList", "ParallelReaders16"},
                                 {"TableAllClasses", "ParallelReaders16"},
                                 {"ClassImport300", "PlainWritesFsync300"}},
                                3);
}
