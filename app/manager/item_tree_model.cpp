#include "app/manager/item_tree_model.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPixmap>

#include "app/images/image_lists.h"
#include "core/store/node_kinds.h"

namespace orbel {

ItemTreeModel::ItemTreeModel(ItemTree& tree, const ImageLists& images, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), images_(images) {
    tree_.setObserver(this);
}

ItemTreeModel::~ItemTreeModel() {
    if (tree_.observer() == this) tree_.setObserver(nullptr);
}

TreeNode* ItemTreeModel::nodeAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex ItemTreeModel::indexOf(const TreeNode* node) const {
    if (!node) return {};
    return createIndex(node->row(), 0, const_cast<TreeNode*>(node));
}

QModelIndex ItemTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0) return {};
    TreeNode* n = tree_.child(nodeAt(parent), row);
    return n ? createIndex(row, 0, n) : QModelIndex();
}

QModelIndex ItemTreeModel::parent(const QModelIndex& child) const {
    TreeNode* n = nodeAt(child);
    return n ? indexOf(n->parent()) : QModelIndex();
}

int ItemTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return tree_.childCount(nodeAt(parent));
}

int ItemTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool ItemTreeModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

QVariant ItemTreeModel::data(const QModelIndex& index, int role) const {
    TreeNode* n = nodeAt(index);
    if (!n) return {};
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(n->text);
    case Qt::DecorationRole: {
        if (n->itemNumber >= 0) {
            const QIcon desktop = images_.treeIcon(n->itemNumber, n->cut);
            if (!desktop.isNull()) return desktop;
        }
        QImage img = images_.treeImage(n == current_ ? n->selectedIndex : n->imageIndex);
        if (n->cut && !img.isNull()) {
            // A node on the clipboard after Cut is drawn dimmed.
            QImage dim(img.size(), QImage::Format_ARGB32_Premultiplied);
            dim.fill(Qt::transparent);
            QPainter p(&dim);
            p.setOpacity(0.45);
            p.drawImage(0, 0, img);
            p.end();
            img = dim;
        }
        return img.isNull() ? QVariant() : QVariant(QPixmap::fromImage(img));
    }
    case Qt::ForegroundRole:
        if (n->cut) return QBrush(QColor(128, 128, 128));
        return {};
    default: return {};
    }
}

Qt::ItemFlags ItemTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ItemTreeModel::beginInsert(TreeNode* parent, int first, int last) {
    beginInsertRows(indexOf(parent), first, last);
}
void ItemTreeModel::endInsert() { endInsertRows(); }
void ItemTreeModel::beginRemove(TreeNode* parent, int first, int last) {
    // The current node may go with the removed rows; never keep a stale one.
    for (const TreeNode* n = current_; n; n = n->parent())
        if (n->parent() == parent && n->row() >= first && n->row() <= last) {
            current_ = nullptr;
            break;
        }
    beginRemoveRows(indexOf(parent), first, last);
}
void ItemTreeModel::endRemove() { endRemoveRows(); }
void ItemTreeModel::beginMove(TreeNode* srcParent, int srcRow, TreeNode* dstParent, int dstRow) {
    beginMoveRows(indexOf(srcParent), srcRow, srcRow, indexOf(dstParent), dstRow);
}
void ItemTreeModel::endMove() { endMoveRows(); }
void ItemTreeModel::nodeChanged(TreeNode* node) {
    const QModelIndex i = indexOf(node);
    emit dataChanged(i, i);
}
void ItemTreeModel::beginReset() {
    current_ = nullptr;
    beginResetModel();
}
void ItemTreeModel::endReset() { endResetModel(); }

void ItemTreeModel::detach() {
    current_ = nullptr;
    beginResetModel();
    tree_.setObserver(nullptr);
}

void ItemTreeModel::attach() {
    tree_.setObserver(this);
    endResetModel();
}

void ItemTreeModel::setExpanded(const QModelIndex& index, bool expanded) {
    TreeNode* n = nodeAt(index);
    if (!IsFolderNode(n) || IsBuiltInNode(n)) return;
    n->selectedIndex = expanded ? img::OpenFolder : img::Folder;
    nodeChanged(n);
}

void ItemTreeModel::setCurrent(const QModelIndex& index) {
    const TreeNode* before = current_;
    current_ = nodeAt(index);
    if (before == current_) return;
    // before is still live: removals and resets clear it first.
    if (before) nodeChanged(const_cast<TreeNode*>(before));
    if (current_) nodeChanged(const_cast<TreeNode*>(current_));
}

}  // namespace orbel
