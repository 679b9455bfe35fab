#pragma once
// What the program keeps of the item store while it runs, and the names of
// the directories the store and its save steps use beside each other in the
// data directory. The loader fills it, the writer saves it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/image_table.h"
#include "core/store/item_table.h"
#include "core/store/item_tree.h"
#include "core/tray/menu_model.h"

namespace orbel {

// The store's directories in the data directory.
inline constexpr std::string_view kStoreDirName = "shortcuts";
inline constexpr std::string_view kBackupDirName = "item_bak";
// A save writes the new store here before it takes the store's place.
inline constexpr std::string_view kNewStoreDirName = "item_new";
// A directory is renamed to this before it is deleted, so that a deletion
// cut short never leaves a half-deleted store or backup.
inline constexpr std::string_view kDiscardDirName = "item_del";

// Counters that track where the loader puts images (see ImageTable).
struct ImageCounters {
    int lastFixed = 11;
    int nextExtensionSlot = 12;  // also the first break image
    int secondBreak = 13;
    int lastBreak = 14;
    int loadedBitmaps = 0;         // icon bitmaps loaded so far
    int defaultProgramImage = -1;  // the "exe" extension icon once made
};

enum class BackupAnswer { Yes, No, Cancel };

// Everything the program keeps of the store while it runs.
struct ItemStore {
    ItemStore();

    // The directory that holds the store and its backups; ends with the
    // platform's separator.
    std::string dataDir;

    ItemTree items;  // the item manager's tree
    ItemTree undo;   // the snapshot: last load or save
    // The parameter table of that moment: Undo takes parameter edits back too.
    std::vector<std::string> undoParameters;
    ItemTree basic;                        // the template tree of built-in nodes
    std::unique_ptr<MenuEntry> basicMenu;  // template menu with the fixed entries
    std::unique_ptr<MenuEntry> liveMenu;   // the tray menu; its tag is the insertion position
    ItemTable table;
    ImageTable images;
    ImageCounters counters;
    int nextItemNumber = 0;
    char separator = '|';
    TreeNode* topAnchor = nullptr;  // the top-level top marker
    // LoadStore builds menu and tables only, and leaves the item manager's
    // tree and its snapshot to BuildPendingTree (the program's start: the
    // tree is first needed when the item manager opens).
    bool treeWhenNeeded = false;
    // A load left the tree to BuildPendingTree, which has not run yet.
    bool treePending = false;
    // The node "hiding" that stands behind the loaded top level while
    // LoadStore runs (top-level entries go in before it); nullptr otherwise.
    TreeNode* loadAnchor = nullptr;

    std::string storeDir() const { return dataDir + std::string(kStoreDirName); }
    std::string backupDir() const { return dataDir + std::string(kBackupDirName); }
    std::string newStoreDir() const { return dataDir + std::string(kNewStoreDirName); }
    std::string discardDir() const { return dataDir + std::string(kDiscardDirName); }
};

// Fills the template tree with the built-in nodes (they mirror the fixed
// menu entries).
void BuildTreeTemplate(ItemTree& basic);

}  // namespace orbel
