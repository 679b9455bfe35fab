#include "app/widgets/kv_win_tree_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace orbel {

TkvWinTreeView::TkvWinTreeView(QWidget* parent) : QTreeView(parent) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

void TkvWinTreeView::setPlaceholderText(const QString& text) {
    if (text == placeholder_) return;
    placeholder_ = text;
    setAccessibleDescription(text);
    viewport()->update();
}

void TkvWinTreeView::paintEvent(QPaintEvent* e) {
    QTreeView::paintEvent(e);
    if (placeholder_.isEmpty()) return;
    // Below the last row, wherever expanded folders have left it. It is
    // shown only over a short tree, so walking every row costs little.
    int top = 0;
    for (QModelIndex i = model() ? model()->index(0, 0) : QModelIndex(); i.isValid(); i = indexBelow(i))
        top = qMax(top, visualRect(i).bottom() + 1);
    const int margin = fontMetrics().height();
    const QRect room = viewport()->rect().adjusted(margin, top + margin, -margin, -margin);
    if (room.height() < fontMetrics().height()) return;
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::PlaceholderText));
    p.drawText(room, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, placeholder_);
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
