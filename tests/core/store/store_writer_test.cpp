// The store writer byte for byte, icon bitmap names, write-then-read round
// trips, and Save with its backup: success, refusal, failure and restore.

#include "core/store/store_writer.h"

#include <optional>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/manager/undo_sweep.h"
#include "core/store/store_format.h"
#include "tests/core/manager/manager_test_support.h"

namespace orbel {
namespace {

using test::LoadedStore;
namespace fs = std::filesystem;

// Every file below dir with its bytes, for "nothing changed" checks.
std::string DumpDir(const std::string& dir) {
    std::vector<std::string> lines;
    for (auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string rel = fs::relative(e.path(), dir).string();
        lines.push_back(e.is_directory() ? rel + "/" : rel + " = " + test::ReadBytes(e.path().string()));
    }
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (auto& l : lines) out += l + "\n";
    return out;
}

struct Writer : ::testing::Test {
    WriterHooks hooks() {
        WriterHooks h;
        h.writeBitmap = [this](const TreeNode& n, const std::string& full) {
            bitmaps.push_back(n.text + " -> " + fs::path(full).filename().string());
            L.t.write(fs::relative(full, L.t.path()).string(), test::SmallBmp());
            return true;
        };
        h.log = [this](const std::string& line) { logged.push_back(line); };
        return h;
    }
    std::string store(const std::string& rel = "") const {
        return L.t / ("shortcuts" + (rel.empty() ? "" : "/" + rel));
    }
    // Where a save writes the new store before it takes the store's place.
    std::string fresh(const std::string& rel = "") const { return L.t / ("item_new" + (rel.empty() ? "" : "/" + rel)); }
    LoadedStore L;
    std::vector<std::string> bitmaps, logged;
};

TEST_F(Writer, LinesByteForByte) {
    TreeNode* tools = L.folder(L.anchor(), "Tools");
    TreeNode* n = L.item(tools->firstChild(), "Set|up", "/opt/t/setup.exe", "-q -x");
    L.item(n, "Report", "/home/u/Report.DOC");
    n = L.separator(tools, "");
    n = L.separator(n, "News");
    n = L.item(n, "Home", "/home/u");
    n = L.folder(n, "Empty");
    n = L.item(n, "Dotted dir", "/srv/v1.2/data");
    // Nodes after the first built-in are not stored.
    L.item(L.sysmenu(), "beyond", "/x.txt");

    const SaveResult r = SaveStore(L.s, hooks());
    ASSERT_EQ(r.outcome, SaveOutcome::Saved) << r.reason;
    EXPECT_EQ(r.status, "Save succesful!");
    EXPECT_FALSE(r.chord());
    EXPECT_EQ(test::ReadBytes(store("shortcuts.txt")),
              "^Folder|Tools\r\n"
              "^NorSep|\r\n"
              "^SpeSep|News\r\n"
              "^UnkLnk|/home/u||Home\r\n"
              "^Folder|Empty\r\n"
              "^UnkLnk|/srv/v1.2/data||Dotted dir\r\n");
    EXPECT_EQ(test::ReadBytes(store("Tools/shortcuts.txt")),
              "^ExeLnk|/opt/t/setup.exe|-q -x|setup.bmp|Set|up\r\n"
              "^UnkLnk|/home/u/Report.DOC|DOC|Report\r\n");
    EXPECT_TRUE(fs::is_directory(store("Empty")));
    EXPECT_FALSE(L.t.exists("shortcuts/Empty/shortcuts.txt"));
    EXPECT_EQ(bitmaps, std::vector<std::string>{"Set|up -> setup.bmp"});
    EXPECT_FALSE(L.t.exists("item_bak"));
    EXPECT_FALSE(L.t.exists("item_del"));
    EXPECT_TRUE(logged.empty());
}

TEST_F(Writer, EmptyTopLevelGivesAnEmptyIndexFile) {
    L.t.writeIndex("shortcuts", {"^NorSep|"});
    L.t.write("shortcuts/stray.bin", "old");
    L.Reload();
    L.s.items.remove(L.s.items.topLevel(1));
    ASSERT_EQ(SaveStore(L.s, hooks()).outcome, SaveOutcome::Saved);
    EXPECT_EQ(DumpDir(store()), "shortcuts.txt = \n");
}

TEST_F(Writer, BitmapNamesSkipEverythingTaken) {
    L.t.mkdir("level/setup.bmp");  // a directory takes the name too
    L.t.write("level/setup1.bmp", "");
    const std::string dir = L.t / "level";
    struct Row {
        const char* path;
        std::vector<std::string> reserved;
        const char* name;
    };
    const Row rows[] = {
        {"/opt/a/setup.exe", {}, "setup2.bmp"},           {"/opt/a/setup.exe", {"setup2.bmp"}, "setup3.bmp"},
        {"/opt/a/tool.v2.EXE", {}, "tool.v2.bmp"},        {"/opt/a/.exe", {}, ".bmp"},
        {"noslash.exe", {"noslash.bmp"}, "noslash1.bmp"},
    };
    for (const Row& r : rows) EXPECT_EQ(IconBitmapName(r.path, dir, r.reserved), r.name) << r.path;
    const std::string longName = IconBitmapName("/bin/" + std::string(255, 'p'), dir);
    EXPECT_EQ(longName.size(), 255u);
    EXPECT_EQ(longName.substr(251), ".bmp");

    EXPECT_EQ(StoredExtension("/a/b.c/file"), "");
    EXPECT_EQ(StoredExtension("/a/Report.DOC"), "DOC");
    EXPECT_EQ(StoredExtension("/a/b/"), "");
    EXPECT_EQ(StoredExtension("/a/.hidden"), "hidden");
    // A Windows path, as a dropped shortcut names it, splits as the editor splits it.
    EXPECT_EQ(StoredExtension("C:\\x.d\\file"), "");
}

TEST_F(Writer, SameProgramNamesAndAFolderNamedLikeTheirBitmap) {
    TreeNode* n = L.item(L.anchor(), "one", "/a/setup.exe");
    n = L.item(n, "two", "/b/setup.exe");
    n = L.folder(n, "setup.bmp");  // the user's name stays; the bitmaps move aside
    n = L.item(n, "three", "/c/setup.exe");
    TreeNode* other = L.folder(n, "Other");
    L.item(other->firstChild(), "four", "/d/setup.exe");
    TreeNode* txt = L.folder(other, "shortcuts.txt.d");
    (void)txt;

    ASSERT_EQ(SaveStore(L.s, hooks()).outcome, SaveOutcome::Saved);
    EXPECT_EQ(bitmaps, (std::vector<std::string>{"one -> setup1.bmp", "two -> setup2.bmp", "three -> setup3.bmp",
                                                 "four -> setup.bmp"}));
    EXPECT_TRUE(fs::is_directory(store("setup.bmp")));
    L.Reload();
    // Each program keeps its own bitmap.
    std::vector<std::string> icons;
    for (int i = 0; i < L.s.images.count(); ++i)
        if (L.s.images.at(i).kind == ImageRef::Kind::Bitmap)
            icons.push_back(fs::relative(L.s.images.file(i), store()).generic_string());
    std::sort(icons.begin(), icons.end());
    EXPECT_EQ(icons, (std::vector<std::string>{"Other/setup.bmp", "setup1.bmp", "setup2.bmp", "setup3.bmp"}));
}

// Structure as the user sees it: kinds, texts, paths and parameters.
std::string Shape(const ItemStore& s) {
    std::ostringstream o;
    s.items.forEach([&](const TreeNode& n) {
        o << std::string(static_cast<size_t>(n.level()) * 2, ' ');
        if (IsFolderNode(&n)) o << "folder ";
        else if (IsTopMarker(&n)) o << "top ";
        else if (IsSeparatorNode(&n)) o << "sep" << n.imageIndex << ' ';
        else if (HasItemEntry(&n))
            o << "item " << s.table.pathOf(n.itemNumber) << " (" << s.table.GetItemParameters(n.itemNumber) << ") ";
        o << '[' << n.text << "]\n";
    });
    return o.str();
}

TEST_F(Writer, GeneratedTreesReadBackTheSame) {
    std::mt19937 rng(4);
    const std::vector<std::string> words{"Alpha", "beta", "Gamma Ray", "a|b caption", "setup", "-x-", "ü-Umlaut"};
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    int folders = 0;  // unique across rounds: each round adds to the last one's store
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        L.Reload();
        std::vector<TreeNode*> places{L.anchor()};
        for (int k = 0; k < 40; ++k) {
            TreeNode* after = places[pick(places.size())];
            const std::string w = words[pick(words.size())] + std::to_string(k);
            TreeNode* made = nullptr;
            switch (pick(6)) {
            case 0: made = L.folder(after, "F" + std::to_string(folders++) + " " + words[pick(3)]); break;
            case 1: made = L.separator(after, pick(2) ? "" : w); break;
            case 2:
                made = L.item(after, w, "/opt/p" + std::to_string(k) + "/" + words[pick(3)] + ".exe",
                              pick(2) ? "-p " + std::to_string(k) : "");
                break;
            case 3: made = L.item(after, w, "/home/u/d" + std::to_string(k) + " " + words[pick(3)] + ".txt"); break;
            case 4: made = L.item(after, w, "/home/u/dir" + std::to_string(k)); break;
            default: made = L.item(after, "", "/home/u/x.tar.GZ"); break;
            }
            places.push_back(made);
            if (IsFolderNode(made)) places.push_back(made->firstChild());
        }
        const std::string before = Shape(L.s);
        const SaveResult r = SaveStore(L.s, hooks());
        ASSERT_EQ(r.outcome, SaveOutcome::Saved) << r.reason;
        L.Reload();
        EXPECT_EQ(Shape(L.s), before);
    }
}

TEST_F(Writer, KindOnDiskFollowsThePathNotTheTag) {
    // Separators keep their kind: text separators of dashes or of nothing too.
    L.t.writeIndex("shortcuts", {"^UnkLnk|/opt/t/tool.exe|exe|Tool", "^ExeLnk|/home/u/a.txt|-p|a.bmp|A", "^SpeSep|",
                                 "^SpeSep|---", "^NorSep|x"});
    L.Reload();
    ASSERT_EQ(SaveStore(L.s, hooks()).outcome, SaveOutcome::Saved);
    EXPECT_EQ(test::ReadBytes(store("shortcuts.txt")),
              "^ExeLnk|/opt/t/tool.exe||tool.bmp|Tool\r\n^UnkLnk|/home/u/a.txt|txt|A\r\n"
              "^SpeSep|\r\n^SpeSep|---\r\n^NorSep|\r\n");
}

struct SaveFailure : Writer {
    void SetUp() override {
        TreeNode* a = L.folder(L.anchor(), "A");
        TreeNode* b = L.folderIn(a, "B");
        L.item(b->firstChild(), "deep", "/opt/deep/deep.exe", "-d");
        L.item(a, "doc", "/home/u/doc.txt");
        ASSERT_EQ(SaveStore(L.s, hooks()).outcome, SaveOutcome::Saved);
        oldStore = DumpDir(store());
        // Unsaved edits the user must not lose.
        L.item(L.anchor(), "new", "/opt/new/new.exe");
        L.folder(L.anchor(), "NewFolder");
        tree = test::DumpTree(L.s.items);
        undoTree = test::DumpTree(L.s.undo);
        bitmaps.clear();
    }
    void ExpectRestored(const SaveResult& r) {
        EXPECT_EQ(r.outcome, SaveOutcome::WriteFailed);
        EXPECT_TRUE(r.chord());
        EXPECT_EQ(r.status, "Save unsuccesful! " + r.reason);
        EXPECT_FALSE(r.reason.empty());
        EXPECT_EQ(DumpDir(store()), oldStore);
        for (const char* left : {"item_bak", "item_new", "item_del"}) EXPECT_FALSE(L.t.exists(left)) << left;
        EXPECT_EQ(test::DumpTree(L.s.items), tree);
        EXPECT_EQ(test::DumpTree(L.s.undo), undoTree);
    }
    std::string oldStore, tree, undoTree;
};

TEST_F(SaveFailure, AFailingBitmapPutsThePreviousStoreBack) {
    struct Case {
        const char* what;
        std::function<bool(const TreeNode&, const std::string&)> bitmap;
    };
    const Case cases[] = {
        {"returns false", [](const TreeNode& n, const std::string&) { return n.text != "deep"; }},
        {"throws",
         [](const TreeNode& n, const std::string&) -> bool {
             if (n.text == "deep") throw StoreIoError("disk full");
             return true;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        logged.clear();
        WriterHooks h = hooks();
        h.writeBitmap = c.bitmap;
        ExpectRestored(SaveStore(L.s, h));
        // One line per level, innermost first.
        ASSERT_EQ(logged.size(), 3u);
        EXPECT_EQ(logged[0], "Unable to save \"" + fresh("A/B") +
                                 test::Native("/shortcuts.txt\", probably because of a call to \"GetNextSibling\""));
        EXPECT_EQ(logged[2], "Unable to save \"" + fresh() +
                                 test::Native("/shortcuts.txt\", probably because of a call to \"GetNextSibling\""));
    }
    // Nothing was lost: the next attempt saves the whole tree.
    ASSERT_EQ(SaveStore(L.s, hooks()).outcome, SaveOutcome::Saved);
    EXPECT_TRUE(L.t.exists("shortcuts/NewFolder"));
}

TEST_F(SaveFailure, EveryFailingWriteStepRestores) {
    const std::pair<SaveStep, std::string> steps[] = {
        {SaveStep::CreateDirectory, fresh()},
        {SaveStep::CreateDirectory, fresh("A/B")},
        {SaveStep::WriteIndex, fresh("A/shortcuts.txt")},
        {SaveStep::WriteIndex, fresh("shortcuts.txt")},
        {SaveStep::Flush, fresh()},
        {SaveStep::RenameStore, fresh()},  // the store already moved to item_bak
        {SaveStep::Flush, L.t.path()},     // the new store already in the store's place
    };
    for (const auto& [step, path] : steps) {
        SCOPED_TRACE(path);
        WriterHooks h = hooks();
        h.gate = [&, step = step, path = path](SaveStep s, const std::string& p) { return !(s == step && p == path); };
        ExpectRestored(SaveStore(L.s, h));
    }
}

TEST_F(SaveFailure, RenameRefusedChangesNothing) {
    WriterHooks h = hooks();
    h.gate = [](SaveStep s, const std::string&) { return s != SaveStep::RenameStore; };
    SaveResult r = SaveStore(L.s, h);
    EXPECT_EQ(r.outcome, SaveOutcome::RenameFailed);
    EXPECT_EQ(r.status, "Save unsuccesful! Possibly \"locked\" files (e.g. a file opened by another program)");
    EXPECT_EQ(DumpDir(store()), oldStore);

    // A backup that resists deletion.
    L.t.mkdir("item_bak/keep");
    h.gate = [](SaveStep s, const std::string&) { return s != SaveStep::RemoveBackup; };
    r = SaveStore(L.s, h);
    EXPECT_EQ(r.outcome, SaveOutcome::RenameFailed);
    EXPECT_EQ(r.reason, L.t.dir() + test::Native("item_bak/ already exists(!), please restart Orbel"));
    EXPECT_EQ(DumpDir(store()), oldStore);
    EXPECT_TRUE(L.t.exists("item_bak/keep"));
    EXPECT_EQ(test::DumpTree(L.s.items), tree);
}

TEST_F(SaveFailure, ADirectoryWithoutWriteRightsIsNamedNotBlamedOnLockedFiles) {
    // What the system answers first when the store's directory takes no writes.
    WriterHooks h = hooks();
    h.gate = [&](SaveStep s, const std::string& p) -> StepAnswer {
        if (s == SaveStep::CreateDirectory && p == fresh()) return std::errc::permission_denied;
        return true;
    };
    const SaveResult r = SaveStore(L.s, h);
    EXPECT_EQ(r.outcome, SaveOutcome::RenameFailed);
    EXPECT_EQ(r.status, "Save unsuccesful! Unable to write to \"" + L.t.dir() + "\": Permission denied");
    EXPECT_EQ(DumpDir(store()), oldStore);
}

TEST_F(SaveFailure, UnstorableTreesAreRefusedBeforeTouchingTheDisk) {
    TreeNode* top = L.s.items.topLevel(1);
    struct Case {
        const char* what;
        std::function<void()> spoil;
    };
    const Case cases[] = {
        {"folder with a slash", [&] { L.folder(top, "a/b"); }},
        {"folder named like the index", [&] { L.folder(top, "shortcuts.txt"); }},
        {"two folders of one name", [&] { L.folder(top, "A"); }},
        {"path with a bar", [&] { L.item(top, "bar", "/opt/a|b/x.txt"); }},
        {"path with a CR", [&] { L.item(top, "cr", "/opt/a\rb"); }},
        {"parameters with a bar", [&] { L.item(top, "p", "/opt/p.exe", "a|b"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        L.s.items.assign(L.s.undo);
        L.s.topAnchor = L.s.items.firstTopLevel();
        top = L.s.topAnchor;
        c.spoil();
        const SaveResult r = SaveStore(L.s, hooks());
        EXPECT_EQ(r.outcome, SaveOutcome::Refused);
        EXPECT_EQ(r.status.rfind("Save unsuccesful! ", 0), 0u);
        EXPECT_EQ(DumpDir(store()), oldStore);
        EXPECT_TRUE(bitmaps.empty());
    }
}

TEST_F(Writer, VanishedStoreAndLeftoversDoNotBlockSaving) {
    L.item(L.anchor(), "doc", "/home/u/doc.txt");
    DeleteDirectoryTree(store());
    ASSERT_FALSE(L.t.exists("shortcuts"));
    SaveResult r = SaveStore(L.s, hooks());
    ASSERT_EQ(r.outcome, SaveOutcome::Saved) << r.reason;
    EXPECT_EQ(test::ReadBytes(store("shortcuts.txt")), "^UnkLnk|/home/u/doc.txt|txt|doc\r\n");

    // A backup left by a cancelled start-up question, a half-deleted
    // discarded backup and a plain file in the backup's place.
    L.t.write("item_bak/shortcuts.txt", "^NorSep|\r\n");
    L.t.write("item_del/x/y", "z");
    r = SaveStore(L.s, hooks());
    ASSERT_EQ(r.outcome, SaveOutcome::Saved) << r.reason;
    EXPECT_FALSE(L.t.exists("item_bak"));
    EXPECT_FALSE(L.t.exists("item_del"));
    L.t.write("item_bak", "not a directory");
    ASSERT_EQ(SaveStore(L.s, hooks()).outcome, SaveOutcome::Saved);
    EXPECT_FALSE(L.t.exists("item_bak"));
}

TEST_F(Writer, TheNewStoreIsFlushedBeforeTheBackupGoes) {
    L.item(L.anchor(), "doc", "/home/u/doc.txt");
    std::optional<test::FakeSystemCalls> system(std::in_place);
    const std::vector<std::string>& synced = system->synced;
    WriterHooks h = hooks();
    std::vector<std::string> syncedAtSwap, syncedWhenTheBackupGoes;
    h.gate = [&](SaveStep s, const std::string&) {
        if (s == SaveStep::RenameStore) syncedAtSwap = synced;
        if (s == SaveStep::RemoveBackup) syncedWhenTheBackupGoes = synced;
        return true;
    };
    const SaveResult r = SaveStore(L.s, h);
    const std::vector<std::string> allSynced = synced;
    system.reset();
    ASSERT_EQ(r.outcome, SaveOutcome::Saved);
    // The new store is on the disk before the store moves, and the swap of
    // the two before the backup goes aside.
    EXPECT_EQ(syncedAtSwap, std::vector<std::string>{fresh()});
    EXPECT_EQ(syncedWhenTheBackupGoes, (std::vector<std::string>{fresh(), L.t.path()}));
    EXPECT_NE(std::find(allSynced.begin(), allSynced.end(), L.t.path()), allSynced.end());

    // A flush the system refuses is a failed save.
    const std::string before = DumpDir(store());
    L.item(L.anchor(), "more", "/home/u/more.txt");
    system.emplace();
    system->fails = [](test::SystemCall call, const std::string&) { return call == test::SystemCall::SyncPath; };
    const SaveResult f = SaveStore(L.s, hooks());
    system.reset();
    EXPECT_EQ(f.outcome, SaveOutcome::WriteFailed);
    EXPECT_EQ(DumpDir(store()), before);
}

TEST_F(Writer, UndoAfterSaveReturnsToTheSavedState) {
    TreeNode* exe = L.item(L.anchor(), "Setup", "/opt/t/setup.exe", "-a");
    ASSERT_EQ(SaveStore(L.s, hooks()).outcome, SaveOutcome::Saved);
    const std::string saved = test::DumpTree(L.s.items);
    L.s.table.SetItemParameters(exe->itemNumber, "-b");
    L.folder(L.anchor(), "After");
    RestoreSnapshot(L.s);
    EXPECT_EQ(test::DumpTree(L.s.items), saved);
    EXPECT_EQ(L.s.table.GetItemParameters(L.s.items.topLevel(1)->itemNumber), "-a");
}

}  // namespace
}  // namespace orbel
