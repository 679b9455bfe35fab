#pragma once
// Loading the item store into the item tree, the live menu, the item table
// and the image table, in one pass; the reload after a save; the handling
// of a leftover backup at start-up.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/store/item_store.h"

namespace orbel {

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
