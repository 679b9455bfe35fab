// Loading a store from disk into the item tree, the live menu, the item
// table and the image table; start-up handling of a leftover backup; reload.

#include "core/store/store_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/store/store_files.h"
#include "core/store/store_format.h"
#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

using test::Captions;
using test::DumpMenu;
using test::DumpTree;
using test::TempDir;
using Kind = ImageRef::Kind;

const std::vector<std::string> kFixedTopCaptions{"Sysmenu", "Orbel Kit", "Close"};

BackupAnswer Never() {
    ADD_FAILURE() << "the backup question was asked without a backup";
    return BackupAnswer::Cancel;
}

class StoreLoad : public ::testing::Test {
protected:
    void SetUp() override { s.dataDir = t.dir(); }

    // Start-up order: template, prepare, load.
    void Load(const std::function<BackupAnswer()>& ask = Never) {
        InstallMenuTemplate(s);
        ASSERT_TRUE(PrepareStore(s, ask));
        LoadStore(s);
    }
    void Index(std::string_view relDir, const std::vector<std::string>& lines) {
        t.writeIndex(relDir.empty() ? std::string("shortcuts") : "shortcuts/" + std::string(relDir), lines);
    }
    std::string StorePath(std::string_view rel) const { return t / ("shortcuts/" + std::string(rel)); }

    // The user's top-level nodes (between the top marker and the built-ins).
    std::vector<TreeNode*> UserTop() const {
        std::vector<TreeNode*> v;
        for (int i = 1; i < s.items.topLevelCount() - 3; ++i) v.push_back(s.items.topLevel(i));
        return v;
    }

    TempDir t;
    ItemStore s;
};

TEST_F(StoreLoad, FirstRunCreatesStoreAndShowsOnlyFixedEntries) {
    Load();
    EXPECT_TRUE(DirectoryExists(t / "shortcuts"));
    EXPECT_EQ(Captions(*s.liveMenu), kFixedTopCaptions);
    EXPECT_EQ(s.liveMenu->tag, 0);
    ASSERT_EQ(s.items.topLevelCount(), 4);
    EXPECT_EQ(s.items.topLevel(0), s.topAnchor);
    EXPECT_EQ(s.topAnchor->imageIndex, img::TopMarker);
    EXPECT_EQ(s.topAnchor->text, "");
    EXPECT_EQ(s.items.topLevel(1)->text, "--Sysmenu--");
    EXPECT_EQ(s.items.topLevel(3)->text, "Close");
    // No index file: no extension icons, breaks stay at 12 to 14.
    EXPECT_EQ(s.table.extensions.length(), 0);
    EXPECT_EQ(s.images.count(), 15);
    EXPECT_EQ(s.counters.nextExtensionSlot, 12);
    EXPECT_EQ(s.counters.secondBreak, 13);
    EXPECT_EQ(s.counters.lastBreak, 14);
    EXPECT_EQ(s.nextItemNumber, 0);
}

TEST_F(StoreLoad, EmptyIndexFileGivesEmptyTopLevelAndTheExeIcon) {
    Index("", {});
    Load();
    EXPECT_EQ(Captions(*s.liveMenu), kFixedTopCaptions);
    EXPECT_EQ(s.items.topLevelCount(), 4);
    ASSERT_EQ(s.table.extensions.length(), 1);
    EXPECT_EQ(s.table.extensions[0], "exe");
    EXPECT_EQ(s.counters.defaultProgramImage, 12);
    EXPECT_EQ(s.images.at(12).kind, Kind::Extension);
    EXPECT_EQ(s.images.at(12).source, "exe");
    EXPECT_EQ(s.images.at(13).kind, Kind::Break);
    EXPECT_EQ(s.counters.lastBreak, 15);
}

TEST_F(StoreLoad, ImageIndexesFollowExtensionsBreaksAndBitmaps) {
    Index("", {"^UnkLnk|/d/a.txt|txt|A", "^UnkLnk|/d/b.TXT|TXT|B", "^ExeLnk|/bin/ed.exe|-q|ed.bmp|Ed"});
    t.write("shortcuts/ed.bmp", test::SmallBmp());
    Load();

    ASSERT_EQ(s.table.extensions.length(), 3);
    EXPECT_EQ(s.table.extensions[0], "txt");
    EXPECT_EQ(s.table.extensions[1], "TXT");
    EXPECT_EQ(s.table.extensions[2], "exe");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.images.at(12 + i).kind, Kind::Extension);
        EXPECT_EQ(s.images.at(12 + i).source, s.table.extensions[i]);
    }
    EXPECT_EQ(s.images.at(15).kind, Kind::Break);
    EXPECT_EQ(s.images.at(15).number, 1);
    EXPECT_EQ(s.images.at(16).kind, Kind::Break);
    EXPECT_EQ(s.images.at(16).number, 2);
    EXPECT_EQ(s.images.at(17).kind, Kind::Bitmap);
    EXPECT_EQ(s.images.file(17), StorePath("ed.bmp"));
    EXPECT_EQ(s.images.at(18).kind, Kind::Break);
    EXPECT_EQ(s.images.at(18).number, 3);
    EXPECT_EQ(s.images.count(), 19);

    EXPECT_EQ(s.counters.nextExtensionSlot, 15);
    EXPECT_EQ(s.counters.secondBreak, 16);
    EXPECT_EQ(s.counters.lastBreak, 18);
    EXPECT_EQ(s.counters.loadedBitmaps, 1);
    EXPECT_EQ(s.counters.defaultProgramImage, 14);

    const auto top = UserTop();
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0]->imageIndex, 12);
    EXPECT_EQ(top[1]->imageIndex, 13);
    EXPECT_EQ(top[2]->imageIndex, 17);
    EXPECT_EQ(top[2]->selectedIndex, 17);
    EXPECT_EQ(s.liveMenu->child(2)->imageIndex, 17);
}

