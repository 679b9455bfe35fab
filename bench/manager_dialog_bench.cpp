// The item manager dialog on the large store of bench_store.h, as the user
// drives it: selecting a node (panel and buttons through the view), Undo and
// Sweep with their one view reset, and Save with its pictures and flush.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/services/notice.h"
#include "app/program/program.h"
#include "bench_program.h"
#include "bench_store.h"
#include "core/store/item_tree.h"
#include "tests/app/support/controls.h"

using orbel::testing::TreeModelOf;
namespace {

struct Running {
    Running() {
        program = bench::StartProgram(store.dir());
        program->items()->show();
        QCoreApplication::processEvents();
    }
    ~Running() { program.reset(); }
    bench::Store store;
    std::unique_ptr<orbel::Program> program;
};

Running& TheProgram() {
    static Running running;
    return running;
}

void BM_DialogSelectNode(benchmark::State& state) {
    orbel::TFormItems* f = TheProgram().program->items();
    // Alternate between a program deep in the tree and a folder, so every
    // selection is a change.
    orbel::TreeNode* top = nullptr;
    orbel::TreeNode* program = nullptr;
    int seen = 0;
    TreeModelOf(f)->tree().forEach([&](orbel::TreeNode& n) {
        ++seen;
        if (!top && seen > 5000 && n.level() == 0 && n.imageIndex == 0) top = &n;
        if (!program && seen > 7000 && n.level() == 1 && n.itemNumber >= 0) program = &n;
    });
    if (!top || !program) {
        state.SkipWithError("no nodes to select");
        return;
    }
    bool flip = false;
    for (auto _ : state) {
        f->selectNode(flip ? program : top);
        flip = !flip;
    }
}
BENCHMARK(BM_DialogSelectNode)->Unit(benchmark::kMicrosecond);

void BM_DialogUndo(benchmark::State& state) {
    orbel::TFormItems* f = TheProgram().program->items();
    for (auto _ : state) f->BitBtnUndoClick();
}
BENCHMARK(BM_DialogUndo)->Unit(benchmark::kMillisecond);

void BM_DialogSweep(benchmark::State& state) {
    // The generated paths do not exist: each sweep removes every item, so the
    // tree is put back (untimed) before the next one.
    orbel::TFormItems* f = TheProgram().program->items();
    for (auto _ : state) {
        f->BitBtnSweepClick();
        state.PauseTiming();
        f->BitBtnUndoClick();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DialogSweep)->Unit(benchmark::kMillisecond);

void BM_DialogSave(benchmark::State& state) {
    orbel::TFormItems* f = TheProgram().program->items();
    for (auto _ : state) {
        f->BitBtnSaveClick();
        if (f->StatusText() != "Save succesful!") state.SkipWithError(qPrintable(f->StatusText()));
    }
}
BENCHMARK(BM_DialogSave)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
