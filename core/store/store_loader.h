#pragma once
// Loading the item store into the item tree, the live menu, the item table
// and the image table, in one pass; the reload after a save; the handling
// of a leftover backup at start-up.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/store/image_table.h"
#include "core/store/item_table.h"
#include "core/store/item_tree.h"
#include "core/tray/menu_model.h"

namespace orbel {

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

    std::string storeDir() const { return dataDir + "shortcuts"; }
    std::string backupDir() const { return dataDir + "item_bak"; }
    // A save writes the new store here before it takes the store's place.
    std::string newStoreDir() const { return dataDir + "item_new"; }
    // A directory is renamed to this before it is deleted, so that a
    // deletion cut short never leaves a half-deleted store or backup.
    std::string discardDir() const { return dataDir + "item_del"; }
};

// Fills the template tree with the built-in nodes (they mirror the fixed
// menu entries).
void BuildTreeTemplate(ItemTree& basic);

// Resets the image counters, copies the template tree into the item tree
// and the template menu into the live menu (insertion position 0).
void InstallMenuTemplate(ItemStore& s);

// Separator, what an interrupted save left (RecoverStore; a leftover
// backup is asked about through ask) and store directory. The extension
// list and its icons are made by LoadStore, on its one walk of the store.
// Returns false when the user cancelled: the caller must stop (the program
// ends) and neither the store nor the backup was touched.
// Throws StoreIoError when the store directory cannot be created.
bool PrepareStore(ItemStore& s, const std::function<BackupAnswer()>& ask);

// The extension list of the store below dirWithSeparator, first met first
// (LoadStore gathers the same list while it loads).
void ScanStoreExtensions(ItemStore& s, const std::string& dirWithSeparator);
void MakeExtensionIcons(ItemStore& s);

// Builds tree, menu, item table, extension list and extension icons from
// the store, reading each index file once, and takes the snapshot (with
// treeWhenNeeded: menu and item table, the tree left pending).
void LoadStore(ItemStore& s);
// Makes the pending tree and its snapshot from the loaded menu, exactly as
// LoadStore would have made them; nothing when none is pending.
void BuildPendingTree(ItemStore& s);
int LoadIconBitmap(ItemStore& s, const std::string& file);
// The same for the bitmap name in the folder dirWithSeparator.
int LoadIconBitmap(ItemStore& s, const std::string& dirWithSeparator, const std::string& name);

// Empties everything the loader built and runs template, PrepareStore and
// LoadStore again. Returns false when the backup question was cancelled.
bool ReloadStoreModel(ItemStore& s, const std::function<BackupAnswer()>& ask);

}  // namespace orbel
