// Attach, the add modes, Cut/Copy/Paste/Delete, the internal drag and
// dropped files, over a loaded (empty) store.

#include "core/manager/editing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/store/node_kinds.h"
#include "tests/core/manager/manager_test_support.h"
#include "tests/core/store/shell_link_builder.h"

namespace orbel {
namespace {

using test::LoadedStore;
namespace mt = manager_texts;

struct Editing : ::testing::Test {
    LoadedStore L;
    std::vector<std::string> captured;
    IconCapture capture = [this](const std::string& p) {
        captured.push_back(p);
        return L.s.images.append(ImageRef{ImageRef::Kind::Captured, 0, p, 0});
    };
    TreeNode* clip = nullptr;

    // Everything an edit may change, to check that a refusal changed nothing.
    struct Shape {
        size_t nodes;
        int paths, programs;
        int next, capturedIcons;
        bool operator==(const Shape&) const = default;
    };
    Shape shape() const {
        return {L.s.items.nodeCount(), L.s.table.paths.length(), L.s.table.programNumbers.length(), L.s.nextItemNumber,
                L.s.items.capturedIcons};
    }
    static std::vector<std::string> texts(const ItemTree& t, const TreeNode* parent) {
        std::vector<std::string> out;
        for (int i = 0; i < t.childCount(parent); ++i) out.push_back(t.child(parent, i)->text);
        return out;
    }
};

TEST(EditingText, StrippedExtensionsAndStorablePaths) {
    // Plain text: the last "." wherever it stands.
    const std::pair<const char*, const char*> rows[] = {
        {"/opt/tools/setup.exe", "/opt/tools/setup"},
        {"/home/u/a.tar.gz", "/home/u/a.tar"},
        {"/home/u.d/Makefile", "/home/u"},
        {"/home/u/docs/", "/home/u/docs/"},
        {"/", "/"},
        {"plain", "plain"},
        {"/home/u/a\\b.txt", "/home/u/a\\b"},
        {"C:\\Program Files\\xt.d\\xt", "C:\\Program Files\\xt"},
        {"\\\\srv\\share\\Doc.pdf", "\\\\srv\\share\\Doc"},
    };
    for (const auto& [path, stripped] : rows) EXPECT_EQ(StripExtension(path), stripped) << path;
    EXPECT_EQ(DropFirstChar(".EXE"), "EXE");
    EXPECT_EQ(DropFirstChar(""), "");
    EXPECT_EQ(PathRefusal("/a b/c.txt"), "");
    EXPECT_EQ(PathRefusal("/a|b"), mt::PathBar);
    EXPECT_EQ(PathRefusal("/a\rb"), mt::PathLineBreak);
    EXPECT_EQ(PathRefusal("/a\nb"), mt::PathLineBreak);
    EXPECT_EQ(PathRefusal("/a\x1a"
                          "b"),
              mt::PathEndOfFile);
}

TEST_F(Editing, InsertionGoesAfterTheChosenNodeUnderItsParent) {
    TreeNode* f = L.folder(L.anchor(), "F");
    TreeNode* x = L.item(f->firstChild(), "x", "/x.txt");
    // After a node, after a folder's top marker, after the top-level anchor.
    EXPECT_EQ(AttachSeparator(L.s.items, x, "").node->row(), 2);
    EXPECT_EQ(AttachSeparator(L.s.items, f->firstChild(), "A").node->row(), 1);
    EXPECT_EQ(AttachSeparator(L.s.items, L.anchor(), "B").node->row(), 1);
    EXPECT_EQ(texts(L.s.items, f), (std::vector<std::string>{"", "--A--", "x", "---------------"}));
    EXPECT_EQ(L.s.items.topLevel(1)->text, "--B--");
    EXPECT_EQ(L.s.items.firstTopLevel(), L.anchor());
    EXPECT_EQ(L.s.items.topLevel(1)->imageIndex, img::TextSeparator);
    EXPECT_EQ(f->child(3)->imageIndex, img::PlainSeparator);
}

TEST_F(Editing, AttachMakesItemsWithNumbersPathsAndIcons) {
    const int first = L.s.nextItemNumber;
    EditOutcome dir = AttachDirectory(L.s, L.anchor(), "Docs", "/home/u/docs");
    ASSERT_TRUE(dir.done);
    EXPECT_EQ(dir.node->itemNumber, first);
    EXPECT_EQ(dir.node->imageIndex, img::Gear);
    EXPECT_EQ(L.s.table.pathOf(first), "/home/u/docs");
    EXPECT_TRUE(captured.empty());

    EditOutcome prog = AttachFile(L.s, dir.node, "Setup", "/opt/tools/setup.EXE", capture);
    ASSERT_TRUE(prog.done);
    EXPECT_EQ(prog.node->itemNumber, first + 1);
    EXPECT_EQ(L.s.items.capturedIcons, 1);
    EXPECT_EQ(prog.node->imageIndex, L.s.counters.lastBreak + 1);
    EXPECT_EQ(prog.node->imageIndex, L.s.images.count() - 1);  // the icon just captured
    EXPECT_EQ(captured, std::vector<std::string>{"/opt/tools/setup.EXE"});
    EXPECT_EQ(L.s.table.GetItemParameters(first + 1), "");
    EXPECT_EQ(FindString(L.s.table.programNumbers, std::to_string(first + 1)), 0);

    EditOutcome doc = AttachFile(L.s, prog.node, "", "/home/u/notes.txt", capture);
    ASSERT_TRUE(doc.done);
    EXPECT_EQ(doc.node->text, "");  // item names are taken as typed
    EXPECT_EQ(L.s.table.programNumbers.length(), 1);
    EXPECT_EQ(doc.node->imageIndex, L.s.counters.lastBreak + 2);
}

TEST_F(Editing, AttachRefusalsChangeNothing) {
    TreeNode* tools = L.folder(L.anchor(), "Tools");
    struct Row {
        const char* what;
        std::function<EditOutcome()> run;
        std::string refusal;
        bool chord;
    };
    const Row rows[] = {
        {"folder without name", [&] { return AttachFolder(L.s.items, tools, " \t"); }, mt::FolderNeedsName, true},
        {"folder bad char", [&] { return AttachFolder(L.s.items, tools, "a|b"); }, mt::FolderBadChar, true},
        {"folder same as selected", [&] { return AttachFolder(L.s.items, tools, " tools "); }, mt::FolderDuplicate,
         true},
        {"file with bar", [&] { return AttachFile(L.s, tools, "n", "/a|b.exe", capture); }, mt::PathBar, true},
        {"file with LF", [&] { return AttachFile(L.s, tools, "n", "/a\nb", capture); }, mt::PathLineBreak, true},
        {"directory with CR", [&] { return AttachDirectory(L.s, tools, "n", "/a\rb"); }, mt::PathLineBreak, true},
        {"on Close", [&] { return AttachSeparator(L.s.items, L.close(), "x"); }, "", false},
        {"nothing selected", [&] { return AttachFile(L.s, nullptr, "n", "/a", capture); }, "", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const Shape before = shape();
        const EditOutcome o = r.run();
        EXPECT_FALSE(o.done);
        EXPECT_EQ(o.refusal, r.refusal);
        EXPECT_EQ(o.chord, r.chord);
        EXPECT_TRUE(shape() == before);
    }
    EXPECT_TRUE(captured.empty());
}

TEST_F(Editing, AddModesRememberTextsPerModeAndArmAttach) {
    AddModeState m;
    AddModeView v = m.fileChosen("/opt/tools/setup.exe");
    EXPECT_EQ(v.nameText, "setup");
    EXPECT_EQ(v.caption, "Item (exe) Text");
    EXPECT_TRUE(v.armed);
    // The edited name survives a trip to another mode.
    v = m.enter(AddMode::Separator, "My Setup");
    EXPECT_EQ(v.caption, mt::CaptionSeparator);
    EXPECT_EQ(v.nameText, "");
    EXPECT_FALSE(v.addEnabled);
    EXPECT_TRUE(v.armed);
    v = m.enter(AddMode::File, "News");
    EXPECT_EQ(v.nameText, "My Setup");
    EXPECT_EQ(v.caption, "Item (exe) Text");
    EXPECT_TRUE(v.addEnabled && v.armed);
    EXPECT_EQ(m.enter(AddMode::File, "typed").nameText, "typed");  // already checked: nothing happens
    EXPECT_EQ(m.enter(AddMode::Separator, "My Setup").nameText, "News");
    // A mode with nothing chosen is disarmed and offers nothing.
    v = m.enter(AddMode::Directory, "News");
    EXPECT_FALSE(v.armed);
    EXPECT_EQ(v.caption, mt::CaptionPlain);
    EXPECT_EQ(v.nameText, "");
    EXPECT_EQ(m.directoryChosen("/").nameText, "/");
    EXPECT_EQ(m.directoryChosen("/home/u/my.docs").nameText, "my");
    EXPECT_EQ(m.view("").caption, mt::CaptionDirectory);

    // Attach clears the choice of the file modes; folder mode stays armed.
    AddModeView after;
    ASSERT_TRUE(m.attach(L.s, L.anchor(), "Docs", capture, &after).done);
    EXPECT_FALSE(after.armed);
    EXPECT_EQ(after.caption, mt::CaptionPlain);
    EXPECT_EQ(m.chosenDirectory(), "");
    EXPECT_EQ(m.enter(AddMode::Folder, "").caption, mt::CaptionFolder);
    ASSERT_TRUE(m.attach(L.s, L.anchor(), " Games ", capture, &after).done);
    EXPECT_TRUE(after.armed);
    EXPECT_EQ(after.nameText, "");
    EXPECT_EQ(L.s.items.topLevel(1)->text, "Games");
    const EditOutcome again = m.attach(L.s, L.anchor(), "", capture, &after);
    EXPECT_EQ(again.refusal, mt::FolderNeedsName);
    EXPECT_TRUE(after.armed);
    // The file chosen at the start is still there, with its text.
    v = m.enter(AddMode::File, "");
    EXPECT_EQ(v.nameText, "My Setup");
    ASSERT_TRUE(m.attach(L.s, L.anchor(), v.nameText, capture, &after).done);
    EXPECT_EQ(m.chosenFile(), "");
    EXPECT_FALSE(m.attach(L.s, L.anchor(), "x", capture).done);  // disarmed now
}

TEST_F(Editing, AddProposesADesktopEntrysNameAndOtherwiseTheFileName) {
    L.t.write("Viewer.desktop", "[Desktop Entry]\nType=Application\nName=Image Viewer\nExec=/usr/bin/eog\n");
    L.t.write("Broken.desktop", "no group here\nName=Not This\n");
    L.t.write("Notes.desktop.txt", "[Desktop Entry]\nName=Not This\n");
    const std::pair<std::string, std::string> rows[] = {
        {L.t / "Viewer.desktop", "Image Viewer"},
        {L.t / "Broken.desktop", "Broken"},
        {L.t / "Missing.desktop", "Missing"},
        {L.t / "Notes.desktop.txt", "Notes.desktop"},
    };
    for (const auto& [file, name] : rows) {
        SCOPED_TRACE(file);
        AddModeState m;
        const AddModeView v = m.fileChosen(file);
        EXPECT_EQ(v.nameText, name);
        EXPECT_EQ(v.caption, AddModeState::FileCaption(file));
        // Attached, the item keeps the entry itself: a shortcut item.
        const EditOutcome o = m.attach(L.s, L.anchor(), v.nameText, capture);
        ASSERT_TRUE(o.done);
        EXPECT_EQ(L.s.table.pathOf(o.node->itemNumber), file);
    }
}

TEST_F(Editing, PasteMovesCutNodesAndDuplicatesCopiedOnes) {
    TreeNode* a = L.folder(L.anchor(), "A");
    TreeNode* b = L.folder(a, "B");
    TreeNode* inner = L.item(a->firstChild(), "inner", "/i.txt");
    TreeNode* x = L.item(b, "x", "/x.txt");
    // Cut, then Copy another: the mark goes, Paste duplicates the second.
    ASSERT_TRUE(CutNode(L.s.items, clip, a));
    EXPECT_TRUE(a->cut);
    ASSERT_TRUE(CopyNode(L.s.items, clip, x));
    EXPECT_FALSE(a->cut);
    EXPECT_FALSE(CopyNode(L.s.items, clip, a));  // no folders
    for (TreeNode* target : {b->firstChild(), L.anchor()}) {
        const EditOutcome d = PasteNode(L.s.items, clip, target);
        ASSERT_TRUE(d.done);
        EXPECT_EQ(d.node->prevSibling(), target);
        EXPECT_EQ(d.node->itemNumber, x->itemNumber);
        EXPECT_EQ(clip, x);
    }
    // The cut folder moves with its subtree into B, first; the clipboard empties.
    ASSERT_TRUE(CutNode(L.s.items, clip, a));
    const EditOutcome m = PasteNode(L.s.items, clip, b->firstChild());
    ASSERT_TRUE(m.done);
    EXPECT_EQ(m.node, a);
    EXPECT_EQ(a->parent(), b);
    EXPECT_EQ(a->row(), 1);
    EXPECT_EQ(inner->parent(), a);
    EXPECT_FALSE(a->cut);
    EXPECT_EQ(clip, nullptr);
    // Cut and pasted onto itself: stays.
    CutNode(L.s.items, clip, x);
    const int row = x->row();
    EXPECT_TRUE(PasteNode(L.s.items, clip, x).done);
    EXPECT_EQ(x->row(), row);
}

TEST_F(Editing, PasteRefusesBuiltInTargetsAndOwnSubtrees) {
    TreeNode* a = L.folder(L.anchor(), "A");
    TreeNode* x = L.item(a, "x", "/x.txt");
    CopyNode(L.s.items, clip, x);
    for (TreeNode* t : {L.sysmenu(), L.kit(), L.kit()->firstChild(), L.close()}) {
        SCOPED_TRACE(t->text);
        EXPECT_FALSE(RefreshButtons(t, clip, false).paste);
        const Shape before = shape();
        const EditOutcome o = PasteNode(L.s.items, clip, t);
        EXPECT_FALSE(o.done);
        EXPECT_EQ(o.refusal, mt::PasteOnBuiltIn);
        EXPECT_TRUE(shape() == before);
    }
    CutNode(L.s.items, clip, a);
    const EditOutcome own = PasteNode(L.s.items, clip, a->firstChild());
    EXPECT_EQ(own.refusal, mt::FolderIntoOwn);
    EXPECT_EQ(a->parent(), nullptr);
    EXPECT_TRUE(a->cut);
}

TEST_F(Editing, DeleteClearsTheClipboardOnlyWhenItLiesInside) {
    TreeNode* a = L.folder(L.anchor(), "A");
    TreeNode* sub = L.folderIn(a, "Sub");
    L.item(sub->firstChild(), "deep", "/d.txt");
    TreeNode* y = L.item(sub, "y", "/y.txt");
    CopyNode(L.s.items, clip, y);
    ASSERT_TRUE(DeleteNode(L.s.items, clip, sub).done);
    EXPECT_EQ(clip, y);
    CutNode(L.s.items, clip, y);
    EXPECT_TRUE(DeleteNode(L.s.items, clip, a).done);
    EXPECT_EQ(clip, nullptr);
    EXPECT_EQ(L.s.items.topLevelCount(), 4);  // anchor and the three built-in nodes
    for (TreeNode* t : {L.anchor(), L.kit()}) EXPECT_FALSE(DeleteNode(L.s.items, clip, t).done);
}

TEST_F(Editing, DragAcceptsAndMovesLikeThePlacementRule) {
    TreeNode* a = L.folder(L.anchor(), "A");
    TreeNode* b = L.folder(a, "B");
    TreeNode* innerB = L.folderIn(a, "B");
    TreeNode* x = L.item(b, "x", "/x.txt");
    EXPECT_FALSE(MayStartDrag(L.anchor()));
    EXPECT_FALSE(MayStartDrag(L.kit()));
    EXPECT_TRUE(MayStartDrag(x));
    struct Row {
        const char* what;
        TreeNode* src;
        TreeNode* target;
        bool ok;
        std::string refusal;
    };
    const Row rows[] = {
        {"empty space", a, nullptr, true, ""},
        {"built-in", x, L.close(), false, ""},
        {"same name there", b, innerB, false, mt::FolderDuplicate},
        {"own marker", a, a->firstChild(), false, mt::FolderIntoOwn},
        {"sibling", a, x, true, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const Placement p = DragAcceptance(r.src, r.target);
        EXPECT_EQ(p.allowed, r.ok);
        EXPECT_EQ(p.refusal, r.refusal);
    }
    EXPECT_TRUE(ExpandsOnHover(b, true));
    EXPECT_FALSE(ExpandsOnHover(L.kit(), true));
    EXPECT_FALSE(ExpandsOnHover(b, false));
    // Onto a top marker: first in the folder; onto a folder: after it.
    ASSERT_TRUE(DropDraggedNode(L.s.items, x, b->firstChild()).done);
    EXPECT_EQ(x->parent(), b);
    EXPECT_EQ(x->row(), 1);
    ASSERT_TRUE(DropDraggedNode(L.s.items, x, b).done);
    EXPECT_EQ(x->prevSibling(), b);
    EXPECT_FALSE(DropDraggedNode(L.s.items, a, innerB->firstChild()).done);
    EXPECT_FALSE(DropDraggedNode(L.s.items, x, nullptr).done);
    EXPECT_EQ(a->parent(), nullptr);
}

TEST_F(Editing, SeveralDroppedFilesEndUpInReverseOrderAfterTheTarget) {
    TreeNode* t = L.item(L.anchor(), "T", "/t.txt");
    std::string longDir = L.t.path();
    for (int i = 0; i < 5; ++i) longDir += "/" + std::string(60, char('a' + i));
    std::filesystem::create_directories(longDir);
    const std::vector<std::string> files = {"/home/u/report.txt", "/opt/app/run.exe", longDir};
    // The view delivers a drop of several files one file at a time.
    std::vector<EditOutcome> out;
    for (const std::string& f : files) out.push_back(DropFile(L.s, t, f, capture));
    ASSERT_EQ(out.size(), 3u);
    for (const EditOutcome& o : out) ASSERT_TRUE(o.done) << o.refusal;
    EXPECT_EQ(out.back().node, t->nextSibling());  // the last one is selected
    EXPECT_EQ(texts(L.s.items, nullptr), (std::vector<std::string>{"", "T", std::string(60, 'e'), "run", "report",
                                                                   "--Sysmenu--", "Orbel Kit", "Close"}));
    EXPECT_EQ(L.s.table.pathOf(out[2].node->itemNumber), longDir);  // whole, no cut
    EXPECT_EQ(out[2].node->imageIndex, img::NoExtension);
    EXPECT_EQ(captured, (std::vector<std::string>{"/home/u/report.txt", "/opt/app/run.exe"}));
    EXPECT_EQ(L.s.table.GetItemParameters(out[1].node->itemNumber), "");
    EXPECT_EQ(L.s.table.programNumbers.length(), 1);
}

TEST_F(Editing, DroppedShortcutsBecomeItemsForTheirTargets) {
    L.t.write("Editor.lnk", test::LinkTo("/opt/ed/editor.exe", "-n \"a b\""));
    L.t.write("nolink.lnk", "not a link at all");
#ifdef _WIN32
    const char* const toolName = "bin/tool.exe";  // programs are known by their extension there
#else
    const char* const toolName = "bin/tool";
#endif
    L.t.write(toolName, "#!/bin/sh\n");
    std::filesystem::permissions(FsPath(L.t / toolName), std::filesystem::perms::owner_all);
    // Backslashes are escapes in a desktop entry; Windows takes "/" as well.
    std::string tool = L.t / toolName;
    std::replace(tool.begin(), tool.end(), '\\', '/');
    L.t.write("Tool.desktop", "[Desktop Entry]\nType=Application\nExec=" + tool + " --fast \"\" %f\n");
    L.t.write("Bare.desktop", "[Desktop Entry]\nType=Application\nExec=tool\n");
    L.t.write("Vim.desktop", "[Desktop Entry]\nType=Application\nExec=/usr/bin/vim %F\nTerminal=true\n");
    L.t.write("Dir.desktop", "[Desktop Entry]\nType=Directory\n");
    // Named by their Name, whether resolved to their program or kept.
    L.t.write("Named.desktop", "[Desktop Entry]\nType=Application\nName= Tool Box \nExec=" + tool + "\n");
    L.t.write("Term.desktop", "[Desktop Entry]\nType=Application\nName=Term\\sEditor\nExec=vi\nTerminal=true\n");
    L.t.write("display-im6.q16.desktop", "[Desktop Entry]\nType=Application\nName=\nExec=display-im6.q16 %F\n");
    L.t.write("Bar.lnk", test::LinkTo("/opt/ed/e.exe", "a|b"));
    // Links made by Windows: a program in a Windows path, and a phone.
    for (const auto& [name, sample] : {std::pair{"Xt.lnk", "broken_link_info.lnk"}, {"Phone.lnk", "sample3.lnk"}})
        std::filesystem::copy_file(std::string(ORBEL_TEST_DATA_DIR "/lnk/") + sample, L.t / name);
    struct Row {
        std::string file, path, params, name, refusal;
    };
    const Row rows[] = {
        {L.t / "Editor.lnk", "/opt/ed/editor.exe", "-n \"a b\"", "editor", ""},
        {L.t / "Tool.desktop", tool, "--fast \"\"", "tool", ""},
        {L.t / "Bare.desktop", L.t / "Bare.desktop", "", "Bare", ""},
        {L.t / "Vim.desktop", L.t / "Vim.desktop", "", "Vim", ""},
        {L.t / "Named.desktop", tool, "", "Tool Box", ""},
        {L.t / "Term.desktop", L.t / "Term.desktop", "", "Term Editor", ""},
        {L.t / "display-im6.q16.desktop", L.t / "display-im6.q16.desktop", "", "display-im6.q16", ""},
        {L.t / "nolink.lnk", "", "", "", mt::ShortcutUnreadablePrefix + (L.t / "nolink.lnk")},
        {L.t / "missing.LNK", "", "", "", mt::ShortcutUnreadablePrefix + (L.t / "missing.LNK")},
        {L.t / "Dir.desktop", "", "", "", mt::ShortcutUnreadablePrefix + (L.t / "Dir.desktop")},
        {L.t / "Bar.lnk", "", "", "", mt::ShortcutParamsBar},
        {L.t / "Xt.lnk", "C:\\Program Files\\xt\\xt.exe", "", "xt", ""},
        {L.t / "Phone.lnk", "", "", "", "The shortcut points to no file or directory: " + (L.t / "Phone.lnk")},
        {"/tmp/a|b.txt", "", "", "", mt::PathBar},
        {"/tmp/a\nb.txt", "", "", "", mt::PathLineBreak},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        const Shape before = shape();
        const EditOutcome o = DropFile(L.s, L.anchor(), r.file, capture);
        EXPECT_EQ(o.refusal, r.refusal);
        EXPECT_EQ(o.chord, !r.refusal.empty());
        if (!r.refusal.empty()) {
            EXPECT_TRUE(shape() == before);
            continue;
        }
        ASSERT_TRUE(o.done);
        EXPECT_EQ(o.node->text, r.name);
        EXPECT_EQ(L.s.table.pathOf(o.node->itemNumber), r.path);
        EXPECT_EQ(L.s.table.GetItemParameters(o.node->itemNumber), r.params);
    }
    // No place under the drop point, or a built-in one.
    for (TreeNode* t : {static_cast<TreeNode*>(nullptr), L.kit()}) {
        const EditOutcome o = DropFile(L.s, t, "/home/u/a.txt", capture);
        EXPECT_EQ(o.refusal, mt::DropRefused);
        EXPECT_TRUE(o.chord);
    }
}

}  // namespace
}  // namespace orbel
