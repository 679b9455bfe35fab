#pragma once
// The item tree edited by the item manager and built by the loader: plain
// nodes, no toolkit. A view adapter listens through TreeObserver so that one
// edit touches one row of the view, never the whole tree.

#include <memory>
#include <string>
#include <vector>

namespace orbel {

class ItemTree;

class TreeNode {
public:
    std::string text;
    int imageIndex = 0;
    int selectedIndex = 0;
    int stateIndex = -1;
    int itemNumber = -1;  // -1 for every node that is not an item
    bool cut = false;     // drawn dimmed while on the clipboard after Cut

    TreeNode() = default;
    TreeNode(std::string text, int image, int selected, int state, int itemNumber);
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    TreeNode* parent() const { return parent_; }  // nullptr at the top level
    int row() const { return row_; }              // index among its siblings
    int level() const;                            // 0 at the top level
    int childCount() const { return static_cast<int>(children_.size()); }
    TreeNode* child(int i) const { return children_[static_cast<size_t>(i)].get(); }
    TreeNode* firstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TreeNode* lastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
    TreeNode* nextSibling() const;
    TreeNode* prevSibling() const;
    bool hasChildren() const { return !children_.empty(); }

private:
    friend class ItemTree;
    TreeNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TreeNode>>* siblings_ = nullptr;  // the list holding this node
    int row_ = 0;
    std::vector<std::unique_ptr<TreeNode>> children_;
};

// What a view needs to follow the tree edit by edit.
class TreeObserver {
public:
    virtual ~TreeObserver() = default;
    // parent is nullptr for the top level.
    virtual void beginInsert(TreeNode* parent, int first, int last) = 0;
    virtual void endInsert() = 0;
    virtual void beginRemove(TreeNode* parent, int first, int last) = 0;
    virtual void endRemove() = 0;
    virtual void beginMove(TreeNode* srcParent, int srcRow, TreeNode* dstParent, int dstRow) = 0;
    virtual void endMove() = 0;
    virtual void nodeChanged(TreeNode* node) = 0;
    virtual void beginReset() = 0;
    virtual void endReset() = 0;
};

class ItemTree {
public:
    ItemTree() = default;
    ItemTree(const ItemTree&) = delete;
    ItemTree& operator=(const ItemTree&) = delete;

    // For the item manager's tree: the icons captured since the last load.
    int capturedIcons = 0;

    void setObserver(TreeObserver* observer) { observer_ = observer; }
    TreeObserver* observer() const { return observer_; }

    int topLevelCount() const { return static_cast<int>(top_.size()); }
    TreeNode* topLevel(int i) const { return top_[static_cast<size_t>(i)].get(); }
    TreeNode* firstTopLevel() const { return top_.empty() ? nullptr : top_.front().get(); }
    bool empty() const { return top_.empty(); }
    int childCount(const TreeNode* parent) const;
    TreeNode* child(const TreeNode* parent, int row) const;
    size_t nodeCount() const;  // all nodes, every level

    // Insert at row under parent (nullptr = top level); returns the node.
    TreeNode* insert(TreeNode* parent, int row, std::unique_ptr<TreeNode> node);
    TreeNode* append(TreeNode* parent, std::unique_ptr<TreeNode> node);
    // Insert directly after a sibling, under that sibling's parent.
    TreeNode* insertAfter(TreeNode* sibling, std::unique_ptr<TreeNode> node);
    // Detach a node (with its subtree) and hand it back.
    std::unique_ptr<TreeNode> take(TreeNode* node);
    void remove(TreeNode* node) { take(node); }
    // Move a node (with its subtree) to directly after target, under target's parent.
    void moveAfter(TreeNode* node, TreeNode* target);
    // Report a change of a node's fields to the view.
    void changed(TreeNode* node);
    void clear();

    // Deep copy of other's nodes: text, images, state index, item number and
    // children; no cut mark. Replaces the whole content; copies the captured-icon count.
    void assign(const ItemTree& other);
    // Deep copy of one subtree, detached (for paste as duplicate).
    static std::unique_ptr<TreeNode> clone(const TreeNode& node);
    // Whether node is a live node of this tree.
    bool contains(const TreeNode* node) const;

    template <class F> void forEach(F&& f) const {
        for (auto& n : top_) walk(*n, f);
    }

private:
    template <class F> static void walk(TreeNode& n, F& f) {
        f(n);
        for (auto& c : n.children_) walk(*c, f);
    }
    std::vector<std::unique_ptr<TreeNode>>& siblingsOf(TreeNode* parent);
    static void renumber(std::vector<std::unique_ptr<TreeNode>>& v, size_t from);

    std::vector<std::unique_ptr<TreeNode>> top_;
    TreeObserver* observer_ = nullptr;
};

}  // namespace orbel
