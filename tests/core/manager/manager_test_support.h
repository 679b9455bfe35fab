#pragma once
// A loaded store over a temporary program directory, and builders that add
// nodes the way the item manager does.

#include <string>

#include "core/store/node_kinds.h"
#include "core/store/kv_array_string.h"
#include "core/store/program_kind.h"
#include "core/store/store_loader.h"
#include "tests/core/store/store_test_support.h"

namespace orbel::test {

struct LoadedStore {
    LoadedStore() {
        s.dataDir = t.dir();
        Reload();
    }
    void Reload() {
        InstallMenuTemplate(s);
        s.table.clear();
        s.nextItemNumber = 0;
        if (!PrepareStore(s, [] { return BackupAnswer::Yes; })) throw std::runtime_error("cancelled");
        LoadStore(s);
    }
    TreeNode* anchor() const { return s.topAnchor; }

    TreeNode* folder(TreeNode* after, const std::string& name) {
        return s.items.insertAfter(after, MakeFolderNode(name));
    }
    // Into a folder, first (after its top marker).
    TreeNode* folderIn(TreeNode* parent, const std::string& name) { return folder(parent->firstChild(), name); }
    TreeNode* separator(TreeNode* after, const std::string& caption) {
        return s.items.insertAfter(after, MakeSeparatorNode(caption));
    }
    TreeNode* item(TreeNode* after, const std::string& caption, const std::string& path,
                   const std::string& params = "") {
        const int number = s.nextItemNumber++;
        AppendString(s.table.paths, path);
        if (HasExeExtension(path)) {
            AppendString(s.table.programNumbers, std::to_string(number));
            AppendString(s.table.parameters, params);
        }
        return s.items.insertAfter(after, MakeItemNode(caption, img::NoExtension, number));
    }
    // The built-in nodes at the end of the top level.
    TreeNode* sysmenu() const { return s.items.topLevel(s.items.topLevelCount() - 3); }
    TreeNode* kit() const { return s.items.topLevel(s.items.topLevelCount() - 2); }
    TreeNode* close() const { return s.items.topLevel(s.items.topLevelCount() - 1); }

    TempDir t;
    ItemStore s;
};

}  // namespace orbel::test
