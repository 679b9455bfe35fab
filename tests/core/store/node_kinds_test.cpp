// What kind a tree node is, and the nodes the store and the manager build.

#include "core/store/node_kinds.h"

#include <gtest/gtest.h>

#include "core/store/kv_array_string.h"

namespace orbel {
namespace {

TEST(NodeKinds, EachKindAnswersOnlyItsOwnTests) {
    ItemTable table;
    AppendString(table.paths, "/opt/tool/setup.EXE");
    AppendString(table.paths, "/home/u/report.txt");
    struct Row {
        const char* what;
        TreeNode node;
        bool folder, top, plain, sep, item, exe, builtIn, movable;
    };
    Row rows[] = {
        {"folder", {"F", 0, 0, -1, -1}, true, false, false, false, false, false, false, true},
        {"open folder", {"F", 1, 1, -1, -1}, true, false, false, false, false, false, false, true},
        {"top marker", {"", 5, 5, -1, -1}, false, true, false, false, false, false, false, false},
        {"plain separator", {"---------------", 3, 3, -1, -1}, false, false, true, true, false, false, false, true},
        {"text separator", {"--News--", 4, 4, -1, -1}, false, false, false, true, false, false, false, true},
        {"program, item 0", {"Setup", 20, 20, -1, 0}, false, false, false, false, true, true, false, true},
        {"document", {"Report", 12, 12, -1, 1}, false, false, false, false, true, false, false, true},
        {"built-in Sysmenu", {"--Sysmenu--", 4, 4, 4, -1}, false, false, false, true, false, false, true, false},
        {"built-in kit", {"Orbel Kit", 0, 0, 0, -1}, true, false, false, false, false, false, true, false},
        {"built-in Close", {"Close", 2, 2, 2, -1}, false, false, false, false, false, false, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const TreeNode* n = &r.node;
        EXPECT_EQ(IsFolderNode(n), r.folder);
        EXPECT_EQ(IsTopMarker(n), r.top);
        EXPECT_EQ(IsPlainSeparatorNode(n), r.plain);
        EXPECT_EQ(IsSeparatorNode(n), r.sep);
        EXPECT_EQ(HasItemEntry(n), r.item);
        EXPECT_EQ(IsExecutableNode(n, table), r.exe);
        EXPECT_EQ(IsBuiltInNode(n), r.builtIn);
        EXPECT_EQ(IsMovableNode(n), r.movable);
    }
    EXPECT_FALSE(IsFolderNode(nullptr));
    EXPECT_FALSE(IsMovableNode(nullptr));
    EXPECT_FALSE(IsExecutableNode(nullptr, table));
    // An item number beyond the path table is no program.
    TreeNode stray("x", 6, 6, -1, 7);
    EXPECT_FALSE(IsExecutableNode(&stray, table));
}

TEST(NodeKinds, DashesAndSeparatorFactories) {
    for (const char* t : {"", "-", "-----", "---------------"}) EXPECT_TRUE(IsAllDashes(t)) << t;
    for (const char* t : {" ", "- -", "a", "--x--"}) EXPECT_FALSE(IsAllDashes(t)) << t;
    auto plain = MakeSeparatorNode("-----");
    EXPECT_EQ(plain->text, "---------------");
    EXPECT_EQ(plain->imageIndex, 3);
    auto text = MakeSeparatorNode("News");
    EXPECT_EQ(text->text, "--News--");
    EXPECT_EQ(SeparatorCaption(*text), "News");
    auto folder = MakeFolderNode("Tools");
    ASSERT_EQ(folder->childCount(), 1);
    EXPECT_TRUE(IsTopMarker(folder->firstChild()));
    EXPECT_EQ(folder->firstChild()->parent(), folder.get());
    EXPECT_EQ(folder->itemNumber, -1);
}

}  // namespace
}  // namespace orbel
