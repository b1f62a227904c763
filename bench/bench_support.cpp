#include "bench/bench_support.h"

#include "platform/sorted_list_box.h"
#include "records/list_views.h"
#include "records/record_file.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace kalidor::bench {

void writePupils(const QString& prefix, int count) {
    SharedState state;
    state.prefix = prefix;
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

std::vector<std::string> recordPaths(const QString& prefix, int count) {
    std::vector<std::string> paths;
    for (int n = 1; n <= count; ++n) {
        paths.push_back((prefix + QString::number(n) + QLatin1String(".b2i")).toStdString());
    }
    return paths;
}

PupilFolder::PupilFolder(int count) : count_(count) {
    writePupils(prefix(), count);
}

std::string installProgram(const QString& builtFolder, const QString& prefix) {
    const QDir built(builtFolder);
    for (const QString& name : built.entryList(QDir::Files)) {
        if (!name.endsWith(QLatin1String(".b2i"))) {
            QFile::copy(built.filePath(name), prefix + name);
        }
    }
    const QString program = prefix + QStringLiteral("kalidor");
    QFile::setPermissions(program, QFileDevice::ExeOwner | QFileDevice::ReadOwner);
    return program.toStdString();
}

ProgramRun runUntilShown(const std::string& program) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    environment.emplace_back("QT_QPA_PLATFORM=offscreen");
    environment.emplace_back("KALIDOR_EXIT_WHEN_SHOWN=1");
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string argument0 = program;
    char* argv[] = {argument0.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        return {};
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss / 1024.0,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
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

int runWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs,
                  int repetitions) {
    // The repetitions are interleaved: a figure and its baseline then meet the same moments of
    // a busy machine.
    static std::string repeat;
    repeat = "--benchmark_repetitions=" + std::to_string(repetitions);
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    static std::vector<char*> args;
    args.assign(argv, argv + argc);
    args.insert(args.begin() + 1, {repeat.data(), aggregates});
    argc = static_cast<int>(args.size());
    argv = args.data();
    initializeInterleaved(argc, argv);
    RatioReporter reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace kalidor::bench
