#include "app/widgets/kv_win_tree_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace orbel {

TkvWinTreeView::TkvWinTreeView(QWidget* parent) : QTreeView(parent) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

bool TkvWinTreeView::CarriesLocalFiles(const QMimeData* data) {
    if (!data || !data->hasUrls()) return false;
    for (const QUrl& u : data->urls())
        if (u.isLocalFile()) return true;
    return false;
}

// Drags from other programs are taken only when a handler wants them; the
// view's own drags (moving nodes) are left to the view.
void TkvWinTreeView::dragEnterEvent(QDragEnterEvent* e) {
    if (e->source() == nullptr && CarriesLocalFiles(e->mimeData())) {
        if (OnDropFiles) e->acceptProposedAction();
        else e->ignore();
        return;
    }
    QTreeView::dragEnterEvent(e);
}

void TkvWinTreeView::dragMoveEvent(QDragMoveEvent* e) {
    if (e->source() == nullptr && CarriesLocalFiles(e->mimeData())) {
        if (OnDropFiles) e->acceptProposedAction();
        else e->ignore();
        return;
    }
    QTreeView::dragMoveEvent(e);
}

void TkvWinTreeView::dropEvent(QDropEvent* e) {
    if (e->source() != nullptr || !CarriesLocalFiles(e->mimeData())) {
        QTreeView::dropEvent(e);
        return;
    }
    if (!OnDropFiles) {
        e->ignore();
        return;
    }
    const QPoint at = e->position().toPoint();
    // Paths arrive whole: no buffer limit cuts them.
    const QList<QUrl> urls = e->mimeData()->urls();
    for (const QUrl& u : urls) {
        if (!OnDropFiles) break;
        if (!u.isLocalFile()) continue;
        QString path = u.toLocalFile();
        // A directory arrives without a trailing separator, as pickers give it.
        while (path.size() > 1 && path.endsWith('/')) path.chop(1);
        OnDropFiles(this, path, at);
    }
    if (OnDropFilesEnd) OnDropFilesEnd(this);
    e->acceptProposedAction();
}

}  // namespace orbel
