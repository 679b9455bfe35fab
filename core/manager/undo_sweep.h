#pragma once
// Undo back to the last load or save, and the sweep of items whose target
// is gone.

#include <functional>
#include <string>

#include "core/store/store_loader.h"

namespace orbel {

// The undo baseline: tree and captured-icon count (ItemStore::undo) plus the
// parameter table (ItemStore::undoParameters), so that Undo also takes back
// parameter edits. LoadStore takes it at the end of every load; SaveStore
// after a successful save.
void TakeSnapshot(ItemStore& s);

// Rebuilds items from the snapshot (observer sees one reset), sets the
// top anchor to the first top-level node, the captured-icon count to the
// snapshot's, trims the image table to lastBreak + count + 1 images and
// puts the parameters back. Returns the new anchor.
TreeNode* RestoreSnapshot(ItemStore& s);

// Whether an item's target still exists: a path ending in "/" must be a
// directory, any other path a file or a directory.
bool ItemTargetExists(const std::string& path);

// Removes every item after the anchor (all levels) whose target is gone,
// siblings from the last back; folders, separators, top markers and built-in
// nodes stay. exists defaults to ItemTargetExists. Returns the number removed.
int SweepTree(ItemTree& items, TreeNode* anchor, const ItemTable& table,
              const std::function<bool(const std::string&)>& exists = {});

}  // namespace orbel
