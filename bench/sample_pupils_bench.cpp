// "créer 110 élèves" on a folder already holding 880 pupils, beside 110 record saves alone
// (the machine's cost of writing the same files) and beside the same loop probing every
// number from 1 for each pupil.

#include "bench/bench_support.h"
#include "platform/sorted_list_box.h"
#include "records/list_lines.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/sample_pupils.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <vector>

using namespace kalidor;

namespace {

constexpr int kExisting = 880;
constexpr int kAdded = 110;

// A data folder of 880 pupils, and the list of their lines as the main window holds it.
struct Folder {
    Folder() {
        state.prefix = dir.path() + QLatin1Char('/');
        for (int number = 1; number <= kExisting; ++number) {
            state.current = samplePupil(SampleSet::Blank110, number % 110 + 1);
            const QString numberText = QString::number(number);
            saveRecord(state, recordFileName(state, numberText));
            entries.append({recordLine(state.current, numberText, true), numberText});
        }
    }
    // Removes what an iteration added.
    void reset() {
        for (int number = kExisting + 1; number <= kExisting + kAdded; ++number) {
            ::unlink(QFile::encodeName(recordFileName(state, QString::number(number))).constData());
        }
    }
    QTemporaryDir dir;
    SharedState state;
    QList<ListEntry> entries;
};

Folder& folder() {
    static Folder instance;
    return instance;
}

void BM_Creer110Eleves(benchmark::State& run) {
    Folder& f = folder();
    SortedLineModel list;
    for (auto _ : run) {
        run.PauseTiming();
        f.reset();
        list.setEntries(f.entries);
        run.ResumeTiming();
        createSamplePupils(f.state, SampleSet::Blank110,
                           [&list](const ListEntry& entry) { list.addLine(entry); });
    }
    f.reset();
    if (list.count() != kExisting + kAdded) {
        run.SkipWithError("wrong number of lines");
    }
}

// 110 record saves after the existing pupils, the folder flushed as `flush` says.
void save110Records(benchmark::State& run, FolderFlush flush) {
    Folder& f = folder();
    f.state.current = samplePupil(SampleSet::Blank110, 1);
    for (auto _ : run) {
        run.PauseTiming();
        f.reset();
        run.ResumeTiming();
        for (int number = kExisting + 1; number <= kExisting + kAdded; ++number) {
            saveRecord(f.state, recordFileName(f.state, QString::number(number)), flush);
        }
    }
    f.reset();
}

void BM_110RecordSavesAlone(benchmark::State& run) {
    save110Records(run, FolderFlush::Later);
}

// The same saves, each one flushing the folder after its rename, as a single save does: the
// difference with the one above is what a folder flush costs.
void BM_110RecordSavesFlushingTheFolder(benchmark::State& run) {
    save110Records(run, FolderFlush::Now);
}

// The command as it was before a new pupil's file refused to replace one: the same searches,
// the same writes, but each file renamed over whatever took its name meanwhile.
void BM_Creer110ElevesReplacing(benchmark::State& run) {
    Folder& f = folder();
    for (auto _ : run) {
        run.PauseTiming();
        f.reset();
        run.ResumeTiming();
        int from = 1;
        for (int i = 1; i <= kAdded; ++i) {
            const TFiche pupil = samplePupil(SampleSet::Blank110, i);
            const int number = findFreeNumber(f.state, from);
            writeRecordFile(recordFileName(f.state, QString::number(number)), pupil,
                            FolderFlush::Later);
            from = number + 1;
        }
        flushFolder(QFile::encodeName(f.state.prefix));
    }
    f.reset();
}

// The same command with every search starting from 1: what the resumed search saves.
void BM_Creer110ElevesProbingFromOne(benchmark::State& run) {
    Folder& f = folder();
    for (auto _ : run) {
        run.PauseTiming();
        f.reset();
        run.ResumeTiming();
        for (int i = 1; i <= kAdded; ++i) {
            benchmark::DoNotOptimize(createRecordFile(f.state, samplePupil(SampleSet::Blank110, i),
                                                      1, FolderFlush::Later));
        }
    }
    f.reset();
}

} // namespace

// The disk is shared and its times wander: each figure is the median of five runs of 20, and
// the runs of the benchmarks are interleaved (see main).
#define KALIDOR_SAMPLES_BENCHMARK(name)                                                            \
    BENCHMARK(name)                                                                                \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(20)                                                                           \
        ->Repetitions(5)                                                                           \
        ->ReportAggregatesOnly(true)
KALIDOR_SAMPLES_BENCHMARK(BM_Creer110Eleves);
KALIDOR_SAMPLES_BENCHMARK(BM_Creer110ElevesReplacing);
KALIDOR_SAMPLES_BENCHMARK(BM_110RecordSavesAlone);
KALIDOR_SAMPLES_BENCHMARK(BM_110RecordSavesFlushingTheFolder);
KALIDOR_SAMPLES_BENCHMARK(BM_Creer110ElevesProbingFromOne);

int main(int argc, char** argv) {
    bench::initializeInterleaved(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
