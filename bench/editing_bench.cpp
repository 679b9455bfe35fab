// The item manager's edits on the large store of bench_store.h (10,000
// items, 1,000 folders), at the logic level: Attach, Paste (move and
// duplicate), Delete and a dropped shortcut. Each must stay far below 10 ms.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "bench_store.h"
#include "core/manager/editing.h"
#include "core/store/store_loader.h"

namespace {

using namespace orbel;

struct Loaded {
    Loaded() {
        s.dataDir = store.dir();
        InstallMenuTemplate(s);
        PrepareStore(s, [] { return BackupAnswer::No; });
        LoadStore(s);
    }
    // The top-level folders end before the three built-in nodes.
    TreeNode* lastTopFolder() const { return s.items.topLevel(s.items.topLevelCount() - 4); }
    bench::Store store;
    ItemStore s;
    IconCapture capture = [this](const std::string& p) {
        return s.images.append(ImageRef{ImageRef::Kind::Captured, 0, p, 0});
    };
};

Loaded& TheStore() {
    static Loaded loaded;
    return loaded;
}

// Attach a folder at the top level (the widest sibling scan), then take it
// away again untimed.
void BM_AttachFolder(benchmark::State& state) {
    Loaded& l = TheStore();
    TreeNode* clip = nullptr;
    for (auto _ : state) {
        const EditOutcome o = AttachFolder(l.s.items, l.s.topAnchor, "New folder");
        state.PauseTiming();
        if (!o.done) state.SkipWithError(o.refusal.c_str());
        DeleteNode(l.s.items, clip, o.node);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AttachFolder)->Unit(benchmark::kMicrosecond);

void BM_AttachFile(benchmark::State& state) {
    Loaded& l = TheStore();
    TreeNode* clip = nullptr;
    TreeNode* target = l.lastTopFolder()->child(3);
    for (auto _ : state) {
        const EditOutcome o = AttachFile(l.s, target, "Setup", "/opt/tools/setup.exe", l.capture);
        state.PauseTiming();
        if (!o.done) state.SkipWithError("refused");
        DeleteNode(l.s.items, clip, o.node);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AttachFile)->Unit(benchmark::kMicrosecond);

// Cut a top-level folder (with its 9 subfolders and 100 items) and paste it
// into the last folder; the next round moves it back.
void BM_PasteMove(benchmark::State& state) {
    Loaded& l = TheStore();
    TreeNode* moving = l.s.items.topLevel(2);
    TreeNode* home = moving->prevSibling();
    TreeNode* away = l.lastTopFolder()->firstChild();
    bool there = false;
    TreeNode* clip = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        CutNode(l.s.items, clip, moving);
        state.ResumeTiming();
        const EditOutcome o = PasteNode(l.s.items, clip, there ? home : away);
        if (!o.done) state.SkipWithError(o.refusal.c_str());
        there = !there;
    }
    if (there) {
        CutNode(l.s.items, clip, moving);
        PasteNode(l.s.items, clip, home);
    }
}
BENCHMARK(BM_PasteMove)->Unit(benchmark::kMicrosecond);

void BM_PasteDuplicate(benchmark::State& state) {
    Loaded& l = TheStore();
    TreeNode* clip = nullptr;
    TreeNode* folder = l.lastTopFolder();
    CopyNode(l.s.items, clip, folder->child(1));
    for (auto _ : state) {
        const EditOutcome o = PasteNode(l.s.items, clip, folder->firstChild());
        state.PauseTiming();
        if (!o.done) state.SkipWithError(o.refusal.c_str());
        TreeNode* none = nullptr;
        DeleteNode(l.s.items, none, o.node);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteDuplicate)->Unit(benchmark::kMicrosecond);

// Delete a top-level folder with its subtree (110 nodes); a fresh copy goes
// back in untimed.
void BM_DeleteFolder(benchmark::State& state) {
    Loaded& l = TheStore();
    TreeNode* clip = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        TreeNode* victim = l.s.items.insertAfter(l.s.topAnchor, ItemTree::clone(*l.s.items.topLevel(1)));
        victim->text = "Doomed";
        CutNode(l.s.items, clip, victim->child(1));
        state.ResumeTiming();
        const EditOutcome o = DeleteNode(l.s.items, clip, victim);
        if (!o.done || clip) state.SkipWithError("not deleted");
    }
}
BENCHMARK(BM_DeleteFolder)->Unit(benchmark::kMicrosecond);

// A dropped shortcut file: read the link, add the item with its icon.
void BM_DropShortcut(benchmark::State& state) {
    Loaded& l = TheStore();
    const std::string link = l.store.dir() + "drop.desktop";
    std::ofstream(link) << "[Desktop Entry]\nType=Application\nExec=/opt/tools/editor.exe --new %F\n";
    TreeNode* target = l.lastTopFolder()->lastChild()->child(5);
    TreeNode* clip = nullptr;
    for (auto _ : state) {
        const EditOutcome o = DropFile(l.s, target, link, l.capture);
        state.PauseTiming();
        if (!o.done) state.SkipWithError(o.refusal.c_str());
        DeleteNode(l.s.items, clip, o.node);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DropShortcut)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
