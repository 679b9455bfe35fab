#include "core/manager/undo_sweep.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/store/node_kinds.h"
#include "core/store/file_names.h"
#include "core/store/store_format.h"

namespace orbel {

void TakeSnapshot(ItemStore& s) {
    s.undo.assign(s.items);  // the captured-icon count comes along
    s.undoParameters = s.table.parameters.items();
}

TreeNode* RestoreSnapshot(ItemStore& s) {
    s.items.assign(s.undo);
    s.topAnchor = s.items.firstTopLevel();
    s.images.truncate(s.counters.lastBreak + s.items.capturedIcons + 1);
    // Entries made after the snapshot belong to items it no longer holds, or
    // to items that had none then: both go back to empty.
    const auto& saved = s.undoParameters;
    for (int i = 0; i < s.table.parameters.length(); ++i) {
        const std::string& want = static_cast<size_t>(i) < saved.size() ? saved[static_cast<size_t>(i)] : std::string();
        if (s.table.parameters.view(i) != want) s.table.parameters.set(i, want);
    }
    return s.topAnchor;
}

bool ItemTargetExists(const std::string& path) {
    std::error_code ec;
    if (!path.empty() && IsPathSeparator(path.back())) return std::filesystem::is_directory(FsPath(path), ec);
    return std::filesystem::exists(FsPath(path), ec);
}

int SweepTree(ItemTree& items, TreeNode* anchor, const ItemTable& table,
              const std::function<bool(const std::string&)>& exists) {
    if (!anchor || !anchor->nextSibling()) return 0;
    const auto alive = exists ? exists : std::function<bool(const std::string&)>(ItemTargetExists);

    auto lastOf = [&](TreeNode* first) {
        TreeNode* p = first->parent();
        return p ? p->lastChild() : items.topLevel(items.topLevelCount() - 1);
    };
    // One frame per open sibling list, visited from its last node back to
    // first; a folder's own list is finished before the folder is judged.
    struct Frame {
        TreeNode* first;
        TreeNode* cur;
        bool descended;
    };
    std::vector<Frame> stack;
    TreeNode* first = anchor->nextSibling();
    stack.push_back({first, lastOf(first), false});
    int removed = 0;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (!f.cur) {
            stack.pop_back();
            continue;
        }
        TreeNode* n = f.cur;
        if (!f.descended && IsFolderNode(n) && n->firstChild()) {
            f.descended = true;
            TreeNode* child = n->firstChild();
            stack.push_back({child, n->lastChild(), false});
            continue;
        }
        f.cur = n == f.first ? nullptr : n->prevSibling();
        f.descended = false;
        if (HasItemEntry(n) && !alive(table.pathOf(n->itemNumber))) {
            items.remove(n);
            ++removed;
        }
    }
    return removed;
}

}  // namespace orbel
