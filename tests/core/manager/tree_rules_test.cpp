// Folder-name rules, placement and the enabled buttons.

#include "core/manager/tree_rules.h"

#include <gtest/gtest.h>

#include "core/store/node_kinds.h"
#include "tests/core/manager/manager_test_support.h"

namespace orbel {
namespace {

using test::LoadedStore;
namespace mt = manager_texts;

TEST(FolderNames, TrimmingCharactersAndReservedNames) {
    EXPECT_EQ(TrimName(" \t Tools \r\n"), "Tools");
    EXPECT_EQ(TrimName("\x01 a b \x7f"), "a b");
    for (char c : std::string("\\/:*?\"<>|")) {
        EXPECT_FALSE(IsValidFolderName(std::string("a") + c + "b")) << c;
    }
    EXPECT_TRUE(IsValidFolderName("Orbel Kit"));
    EXPECT_TRUE(IsValidFolderName("a.b-c_(d)"));
    for (const char* r : {".", "..", "shortcuts.txt"}) EXPECT_TRUE(IsReservedFolderName(r)) << r;
    EXPECT_FALSE(IsReservedFolderName("Shortcuts.TXT"));
    EXPECT_FALSE(IsReservedFolderName("..."));
    EXPECT_TRUE(IsReservedFolderName(std::string(256, 'a')));
    EXPECT_FALSE(IsReservedFolderName(std::string(255, 'a')));
}

struct SiblingFixture : ::testing::Test {
    SiblingFixture() {
        a = L.folder(L.anchor(), "Alpha");
        x = L.item(a, " Xray ", "/bin/x.txt");
        b = L.folder(x, "Beta");
        inner = L.folderIn(b, "alpha");
    }
    LoadedStore L;
    TreeNode *a, *x, *b, *inner;
};

TEST_F(SiblingFixture, SiblingNameUsedScansBothWaysUpToTheBuiltIns) {
    struct Row {
        TreeNode* node;
        const char* name;
        bool include, used;
    };
    Row rows[] = {
        {b, "  ALPHA ", false, true},                                     // backward, any letter case, trimmed
        {a, "beta", false, true},                                         // forward
        {a, "alpha", false, false},                                       // the node itself only when included
        {a, "alpha", true, true},         {a, "xray", false, true},       // items count too
        {a, "Orbel Kit", false, false},                                   // the forward scan stops at the built-ins
        {a, "--sysmenu--", false, false}, {inner, "beta", false, false},  // other levels do not count
        {L.anchor(), "", true, true},                                     // the top marker's empty text is compared
    };
    for (const Row& r : rows) EXPECT_EQ(SiblingNameUsed(r.node, r.name, r.include), r.used) << r.name;
}

TEST_F(SiblingFixture, IsWithinFollowsTheParents) {
    EXPECT_TRUE(IsWithin(inner, b));
    EXPECT_TRUE(IsWithin(inner->firstChild(), b));
    EXPECT_TRUE(IsWithin(b, b));
    EXPECT_FALSE(IsWithin(b, inner));
    EXPECT_FALSE(IsWithin(a, b));
    EXPECT_FALSE(IsWithin(x, a));  // same level, not an ancestor
}

TEST_F(SiblingFixture, PlacementOfFoldersFollowsThePasteExamples) {
    // Top-level folder "Alpha" against a node inside Beta, which holds " alpha".
    Placement p = PlacementAllowed(a, b->firstChild());
    EXPECT_FALSE(p.allowed);
    EXPECT_EQ(p.refusal, mt::FolderDuplicate);
    // Any top-level node: same parent, no name check.
    EXPECT_TRUE(PlacementAllowed(a, x).allowed);
    EXPECT_TRUE(PlacementAllowed(a, L.close()).allowed);

    // A folder inside X against a place inside Y with a same-named child.
    TreeNode* X = L.folder(b, "X");
    TreeNode* Y = L.folder(X, "Y");
    TreeNode* deep = L.folderIn(X, "Deep");
    TreeNode* deepTwin = L.folderIn(Y, "DEEP");
    p = PlacementAllowed(deep, deepTwin->parent()->firstChild());
    EXPECT_FALSE(p.allowed);
    EXPECT_EQ(p.refusal, mt::FolderDuplicate);

    // Into its own subtree.
    TreeNode* sub = L.folderIn(deep, "Sub");
    p = PlacementAllowed(deep, sub);
    EXPECT_FALSE(p.allowed);
    EXPECT_EQ(p.refusal, mt::FolderIntoOwn);
    p = PlacementAllowed(deep, sub->firstChild());
    EXPECT_EQ(p.refusal, mt::FolderIntoOwn);
    // The duplicate message comes first.
    L.folder(sub, "deep");
    EXPECT_EQ(PlacementAllowed(deep, sub).refusal, mt::FolderDuplicate);

    // Non-folders go anywhere.
    EXPECT_TRUE(PlacementAllowed(x, sub->firstChild()).allowed);
    EXPECT_FALSE(PlacementAllowed(nullptr, x).allowed);
}

TEST_F(SiblingFixture, RenameAndAttachOrderTheirChecks) {
    // Rename: later checks override earlier ones.
    EXPECT_EQ(RenameFolderRefusal(a, ""), mt::FolderNeedsName);
    EXPECT_EQ(RenameFolderRefusal(a, "a|b"), mt::FolderBadChar);
    EXPECT_EQ(RenameFolderRefusal(a, "Beta"), mt::FolderDuplicate);
    EXPECT_EQ(RenameFolderRefusal(a, ".."), mt::FolderReserved);
    EXPECT_EQ(RenameFolderRefusal(a, "shortcuts.txt"), mt::FolderReserved);
    EXPECT_EQ(RenameFolderRefusal(a, std::string(300, 'q')), mt::FolderTooLong);
    EXPECT_EQ(RenameFolderRefusal(a, "ALPHA"), "");  // its own name in other case
    // A name both duplicated and holding a bad character reports the duplicate.
    TreeNode* odd = L.folder(b, "x?");
    EXPECT_EQ(RenameFolderRefusal(a, "X?"), mt::FolderDuplicate);
    (void)odd;
    // Attach: the first failing check wins, the selected node itself counts.
    EXPECT_EQ(AttachFolderRefusal(a, ""), mt::FolderNeedsName);
    EXPECT_EQ(AttachFolderRefusal(a, "X?"), mt::FolderBadChar);
    EXPECT_EQ(AttachFolderRefusal(a, "alpha"), mt::FolderDuplicate);
    EXPECT_EQ(AttachFolderRefusal(a, "."), mt::FolderReserved);
    EXPECT_EQ(AttachFolderRefusal(a, "Gamma"), "");
}

TEST_F(SiblingFixture, ButtonsFollowTheSelection) {
    struct Row {
        const char* what;
        TreeNode* sel;
        bool cut, copy, del, launch, apps;
    };
    TreeNode* sep = L.separator(x, "News");
    Row rows[] = {
        {"nothing", nullptr, false, false, false, false, false},
        {"top marker", L.anchor(), false, false, false, false, true},
        {"folder marker", b->firstChild(), false, false, false, false, true},
        {"folder", a, true, false, true, false, true},
        {"item", x, true, true, true, true, true},
        {"separator", sep, true, true, true, false, true},
        {"Sysmenu", L.sysmenu(), false, false, false, false, false},
        {"kit", L.kit(), false, false, false, false, false},
        {"Close", L.close(), false, false, false, false, false},
        {"inside the kit", L.kit()->firstChild(), false, false, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const ButtonStates bs = RefreshButtons(r.sel, nullptr, false);
        EXPECT_EQ(bs.cut, r.cut);
        EXPECT_EQ(bs.copy, r.copy);
        EXPECT_EQ(bs.del, r.del);
        EXPECT_EQ(bs.launch, r.launch);
        EXPECT_EQ(bs.applications, r.apps);
        EXPECT_FALSE(bs.paste);
        EXPECT_FALSE(bs.attach.has_value());
        EXPECT_TRUE(bs.status.empty());
    }
    // Attach follows the selection only while armed.
    EXPECT_EQ(RefreshButtons(L.kit(), nullptr, true).attach, false);
    EXPECT_EQ(RefreshButtons(x, nullptr, true).attach, true);
    EXPECT_EQ(RefreshButtons(nullptr, nullptr, true).attach, false);
    // Paste with a folder on the clipboard carries the refusal along.
    ButtonStates bs = RefreshButtons(inner, a, false);
    EXPECT_FALSE(bs.paste);
    EXPECT_EQ(bs.status, mt::FolderDuplicate);
    bs = RefreshButtons(x, a, false);
    EXPECT_TRUE(bs.paste);
    EXPECT_TRUE(bs.status.empty());
    EXPECT_FALSE(RefreshButtons(nullptr, a, false).paste);
}

TEST_F(SiblingFixture, ResetSelectionDropsTheClipboardAndItsMark) {
    TreeNode* clip = x;
    x->cut = true;
    EXPECT_EQ(ResetSelection(L.s.items, clip), L.anchor());
    EXPECT_EQ(clip, nullptr);
    EXPECT_FALSE(x->cut);
    // A clipboard node that is gone is only forgotten.
    auto gone = L.s.items.take(b);
    TreeNode* stale = gone.get();
    EXPECT_EQ(ResetSelection(L.s.items, stale), L.anchor());
    EXPECT_EQ(stale, nullptr);
}

}  // namespace
}  // namespace orbel
