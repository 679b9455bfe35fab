#include "core/store/node_kinds.h"

#include "core/store/image_table.h"
#include "core/store/program_kind.h"

namespace orbel {

bool IsFolderNode(const TreeNode* n) { return n && (n->imageIndex == img::Folder || n->imageIndex == img::OpenFolder); }
bool IsTopMarker(const TreeNode* n) { return n && n->imageIndex == img::TopMarker; }
bool IsPlainSeparatorNode(const TreeNode* n) { return n && n->imageIndex == img::PlainSeparator; }
bool IsTextSeparatorNode(const TreeNode* n) { return n && n->imageIndex == img::TextSeparator; }
bool IsSeparatorNode(const TreeNode* n) { return IsPlainSeparatorNode(n) || IsTextSeparatorNode(n); }
bool HasItemEntry(const TreeNode* n) { return n && n->itemNumber >= 0; }

bool IsExecutableNode(const TreeNode* n, const ItemTable& table) {
    return HasItemEntry(n) && IsProgramPath(table.pathOf(n->itemNumber));
}

bool IsBuiltInNode(const TreeNode* n) { return n && n->imageIndex == n->stateIndex; }
bool IsMovableNode(const TreeNode* n) { return n && !IsTopMarker(n) && !IsBuiltInNode(n); }

bool IsAllDashes(std::string_view text) { return text.find_first_not_of('-') == std::string_view::npos; }

std::string SeparatorCaption(const TreeNode& node) {
    const std::string& t = node.text;
    const std::size_t frame = kTextSeparatorFrame.size();
    return t.size() >= 2 * frame ? t.substr(frame, t.size() - 2 * frame) : std::string();
}

std::unique_ptr<TreeNode> MakeTopMarkerNode() {
    return std::make_unique<TreeNode>("", img::TopMarker, img::TopMarker, -1, -1);
}

std::unique_ptr<TreeNode> MakeFolderNode(const std::string& name) {
    auto folder = std::make_unique<TreeNode>(name, img::Folder, img::Folder, -1, -1);
    // Attached before the folder joins a tree, so no view sees it half made.
    ItemTree scratch;
    TreeNode* f = scratch.append(nullptr, std::move(folder));
    scratch.append(f, MakeTopMarkerNode());
    return scratch.take(f);
}

std::unique_ptr<TreeNode> MakePlainSeparatorNode() {
    return std::make_unique<TreeNode>(std::string(kPlainSeparatorText), img::PlainSeparator, img::PlainSeparator, -1,
                                      -1);
}

std::unique_ptr<TreeNode> MakeTextSeparatorNode(const std::string& caption) {
    const std::string frame(kTextSeparatorFrame);
    return std::make_unique<TreeNode>(frame + caption + frame, img::TextSeparator, img::TextSeparator, -1, -1);
}

std::unique_ptr<TreeNode> MakeSeparatorNode(const std::string& caption) {
    return IsAllDashes(caption) ? MakePlainSeparatorNode() : MakeTextSeparatorNode(caption);
}

std::unique_ptr<TreeNode> MakeItemNode(const std::string& caption, int image, int itemNumber) {
    return std::make_unique<TreeNode>(caption, image, image, -1, itemNumber);
}

std::unique_ptr<TreeNode> MakeBuiltInNode(std::string_view text, int image) {
    return std::make_unique<TreeNode>(std::string(text), image, image, image, -1);
}

}  // namespace orbel
