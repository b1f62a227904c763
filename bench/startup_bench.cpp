// Start-up of the whole program with 999 pupils, to the shown main window, beside two windows
// that read no file: the bare Qt window, which draws no text, and the fair window, which shows
// the same menus, 999 sorted lines and a count line. The three are launched in turn so that
// they see the same machine; peak memory comes from the kernel's accounting of the child.

#include "bench/bench_support.h"

#include <algorithm>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void StartupAlternating(benchmark::State& loop) {
    static kalidor::bench::PupilFolder folder(999);
    static const std::string kalidor =
        kalidor::bench::installProgram(QStringLiteral(KALIDOR_BIN_DIR), folder.prefix());
    std::vector<double> program, fair, bare;
    double peak = 0, fairPeak = 0, barePeak = 0;
    for (auto _ : loop) {
        const kalidor::bench::ProgramRun b = kalidor::bench::runUntilShown(BARE_WINDOW);
        const kalidor::bench::ProgramRun f = kalidor::bench::runUntilShown(FAIR_WINDOW);
        const kalidor::bench::ProgramRun k = kalidor::bench::runUntilShown(kalidor);
        bare.push_back(b.seconds);
        fair.push_back(f.seconds);
        program.push_back(k.seconds);
        peak = std::max(peak, k.peakMiB);
        fairPeak = std::max(fairPeak, f.peakMiB);
        barePeak = std::max(barePeak, b.peakMiB);
    }
    loop.counters["kalidor_ms"] = median(program) * 1e3;
    loop.counters["fair_ms"] = median(fair) * 1e3;
    loop.counters["bare_ms"] = median(bare) * 1e3;
    loop.counters["ratio_fair"] = median(program) / median(fair);
    loop.counters["ratio_bare"] = median(program) / median(bare);
    loop.counters["kalidor_peak_MiB"] = peak;
    loop.counters["fair_peak_MiB"] = fairPeak;
    loop.counters["bare_peak_MiB"] = barePeak;
}
BENCHMARK(StartupAlternating)->Iterations(30)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
