// The program's own start on the generated store, in-process: windows,
// start-up up to the tray answering, the first opening of the tray menu
// (pictures rendered), the item manager's first showing and the find
// window's (its index built then, with the first rows' pictures). Resident
// memory is measured on the real program by scripts/bench-startup.sh, since
// a benchmark process keeps what earlier runs allocated.
//
//   startup_bench                      run the benchmarks (offscreen)
//   startup_bench --write-store DIR [FOLDERS]
//                                      write the generated store into DIR and
//                                      exit (scripts/bench-startup.sh uses it);
//                                      FOLDERS top-level folders of 100 items
//                                      each (100: 10,000 items), 0 for none
//   startup_bench --write-jgmenu DIR CSV ICONS
//                                      the store of DIR as a jgmenu CSV file,
//                                      its pictures as PNG files in ICONS

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/program/program.h"
#include "tests/app/support/controls.h"
#include "app/tray/form_find.h"
#include "app/tray/live_menu.h"
#include "bench_program.h"
#include "bench_store.h"
#include "jgmenu_csv.h"

namespace {

const bench::Store& TheStore() {
    static bench::Store store;
    return store;
}

std::unique_ptr<orbel::Program> Start() { return bench::StartProgram(TheStore().dir(), true); }

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
    orbel::LiveMenu* menu = p->items()->liveMenu();
    for (auto _ : state) {
        menu->invalidate();
        menu->realise();
        // What the first show costs: sizing and drawing every entry.
        benchmark::DoNotOptimize(menu->grab());
    }
    state.counters["entries"] = menu->actions().size();
}
BENCHMARK(BM_OpenTrayMenu)->Unit(benchmark::kMillisecond);

// The item manager's first showing after a start: its tree is made then.
void BM_FirstManagerShow(benchmark::State& state) {
    TheStore();
    for (auto _ : state) {
        state.PauseTiming();
        auto p = Start();
        state.ResumeTiming();
        p->items()->show();
        QCoreApplication::processEvents();
        if (orbel::testing::TreeModelOf(p->items())->rowCount() == 0) state.SkipWithError("the tree stayed empty");
        state.PauseTiming();
        p.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstManagerShow)->Unit(benchmark::kMillisecond);

// The find window's first showing after a start, with a text typed in: the
// index of every item is built then.
void BM_FirstFindShow(benchmark::State& state) {
    TheStore();
    for (auto _ : state) {
        state.PauseTiming();
        auto p = Start();
        state.ResumeTiming();
        p->ShowFind(QStringLiteral("program 12"));
        QCoreApplication::processEvents();
        if (p->find()->results()->count() == 0) state.SkipWithError("the find window found nothing");
        state.PauseTiming();
        p.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstFindShow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--write-store") == 0) {
        const int folders = argc == 4 ? std::atoi(argv[3]) : bench::kTopFolders;
        const int n = bench::WriteBenchStore(std::string(argv[2]) + "/", folders);
        std::printf("%d items written below %s/shortcuts\n", n, argv[2]);
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "--write-jgmenu") == 0) {
        // Pictures are drawn with the program's own code: no display needed.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        bench::JgmenuCsv csv(argv[3], argv[4]);
        csv.write(std::string(argv[2]) + "/shortcuts");
        return 0;
    }
    return bench::RunQtBenchmarks(argc, argv);
}
