// The program's own start on the generated store, in-process: windows,
// start-up up to the tray answering, and the first opening of the tray menu
// (pictures rendered). Resident memory is measured on the real program by
// scripts/bench-startup.sh, since a benchmark process keeps what earlier runs
// allocated.
//
//   startup_bench                      run the benchmarks (offscreen)
//   startup_bench --write-store DIR    write the generated store into DIR and
//                                      exit (scripts/bench-startup.sh uses it)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/manager/form_items.h"
#include "app/shell/program.h"
#include "app/tray/live_menu.h"
#include "bench_program.h"
#include "bench_store.h"

namespace {

const bench::Store& TheStore() {
    static bench::Store store;
    return store;
}

std::unique_ptr<orbel::Program> Start() { return bench::StartProgram(TheStore().dir()); }

void BM_StartUpToTrayReady(benchmark::State& state) {
    TheStore();
    for (auto _ : state) {
        auto p = Start();
        if (!p->trayReady()) state.SkipWithError("the tray does not answer");
        state.PauseTiming();
        p.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToTrayReady)->Unit(benchmark::kMillisecond);

void BM_OpenTrayMenu(benchmark::State& state) {
    auto p = Start();
    orbel::LiveMenu* menu = p->items->PMItems;
    for (auto _ : state) {
        menu->invalidate();
        menu->realise();
        // What the first show costs: sizing and drawing every entry.
        benchmark::DoNotOptimize(menu->grab());
    }
    state.counters["entries"] = menu->actions().size();
}
BENCHMARK(BM_OpenTrayMenu)->Unit(benchmark::kMillisecond);


}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-store") == 0) {
        const int n = bench::WriteBenchStore(std::string(argv[2]) + "/");
        std::printf("%d items written below %s/shortcuts\n", n, argv[2]);
        return 0;
    }
    return bench::RunQtBenchmarks(argc, argv);
}