TEST_F(StoreLoad, ExtensionsScannedOnceInFirstMetOrderAcrossFolders) {
    Index("", {"^UnkLnk|a.doc|doc|A", "^Folder|F", "^UnkLnk|c.doc|doc|C", "^UnkLnk|dir||Dir"});
    Index("F", {"^UnkLnk|b.pdf|pdf|B", "^UnkLnk|x.doc|doc|X"});
    Load();
    const std::vector<std::string> expected{"doc", "pdf", "", "exe"};
    EXPECT_EQ(s.table.extensions.items(), expected);
    const auto top = UserTop();
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0]->imageIndex, 12);
    EXPECT_EQ(top[1]->child(1)->imageIndex, 13);
    EXPECT_EQ(top[3]->imageIndex, img::NoExtension);  // empty extension
}

TEST_F(StoreLoad, ExeExtensionTwiceWhenStoredAsFileItem) {
    Index("", {"^UnkLnk|setup.exe|exe|Setup"});
    Load();
    const std::vector<std::string> expected{"exe", "exe"};
    EXPECT_EQ(s.table.extensions.items(), expected);
    EXPECT_EQ(s.counters.defaultProgramImage, 12);  // the first "exe"
    EXPECT_EQ(s.images.count(), 17);
}

TEST_F(StoreLoad, MissingIconBitmapGivesDefaultProgramImage) {
    Index("", {"^UnkLnk|a.txt|txt|A", "^ExeLnk|/bin/x.exe||x.bmp|X", "^ExeLnk|/bin/y.exe|||Y"});
    Load();
    const auto top = UserTop();
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(s.counters.defaultProgramImage, 13);
    EXPECT_EQ(top[1]->imageIndex, 13);
    EXPECT_EQ(top[2]->imageIndex, 13);  // empty icon name names the directory: no file
    EXPECT_EQ(s.counters.loadedBitmaps, 0);
}

// Programs met before the extensions that decide their images: a bitmap
// still lands behind every extension icon, and the default program image
// is the first "exe" of the whole list.
TEST_F(StoreLoad, ProgramImagesDependOnExtensionsMetLater) {
    Index("", {"^ExeLnk|/bin/x.exe||x.bmp|X", "^ExeLnk|/bin/y.exe||none.bmp|Y", "^Folder|F"});
    Index("F", {"^UnkLnk|a.txt|txt|A", "^UnkLnk|s.exe|exe|S"});
    t.write("shortcuts/x.bmp", test::SmallBmp());
    Load();
    EXPECT_EQ(s.table.extensions.items(), (std::vector<std::string>{"txt", "exe", "exe"}));
    EXPECT_EQ(s.counters.defaultProgramImage, 13);
    EXPECT_EQ(s.images.file(17), StorePath("x.bmp"));
    const auto top = UserTop();
    ASSERT_EQ(top.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        const int want = i == 0 ? 17 : 13;
        EXPECT_EQ(top[i]->imageIndex, want);
        EXPECT_EQ(top[i]->selectedIndex, want);
        EXPECT_EQ(s.liveMenu->child(i)->imageIndex, want);
    }
}

TEST_F(StoreLoad, UnreadableBitmapIsRecordedForTheRenderer) {
    Index("", {"^ExeLnk|/bin/x.exe||x.bmp|X"});
    t.write("shortcuts/x.bmp", std::string("\x00\x01garbage", 9));
    Load();
    EXPECT_EQ(s.counters.loadedBitmaps, 1);
    EXPECT_EQ(UserTop()[0]->imageIndex, 15);
    EXPECT_EQ(s.images.at(15).kind, Kind::Bitmap);
}

TEST_F(StoreLoad, BitmapsFillInBeforeTheThirdBreak) {
    Index("", {"^ExeLnk|a.exe||a.bmp|A", "^ExeLnk|b.exe||b.bmp|B", "^ExeLnk|c.exe||c.bmp|C"});
    for (const char* f : {"a.bmp", "b.bmp", "c.bmp"}) t.write(std::string("shortcuts/") + f, test::SmallBmp());
    Load();
    // exe icon 12, breaks 13, 14, bitmaps 15 to 17, last break 18.
    const auto top = UserTop();
    EXPECT_EQ(top[0]->imageIndex, 15);
    EXPECT_EQ(top[1]->imageIndex, 16);
    EXPECT_EQ(top[2]->imageIndex, 17);
    EXPECT_EQ(s.images.file(17), StorePath("c.bmp"));
    EXPECT_EQ(s.images.at(18).kind, Kind::Break);
    EXPECT_EQ(s.counters.lastBreak, 18);
}

