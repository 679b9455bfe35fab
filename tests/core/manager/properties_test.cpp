// The properties panel per node kind and the two edits it makes.

#include "core/manager/properties.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/manager/tree_rules.h"
#include "tests/core/manager/manager_test_support.h"

namespace orbel {
namespace {

using test::LoadedStore;

TEST(ItemPaths, TypeLine) {
    const std::pair<const char*, const char*> rows[] = {
        {"/home/u/Docs/report.txt", "Item Type: Startable item"},
        {"/home/u/Docs", "Item Type: Startable item"},
        {"/home/u/Docs/", "Item Type: Startable item"},
        {"/", "Item Type: Startable item"},
        {"/opt/t/SETUP.EXE", "Item Type: Executable item"},
        {"/opt/t/run.BAT", "Item Type: Runable item"},
        {"/home/u/Desktop/x.lnk", "Item Type: Shortcut item"},
        {"/usr/share/applications/vim.desktop", "Item Type: Shortcut item"},
        {"/home/u/Run.DESKTOP", "Item Type: Shortcut item"},
        {"/a.exe/readme", "Item Type: Startable item"},
        {"plain", "Item Type: Startable item"},
    };
    for (const auto& [path, type] : rows) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ItemTypeLine(path), type);
        EXPECT_NE(std::count(ItemTypeLines().begin(), ItemTypeLines().end(), type), 0);
    }
}

TEST(Properties, EachCaseOfThePanel) {
    LoadedStore L;
    TreeNode* folder = L.folder(L.anchor(), "Tools");
    TreeNode* plain = L.separator(folder, "");
    TreeNode* text = L.separator(plain, "News");
    TreeNode* exe = L.item(text, "Setup", "/opt/t/setup.exe", "-q");
    TreeNode* doc = L.item(exe, "Report", "/home/u/Docs/report.txt");
    struct Row {
        const char* what;
        const TreeNode* node;
        const char* type;
        const char* name;
        bool nameOn;
        const char* file;
        const char* path;
        const char* params;
        bool paramsOn;
    };
    const Row rows[] = {
        {"top", L.anchor(), "Item Type: Utility item", "Top", false, "File Name: N/A", "File Path: N/A", "N/A", false},
        {"marker", folder->firstChild(), "Item Type: Utility item", "Top", false, "File Name: N/A", "File Path: N/A",
         "N/A", false},
        {"folder", folder, "Item Type: Virtual item", "Tools", true, "File Name: N/A", "File Path: N/A", "N/A", false},
        {"plain", plain, "Item Type: Separator item", "", true, "File Name: N/A", "File Path: N/A", "N/A", false},
        {"text", text, "Item Type: Separator item", "News", true, "File Name: N/A", "File Path: N/A", "N/A", false},
        {"program", exe, "Item Type: Executable item", "Setup", true, "File Name: setup.exe", "File Path: /opt/t/",
         "-q", true},
        {"document", doc, "Item Type: Startable item", "Report", true, "File Name: report.txt",
         "File Path: /home/u/Docs/", "N/A", false},
        {"Sysmenu", L.sysmenu(), "Item Type: Program item", "Sysmenu", false, "File Name: N/A", "File Path: N/A", "N/A",
         false},
        {"kit", L.kit(), "Item Type: Program item", "Orbel Kit", false, "File Name: N/A", "File Path: N/A", "N/A",
         false},
        {"kit line", L.kit()->child(1), "Item Type: Program item", "", false, "File Name: N/A", "File Path: N/A", "N/A",
         false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const PropertiesView v = ShowProperties(r.node, L.s.table);
        EXPECT_EQ(v.imageIndex, r.node->imageIndex);
        EXPECT_EQ(v.typeLine, r.type);
        EXPECT_NE(std::count(ItemTypeLines().begin(), ItemTypeLines().end(), r.type), 0);
        EXPECT_EQ(v.nameText, r.name);
        EXPECT_EQ(v.nameEnabled, r.nameOn);
        EXPECT_EQ(v.fileNameLine, r.file);
        EXPECT_EQ(v.filePathLine, r.path);
        EXPECT_EQ(v.paramsText, r.params);
        EXPECT_EQ(v.paramsEnabled, r.paramsOn);
    }
    const PropertiesView none = ShowProperties(nullptr, L.s.table);
    EXPECT_FALSE(none.nameEnabled);
    EXPECT_FALSE(none.paramsEnabled);
}

TEST(EditName, SeparatorsSwitchKindByTheirText) {
    LoadedStore L;
    TreeNode* sep = L.separator(L.anchor(), "");
    struct Step {
        const char* box;
        const char* text;
        int image;
        bool imageChanged;
    };
    const Step steps[] = {
        {"N", "--N--", 4, true},
        {"Ne", "--Ne--", 4, false},
        {" Ne ", "-- Ne --", 4, false},
        {"", "---------------", 3, true},
        {"-----", "---------------", 3, false},
        {"a\r\nb", "--ab--", 4, true},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.box);
        const EditResult r = EditNodeName(L.s.items, sep, st.box);
        EXPECT_TRUE(r.applied);
        EXPECT_EQ(sep->text, st.text);
        EXPECT_EQ(sep->imageIndex, st.image);
        EXPECT_EQ(sep->selectedIndex, st.image);
        EXPECT_EQ(r.imageChanged, st.imageChanged);
    }
}

