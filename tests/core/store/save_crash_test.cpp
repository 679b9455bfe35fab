// Save killed at random moments: the next start, answering Yes to the
// backup question, must find exactly the old tree or the complete new one.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "core/manager/node_kinds.h"
#include "core/manager/properties.h"
#include "core/store/store_writer.h"
#include "tests/core/manager/manager_test_support.h"

namespace orbel {
namespace {

namespace fs = std::filesystem;

// Kinds, texts, paths, parameters and whether a program's bitmap loaded.
std::string Shape(const ItemStore& s) {
    std::ostringstream o;
    s.items.forEach([&](const TreeNode& n) {
        o << n.level() << ' ' << n.imageIndex * !HasItemEntry(&n) << ' ' << n.text;
        if (HasItemEntry(&n)) {
            o << " | " << s.table.pathOf(n.data) << " | " << s.table.GetItemParameters(n.data);
            const bool bitmap = s.images.valid(n.imageIndex) &&
                                s.images.at(n.imageIndex).kind == ImageRef::Kind::Bitmap;
            o << (bitmap ? " bmp" : "");
        }
        o << '\n';
    });
    return o.str();
}

std::string ShapeOnDisk(const std::string& programDir) {
    ItemStore s;
    s.programDir = programDir;
    InstallMenuTemplate(s);
    if (!PrepareStore(s, [] { return BackupAnswer::Yes; })) return "cancelled";
    LoadStore(s);
    return Shape(s);
}

WriterHooks Bitmaps() {
    WriterHooks h;
    h.writeBitmap = [](const TreeNode&, const std::string& path) {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << test::SmallBmp();
        return static_cast<bool>(f);
    };
    return h;
}

void Populate(test::LoadedStore& L, const std::string& tag, int folders) {
    TreeNode* after = L.anchor();
    for (int f = 0; f < folders; ++f) {
        TreeNode* folder = L.folder(after, tag + " folder " + std::to_string(f));
        TreeNode* in = folder->firstChild();
        for (int i = 0; i < 8; ++i) {
            const std::string n = tag + std::to_string(f * 10 + i);
            in = i % 2 ? L.item(in, "Doc " + n, "/home/u/doc" + n + ".txt")
                       : L.item(in, "Prog " + n, "/opt/p/prog" + n + ".exe", "--" + n);
        }
        after = L.separator(folder, f % 3 ? "" : "Group " + tag + std::to_string(f));
    }
}

TEST(SaveCrash, EveryKillLeavesTheOldTreeOrTheCompleteNewOne) {
    test::LoadedStore L;
    Populate(L, "old", 30);
    ASSERT_EQ(SaveStore(L.s, Bitmaps()).outcome, SaveOutcome::Saved);
    const std::string pristine = L.t / "pristine";
    fs::copy(L.t / "shortcuts", pristine, fs::copy_options::recursive);
    L.Reload();
    const std::string oldShape = Shape(L.s);

    // The new tree: other names, other items, fewer folders.
    L.s.items.assign(L.s.basic);
    L.s.items.insert(nullptr, 0, MakeTopMarkerNode());
    L.s.topAnchor = L.s.items.firstTopLevel();
    Populate(L, "new", 25);
    const std::string newInMemory = Shape(L.s);

    auto resetDisk = [&] {
        for (const char* d : {"shortcuts", "item_bak", "item_del"}) DeleteDirectoryTree(L.t / d);
        fs::copy(pristine, L.t / "shortcuts", fs::copy_options::recursive);
    };
    auto saveInChild = [&]() -> pid_t {
        const pid_t pid = fork();
        if (pid == 0) {
            const SaveResult r = SaveStore(L.s, Bitmaps());
            _exit(r.outcome == SaveOutcome::Saved ? 0 : 1);
        }
        return pid;
    };

    // How long one save takes, to spread the kills over all of it.
    resetDisk();
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t probe = saveInChild();
    int status = 0;
    waitpid(probe, &status, 0);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - t0).count();
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // Read back, every program has its bitmap; otherwise it is the tree in memory.
    const std::string newShape = ShapeOnDisk(L.t.dir());
    std::string withoutBitmaps = newShape;
    for (size_t at; (at = withoutBitmaps.find(" bmp\n")) != std::string::npos;)
        withoutBitmaps.erase(at, 4);
    ASSERT_EQ(withoutBitmaps, newInMemory);
    ASSERT_NE(newShape, oldShape);

    std::mt19937 rng(7);
    std::uniform_int_distribution<long> delay(0, span);
    int kills = 0, oldSeen = 0, newSeen = 0;
    for (int attempt = 0; attempt < 1000 && kills < 200; ++attempt) {
        resetDisk();
        const pid_t pid = saveInChild();
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        if (WIFSIGNALED(status)) ++kills;
        const std::string shape = ShapeOnDisk(L.t.dir());
        if (shape == oldShape) ++oldSeen;
        else if (shape == newShape) ++newSeen;
        else FAIL() << "after a kill at attempt " << attempt << " the store held neither tree";
    }
    EXPECT_GE(kills, 200);
    // The kills landed both before and after the point of no return.
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
}

}  // namespace
}  // namespace orbel