TEST_F(StoreLoad, ItemsNumberedDepthFirst) {
    Index("", {"^UnkLnk|p0||I0", "^Folder|F", "^ExeLnk|p3.exe|-a||I3", "^Folder|G"});
    Index("F", {"^ExeLnk|p1.exe|x|b.bmp|I1", "^Folder|H", "^UnkLnk|p2.txt|txt|I2"});
    Index("F/H", {});
    Index("G", {"^UnkLnk|p4||I4"});
    Load();

    std::vector<std::pair<std::string, int>> items;
    s.items.forEach([&](const TreeNode& n) {
        if (n.itemNumber >= 0) items.emplace_back(n.text, n.itemNumber);
    });
    const std::vector<std::pair<std::string, int>> expected{{"I0", 0}, {"I1", 1}, {"I2", 2}, {"I3", 3}, {"I4", 4}};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(s.nextItemNumber, 5);
    const std::vector<std::string> paths{"p0", "p1.exe", "p2.txt", "p3.exe", "p4"};
    EXPECT_EQ(s.table.paths.items(), paths);

    // The menu carries the same numbers in its tags.
    const MenuEntry& m = *s.liveMenu;
    EXPECT_EQ(m.child(0)->tag, 0);
    EXPECT_EQ(m.child(1)->child(1)->tag, 1);
    EXPECT_EQ(m.child(1)->child(3)->tag, 2);
    EXPECT_EQ(m.child(2)->tag, 3);
    EXPECT_EQ(m.child(3)->child(1)->tag, 4);
}

TEST_F(StoreLoad, ItemTableHoldsPathsAndProgramParameters) {
    Index("", {"^UnkLnk|/d/a.txt|txt|A", "^ExeLnk|/bin/ed.exe|-n file|ed.bmp|Ed", "^ExeLnk|/bin/b.EXE||b.bmp|B",
               "^UnkLnk|/d/c.pdf|pdf|C"});
    Load();
    const std::vector<std::string> paths{"/d/a.txt", "/bin/ed.exe", "/bin/b.EXE", "/d/c.pdf"};
    EXPECT_EQ(s.table.paths.items(), paths);
    const std::vector<std::string> numbers{"1", "2"};
    EXPECT_EQ(s.table.programNumbers.items(), numbers);
    const std::vector<std::string> params{"-n file", ""};
    EXPECT_EQ(s.table.parameters.items(), params);
    EXPECT_EQ(s.table.GetItemParameters(1), "-n file");
    EXPECT_EQ(s.table.GetItemParameters(2), "");
    EXPECT_EQ(s.table.GetItemParameters(0), "");  // file items have none
    EXPECT_EQ(s.table.pathOf(3), "/d/c.pdf");
}

TEST_F(StoreLoad, MenuAndTreeStructure) {
    Index("", {"^Folder|Tools", "^NorSep|junk", "^SpeSep|News", "^Folder|Empty", "^Folder|Gone",
               "^ExeLnk|/bin/ed.exe|-x|ed.bmp|Ed|itor", "^UnkLnk|/home/u||Home"});
    Index("Tools", {"^UnkLnk|/d/a.txt|txt|A"});
    t.mkdir("shortcuts/Empty");
    Load();

    EXPECT_EQ(DumpMenu(*s.liveMenu),
              "[Tools] tag 2 img 0\n"
              "  [Hiding] tag -400 img -1 hidden\n"
              "  [A] tag 0 img 12 click\n"
              "[-] tag -200 img -1\n"
              "[News] tag -100 img -1\n"
              "[Empty] tag 1 img 0\n"
              "  [Hiding] tag -400 img -1 hidden\n"
              "[Ed|itor] tag 1 img 14 click\n"
              "[Home] tag 2 img 6 click\n"
              "[Sysmenu] tag -100 img -1\n"
              "[Orbel Kit] tag 8 img 0\n"
              "  [Orbel  Kit] tag -1 img -1 hidden\n"
              "  [hidden] tag -400 img -1 hidden\n"
              "  [Help File] tag 0 img 8\n"
              "  [-] tag -200 img -1\n"
              "  [Manage Items..] tag 0 img 9\n"
              "  [Preferences..] tag 0 img 10\n"
              "  [-] tag -200 img -1\n"
              "  [Visit Website] tag 0 img -1\n"
              "  [-] tag -200 img -1\n"
              "  [About..] tag 0 img -1\n"
              "[Close] tag 0 img -1\n");
    EXPECT_EQ(s.liveMenu->tag, 6);  // six user entries inserted ahead of the fixed ones
    EXPECT_EQ(s.liveMenu->child(s.liveMenu->count() - 1)->caption, "Close");
    EXPECT_EQ(s.liveMenu->count(), 9);

    EXPECT_EQ(DumpTree(s.items),
              "[] 5 5 -1 -1\n"
              "[Tools] 0 0 -1 -1\n"
              "  [] 5 5 -1 -1\n"
              "  [A] 12 12 -1 0\n"
              "[---------------] 3 3 -1 -1\n"
              "[--News--] 4 4 -1 -1\n"
              "[Empty] 0 0 -1 -1\n"
              "  [] 5 5 -1 -1\n"
              "[Ed|itor] 14 14 -1 1\n"
              "[Home] 6 6 -1 2\n"
              "[--Sysmenu--] 4 4 4 -1\n"
              "[Orbel Kit] 0 0 0 -1\n"
              "  [Help File] 8 8 8 -1\n"
              "  [---------------] 2 2 2 -1\n"
              "  [Manage Items...] 9 9 9 -1\n"
              "  [Properties...] 10 10 10 -1\n"
              "  [---------------] 2 2 2 -1\n"
              "  [Visit Website] 2 2 2 -1\n"
              "  [---------------] 2 2 2 -1\n"
              "  [About] 2 2 2 -1\n"
              "[Close] 2 2 2 -1\n");
    EXPECT_EQ(s.items.topLevel(0), s.topAnchor);
    EXPECT_EQ(s.loadAnchor, nullptr);
    // The item entries take the item click handler; others none.
    EXPECT_EQ(s.liveMenu->child(4)->onClick, MenuHandler::NorItemsRTClickItem);
    EXPECT_EQ(s.liveMenu->child(5)->onClick, MenuHandler::NorItemsRTClickItem);
    EXPECT_EQ(s.liveMenu->child(0)->onClick, MenuHandler::None);
}

