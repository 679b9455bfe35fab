#include "core/manager/tree_rules.h"

#include "core/store/folder_names.h"
#include "core/store/node_kinds.h"

namespace orbel {

namespace {

// Blanks and control characters, the bytes the name trimming removes.
bool IsTrimmed(unsigned char c) { return c <= ' ' || c == 127; }

bool SameName(const TreeNode* n, const std::string& wanted) {
    return FolderNameKey(TrimName(n->text), LetterCase::Ignored) == wanted;
}

// The refusal for a name the store cannot hold as a directory.
const char* ReservedNameRefusal(std::string_view name) {
    return FindFolderNameFault(name) == FolderNameFault::TooLong ? manager_texts::FolderTooLong
                                                                 : manager_texts::FolderReserved;
}

}  // namespace

std::string TrimName(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsTrimmed(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && IsTrimmed(static_cast<unsigned char>(text[e - 1]))) --e;
    return std::string(text.substr(b, e - b));
}

bool IsValidFolderName(std::string_view name) { return name.find_first_of("\\/:*?\"<>|") == std::string_view::npos; }

bool IsReservedFolderName(std::string_view name) {
    const FolderNameFault fault = FindFolderNameFault(name);
    return fault == FolderNameFault::Reserved || fault == FolderNameFault::TooLong;
}

bool SiblingNameUsed(const TreeNode* node, std::string_view name, bool includeNode) {
    if (!node) return false;
    const std::string wanted = FolderNameKey(TrimName(name), LetterCase::Ignored);
    for (const TreeNode* n = includeNode ? node : node->prevSibling(); n; n = n->prevSibling())
        if (SameName(n, wanted)) return true;
    for (const TreeNode* n = node->nextSibling(); n && !IsBuiltInNode(n); n = n->nextSibling())
        if (SameName(n, wanted)) return true;
    return false;
}

bool IsWithin(const TreeNode* node, const TreeNode* ancestor) {
    if (!node || !ancestor) return false;
    const int top = ancestor->level();
    int level = node->level();
    while (node != ancestor) {
        if (top >= level) return false;
        node = node->parent();
        --level;
    }
    return true;
}

std::string RenameFolderRefusal(const TreeNode* node, std::string_view name) {
    // Later checks win, so an empty name always reports the empty-name text.
    std::string error;
    if (!IsValidFolderName(name)) error = manager_texts::FolderBadChar;
    if (SiblingNameUsed(node, name, false)) error = manager_texts::FolderDuplicate;
    if (IsReservedFolderName(name)) error = ReservedNameRefusal(name);
    if (name.empty()) error = manager_texts::FolderNeedsName;
    return error;
}

std::string AttachFolderRefusal(const TreeNode* selected, std::string_view name) {
    if (name.empty()) return manager_texts::FolderNeedsName;
    if (!IsValidFolderName(name)) return manager_texts::FolderBadChar;
    if (IsReservedFolderName(name)) return ReservedNameRefusal(name);
    if (SiblingNameUsed(selected, name, true)) return manager_texts::FolderDuplicate;
    return {};
}

Placement PlacementAllowed(const TreeNode* moving, const TreeNode* target) {
    if (!moving || !target) return {false, {}};
    if (!IsFolderNode(moving)) return {};
    if (moving->parent() == target->parent()) return {};
    if (SiblingNameUsed(target, moving->text, true)) return {false, manager_texts::FolderDuplicate};
    if (IsWithin(target, moving)) return {false, manager_texts::FolderIntoOwn};
    return {};
}

ButtonStates RefreshButtons(const TreeNode* s, const TreeNode* clipboard, bool attachArmed) {
    ButtonStates b;
    if (attachArmed) b.attach = s && !IsBuiltInNode(s);
    b.applications = s && !IsBuiltInNode(s);
    if (!s) return b;
    b.cut = IsMovableNode(s);
    b.copy = !IsFolderNode(s) && b.cut;
    // Nothing pasted after or inside a built-in node would ever be saved.
    if (clipboard && !IsBuiltInNode(s)) {
        const Placement p = PlacementAllowed(clipboard, s);
        b.paste = p.allowed;
        b.status = p.refusal;
    }
    b.del = IsMovableNode(s);
    b.launch = HasItemEntry(s);
    return b;
}

TreeNode* ResetSelection(ItemTree& items, TreeNode*& clipboard) {
    if (clipboard && items.contains(clipboard) && clipboard->cut) {
        clipboard->cut = false;
        items.changed(clipboard);
    }
    clipboard = nullptr;
    return items.firstTopLevel();
}

}  // namespace orbel
