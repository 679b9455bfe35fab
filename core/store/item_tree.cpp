#include "core/store/item_tree.h"

#include <stdexcept>

namespace orbel {

TreeNode::TreeNode(std::string t, int image, int selected, int state, int d)
    : text(std::move(t)), imageIndex(image), selectedIndex(selected), stateIndex(state), itemNumber(d) {}

int TreeNode::level() const {
    int l = 0;
    for (const TreeNode* p = parent_; p; p = p->parent_) ++l;
    return l;
}

TreeNode* TreeNode::nextSibling() const {
    if (!siblings_ || row_ + 1 >= static_cast<int>(siblings_->size())) return nullptr;
    return (*siblings_)[static_cast<size_t>(row_ + 1)].get();
}

TreeNode* TreeNode::prevSibling() const {
    if (!siblings_ || row_ <= 0) return nullptr;
    return (*siblings_)[static_cast<size_t>(row_ - 1)].get();
}

TreeNode* ItemTree::child(const TreeNode* parent, int row) const {
    const auto& v = parent ? parent->children_ : top_;
    if (row < 0 || row >= static_cast<int>(v.size())) return nullptr;
    return v[static_cast<size_t>(row)].get();
}

int ItemTree::childCount(const TreeNode* parent) const {
    return static_cast<int>(parent ? parent->children_.size() : top_.size());
}

size_t ItemTree::nodeCount() const {
    size_t n = 0;
    forEach([&](const TreeNode&) { ++n; });
    return n;
}

std::vector<std::unique_ptr<TreeNode>>& ItemTree::siblingsOf(TreeNode* parent) {
    return parent ? parent->children_ : top_;
}

void ItemTree::renumber(std::vector<std::unique_ptr<TreeNode>>& v, size_t from) {
    for (size_t i = from; i < v.size(); ++i) v[i]->row_ = static_cast<int>(i);
}

TreeNode* ItemTree::insert(TreeNode* parent, int row, std::unique_ptr<TreeNode> node) {
    if (!node) throw std::invalid_argument("ItemTree::insert: no node");
    auto& v = siblingsOf(parent);
    if (row < 0 || row > static_cast<int>(v.size())) row = static_cast<int>(v.size());
    if (observer_) observer_->beginInsert(parent, row, row);
    TreeNode* raw = node.get();
    raw->parent_ = parent;
    raw->siblings_ = &v;
    v.insert(v.begin() + row, std::move(node));
    renumber(v, static_cast<size_t>(row));
    if (observer_) observer_->endInsert();
    return raw;
}

TreeNode* ItemTree::append(TreeNode* parent, std::unique_ptr<TreeNode> node) {
    return insert(parent, childCount(parent), std::move(node));
}

TreeNode* ItemTree::insertAfter(TreeNode* sibling, std::unique_ptr<TreeNode> node) {
    if (!sibling) return insert(nullptr, 0, std::move(node));
    return insert(sibling->parent_, sibling->row_ + 1, std::move(node));
}

std::unique_ptr<TreeNode> ItemTree::take(TreeNode* node) {
    if (!node) return nullptr;
    auto& v = siblingsOf(node->parent_);
    const int row = node->row_;
    if (row < 0 || row >= static_cast<int>(v.size()) || v[static_cast<size_t>(row)].get() != node)
        throw std::logic_error("ItemTree::take: node is not in this tree");
    if (observer_) observer_->beginRemove(node->parent_, row, row);
    std::unique_ptr<TreeNode> owned = std::move(v[static_cast<size_t>(row)]);
    v.erase(v.begin() + row);
    renumber(v, static_cast<size_t>(row));
    owned->parent_ = nullptr;
    owned->siblings_ = nullptr;
    owned->row_ = 0;
    if (observer_) observer_->endRemove();
    return owned;
}

void ItemTree::moveAfter(TreeNode* node, TreeNode* target) {
    if (!node || !target || node == target) return;
    for (TreeNode* p = target; p; p = p->parent_)
        if (p == node) throw std::logic_error("ItemTree::moveAfter: target lies inside the node");
    TreeNode* srcParent = node->parent_;
    TreeNode* dstParent = target->parent_;
    const int srcRow = node->row_;
    // Row in the destination list as it stands before the move (the view's
    // convention), and the row after the node has been taken out.
    const int dstRowBefore = target->row_ + 1;
    if (srcParent == dstParent && (dstRowBefore == srcRow || dstRowBefore == srcRow + 1)) return;
    if (observer_) observer_->beginMove(srcParent, srcRow, dstParent, dstRowBefore);
    TreeObserver* saved = observer_;
    observer_ = nullptr;
    auto owned = take(node);
    insert(dstParent, target->row_ + 1, std::move(owned));
    observer_ = saved;
    if (observer_) observer_->endMove();
}

void ItemTree::changed(TreeNode* node) {
    if (observer_ && node) observer_->nodeChanged(node);
}

void ItemTree::clear() {
    if (observer_) observer_->beginReset();
    top_.clear();
    if (observer_) observer_->endReset();
}

std::unique_ptr<TreeNode> ItemTree::clone(const TreeNode& n) {
    auto copy = std::make_unique<TreeNode>(n.text, n.imageIndex, n.selectedIndex, n.stateIndex, n.itemNumber);
    copy->children_.reserve(n.children_.size());
    for (const auto& c : n.children_) {
        auto cc = clone(*c);
        cc->parent_ = copy.get();
        cc->siblings_ = &copy->children_;
        cc->row_ = static_cast<int>(copy->children_.size());
        copy->children_.push_back(std::move(cc));
    }
    return copy;
}

void ItemTree::assign(const ItemTree& other) {
    if (&other == this) return;
    if (observer_) observer_->beginReset();
    top_.clear();
    top_.reserve(other.top_.size());
    for (const auto& n : other.top_) {
        auto c = clone(*n);
        c->row_ = static_cast<int>(top_.size());
        c->siblings_ = &top_;
        top_.push_back(std::move(c));
    }
    capturedIcons = other.capturedIcons;
    if (observer_) observer_->endReset();
}

bool ItemTree::contains(const TreeNode* node) const {
    if (!node) return false;
    bool found = false;
    forEach([&](const TreeNode& n) { found = found || &n == node; });
    return found;
}

}  // namespace orbel