TEST_F(StoreLoad, FolderWithoutIndexFileIsEmptySubmenuAndMarkerOnlyNode) {
    // The extension scan and the load walk the folders alike: the empty
    // folder is kept, and both go on past it.
    Index("", {"^Folder|Empty", "^UnkLnk|a.txt|txt|A"});
    t.mkdir("shortcuts/Empty");
    Load();
    EXPECT_EQ(s.table.extensions.items(), (std::vector<std::string>{"txt", "exe"}));
    EXPECT_EQ(s.items.topLevel(2)->imageIndex, 12);
    const MenuEntry* f = s.liveMenu->child(0);
    EXPECT_EQ(f->caption, "Empty");
    ASSERT_EQ(f->count(), 1);
    EXPECT_EQ(f->child(0)->tag, tag::Hidden);
    EXPECT_EQ(f->child(0)->caption, "Hiding");
    EXPECT_FALSE(f->child(0)->visible);
    EXPECT_EQ(f->tag, 1);
    const TreeNode* n = s.items.topLevel(1);
    EXPECT_EQ(n->text, "Empty");
    ASSERT_EQ(n->childCount(), 1);
    EXPECT_EQ(n->child(0)->imageIndex, img::TopMarker);
}

TEST_F(StoreLoad, FolderLineWithoutDirectoryIsSkippedWithItsContent) {
    Index("", {"^UnkLnk|a||A", "^Folder|Gone", "^UnkLnk|b||B"});
    Load();
    EXPECT_EQ(Captions(*s.liveMenu), (std::vector<std::string>{"A", "B", "Sysmenu", "Orbel Kit", "Close"}));
    EXPECT_EQ(UserTop().size(), 2u);
    EXPECT_EQ(UserTop()[1]->itemNumber, 1);
}

TEST_F(StoreLoad, FolderInsertionCountersTrackChildren) {
    Index("", {"^Folder|F"});
    Index("F", {"^NorSep|", "^SpeSep|x", "^UnkLnk|a||A"});
    Load();
    const MenuEntry* f = s.liveMenu->child(0);
    EXPECT_EQ(f->tag, 4);
    EXPECT_EQ(Captions(*f), (std::vector<std::string>{"Hiding", "-", "x", "A"}));
}

TEST_F(StoreLoad, SnapshotCopiesTreeAndTag) {
    Index("", {"^Folder|F", "^UnkLnk|a||A"});
    Index("F", {"^UnkLnk|b||B"});
    s.items.capturedIcons = 0;
    Load();
    EXPECT_EQ(DumpTree(s.undo), DumpTree(s.items));
    EXPECT_EQ(s.undo.capturedIcons, s.items.capturedIcons);
}

TEST_F(StoreLoad, AFolderLevelLoadsIntoItsFolder) {
    Index("", {"^Folder|Sub"});
    Index("Sub", {"^UnkLnk|a||A", "^NorSep|"});
    Load();
    TreeNode* sub = UserTop().at(0);
    const MenuEntry& parent = *s.liveMenu->child(0);
    // Behind the folder's own hidden first entry.
    EXPECT_EQ(Captions(parent), (std::vector<std::string>{"Hiding", "A", "-"}));
    EXPECT_EQ(parent.tag, 3);
    EXPECT_EQ(sub->lastChild()->text, "---------------");
}

TEST_F(StoreLoad, TemplateTreeHoldsTheBuiltInNodes) {
    ItemTree basic;
    BuildTreeTemplate(basic);
    BuildTreeTemplate(basic);  // again: replaces, does not add
    ASSERT_EQ(basic.topLevelCount(), 3);
    EXPECT_EQ(basic.topLevel(1)->childCount(), 8);
    basic.forEach([](const TreeNode& n) {
        EXPECT_EQ(n.imageIndex, n.stateIndex) << n.text;
        EXPECT_EQ(n.selectedIndex, n.stateIndex) << n.text;
        EXPECT_EQ(n.itemNumber, -1) << n.text;
    });
}

TEST_F(StoreLoad, InstallMenuTemplateResetsCountersAndCopiesTemplates) {
    s.counters.nextExtensionSlot = 40;
    s.counters.secondBreak = 41;
    s.counters.lastBreak = 42;
    InstallMenuTemplate(s);
    EXPECT_EQ(s.counters.nextExtensionSlot, 12);
    EXPECT_EQ(s.counters.secondBreak, 13);
    EXPECT_EQ(s.counters.lastBreak, 14);
    EXPECT_EQ(DumpTree(s.items), DumpTree(s.basic));
    EXPECT_EQ(DumpMenu(*s.liveMenu), DumpMenu(*s.basicMenu));
    EXPECT_EQ(s.liveMenu->tag, 0);
    InstallMenuTemplate(s);  // twice gives one copy
    EXPECT_EQ(s.liveMenu->count(), 3);
}

// Leftover backup at start-up.

class LeftoverBackup : public StoreLoad {
protected:
    void SetUp() override {
        StoreLoad::SetUp();
        Index("", {"^UnkLnk|new||New"});
        t.writeIndex("item_bak", {"^UnkLnk|old||Old"});
        t.write("item_bak/extra.bmp", "x");
        InstallMenuTemplate(s);
    }
    int asked = 0;
    std::function<BackupAnswer()> Answer(BackupAnswer a) {
        return [this, a] {
            ++asked;
            return a;
        };
    }
};

