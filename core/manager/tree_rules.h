#pragma once
// The item manager's rules over its tree: folder names, where a node may be
// placed, which buttons a selection enables. Pure functions; refusals come
// back as the message the dialog shows (it also decides on the sound).

#include <optional>
#include <string>
#include <string_view>

#include "core/manager/manager_texts.h"
#include "core/store/item_table.h"
#include "core/store/item_tree.h"

namespace orbel {

// Leading and trailing blanks and control characters removed.
std::string TrimName(std::string_view text);

// False when the name holds one of \ / : * ? " < > |.
bool IsValidFolderName(std::string_view name);
// ".", "..", "shortcuts.txt" (the index file's name) or longer than a
// directory name may be: the store could not hold the folder.
bool IsReservedFolderName(std::string_view name);
// Trimmed, lower-case compare with the node's siblings: backward from the
// node (or its previous sibling when !includeNode); only if nothing was
// found there, forward from the next sibling up to the first built-in node.
bool SiblingNameUsed(const TreeNode* node, std::string_view name, bool includeNode);
// True when ancestor is node itself or one of node's ancestors.
bool IsWithin(const TreeNode* node, const TreeNode* ancestor);

// The refusal message for a folder name (already trimmed), in the order the
// rename rule uses (later checks override earlier ones: bad character,
// duplicate, reserved, empty); empty when accepted. node is the folder being
// renamed (its own text is not a conflict).
std::string RenameFolderRefusal(const TreeNode* node, std::string_view name);
// The same for Attach, whose first failing check wins (empty, bad character,
// reserved, duplicate including the selected node itself); selected is the
// node the new folder goes after.
std::string AttachFolderRefusal(const TreeNode* selected, std::string_view name);

struct Placement {
    bool allowed = true;
    std::string refusal;  // shown in the status line when not allowed
};
// May moving be placed directly after target? Non-folders always may; a
// folder among its own siblings may; otherwise no duplicate name among the
// target's siblings (target included) and not into its own subtree.
Placement PlacementAllowed(const TreeNode* moving, const TreeNode* target);

struct ButtonStates {
    bool cut = false, copy = false, paste = false, del = false, launch = false;
    // Add Applications.. puts its folder after the selection, as Attach does.
    bool applications = false;
    // Set only while Attach is armed; std::nullopt: leave the button as it is.
    std::optional<bool> attach;
    // The PlacementAllowed refusal to show (empty: nothing to show).
    std::string status;
};
// The enabled state of the buttons for a selection (nullptr: none selected).
// Paste stays disabled on built-in nodes: Save stops at the first of them.
ButtonStates RefreshButtons(const TreeNode* selected, const TreeNode* clipboard, bool attachArmed);

// Clears the clipboard (taking the cut mark off the node when it is still
// in the tree) and returns the node to select: the top-level anchor.
TreeNode* ResetSelection(ItemTree& items, TreeNode*& clipboard);

}  // namespace orbel
