// Add Applications..: which folder an application goes into, the order, the
// captions, the folder's name beside an earlier import, and the one edit
// that puts it into the tree.

#include "core/manager/applications.h"

#include <gtest/gtest.h>

#include "core/store/node_kinds.h"
#include "tests/core/manager/manager_test_support.h"

namespace orbel {
namespace {

using test::LoadedStore;
namespace mt = manager_texts;

TEST(Applications, TheFirstMainCategoryNamesTheFolder) {
    const std::pair<const char*, const char*> rows[] = {
        {"GTK;Graphics;Viewer;", "Graphics"},
        {"AudioVideo;Audio;Player;", "Multimedia"},
        {"Audio;Mixer;", "Multimedia"},
        {"Video;", "Multimedia"},
        {"Network;WebBrowser;", "Internet"},
        {"Game;ArcadeGame;", "Games"},
        {"Office;WordProcessor", "Office"},  // no ";" after the last
        {"Development;IDE;", "Development"},
        {"Education;Science;Math;", "Education"},
        {"X-Custom;Science;", "Science"},
        {"Settings;System;", "Settings"},
        {"System;TerminalEmulator;", "System"},
        // The first main category wins, wherever it stands.
        {"Qt;Utility;Development;", "Utility"},
        {"TextEditor;Development;Utility;", "Development"},
        // Names are compared exactly; none found is "Other".
        {"graphics;", "Other"},
        {"Develop;Games;", "Other"},
        {";;", "Other"},
        {"", "Other"},
    };
    for (const auto& [categories, folder] : rows)
        EXPECT_EQ(ApplicationCategoryFolder(categories), folder) << categories;
}

TEST(Applications, CaptionsAreTheNameOrElseTheFileName) {
    const std::pair<InstalledApplication, const char*> rows[] = {
        {{"Image Viewer", "", "/usr/share/applications/eog.desktop"}, "Image Viewer"},
        {{"  Two\nLines\r ", "", "/a/b.desktop"}, "TwoLines"},
        {{"", "", "/usr/share/applications/display-im6.q16.desktop"}, "display-im6.q16"},
        {{" ", "", "/x/Tool.DESKTOP"}, "Tool"},
        {{"", "", "/x/.desktop"}, ".desktop"},
    };
    for (const auto& [app, caption] : rows) EXPECT_EQ(ApplicationCaption(app), caption) << app.file;
}

TEST(Applications, GroupsAreSortedWithOtherLastAndUnstorablePathsLeftOut) {
    std::vector<InstalledApplication> apps = {
        {"zed", "Development;", "/a/zed.desktop"},
        {"Xterm", "System;", "/a/xterm.desktop"},
        {"Émacs", "Development;", "/a/emacs.desktop"},
        {"Anjuta", "Development;", "/a/anjuta.desktop"},
        {"Lonely", "", "/a/lonely.desktop"},
        {"Abiword", "Office;", "/a/abi.desktop"},
        {"Bar", "Office;", "/a/b|ar.desktop"},
        {"Nothing", "Office;", ""},
        {"Break", "Office;", "/a/br\nk.desktop"},
        {"Foo", "X-Foo;", "/a/foo.desktop"},
        {"Anjuta", "Development;", "/a/anjuta-2.desktop"},
    };
    const std::vector<ApplicationGroup> groups = GroupApplications(apps);
    std::vector<std::string> shape;
    for (const ApplicationGroup& g : groups) {
        std::string line = g.folder + ":";
        for (const InstalledApplication& a : g.apps) line += " " + a.file;
        shape.push_back(line);
    }
    EXPECT_EQ(shape, (std::vector<std::string>{
                         "Development: /a/anjuta-2.desktop /a/anjuta.desktop /a/emacs.desktop /a/zed.desktop",
                         "Office: /a/abi.desktop",
                         "System: /a/xterm.desktop",
                         "Other: /a/foo.desktop /a/lonely.desktop",
                     }));
    // Listed in another order, the same groups.
    std::reverse(apps.begin(), apps.end());
    std::vector<std::string> again;
    for (const ApplicationGroup& g : GroupApplications(apps)) {
        std::string line = g.folder + ":";
        for (const InstalledApplication& a : g.apps) line += " " + a.file;
        again.push_back(line);
    }
    EXPECT_EQ(again, shape);
}

// Counts what the view would be told.
struct CountingObserver : TreeObserver {
    int inserts = 0, others = 0;
    void beginInsert(TreeNode*, int, int) override { ++inserts; }
    void endInsert() override {}
    void beginRemove(TreeNode*, int, int) override { ++others; }
    void endRemove() override {}
    void beginMove(TreeNode*, int, TreeNode*, int) override { ++others; }
    void endMove() override {}
    void nodeChanged(TreeNode*) override { ++others; }
    void beginReset() override { ++others; }
    void endReset() override {}
};

struct ApplicationsImport : ::testing::Test {
    LoadedStore L;
    std::vector<std::string> captured;
    IconCapture capture = [this](const std::string& p) {
        captured.push_back(p);
        return L.s.images.append(ImageRef{ImageRef::Kind::Captured, 0, p, 0});
    };
    const std::vector<InstalledApplication> apps = {
        {"Text Editor", "Utility;TextEditor;", "/usr/share/applications/gedit.desktop"},
        {"Calculator", "GNOME;Utility;Calculator;", "/usr/share/applications/calc.desktop"},
        {"", "Game;", "/usr/share/applications/mines.desktop"},
    };

