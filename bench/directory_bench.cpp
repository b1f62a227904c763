// The school directory's import of 999 pupils: previewing and importing the export into an
// empty folder beside the class import of the same 999 pupils, and importing it again (every
// pupil unchanged: nothing is written) beside the all-pupils view of that folder.

#include "bench/bench_support.h"
#include "commands/directory_import.h"
#include "commands/pupil_folder.h"
#include "exchange/class_file.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

using namespace kalidor;

namespace {

constexpr int kPupils = 999;

void write(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        std::abort();
    }
}

// The same 999 pupils as a class file and as a primary school's extraction, all in 6A; a data
// folder emptied for each import, and one holding them all for the import done again.
class Files {
public:
    Files() {
        QByteArray classText;
        QByteArray csv = "Nom \xe9l\xe8ve;Pr\xe9nom \xe9l\xe8ve;Date naissance;Niveau;"
                         "Libell\xe9 classe;Adresse\r\n";
        for (int k = 1; k <= kPupils; ++k) {
            const QByteArray nom = "NOM" + QByteArray::number(k);
            classText += nom + ";Pr\xe9nom\r\n";
            csv += nom + ";Pr\xe9nom;" + QByteArray::number(10 + k % 18) + "/0" +
                   QByteArray::number(1 + k % 9) + "/2014;CM1;6A;1 rue de l'\xe9\x63ole\r\n";
        }
        write(classFile(), classText);
        write(exportFile(), csv);
        state(full_);
        kalidor::PupilFolder folder(state_);
        folder.importDirectory(DirectoryPreview(full_.path() + QLatin1Char('/'), exportFile()));
    }
    QString classFile() const { return files_.path() + QLatin1String("/6A.txt"); }
    QString exportFile() const { return files_.path() + QLatin1String("/CSVExtraction.csv"); }
    QString fullPrefix() const { return full_.path() + QLatin1Char('/'); }
    SharedState& emptyFolder() {
        QDir folder(empty_.path());
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
            folder.remove(name);
        }
        return state(empty_);
    }

private:
    SharedState& state(const QTemporaryDir& dir) {
        state_ = SharedState();
        state_.prefix = dir.path() + QLatin1Char('/');
        return state_;
    }

    QTemporaryDir files_;
    QTemporaryDir empty_;
    QTemporaryDir full_;
    SharedState state_;
};

Files& files() {
    static Files instance;
    return instance;
}

void check(benchmark::State& loop, int created, int expected) {
    if (created != expected) {
        loop.SkipWithError("the import did not create what it should");
    }
}

void BM_ClassImport999(benchmark::State& loop) {
    for (auto _ : loop) {
        loop.PauseTiming();
        SharedState& state = files().emptyFolder();
        loop.ResumeTiming();
        const BatchResult result = kalidor::PupilFolder(state).importClass(files().classFile());
        loop.PauseTiming();
        check(loop, result.created, kPupils);
        loop.ResumeTiming();
    }
}

void BM_DirectoryImport999(benchmark::State& loop) {
    for (auto _ : loop) {
        loop.PauseTiming();
        SharedState& state = files().emptyFolder();
        loop.ResumeTiming();
        const DirectoryPreview preview(state.prefix, files().exportFile());
        const BatchResult result = kalidor::PupilFolder(state).importDirectory(preview);
        loop.PauseTiming();
        check(loop, result.created, kPupils);
        loop.ResumeTiming();
    }
}

void BM_DirectoryImportAgain999(benchmark::State& loop) {
    SharedState state;
    state.prefix = files().fullPrefix();
    for (auto _ : loop) {
        const DirectoryPreview preview(state.prefix, files().exportFile());
        const BatchResult result = kalidor::PupilFolder(state).importDirectory(preview);
        check(loop, result.created + static_cast<int>(preview.plan().actions.size()), 0);
    }
}

void BM_AllPupilsView999(benchmark::State& loop) {
    bench::runListView(loop, files().fullPrefix(), ListView::AllByName);
}

BENCHMARK(BM_ClassImport999)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DirectoryImport999)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DirectoryImportAgain999)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AllPupilsView999)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return bench::runWithRatios(argc, argv,
                                {{"BM_DirectoryImport999", "BM_ClassImport999"},
                                 {"BM_DirectoryImportAgain999", "BM_AllPupilsView999"}});
}
