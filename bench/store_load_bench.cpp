// Loading a large store (see bench_store.h), written once into a temporary
// directory and removed at exit.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "bench_store.h"
#include "core/store/store_format.h"
#include "core/store/store_loader.h"

namespace {

using bench::Store;

const Store& TheStore() {
    static Store store;
    return store;
}

orbel::BackupAnswer NoBackup() { return orbel::BackupAnswer::No; }

void BM_PrepareAndLoadStore(benchmark::State& state) {
    const Store& store = TheStore();
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<orbel::ItemStore>();
        s->dataDir = store.dir();
        orbel::InstallMenuTemplate(*s);
        state.ResumeTiming();

        orbel::PrepareStore(*s, NoBackup);
        orbel::LoadStore(*s);
        benchmark::DoNotOptimize(s->nextItemNumber);

        state.PauseTiming();
        if (s->nextItemNumber != store.items()) state.SkipWithError("not every item was loaded");
        s.reset();
        state.ResumeTiming();
    }
    state.counters["items"] = store.items();
    state.SetItemsProcessed(state.iterations() * store.items());
}
BENCHMARK(BM_PrepareAndLoadStore)->Unit(benchmark::kMillisecond);

void BM_ReloadStoreModel(benchmark::State& state) {
    const Store& store = TheStore();
    orbel::ItemStore s;
    s.dataDir = store.dir();
    orbel::InstallMenuTemplate(s);
    orbel::PrepareStore(s, NoBackup);
    orbel::LoadStore(s);
    for (auto _ : state) {
        orbel::ReloadStoreModel(s, NoBackup);
        benchmark::DoNotOptimize(s.nextItemNumber);
    }
    if (s.nextItemNumber != store.items()) state.SkipWithError("not every item was loaded");
    state.SetItemsProcessed(state.iterations() * store.items());
}
BENCHMARK(BM_ReloadStoreModel)->Unit(benchmark::kMillisecond);

void BM_ParseIndexBytes(benchmark::State& state) {
    std::string bytes;
    for (int i = 0; i < 10000; ++i)
        bytes += "^UnkLnk|/home/user/docs/doc" + std::to_string(i) + ".e1|e1|Document " + std::to_string(i) + "\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(orbel::ParseIndexFile(bytes));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseIndexBytes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
