// The item manager on the large store of bench_store.h: Save with its flush,
// Sweep, Undo, and selecting a node (panel and buttons).

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "bench_store.h"
#include "core/manager/properties.h"
#include "core/manager/tree_rules.h"
#include "core/manager/undo_sweep.h"
#include "core/store/store_loader.h"
#include "core/store/store_writer.h"
#include "platform/durable_files.h"

namespace {

struct Loaded {
    Loaded() {
        orbel::InstallSystemCalls(&durableFiles);
        s.dataDir = store.dir();
        orbel::InstallMenuTemplate(s);
        orbel::PrepareStore(s, [] { return orbel::BackupAnswer::No; });
        orbel::LoadStore(s);
    }
    orbel::platform::DurableFileCalls durableFiles;  // lives as long as the process: the store is static
    bench::Store store;
    orbel::ItemStore s;
};

Loaded& TheStore() {
    static Loaded loaded;
    return loaded;
}

void BM_SaveWithFlush(benchmark::State& state) {
    Loaded& l = TheStore();
    const std::string bmp = bench::Bmp16();
    orbel::WriterHooks hooks;
    hooks.writeBitmap = [&](const orbel::TreeNode&, const std::string& path) {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << bmp;
        return static_cast<bool>(f);
    };
    for (auto _ : state) {
        const orbel::SaveResult r = orbel::SaveStore(l.s, hooks);
        if (r.outcome != orbel::SaveOutcome::Saved) state.SkipWithError(r.reason.c_str());
    }
}
BENCHMARK(BM_SaveWithFlush)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Sweep(benchmark::State& state) {
    Loaded& l = TheStore();
    for (auto _ : state) {
        state.PauseTiming();
        orbel::RestoreSnapshot(l.s);
        state.ResumeTiming();
        benchmark::DoNotOptimize(orbel::SweepTree(l.s.items, l.s.topAnchor, l.s.table));
    }
    orbel::RestoreSnapshot(l.s);
}
BENCHMARK(BM_Sweep)->Unit(benchmark::kMillisecond);

void BM_Undo(benchmark::State& state) {
    Loaded& l = TheStore();
    for (auto _ : state) benchmark::DoNotOptimize(orbel::RestoreSnapshot(l.s));
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);

void BM_SelectNode(benchmark::State& state) {
    Loaded& l = TheStore();
    // A program deep in the last folder, with a top-level folder on the clipboard.
    orbel::TreeNode* last = l.s.items.topLevel(l.s.items.topLevelCount() - 4);
    orbel::TreeNode* sub = last->lastChild();
    orbel::TreeNode* node = sub->child(1);
    orbel::TreeNode* clipboard = l.s.items.topLevel(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(orbel::ShowProperties(node, l.s.table));
        benchmark::DoNotOptimize(orbel::RefreshButtons(node, clipboard, true));
    }
}
BENCHMARK(BM_SelectNode)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