TEST_F(LeftoverBackup, YesRestoresTheBackup) {
    ASSERT_TRUE(PrepareStore(s, Answer(BackupAnswer::Yes)));
    LoadStore(s);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(t.exists("item_bak"));
    EXPECT_TRUE(t.exists("shortcuts/extra.bmp"));
    EXPECT_EQ(s.liveMenu->child(0)->caption, "Old");
}

TEST_F(LeftoverBackup, YesWithoutStoreDirectory) {
    DeleteDirectoryTree(t / "shortcuts");
    ASSERT_TRUE(PrepareStore(s, Answer(BackupAnswer::Yes)));
    EXPECT_FALSE(t.exists("item_bak"));
    EXPECT_TRUE(t.exists("shortcuts/shortcuts.txt"));
}

TEST_F(LeftoverBackup, NoDiscardsTheBackup) {
    ASSERT_TRUE(PrepareStore(s, Answer(BackupAnswer::No)));
    LoadStore(s);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(t.exists("item_bak"));
    EXPECT_EQ(s.liveMenu->child(0)->caption, "New");
}

TEST_F(LeftoverBackup, CancelTouchesNothing) {
    DeleteDirectoryTree(t / "shortcuts");
    EXPECT_FALSE(PrepareStore(s, Answer(BackupAnswer::Cancel)));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(t.exists("item_bak/shortcuts.txt"));
    EXPECT_TRUE(t.exists("item_bak/extra.bmp"));
    EXPECT_FALSE(t.exists("shortcuts"));  // not even created
    EXPECT_EQ(s.table.extensions.length(), 0);
}

TEST_F(LeftoverBackup, NoCallbackMeansCancel) {
    EXPECT_FALSE(PrepareStore(s, {}));
    EXPECT_TRUE(t.exists("item_bak/shortcuts.txt"));
}

// Leftovers that no killed save leaves (the crash test covers those).
TEST_F(LeftoverBackup, DeletionOrRestoreCutShort) {
    auto storeHolds = [&] {
        std::ifstream index(StorePath("shortcuts.txt"), std::ios::binary);
        std::string line;
        std::getline(index, line, '\r');
        return line;
    };
    // A deletion cut short goes before the question, even when the user cancels.
    t.writeIndex("item_del", {"^UnkLnk|gone||Gone"});
    EXPECT_FALSE(PrepareStore(s, Answer(BackupAnswer::Cancel)));
    EXPECT_FALSE(t.exists("item_del"));
    EXPECT_TRUE(t.exists("item_bak/extra.bmp"));
    EXPECT_EQ(storeHolds(), "^UnkLnk|new||New");
    // A restore cut short between its two renames is asked about again, and
    // Yes finishes it.
    std::filesystem::rename(t / "shortcuts", t / "item_del");
    ASSERT_TRUE(PrepareStore(s, Answer(BackupAnswer::Yes)));
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(t.exists("item_bak"));
    EXPECT_FALSE(t.exists("item_del"));
    EXPECT_EQ(storeHolds(), "^UnkLnk|old||Old");
}

TEST_F(LeftoverBackup, NotAskedWithoutBackup) {
    DeleteDirectoryTree(t / "item_bak");
    EXPECT_TRUE(PrepareStore(s, Answer(BackupAnswer::Cancel)));
    EXPECT_EQ(asked, 0);
}

TEST_F(StoreLoad, StoreDirectoryThatCannotBeCreatedRaisesIoError) {
    t.write("notadir", "plain file");
    s.dataDir = t / "notadir/";
    InstallMenuTemplate(s);
    EXPECT_THROW(PrepareStore(s, Never), StoreIoError);
}

TEST_F(StoreLoad, StoreNameTakenByAFileRaisesIoError) {
    t.write("shortcuts", "plain file");
    InstallMenuTemplate(s);
    EXPECT_THROW(PrepareStore(s, Never), StoreIoError);
}

// Reload.

TEST_F(StoreLoad, ReloadRebuildsFromScratch) {
    Index("", {"^UnkLnk|a.txt|txt|A", "^Folder|F", "^ExeLnk|b.exe||b.bmp|B"});
    Index("F", {"^UnkLnk|c.pdf|pdf|C"});
    t.write("shortcuts/b.bmp", test::SmallBmp());
    Load();
    const std::string tree = DumpTree(s.items);
    const std::string menu = DumpMenu(*s.liveMenu);
    const int images = s.images.count();

    // Edits in memory: a captured icon, an added item.
    s.images.append(ImageRef{Kind::Captured, 0, "/x/y.png", 0});
    s.items.capturedIcons = 1;
    AppendString(s.table.paths, "/x/y.png");
    s.nextItemNumber = 9;

    ASSERT_TRUE(ReloadStoreModel(s, Never));
    EXPECT_EQ(DumpTree(s.items), tree);
    EXPECT_EQ(DumpMenu(*s.liveMenu), menu);
    EXPECT_EQ(s.images.count(), images);
    EXPECT_EQ(s.items.capturedIcons, 0);
    EXPECT_EQ(s.undo.capturedIcons, 0);
    EXPECT_EQ(s.counters.loadedBitmaps, 1);
    EXPECT_EQ(s.counters.lastBreak, 18);
    EXPECT_EQ(s.nextItemNumber, 3);
    EXPECT_EQ(s.table.paths.length(), 3);
    EXPECT_EQ(s.table.programNumbers.length(), 1);
    const std::vector<std::string> ext{"txt", "pdf", "exe"};
    EXPECT_EQ(s.table.extensions.items(), ext);
    EXPECT_EQ(s.items.topLevel(0), s.topAnchor);
}