    // Folders and items as one line per node, indented by level; top
    // markers are "^", items show their path.
    std::string outline(const TreeNode* n, int level = 0) const {
        std::string line(static_cast<size_t>(2 * level), ' ');
        if (IsTopMarker(n)) line += "^";
        else if (HasItemEntry(n)) line += n->text + " = " + L.s.table.pathOf(n->itemNumber);
        else line += "[" + n->text + "]";
        line += "\n";
        for (int i = 0; i < n->childCount(); ++i) line += outline(n->child(i), level + 1);
        return line;
    }
};

TEST_F(ApplicationsImport, OneEditInsertsTheFolderAfterTheSelection) {
    TreeNode* docs = L.item(L.anchor(), "Docs", "/home/u/docs");
    const int firstNumber = L.s.nextItemNumber;
    CountingObserver seen;
    L.s.items.setObserver(&seen);
    const EditOutcome o = AttachApplications(L.s, docs, apps, capture);
    L.s.items.setObserver(nullptr);
    ASSERT_TRUE(o.done);
    EXPECT_EQ(seen.inserts, 1);
    EXPECT_EQ(seen.others, 0);
    EXPECT_EQ(o.node->prevSibling(), docs);
    EXPECT_EQ(outline(o.node),
              "[Applications]\n"
              "  ^\n"
              "  [Games]\n"
              "    ^\n"
              "    mines = /usr/share/applications/mines.desktop\n"
              "  [Utility]\n"
              "    ^\n"
              "    Calculator = /usr/share/applications/calc.desktop\n"
              "    Text Editor = /usr/share/applications/gedit.desktop\n");
    // Ordinary items: numbered on, each with its captured icon, no program entries.
    EXPECT_EQ(L.s.nextItemNumber, firstNumber + 3);
    EXPECT_EQ(L.s.table.programNumbers.length(), 0);
    EXPECT_EQ(captured,
              (std::vector<std::string>{"/usr/share/applications/mines.desktop", "/usr/share/applications/calc.desktop",
                                        "/usr/share/applications/gedit.desktop"}));
    EXPECT_EQ(L.s.items.capturedIcons, 3);
    const TreeNode* mines = o.node->child(1)->child(1);
    EXPECT_EQ(mines->itemNumber, firstNumber);
    EXPECT_EQ(mines->imageIndex, L.s.counters.lastBreak + 1);
    EXPECT_EQ(o.node->child(2)->child(2)->imageIndex, L.s.counters.lastBreak + 3);
}

TEST_F(ApplicationsImport, AnotherImportStandsBesideTheFirstUnderItsOwnName) {
    TreeNode* first = AttachApplications(L.s, L.anchor(), apps, capture).node;
    ASSERT_NE(first, nullptr);
    // The user's edit of the first import stays where it is.
    first->child(1)->text = "Fun";
    TreeNode* second = AttachApplications(L.s, first, apps, capture).node;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text, "Applications 2");
    EXPECT_EQ(first->child(1)->text, "Fun");
    EXPECT_EQ(first->childCount(), 3);
    // Any neighbour's name counts, letter case aside; a name taken deeper
    // down does not.
    L.item(second, "applications 3", "/x");
    EXPECT_EQ(AttachApplications(L.s, L.anchor(), apps, capture).node->text, "Applications 4");
    TreeNode* inner = L.folderIn(first, "Inner");
    EXPECT_EQ(AttachApplications(L.s, inner, apps, capture).node->text, "Applications");
}

TEST_F(ApplicationsImport, RefusalsChangeNothing) {
    const size_t nodes = L.s.items.nodeCount();
    struct Row {
        const char* what;
        TreeNode* selected;
        std::vector<InstalledApplication> apps;
        std::string refusal;
    };
    const Row rows[] = {
        {"no selection", nullptr, apps, ""},
        {"built-in", L.kit(), apps, ""},
        {"inside the kit", L.kit()->firstChild(), apps, ""},
        {"none installed", L.anchor(), {}, mt::NoApplications},
        {"none storable", L.anchor(), {{"Bar", "Office;", "/a/b|ar.desktop"}}, mt::NoApplications},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const EditOutcome o = AttachApplications(L.s, r.selected, r.apps, capture);
        EXPECT_FALSE(o.done);
        EXPECT_EQ(o.refusal, r.refusal);
        EXPECT_EQ(o.chord, !r.refusal.empty());
    }
    EXPECT_EQ(L.s.items.nodeCount(), nodes);
    EXPECT_EQ(L.s.table.paths.length(), 0);
    EXPECT_TRUE(captured.empty());
}

}  // namespace
}  // namespace orbel
