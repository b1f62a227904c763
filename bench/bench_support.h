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

// A temporary folder holding pupils 1..count, a third of them holding niveau école.
class PupilFolder {
public:
    explicit PupilFolder(int count);
    QString prefix() const { return dir_.path() + QLatin1Char('/'); }
    std::vector<std::string> recordPaths() const;

private:
    QTemporaryDir dir_;
    int count_;
};

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

// Runs the registered benchmarks and prints the ratios.
int runWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs);

} // namespace kalidor::bench
