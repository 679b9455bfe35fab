#pragma once
// What a node of the item tree is, and the nodes the loader, the item
// manager and the template build. The kind rides in the image index (and
// the state index for built-in nodes); every test is null-safe and answers
// false for nullptr. The loader, the writer, the editor and the view all
// judge and make nodes here.

#include <string>
#include <memory>
#include <string_view>

#include "core/store/item_table.h"
#include "core/store/item_tree.h"

namespace orbel {

// The text of every plain separator node: 15 hyphens (its menu entry's
// caption is kMenuSeparatorCaption).
inline constexpr std::string_view kPlainSeparatorText = "---------------";
// What a text separator node's text has before and after its caption.
inline constexpr std::string_view kTextSeparatorFrame = "--";
// The text of the built-in text separator that heads the fixed entries.
inline constexpr std::string_view kSysmenuText = "--Sysmenu--";

bool IsFolderNode(const TreeNode* node);          // image 0 or 1
bool IsTopMarker(const TreeNode* node);           // image 5
bool IsPlainSeparatorNode(const TreeNode* node);  // image 3
bool IsTextSeparatorNode(const TreeNode* node);   // image 4
bool IsSeparatorNode(const TreeNode* node);       // image 3 or 4
bool HasItemEntry(const TreeNode* node);          // item number >= 0
// An item whose path counts as a program (IsProgramPath: ".exe" in any
// case, or an executable ELF/script file here).
bool IsExecutableNode(const TreeNode* node, const ItemTable& table);
bool IsBuiltInNode(const TreeNode* node);  // image index == state index
bool IsMovableNode(const TreeNode* node);  // neither top marker nor built-in
// True for "" and for a text of "-" only.
bool IsAllDashes(std::string_view text);

// The caption of a text separator node: its text without the "--" frame.
std::string SeparatorCaption(const TreeNode& node);

// Factories for nodes (item number -1 unless given; state index -1).
std::unique_ptr<TreeNode> MakeFolderNode(const std::string& name);  // with its top marker
std::unique_ptr<TreeNode> MakeTopMarkerNode();
std::unique_ptr<TreeNode> MakePlainSeparatorNode();
// "--" + caption + "--", whatever the caption holds.
std::unique_ptr<TreeNode> MakeTextSeparatorNode(const std::string& caption);
// The manager's choice: a plain separator for an all-dash caption, else a
// text separator.
std::unique_ptr<TreeNode> MakeSeparatorNode(const std::string& caption);
std::unique_ptr<TreeNode> MakeItemNode(const std::string& caption, int image, int itemNumber);
// A node of the program's own (state index = image index).
std::unique_ptr<TreeNode> MakeBuiltInNode(std::string_view text, int image);

}  // namespace orbel