TEST_F(StoreLoad, ReloadOfChangedStoreRestartsNumbersAndBreaks) {
    Index("", {"^UnkLnk|a.txt|txt|A", "^ExeLnk|b.exe||b.bmp|B"});
    t.write("shortcuts/b.bmp", test::SmallBmp());
    Load();
    EXPECT_EQ(s.images.count(), 18);

    DeleteDirectoryTree(t / "shortcuts");
    Index("", {"^ExeLnk|z.exe|||Z"});
    ASSERT_TRUE(ReloadStoreModel(s, Never));
    // Only "exe" now: icon 12, breaks 13, 14 and 15.
    EXPECT_EQ(s.images.count(), 16);
    EXPECT_EQ(s.images.at(13).kind, Kind::Break);
    EXPECT_EQ(s.images.at(15).kind, Kind::Break);
    EXPECT_EQ(s.counters.loadedBitmaps, 0);
    EXPECT_EQ(UserTop().size(), 1u);
    EXPECT_EQ(UserTop()[0]->itemNumber, 0);
    EXPECT_EQ(s.liveMenu->child(0)->tag, 0);

    DeleteDirectoryTree(t / "shortcuts");
    ASSERT_TRUE(ReloadStoreModel(s, Never));
    for (int i = 12; i <= 14; ++i) EXPECT_EQ(s.images.at(i).kind, Kind::Break) << i;
    EXPECT_EQ(s.images.count(), 15);
    EXPECT_EQ(Captions(*s.liveMenu), kFixedTopCaptions);
}

TEST_F(StoreLoad, ReloadStopsWhenTheBackupQuestionIsCancelled) {
    Index("", {"^UnkLnk|a||A"});
    Load();
    t.writeIndex("item_bak", {});
    EXPECT_FALSE(ReloadStoreModel(s, [] { return BackupAnswer::Cancel; }));
    EXPECT_TRUE(t.exists("item_bak"));
    EXPECT_EQ(s.table.paths.length(), 0);
}

// Links and hostile contents.

TEST_F(StoreLoad, FolderLinkedToItsAncestorIsSkipped) {
    ORBEL_SKIP_WITHOUT_LINKS();
    Index("", {"^UnkLnk|a.top|top|A", "^Folder|Loop", "^Folder|F"});
    Index("F", {"^UnkLnk|b.f|f|B", "^Folder|Back", "^Folder|Self", "^Folder|G"});
    Index("F/G", {"^Folder|Up"});
    t.symlink(".", "shortcuts/Loop");
    t.symlink("..", "shortcuts/F/Back");
    t.symlink(".", "shortcuts/F/Self");
    t.symlink("../../F", "shortcuts/F/G/Up");
    Load();
    const std::string expected =
        "[] 5 5 -1 -1\n"
        "[A] 12 12 -1 0\n"
        "[F] 0 0 -1 -1\n"
        "  [] 5 5 -1 -1\n"
        "  [B] 13 13 -1 1\n"
        "  [G] 0 0 -1 -1\n"
        "    [] 5 5 -1 -1\n"
        "[--Sysmenu--] 4 4 4 -1\n";
    EXPECT_EQ(DumpTree(s.items).substr(0, expected.size()), expected);
    const std::vector<std::string> ext{"top", "f", "exe"};
    EXPECT_EQ(s.table.extensions.items(), ext);
}

TEST_F(StoreLoad, NamesLeadingBackIntoEnteredDirectoriesAreSkipped) {
    Index("", {"^Folder|", "^Folder|.", "^Folder|F", "^UnkLnk|a||A"});
    Index("F", {"^Folder|..", "^Folder|../F", "^Folder|./", "^Folder|../../shortcuts"});
    Load();
    EXPECT_EQ(Captions(*s.liveMenu), (std::vector<std::string>{"F", "A", "Sysmenu", "Orbel Kit", "Close"}));
    EXPECT_EQ(s.liveMenu->child(0)->count(), 1);
}

TEST_F(StoreLoad, ParentOfTheStoreIsAnOrdinaryDirectory) {
    // ".." at the top names the program directory: it exists and is not
    // being entered, so it shows as a folder (without index file, empty).
    Index("", {"^Folder|.."});
    Load();
    EXPECT_EQ(Captions(*s.liveMenu), (std::vector<std::string>{"..", "Sysmenu", "Orbel Kit", "Close"}));
    EXPECT_EQ(s.liveMenu->child(0)->count(), 1);
}

TEST_F(StoreLoad, LinkToAnotherFolderLoadsItsContent) {
    ORBEL_SKIP_WITHOUT_LINKS();
    Index("", {"^Folder|Real", "^Folder|Alias"});
    Index("Real", {"^UnkLnk|a.x|x|A"});
    t.symlink("Real", "shortcuts/Alias");
    Load();
    EXPECT_EQ(Captions(*s.liveMenu->child(1)), (std::vector<std::string>{"Hiding", "A"}));
    EXPECT_EQ(s.nextItemNumber, 2);
}

