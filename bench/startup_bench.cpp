// Start-up of the whole program with 999 pupils, to the shown main window, beside a bare Qt
// Widgets program showing an empty window. The two are launched alternately so that both see
// the same machine; peak memory comes from the kernel's accounting of the child.

#include "bench/bench_support.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Launch {
    double seconds;
    double peakMiB;
};

Launch launch(const std::string& program) {
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
        return {0, 0};
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss / 1024.0};
}

// The installed program: kalidor and its side files in a folder of 999 pupils.
std::string installWithPupils(const kalidor::bench::PupilFolder& folder) {
    const QDir built(QStringLiteral(KALIDOR_BIN_DIR));
    for (const QString& name : built.entryList(QDir::Files)) {
        if (!name.endsWith(QLatin1String(".b2i"))) {
            QFile::copy(built.filePath(name), folder.prefix() + name);
        }
    }
    QFile::setPermissions(folder.prefix() + QStringLiteral("kalidor"),
                          QFileDevice::ExeOwner | QFileDevice::ReadOwner);
    return (folder.prefix() + QStringLiteral("kalidor")).toStdString();
}

void StartupAlternating(benchmark::State& loop) {
    static kalidor::bench::PupilFolder folder(999);
    static const std::string kalidor = installWithPupils(folder);
    std::vector<double> program, bare;
    double peak = 0, barePeak = 0;
    for (auto _ : loop) {
        const Launch b = launch(BARE_WINDOW);
        const Launch k = launch(kalidor);
        bare.push_back(b.seconds);
        program.push_back(k.seconds);
        peak = std::max(peak, k.peakMiB);
        barePeak = std::max(barePeak, b.peakMiB);
    }
    auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    loop.counters["kalidor_ms"] = median(program) * 1e3;
    loop.counters["bare_ms"] = median(bare) * 1e3;
    loop.counters["ratio"] = median(program) / median(bare);
    loop.counters["kalidor_peak_MiB"] = peak;
    loop.counters["bare_peak_MiB"] = barePeak;
}
BENCHMARK(StartupAlternating)->Iterations(30)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
