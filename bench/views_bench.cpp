// The pupil list on a folder of 999 pupils: the views and the free-number search, each beside
// the plain system calls they cannot go below.

#include "bench/bench_support.h"
#include "platform/sorted_list_box.h"
#include "records/list_views.h"
#include "records/record_file.h"

#include <QApplication>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kalidor;

namespace {

constexpr int kPupils = 999;

bench::PupilFolder& folder() {
    static bench::PupilFolder pupils(kPupils);
    return pupils;
}

void PlainOpenReadCloseLoop(benchmark::State& loop) {
    const std::vector<std::string> paths = folder().recordPaths();
    char buffer[TFiche::kSize];
    for (auto _ : loop) {
        for (const std::string& path : paths) {
            const int fd = ::open(path.c_str(), O_RDONLY);
            benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
            ::close(fd);
        }
    }
}
BENCHMARK(PlainOpenReadCloseLoop)->Unit(benchmark::kMillisecond);

void AllPupilsView(benchmark::State& loop) {
    bench::runListView(loop, folder().prefix(), ListView::AllByName);
}
BENCHMARK(AllPupilsView)->Unit(benchmark::kMillisecond);

void LevelView(benchmark::State& loop) {
    bench::runListView(loop, folder().prefix(), ListView::WithEcole);
}
BENCHMARK(LevelView)->Unit(benchmark::kMillisecond);

// 998 pupils present: the search probes 1..999.
struct FullFolder {
    FullFolder() : pupils(998) {}
    bench::PupilFolder pupils;
};
FullFolder& fullFolder() {
    static FullFolder full;
    return full;
}

void PlainExistenceTests998(benchmark::State& loop) {
    const std::vector<std::string> paths = fullFolder().pupils.recordPaths();
    struct stat info {};
    for (auto _ : loop) {
        for (const std::string& path : paths) {
            benchmark::DoNotOptimize(::lstat(path.c_str(), &info));
        }
    }
}
BENCHMARK(PlainExistenceTests998)->Unit(benchmark::kMillisecond);

void FindFreeNumber998(benchmark::State& loop) {
    SharedState state;
    state.prefix = fullFolder().pupils.prefix();
    for (auto _ : loop) {
        benchmark::DoNotOptimize(findFreeNumber(state));
    }
}
BENCHMARK(FindFreeNumber998)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return bench::runWithRatios(argc, argv,
                                {{"AllPupilsView", "PlainOpenReadCloseLoop"},
                                 {"LevelView", "AllPupilsView"},
                                 {"FindFreeNumber998", "PlainExistenceTests998"}});
}
