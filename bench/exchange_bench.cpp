// Adding 999 pupils from a class file and from a transfer file, each beside 999 record
// saves alone measured in the same run: the ratio says what the import adds to the writes.

#include "bench/bench_support.h"
#include "exchange/class_file.h"
#include "exchange/transfer_file.h"
#include "records/list_lines.h"
#include "records/record_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace kalidor;

namespace {

constexpr int kPupils = 999;

// The folders live under KALIDOR_BENCH_DIR when set (to measure a given disk), else under
// the system's temporary folder.
QString benchRoot() {
    const QString root = qEnvironmentVariable("KALIDOR_BENCH_DIR");
    return root.isEmpty() ? QDir::tempPath() : root;
}

class Folders {
public:
    Folders()
        : data_(benchRoot() + QLatin1String("/kalidor-data-XXXXXX")),
          files_(benchRoot() + QLatin1String("/kalidor-files-XXXXXX")) {
        QByteArray classText;
        QByteArray transfer;
        for (int k = 1; k <= kPupils; ++k) {
            classText += "NOM" + QByteArray::number(k) + ";Pr\xe9nom\r\n";
            TFiche record;
            initNewRecord(record);
            record.setNom(QStringLiteral("NOM%1").arg(k));
            record.setPrenom(QStringLiteral("Prénom"));
            record.setClasse(QStringLiteral("6A"));
            record.setValide(k % 51 + 1, true);
            transfer.append(record.bytes().data(), TFiche::kSize);
            transferLines_.append(
                {byNameLine(record.nom(), record.prenom(), record.classe(), QString::number(k)),
                 QString::number(k)});
        }
        write(classFileName(), classText);
        write(transferFileName(), transfer);
    }

    SharedState emptyDataFolder() const {
        QDir folder(data_.path());
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
            folder.remove(name);
        }
        SharedState state;
        state.prefix = data_.path() + QLatin1Char('/');
        return state;
    }
    QString classFileName() const { return files_.path() + QLatin1String("/6A.txt"); }
    QString transferFileName() const { return files_.path() + QLatin1String("/envoi.b2t"); }
    const QList<ListEntry>& transferLines() const { return transferLines_; }

private:
    static void write(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            std::abort();
        }
    }

    QTemporaryDir data_;
    QTemporaryDir files_;
    QList<ListEntry> transferLines_;
};

Folders& folders() {
    static Folders instance;
    return instance;
}

void checkCount(benchmark::State& state, qsizetype count) {
    if (count != kPupils) {
        state.SkipWithError("not every pupil was written");
    }
}

// Baseline: the 999 record files written one by one, numbers known in advance.
void BM_RecordSaves999(benchmark::State& state) {
    TFiche record;
    initNewRecord(record);
    record.setNom(QStringLiteral("NOM"));
    for (auto _ : state) {
        state.PauseTiming();
        const SharedState data = folders().emptyDataFolder();
        state.ResumeTiming();
        for (int n = 1; n <= kPupils; ++n) {
            writeRecordFile(recordFileName(data, QString::number(n)), record, FolderFlush::Later);
        }
    }
}

void BM_ClassImport999(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        SharedState data = folders().emptyDataFolder();
        state.ResumeTiming();
        ClassFileReader reader(folders().classFileName());
        QList<ListEntry> added;
        importClass(data, classFromFileName(folders().classFileName()), reader,
                    [&added](const ListEntry& entry) { added.append(entry); });
        state.PauseTiming();
        checkCount(state, added.size());
        state.ResumeTiming();
    }
}

// The class import as it was before a new pupil's file refused to replace one: the same file
// read, the same searches and writes, each file renamed over whatever took its name meanwhile.
void BM_ClassImport999Replacing(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        SharedState data = folders().emptyDataFolder();
        state.ResumeTiming();
        ClassFileReader reader(folders().classFileName());
        TFiche record;
        initNewRecord(record);
        record.setClasse(classFromFileName(folders().classFileName()));
        int from = 1;
        while (const std::optional<QString> line = reader.nextLine()) {
            const ClassLine pupil = splitClassLine(*line);
            record.setNom(pupil.nom);
            record.setPrenom(pupil.prenom);
            const int number = findFreeNumber(data, from);
            writeRecordFile(recordFileName(data, QString::number(number)), record,
                            FolderFlush::Later);
            from = number + 1;
        }
        flushFolder(QFile::encodeName(data.prefix));
    }
}

void BM_TransferImport999(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        SharedState data = folders().emptyDataFolder();
        state.ResumeTiming();
        TransferImport progress;
        QList<ListEntry> added;
        importTransferRecords(data, folders().transferFileName(), folders().transferLines(),
                              progress, [&added](const ListEntry& entry) { added.append(entry); });
        state.PauseTiming();
        checkCount(state, added.size());
        state.ResumeTiming();
    }
}

// The disk is shared and its times wander: each figure is the median of nine single runs,
// and the runs of the three benchmarks are interleaved (see main).
BENCHMARK(BM_RecordSaves999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ClassImport999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ClassImport999Replacing)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TransferImport999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Prints each import's median time as a ratio of the baseline's after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }
    void printRatios() const {
        const auto baseline = times_.find("BM_RecordSaves999");
        if (baseline == times_.end() || baseline->second <= 0) {
            return;
        }
        for (const char* name :
             {"BM_ClassImport999", "BM_ClassImport999Replacing", "BM_TransferImport999"}) {
            const auto found = times_.find(name);
            if (found != times_.end()) {
                std::printf("%s / BM_RecordSaves999 = %.2f\n", name,
                            found->second / baseline->second);
            }
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    bench::initializeInterleaved(argc, argv);
    folders();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
