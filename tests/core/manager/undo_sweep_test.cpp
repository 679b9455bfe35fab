// Undo back to the baseline (tree, captured icons, parameters) and Sweep.

#include "core/manager/undo_sweep.h"

#include <gtest/gtest.h>

#include "core/manager/properties.h"
#include "tests/core/manager/manager_test_support.h"

namespace orbel {
namespace {

using test::DumpTree;
using test::LoadedStore;

// What Attach does for a file: capture its icon, count it, use it.
TreeNode* AttachCaptured(LoadedStore& L, TreeNode* after, const std::string& path) {
    L.s.images.append(ImageRef{ImageRef::Kind::Captured, 0, path, 0});
    ++L.s.items.capturedIcons;
    TreeNode* n = L.item(after, "new", path);
    n->imageIndex = n->selectedIndex = L.s.counters.lastBreak + L.s.items.capturedIcons;
    return n;
}

TEST(Undo, TakesBackTreeIconsAndParameters) {
    LoadedStore L;
    TreeNode* exe = L.item(L.anchor(), "Setup", "/opt/t/setup.exe", "-q");
    AttachCaptured(L, exe, "/opt/t/one.exe");
    TakeSnapshot(L.s);  // as after a save: one captured icon in the baseline
    const std::string baseline = DumpTree(L.s.items);
    const int baseImages = L.s.images.count();
    ASSERT_EQ(baseImages, L.s.counters.lastBreak + 2);

    TreeNode* f = L.folder(L.anchor(), "Later");
    TreeNode* extra = AttachCaptured(L, f, "/opt/t/two.exe");
    EditNodeName(L.s.items, exe, "Renamed");
    EditNodeParameters(L.s.table, exe, "-v");
    EditNodeParameters(L.s.table, extra, "-new");
    const int extraNumber = extra->itemNumber;
    ASSERT_EQ(L.s.images.count(), baseImages + 1);

    for (int round = 0; round < 2; ++round) {  // a second Undo changes nothing
        TreeNode* anchor = RestoreSnapshot(L.s);
        EXPECT_EQ(anchor, L.s.items.firstTopLevel());
        EXPECT_EQ(L.s.topAnchor, anchor);
        EXPECT_EQ(DumpTree(L.s.items), baseline);
        EXPECT_EQ(L.s.items.capturedIcons, 1);
        EXPECT_EQ(L.s.images.count(), baseImages);
        EXPECT_EQ(L.s.table.GetItemParameters(L.s.items.topLevel(1)->itemNumber), "-q");
        EXPECT_EQ(L.s.table.GetItemParameters(extraNumber), "");
    }
    // The next capture takes the freed index.
    TreeNode* again = AttachCaptured(L, L.anchor(), "/opt/t/three.exe");
    EXPECT_EQ(again->imageIndex, baseImages);
    EXPECT_EQ(L.s.images.count(), baseImages + 1);
}

TEST(Undo, LoadIsTheBaselineAndEditsOfCopiesGoBack) {
    LoadedStore L;
    L.t.writeIndex("shortcuts", {"^ExeLnk|/opt/a.exe|--fast|a.bmp|A"});
    L.Reload();
    TreeNode* a = L.s.items.topLevel(1);
    ASSERT_EQ(L.s.table.GetItemParameters(a->itemNumber), "--fast");
    EditNodeParameters(L.s.table, a, "--slow");
    RestoreSnapshot(L.s);
    EXPECT_EQ(L.s.table.GetItemParameters(L.s.items.topLevel(1)->itemNumber), "--fast");
    EXPECT_EQ(L.s.images.count(), L.s.counters.lastBreak + 1);
}

TEST(Sweep, RemovesDeadItemsAtEveryLevelKeepsEverythingElse) {
    LoadedStore L;
    L.t.write("files/alive.txt", "x");
    L.t.mkdir("files/dir");
    const std::string alive = L.t / "files/alive.txt";
    const std::string dir = L.t / "files/dir";
    TreeNode* outer = L.folder(L.anchor(), "Outer");
    TreeNode* inner = L.folderIn(outer, "Inner");
    L.item(inner->firstChild(), "dead deep", L.t / "files/gone.txt");
    L.item(inner, "alive", alive);  // in Outer, after Inner
    TreeNode* d = L.item(outer, "dead top", L.t / "files/gone2");
    d = L.item(d, "dir", dir);
    d = L.item(d, "dir as dir", dir + "/");
    d = L.item(d, "file as dir", alive + "/");  // a trailing "/" wants a directory
    L.separator(d, "News");
    L.item(L.anchor(), "first dead", "");

    std::vector<std::string> judged;
    const int removed = SweepTree(L.s.items, L.anchor(), L.s.table, [&](const std::string& p) {
        judged.push_back(p);
        return ItemTargetExists(p);
    });
    EXPECT_EQ(removed, 4);
    // Siblings from the last back, a folder's contents before the folder.
    const std::vector<std::string> order{
        alive + "/", dir + "/", dir, L.t / "files/gone2", alive, L.t / "files/gone.txt", ""};
    EXPECT_EQ(judged, order);
    std::vector<std::string> left;
    L.s.items.forEach([&](const TreeNode& n) { left.push_back(n.text); });
    const std::vector<std::string> expected{"",      "Outer", "",           "Inner",    "",
                                            "alive", "dir",   "dir as dir", "--News--", "--Sysmenu--"};
    ASSERT_GE(left.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(left.begin(), left.begin() + expected.size()), expected);
    EXPECT_EQ(L.s.items.topLevel(L.s.items.topLevelCount() - 1)->text, "Close");
    EXPECT_EQ(L.kit()->childCount(), 8);

    // An emptied folder stays with its marker.
    TreeNode* lone = L.folder(L.anchor(), "Lone");
    L.item(lone->firstChild(), "gone", L.t / "nothing");
    EXPECT_EQ(SweepTree(L.s.items, L.anchor(), L.s.table), 1);
    EXPECT_EQ(lone->childCount(), 1);
    EXPECT_EQ(SweepTree(L.s.items, nullptr, L.s.table), 0);
}

}  // namespace
}  // namespace orbel