TEST_F(StoreLoad, StoreDirectoryItselfMayBeALink) {
    ORBEL_SKIP_WITHOUT_LINKS();
    t.writeIndex("real", {"^Folder|Loop", "^UnkLnk|a||A"});
    t.symlink(t / "real", "shortcuts");
    t.symlink(t / "real", "real/Loop");
    Load();
    EXPECT_EQ(Captions(*s.liveMenu), (std::vector<std::string>{"A", "Sysmenu", "Orbel Kit", "Close"}));
}

// With a platform's listing, bitmaps and index files are mostly found in
// the folder's listing; what it shows as a link, or does not show at all,
// is looked at itself. Without one every name is looked at: the same load.
TEST_F(StoreLoad, BitmapsAndIndexFilesBehindLinksAndInSubdirectories) {
    ORBEL_SKIP_WITHOUT_LINKS();
    Index("", {"^Folder|F", "^ExeLnk|/a.exe||sub/in.bmp|InSub", "^ExeLnk|/b.exe||sub|Dir"});
    t.writeIndex("real", {"^ExeLnk|/c.exe||file.bmp|File", "^ExeLnk|/d.exe||dir.bmp|DirLink",
                          "^ExeLnk|/e.exe||gone.bmp|Dangling", "^ExeLnk|/f.exe||plain.bmp|Plain"});
    t.mkdir("shortcuts/F");
    t.symlink(t / "real/shortcuts.txt", "shortcuts/F/shortcuts.txt");
    t.write("shortcuts/sub/in.bmp", test::SmallBmp());
    t.write("real/target.bmp", test::SmallBmp());
    t.write("shortcuts/F/plain.bmp", test::SmallBmp());
    t.symlink(t / "real/target.bmp", "shortcuts/F/file.bmp");
    t.symlink(t / "real", "shortcuts/F/dir.bmp");
    t.symlink(t / "real/none.bmp", "shortcuts/F/gone.bmp");
    for (bool listed : {true, false}) {
        SCOPED_TRACE(listed ? "listed" : "looked at");
        test::FakeSystemCalls system;
        system.listsFolders = listed;
        ReloadStoreModel(s, Never);
        // exe icon 12, breaks 13 and 14: bitmaps from 15 on.
        const int exe = s.counters.defaultProgramImage;
        EXPECT_EQ(Captions(*s.liveMenu->child(0)),
                  (std::vector<std::string>{"Hiding", "File", "DirLink", "Dangling", "Plain"}));
        std::vector<int> images;
        for (int i = 1; i < 5; ++i) images.push_back(s.liveMenu->child(0)->child(i)->imageIndex);
        EXPECT_EQ(images, (std::vector<int>{15, exe, exe, 16}));
        EXPECT_EQ(s.liveMenu->child(1)->imageIndex, 17);
        EXPECT_EQ(s.images.file(17), StorePath("sub/in.bmp"));
        EXPECT_EQ(s.liveMenu->child(2)->imageIndex, exe);
    }
}

TEST_F(StoreLoad, DeepNestingOnDisk) {
    std::string rel;
    std::vector<std::string> lines{"^Folder|d"};
    Index("", lines);
    constexpr int depth = 150;
    for (int i = 0; i < depth; ++i) {
        rel += rel.empty() ? "d" : "/d";
        Index(rel, {"^UnkLnk|x||X", "^Folder|d"});
    }
    Load();
    EXPECT_EQ(s.nextItemNumber, depth);
    const TreeNode* n = s.items.topLevel(1);
    int levels = 0;
    while (n && n->imageIndex == img::Folder) {
        ++levels;
        n = n->childCount() > 2 ? n->child(2) : nullptr;
    }
    EXPECT_EQ(levels, depth);
}

TEST_F(StoreLoad, BinaryGarbageAndHugeLinesDoNotUpsetTheLoader) {
    std::string garbage;
    unsigned x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245u + 12345u;
        garbage += static_cast<char>((x >> 16) & 0xff);
    }
    for (char& c : garbage)
        if (c == '\x1a') c = ' ';
    std::string bytes = garbage;
    bytes += "\r^UnkLnk|" + std::string(1 << 20, 'p') + "|" + std::string(1 << 16, 'e') + "|cap\r\n";
    bytes += "^ExeLnk|" + std::string(1 << 20, '|') + "\r";
    bytes += "^Folder|" + std::string(5000, 'n') + "\r";
    bytes += "^Folder|" + std::string("a\0b", 3) + "\r";
    bytes += "^ExeLnk|p.exe||" + std::string("x\0y", 3) + "|N\r";
    t.write("shortcuts/shortcuts.txt", bytes);
    // What a name cut short at its NUL byte would find.
    t.mkdir("shortcuts/a");
    t.write("shortcuts/x", test::SmallBmp());
    ASSERT_NO_THROW(Load());
    EXPECT_EQ(s.table.paths.length(), s.nextItemNumber);
    s.items.forEach([&](const TreeNode& n) { EXPECT_TRUE(s.images.valid(n.imageIndex)) << n.text.substr(0, 20); });
    s.liveMenu->forEachChild([](const MenuEntry& e) { EXPECT_NE(e.caption.substr(0, 1), "a"); });
    EXPECT_EQ(s.counters.loadedBitmaps, 0);
}

