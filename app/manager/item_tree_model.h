#pragma once
// Shows the item tree in a tree view. The tree reports each edit, so the view
// changes row by row and is never rebuilt for one edit.

#include <QAbstractItemModel>

#include "core/store/item_tree.h"

namespace orbel {

class ImageLists;

class ItemTreeModel : public QAbstractItemModel, public TreeObserver {
    Q_OBJECT
public:
    ItemTreeModel(ItemTree& tree, const ImageLists& images, QObject* parent = nullptr);
    ~ItemTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

    TreeNode* nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(const TreeNode* node) const;
    ItemTree& tree() const { return tree_; }

    // TreeObserver
    void beginInsert(TreeNode* parent, int first, int last) override;
    void endInsert() override;
    void beginRemove(TreeNode* parent, int first, int last) override;
    void endRemove() override;
    void beginMove(TreeNode* srcParent, int srcRow, TreeNode* dstParent, int dstRow) override;
    void endMove() override;
    void nodeChanged(TreeNode* node) override;
    void beginReset() override;
    void endReset() override;

    // Bulk rebuilds (load, reload) run without per-row reports; the view
    // takes the whole tree again afterwards.
    void detach();
    void attach();

    // Set by the view when a folder opens or closes: its selected image.
    void setExpanded(const QModelIndex& index, bool expanded);
    // The selected node shows its selected image (an expanded folder opens).
    void setCurrent(const QModelIndex& index);

private:
    ItemTree& tree_;
    const ImageLists& images_;
    const TreeNode* current_ = nullptr;
};

}  // namespace orbel