TEST(EditName, FoldersKeepTheirLastAcceptedName) {
    LoadedStore L;
    TreeNode* f = L.folder(L.anchor(), "Tools");
    TreeNode* item = L.item(f, "games", "/usr/games");
    struct Step {
        const char* box;
        const char* refusal;
        const char* text;
    };
    const Step steps[] = {
        {" Work ", "", "Work"},
        {"Wo:rk", manager_texts::FolderBadChar, "Work"},
        {"Games", manager_texts::FolderDuplicate, "Work"},  // an item's caption counts
        {"", manager_texts::FolderNeedsName, "Work"},
        {"  ", manager_texts::FolderNeedsName, "Work"},
        {"..", manager_texts::FolderReserved, "Work"},
        {"Pla\nces", "", "Places"},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.box);
        const EditResult r = EditNodeName(L.s.items, f, st.box);
        EXPECT_EQ(r.refusal, st.refusal);
        EXPECT_EQ(r.applied, std::string(st.refusal).empty());
        EXPECT_FALSE(r.chord);
        EXPECT_EQ(f->text, st.text);
    }
    // The pasted line break is taken out of the box too.
    const EditResult r = EditNodeName(L.s.items, f, "Pla\nces");
    EXPECT_TRUE(r.boxCorrected);
    EXPECT_EQ(r.boxText, "Places");

    // Items take any text, trimmed, empty included.
    EXPECT_TRUE(EditNodeName(L.s.items, item, "  Fun \r\n").applied);
    EXPECT_EQ(item->text, "Fun");
    EXPECT_TRUE(EditNodeName(L.s.items, item, "").applied);
    EXPECT_EQ(item->text, "");
    // Top markers and built-in nodes are never renamed.
    EXPECT_FALSE(EditNodeName(L.s.items, L.anchor(), "x").applied);
    EXPECT_FALSE(EditNodeName(L.s.items, L.kit(), "x").applied);
    EXPECT_EQ(L.kit()->text, "Orbel Kit");
}

TEST(EditParameters, BarRefusedLineBreaksDroppedCopiesShareThem) {
    LoadedStore L;
    TreeNode* exe = L.item(L.anchor(), "Setup", "/opt/t/setup.exe", "-q");
    TreeNode* doc = L.item(exe, "Doc", "/home/u/a.txt");
    TreeNode* copy = L.s.items.insertAfter(doc, MakeItemNode("Setup", 6, exe->itemNumber));

    EditResult r = EditNodeParameters(L.s.table, exe, "-v a|b");
    EXPECT_FALSE(r.applied);
    EXPECT_EQ(r.refusal, "The parameters can not contain: |");
    EXPECT_TRUE(r.chord);
    EXPECT_TRUE(r.boxCorrected);
    EXPECT_EQ(r.boxText, "-q");
    EXPECT_EQ(L.s.table.GetItemParameters(exe->itemNumber), "-q");

    r = EditNodeParameters(L.s.table, exe, " --x\r\n2 ");
    EXPECT_TRUE(r.applied);
    EXPECT_EQ(r.boxText, " --x2 ");
    EXPECT_EQ(L.s.table.GetItemParameters(copy->itemNumber), " --x2 ");

    EXPECT_FALSE(EditNodeParameters(L.s.table, doc, "x").applied);
    EXPECT_EQ(L.s.table.parameters.length(), 1);
}

TEST(EditParameters, ProgramLoadedAsFileItemGetsItsOwnEntry) {
    LoadedStore L;
    L.item(L.anchor(), "Other", "/opt/o/other.exe", "keep");
    // A file-item line for a program: path table entry, no parameter entry.
    const int number = L.s.nextItemNumber++;
    AppendString(L.s.table.paths, "/opt/t/tool.exe");
    TreeNode* tool = L.s.items.insertAfter(L.anchor(), MakeItemNode("Tool", 6, number));
    EXPECT_EQ(ShowProperties(tool, L.s.table).paramsText, "");
    EXPECT_TRUE(EditNodeParameters(L.s.table, tool, "-a").applied);
    EXPECT_TRUE(EditNodeParameters(L.s.table, tool, "-ab").applied);
    EXPECT_EQ(L.s.table.GetItemParameters(number), "-ab");
    EXPECT_EQ(L.s.table.GetItemParameters(0), "keep");
    EXPECT_EQ(L.s.table.programNumbers.length(), L.s.table.parameters.length());
}

}  // namespace
}  // namespace orbel
