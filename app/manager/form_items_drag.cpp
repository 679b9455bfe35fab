// The item manager's dragging inside its tree: a press arms a timer, the
// drag starts once the button is still held after it and the mouse moved,
// hovered folders open by themselves, and a drop puts the node after the
// target. Files dropped from other programs arrive through TVItemsDropFiles.

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QScrollBar>

#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/services/clock.h"
#include "core/manager/editing.h"
#include "core/manager/node_kinds.h"
#include "core/manager/tree_rules.h"

namespace orbel {

namespace {

// Our own drags carry this type; the payload is the token of the drag in
// progress, so a foreign drag offering the same type is not taken for ours.
constexpr const char* kNodeMime = "application/x-tandrel-orbel-node";
constexpr int kDragThreshold = 8;
constexpr int kRepaintPasses = 10;
constexpr int kAutoScrollMargin = 16;

}  // namespace

void TFormItems::setupTimers() {
    TimerDrag = new Timer(clock_, this);
    TimerDrag->setObjectName("TimerDrag");
    TimerDrag->setInterval(150);
    TimerDrag->setSingleShot(false);
    connect(TimerDrag, &Timer::timeout, this, &TFormItems::TimerDragTimer);

    TimerExpand = new Timer(clock_, this);
    TimerExpand->setObjectName("TimerExpand");
    TimerExpand->setInterval(400);
    connect(TimerExpand, &Timer::timeout, this, &TFormItems::TimerExpandTimer);
    runDrag = [](QDrag* drag) { drag->exec(Qt::MoveAction); };
}

void TFormItems::setupEditing() {
    // The view never starts drags of its own: ours carry a node, not the
    // model's rows.
    TVItems->setDragEnabled(false);
    TVItems->setAutoScroll(false);
    TVItems->viewport()->installEventFilter(this);
    TVItems->OnDropFiles = [this](TkvWinTreeView* sender, const QString& path, QPoint at) {
        TVItemsDropFiles(sender, path, at);
    };
    TVItems->OnDropFilesEnd = [this](TkvWinTreeView*) { dropFollows = nullptr; };
}

void TFormItems::forgetNodes() {
    dragSource = nullptr;
    expandTarget = nullptr;
    dropFollows = nullptr;
    TimerDrag->stop();
    TimerExpand->stop();
    dragArmed_ = false;
}

// ---- Starting a drag ---------------------------------------------------------

void TFormItems::TVItemsMouseDown(QPoint at) {
    ensureContents();
    lastPoint_ = at;
    dragArmed_ = false;
    dragSource = treeModel->nodeAt(TVItems->indexAt(at));
    if (MayStartDrag(dragSource)) TimerDrag->start();
}

void TFormItems::TVItemsMouseUp() {
    repaintCount = 0;
    dragArmed_ = false;
    TimerDrag->stop();
    TimerExpand->stop();
}

void TFormItems::TimerDragTimer() {
    TimerDrag->stop();
    // The drag itself begins once the mouse, button still held, has moved
    // 8 pixels from where it is now (see viewportEvent); a release first
    // disarms it.
    dragArmed_ = dragSource != nullptr;
    armPoint_ = lastPoint_;
}

void TFormItems::startNodeDrag() {
    dragArmed_ = false;
    if (!MayStartDrag(dragSource)) return;
    dragToken_ = QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    auto* mime = new QMimeData;
    mime->setData(kNodeMime, dragToken_);
    auto* drag = new QDrag(TVItems);
    drag->setMimeData(mime);
    const QModelIndex i = treeModel->indexOf(dragSource);
    const QVariant icon = treeModel->data(i, Qt::DecorationRole);
    if (icon.canConvert<QPixmap>()) drag->setPixmap(icon.value<QPixmap>());
    runDrag(drag);
    drag->deleteLater();
    dragToken_.clear();
    // The drag loop took the button's release; this is its mouse up.
    TVItemsMouseUp();
}

// ---- Drag over and drop ----------------------------------------------------

bool TFormItems::TVItemsDragOver(QPoint at) {
    ensureContents();
    TreeNode* t = treeModel->nodeAt(TVItems->indexAt(at));
    const Placement p = DragAcceptance(dragSource, t);
    const bool accept = p.allowed;
    if (!p.refusal.empty()) ShowStatus(QString::fromStdString(p.refusal));
    if (TimerDrag->isActive() && t != dragSource) TimerDrag->stop();
    if (t != expandTarget) TimerExpand->stop();
    if (ExpandsOnHover(t, accept)) {
        if (!TimerExpand->isActive()) {
            TimerExpand->start();
            expandTarget = t;
        } else {
            repaintPass();
        }
    }
    return accept;
}

void TFormItems::repaintPass() {
    if (repaintCount >= kRepaintPasses || !expandTarget) return;
    ++repaintCount;
    // Redraw the rows around the hovered folder, which the drag image may
    // have smeared.
    for (const TreeNode* n : {expandTarget->firstChild(), expandTarget->nextSibling()}) {
        if (!n) continue;
        const QRect r = TVItems->visualRect(treeModel->indexOf(n));
        if (r.isValid()) TVItems->viewport()->update(r);
    }
}

void TFormItems::TimerExpandTimer() {
    ensureContents();
    TimerExpand->stop();
    if (!expandTarget) return;
    const QModelIndex i = treeModel->indexOf(expandTarget);
    if (!TVItems->isExpanded(i)) {
        selectNode(expandTarget);
        TVItems->expand(i);
    }
}

void TFormItems::TVItemsDragDrop(QPoint at) {
    ensureContents();
    TreeNode* t = treeModel->nodeAt(TVItems->indexAt(at));
    if (!t || !dragSource) return;
    // Judged again: the tree may have changed since the last drag over.
    const EditOutcome r = DropDraggedNode(store_.items, dragSource, t);
    // The selection stays where it is, and the panel shows what is selected:
    // a folder that opened while hovered was selected then, and an edit in
    // the panel goes to that folder, not to the node just dropped.
    if (r.done) ShowProperties(selectedNode());
}

void TFormItems::TVItemsDropFiles(TkvWinTreeView*, const QString& fullPath, QPoint mouseXY) {
    ensureContents();
    // Each later file of one drop goes after the one before it, so the new
    // items keep the order the other program gave; the first goes after
    // the node under the point, and so do all while none was taken.
    TreeNode* t = dropFollows ? dropFollows : treeModel->nodeAt(TVItems->indexAt(mouseXY));
    const EditOutcome r = DropFile(store_, t, fullPath.toStdString(), iconCapture());
    if (!r.done) {
        report(r);
        return;
    }
    dropFollows = r.node;
    selectNode(r.node);
}

void TFormItems::autoScrollFor(QPoint at) {
    // The view's own scrolling while dragging is off with its drag handling;
    // near the top or bottom edge the tree scrolls one row per move.
    QScrollBar* bar = TVItems->verticalScrollBar();
    if (at.y() < kAutoScrollMargin) bar->setValue(bar->value() - bar->singleStep());
    else if (at.y() > TVItems->viewport()->height() - kAutoScrollMargin)
        bar->setValue(bar->value() + bar->singleStep());
}

bool TFormItems::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        TVItemsMouseDown(e->position().toPoint());
        return false;  // the view still selects
    }
    case QEvent::MouseButtonRelease: TVItemsMouseUp(); return false;
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->buttons() == Qt::NoButton) return false;
        lastPoint_ = e->position().toPoint();
        if (dragArmed_) {
            const QPoint d = lastPoint_ - armPoint_;
            if (std::abs(d.x()) >= kDragThreshold || std::abs(d.y()) >= kDragThreshold) startNodeDrag();
        }
        // Moving with a button held never changes the selection.
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (!e->mimeData()->hasFormat(kNodeMime)) return false;  // files: the view's own handling
        const bool ours = !dragToken_.isEmpty() && e->mimeData()->data(kNodeMime) == dragToken_;
        const QPoint at = e->position().toPoint();
        if (ours && event->type() == QEvent::DragMove) autoScrollFor(at);
        if (ours && TVItemsDragOver(at)) {
            e->setDropAction(Qt::MoveAction);
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        if (!e->mimeData()->hasFormat(kNodeMime)) return false;
        const bool ours = !dragToken_.isEmpty() && e->mimeData()->data(kNodeMime) == dragToken_;
        if (ours) {
            TVItemsDragDrop(e->position().toPoint());
            e->setDropAction(Qt::MoveAction);
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    default: return false;
    }
}

}  // namespace orbel