TEST_F(StoreLoad, ImagesOfEveryLoadedNodeAreValid) {
    Index("", {"^UnkLnk|a.txt|txt|A", "^ExeLnk|b.exe||b.bmp|B", "^ExeLnk|c.exe||c.bmp|C", "^UnkLnk|d||D", "^Folder|F"});
    Index("F", {"^UnkLnk|e.Txt|Txt|E", "^ExeLnk|f.exe||f.bmp|F"});
    t.write("shortcuts/b.bmp", test::SmallBmp());
    t.write("shortcuts/F/f.bmp", test::SmallBmp());
    Load();
    s.items.forEach([&](const TreeNode& n) {
        ASSERT_TRUE(s.images.valid(n.imageIndex)) << n.text;
        if (n.itemNumber < 0) return;
        const ImageRef& r = s.images.at(n.imageIndex);
        EXPECT_TRUE(r.kind == Kind::Extension || r.kind == Kind::Bitmap || r.kind == Kind::Fixed) << n.text;
    });
    EXPECT_EQ(s.images.file(s.items.topLevel(2)->imageIndex), StorePath("b.bmp"));
    EXPECT_EQ(s.images.file(s.items.topLevel(5)->child(2)->imageIndex), StorePath("F/f.bmp"));
    EXPECT_EQ(s.images.at(s.items.topLevel(3)->imageIndex).source, "exe");
}

TEST_F(StoreLoad, DirectoryNamedLikeAnIndexFileMakesAnEmptyFolder) {
    Index("", {"^Folder|F"});
    t.mkdir("shortcuts/F/shortcuts.txt");
    ASSERT_NO_THROW(Load());
    EXPECT_EQ(s.liveMenu->child(0)->count(), 1);
}

TEST_F(StoreLoad, IndexFileThatCannotBeOpenedRaisesIoErrorAndDropsTheAnchor) {
    Index("", {"^UnkLnk|a||A", "^Folder|F"});
    Index("F", {"^UnkLnk|b||B"});
    InstallMenuTemplate(s);
    ASSERT_TRUE(PrepareStore(s, Never));
    test::FakeSystemCalls refuse;
    refuse.fails = [](test::SystemCall call, const std::string& path) {
        return call == test::SystemCall::OpenIndexFile &&
               path.find(test::Native("F/shortcuts.txt")) != std::string::npos;
    };
    EXPECT_THROW(ScanStoreExtensions(s, StorePath("")), StoreIoError);
    EXPECT_THROW(LoadStore(s), StoreIoError);
    EXPECT_EQ(s.loadAnchor, nullptr);
    for (int i = 0; i < s.items.topLevelCount(); ++i) EXPECT_NE(s.items.topLevel(i)->text, "hiding");
}

// The program's start leaves the tree to the item manager's first showing:
// made then from the menu, it must be the tree and snapshot a full load
// gives, whatever the store holds.
TEST(PendingTree, BuildsWhatTheLoaderWouldHaveBuilt) {
    struct Store {
        const char* name;
        std::vector<std::pair<std::string, std::vector<std::string>>> indexes;  // directory, lines
        std::vector<std::string> files;                                         // also present
    };
    const Store stores[] = {
        {"no index file", {}, {}},
        {"empty index file", {{"", {}}}, {}},
        {"every kind, nested",
         {{"",
           {"^Folder|Tools", "^NorSep|junk", "^SpeSep|News", "^Folder|Empty", "^Folder|Gone",
            "^ExeLnk|/bin/ed.exe|-x|ed.bmp|Ed|itor", "^ExeLnk|/bin/vi.exe||none.bmp|Vi", "^UnkLnk|/home/u||Home",
            "^NorSep|", "^NorSep|"}},
          {"Tools", {"^UnkLnk|/d/a.txt|txt|A", "^Folder|Deep", "^SpeSep|", "^UnkLnk|/d/b.TXT|TXT|B"}},
          {"Tools/Deep", {"^ExeLnk|/opt/x.exe|--y|x.bmp|X", "^Folder|Deeper"}}},
         {"Empty/", "Tools/Deep/x.bmp", "ed.bmp", "Tools/Deep/Deeper/"}},
    };
    for (const Store& st : stores) {
        SCOPED_TRACE(st.name);
        test::TempDir t;
        for (const auto& [dir, lines] : st.indexes) t.writeIndex(dir.empty() ? "shortcuts" : "shortcuts/" + dir, lines);
        for (const std::string& f : st.files) {
            if (f.back() == '/') t.mkdir("shortcuts/" + f);
            else t.write("shortcuts/" + f, "BM");
        }
        ItemStore eager, lazy;
        lazy.treeWhenNeeded = true;
        for (ItemStore* s : {&eager, &lazy}) {
            s->dataDir = t.dir();
            InstallMenuTemplate(*s);
            ASSERT_TRUE(PrepareStore(*s, Never));
            LoadStore(*s);
        }
        EXPECT_TRUE(lazy.treePending);
        EXPECT_EQ(DumpMenu(*lazy.liveMenu), DumpMenu(*eager.liveMenu));
        EXPECT_EQ(lazy.table.paths.items(), eager.table.paths.items());
        BuildPendingTree(lazy);
        EXPECT_FALSE(lazy.treePending);
        EXPECT_EQ(DumpTree(lazy.items), DumpTree(eager.items));
        EXPECT_EQ(DumpTree(lazy.undo), DumpTree(eager.undo));
        EXPECT_EQ(lazy.undo.capturedIcons, eager.undo.capturedIcons);
        EXPECT_EQ(lazy.undoParameters, eager.undoParameters);
        EXPECT_EQ(lazy.topAnchor, lazy.items.topLevel(0));
        // Once made, the tree stays: a second call changes nothing.
        BuildPendingTree(lazy);
        EXPECT_EQ(DumpTree(lazy.items), DumpTree(eager.items));
    }
}

}  // namespace
}  // namespace orbel
