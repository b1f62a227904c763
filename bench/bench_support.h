#pragma once
// Shared by the benchmarks: a data folder of pupils, and a report that prints each figure's
// ratio to its baseline measured in the same run.

#include "records/list_views.h"

#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kalidor::bench {

// Writes pupils 1..count into the data folder `prefix`, a third of them holding niveau école.
void writePupils(const QString& prefix, int count);
// The files of pupils 1..count in the data folder `prefix`.
std::vector<std::string> recordPaths(const QString& prefix, int count);

// A temporary folder holding pupils 1..count, as writePupils makes them.
class PupilFolder {
public:
    explicit PupilFolder(int count);
    QString prefix() const { return dir_.path() + QLatin1Char('/'); }
    std::vector<std::string> recordPaths() const { return bench::recordPaths(prefix(), count_); }

private:
    QTemporaryDir dir_;
    int count_;
};

// Copies the built program and its side files (every file of `builtFolder` but pupils) into
// the data folder `prefix`; returns the program's path there.
std::string installProgram(const QString& builtFolder, const QString& prefix);

struct ProgramRun {
    double seconds = 0; // from the start to the end of the process, 0 when it could not start
    double peakMiB = 0; // its peak resident size
    bool ok = false;    // it started and ended with status 0
};

// Runs `program` on Qt's offscreen platform until its main window is shown (the program leaves
// then, asked by KALIDOR_EXIT_WHEN_SHOWN; another window program leaves by itself).
ProgramRun runUntilShown(const std::string& program);

// A view of the pupil list on the folder `prefix`, filled into a list box that is never shown:
// the baseline of the benchmarks that read every pupil.
void runListView(benchmark::State& loop, const QString& prefix, ListView view);

// Console output plus, at the end, "figure / baseline = ratio" for each pair given.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs)
        : pairs_(std::move(pairs)) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<std::pair<std::string, std::string>> pairs_; // figure, baseline
    std::map<std::string, double> times_;                    // name -> seconds per iteration
};

// Starts Google Benchmark with the runs of every benchmark interleaved, so that other work on
// the machine slows a figure and its baseline alike.
void initializeInterleaved(int argc, char** argv);

// Runs the registered benchmarks, `repetitions` interleaved repetitions of each unless the
// command line says otherwise, and prints the ratios of their medians.
int runWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs,
                  int repetitions = 9);

} // namespace kalidor::bench
