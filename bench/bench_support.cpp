#include "bench/bench_support.h"

#include "platform/sorted_list_box.h"
#include "records/list_views.h"
#include "records/record_file.h"

#include <cstdio>

namespace kalidor::bench {

PupilFolder::PupilFolder(int count) : count_(count) {
    SharedState state;
    state.prefix = prefix();
    for (int n = 1; n <= count; ++n) {
        initNewRecord(state.current);
        state.current.setNom(QStringLiteral("NOM%1").arg(count - n));
        state.current.setPrenom(QString::fromUtf8("Prénom%1").arg(n));
        state.current.setClasse(QStringLiteral("6%1").arg(QChar(u'A' + n % 5)));
        for (int slot = 1; slot <= 22; ++slot) {
            state.current.setValide(slot, n % 3 == 0);
        }
        writeRecordFile(recordFileName(state, QString::number(n)), state.current);
    }
}

std::vector<std::string> PupilFolder::recordPaths() const {
    std::vector<std::string> paths;
    for (int n = 1; n <= count_; ++n) {
        paths.push_back((prefix() + QString::number(n) + QLatin1String(".b2i")).toStdString());
    }
    return paths;
}

void runListView(benchmark::State& loop, const QString& prefix, ListView view) {
    SharedState state;
    state.prefix = prefix;
    SortedListBox listBox;
    for (auto _ : loop) {
        const ViewResult result = buildView(state, view);
        listBox.setEntries(result.entries);
        benchmark::DoNotOptimize(listBox.count());
    }
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    // A figure is the median of its repetitions when there are several, else its one run.
    for (const Run& run : runs) {
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1)) {
            times_[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-55s %12s %12s %7s\n", "figure / baseline", "figure", "baseline", "ratio");
    for (const auto& [figure, baseline] : pairs_) {
        const auto f = times_.find(figure);
        const auto b = times_.find(baseline);
        if (f == times_.end() || b == times_.end()) {
            continue;
        }
        std::printf("%-55s %10.3fms %10.3fms %7.2f\n", (figure + " / " + baseline).c_str(),
                    f->second * 1e3, b->second * 1e3, f->second / b->second);
    }
}

void initializeInterleaved(int argc, char** argv) {
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static std::vector<char*> args;
    args.assign(argv, argv + argc);
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
}

int runWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs) {
    // Nine repetitions of each, interleaved, unless the command line says otherwise: a figure and
    // its baseline then meet the same moments of a busy machine.
    static char repetitions[] = "--benchmark_repetitions=9";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    static std::vector<char*> args;
    args.assign(argv, argv + argc);
    args.insert(args.begin() + 1, {repetitions, aggregates});
    argc = static_cast<int>(args.size());
    argv = args.data();
    initializeInterleaved(argc, argv);
    RatioReporter reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace kalidor::bench
