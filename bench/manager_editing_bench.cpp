// The item manager's edits on the large store of bench_store.h, through the
// dialog's handlers with the tree view attached and shown: Attach (a file
// and a separator), Paste (duplicate and move), Delete and a file drop. Each
// timed step includes the event processing that lets the view catch up, so a
// rebuild of the whole view would show in the figures.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <memory>

#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/services/notice.h"
#include "app/program/program.h"
#include "bench_program.h"
#include "bench_store.h"
#include "core/store/item_tree.h"
#include "tests/app/support/controls.h"

using orbel::testing::Control;
using orbel::testing::TreeModelOf;
namespace {

struct Running {
    Running() {
        program = bench::StartProgram(store.dir());
        form()->show();
        Control<orbel::TkvWinTreeView>(form(), "TVItems")->expandAll();
        QCoreApplication::processEvents();
        file = QString::fromStdString(store.dir()) + "dropped.txt";
        QFile f(file);
        if (f.open(QIODevice::WriteOnly)) f.write("x");
    }
    ~Running() { program.reset(); }
    orbel::TFormItems* form() const { return program->items(); }
    // A node deep in the tree, so the insertions land in the middle of it.
    orbel::TreeNode* middleItem() const {
        orbel::TreeNode* found = nullptr;
        int seen = 0;
        TreeModelOf(form())->tree().forEach([&](orbel::TreeNode& n) {
            if (!found && ++seen > 6000 && n.level() == 2 && n.itemNumber >= 0) found = &n;
        });
        return found;
    }
    bench::Store store;
    std::unique_ptr<orbel::Program> program;
    QString file;
};

Running& TheProgram() {
    static Running running;
    return running;
}

void ChooseMode(orbel::TFormItems* f, QRadioButton* mode) {
    f->RBFolderEnter(mode);
    mode->setChecked(true);
}

void BM_EditAttachFile(benchmark::State& state) {
    Running& r = TheProgram();
    orbel::TFormItems* f = r.form();
    ChooseMode(f, Control<QRadioButton>(f, "RBFile"));
    f->setFilePicker([&r] { return r.file; });
    orbel::TreeNode* target = r.middleItem();
    for (auto _ : state) {
        state.PauseTiming();
        f->selectNode(target);
        f->BitBtnAddClick();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f->BitBtnAttachClick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditAttachFile)->Unit(benchmark::kMillisecond);

void BM_EditAttachSeparator(benchmark::State& state) {
    Running& r = TheProgram();
    orbel::TFormItems* f = r.form();
    ChooseMode(f, Control<QRadioButton>(f, "RBSeparator"));
    orbel::TreeNode* target = r.middleItem();
    for (auto _ : state) {
        f->selectNode(target);
        Control<QLineEdit>(f, "MemoAddName")->setText("Group");
        f->BitBtnAttachClick();
        QCoreApplication::processEvents();
    }
    ChooseMode(f, Control<QRadioButton>(f, "RBFile"));
}
BENCHMARK(BM_EditAttachSeparator)->Unit(benchmark::kMillisecond);

void BM_EditPasteDuplicate(benchmark::State& state) {
    Running& r = TheProgram();
    orbel::TFormItems* f = r.form();
    orbel::TreeNode* target = r.middleItem();
    f->selectNode(target);
    f->BitBtnCopyClick();
    for (auto _ : state) {
        f->selectNode(target);
        f->BitBtnPasteClick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditPasteDuplicate)->Unit(benchmark::kMillisecond);

void BM_EditPasteMove(benchmark::State& state) {
    // A top-level folder with its 100 items moves back and forth between
    // two places far apart.
    Running& r = TheProgram();
    orbel::TFormItems* f = r.form();
    const orbel::ItemTree& tree = TreeModelOf(f)->tree();
    orbel::TreeNode* folder = tree.topLevel(3);
    orbel::TreeNode* far = tree.topLevel(tree.topLevelCount() - 5);
    orbel::TreeNode* near = tree.topLevel(1);
    bool there = false;
    for (auto _ : state) {
        f->selectNode(folder);
        f->BitBtnCutClick();
        f->selectNode(there ? near : far);
        f->BitBtnPasteClick();
        QCoreApplication::processEvents();
        there = !there;
    }
}
BENCHMARK(BM_EditPasteMove)->Unit(benchmark::kMillisecond);

void BM_EditDelete(benchmark::State& state) {
    Running& r = TheProgram();
    orbel::TFormItems* f = r.form();
    orbel::TreeNode* target = r.middleItem();
    f->selectNode(target);
    f->BitBtnCopyClick();
    for (auto _ : state) {
        state.PauseTiming();
        f->selectNode(target);
        f->BitBtnPasteClick();  // the duplicate is selected
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f->BitBtnDeleteClick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditDelete)->Unit(benchmark::kMillisecond);

void BM_EditDropFile(benchmark::State& state) {
    Running& r = TheProgram();
    orbel::TFormItems* f = r.form();
    orbel::TreeNode* target = r.middleItem();
    for (auto _ : state) {
        state.PauseTiming();
        Control<orbel::TkvWinTreeView>(f, "TVItems")->scrollTo(TreeModelOf(f)->indexOf(target));
        QCoreApplication::processEvents();
        const QPoint at =
            Control<orbel::TkvWinTreeView>(f, "TVItems")->visualRect(TreeModelOf(f)->indexOf(target)).center();
        state.ResumeTiming();
        f->TVItemsDropFiles(Control<orbel::TkvWinTreeView>(f, "TVItems"), r.file, at);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditDropFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
