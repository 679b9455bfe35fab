#include "app/tray/form_find.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/images/image_lists.h"
#include "app/tray/item_search.h"
#include "core/search/search_index.h"
#include "core/tray/menu_drawing.h"

namespace orbel {

namespace {

constexpr int kRows = 50;
constexpr int kItemRole = Qt::UserRole;
constexpr int kHintRole = Qt::UserRole + 1;

// The caption as the list draws it, then the folder it is in, quieter.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QString hint = index.data(kHintRole).toString();
        if (hint.isEmpty()) return;
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QWidget* w = o.widget;
        const QStyle* style = w ? w->style() : QApplication::style();
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &o, w);
        const int gap = o.fontMetrics.horizontalAdvance(QLatin1Char(' ')) * 3;
        const QRect room = text.adjusted(o.fontMetrics.horizontalAdvance(o.text) + gap, 0, -2, 0);
        if (room.width() <= 0) return;
        const bool selected = o.state & QStyle::State_Selected;
        QColor c = o.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        c.setAlphaF(0.6f);
        painter->save();
        painter->setPen(c);
        painter->drawText(room, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                          o.fontMetrics.elidedText(hint, Qt::ElideLeft, room.width()));
        painter->restore();
    }
};

}  // namespace

TFormFind::TFormFind(const QString& title, ItemSearch& search, const ImageLists& images, LaunchFn launch)
    : QWidget(nullptr, Qt::Window),
      search_(search),
      images_(images),
      launch_(std::move(launch)),
      edit_(new QLineEdit(this)),
      list_(new QListWidget(this)) {
    setObjectName("TFormFind");
    setWindowTitle(title);
    edit_->setObjectName("EditFind");
    edit_->setAccessibleName(QStringLiteral("Find"));
    edit_->setClearButtonEnabled(true);
    list_->setObjectName("LBResults");
    list_->setAccessibleName(QStringLiteral("Results"));
    // The focus stays in the text box: typing always edits the query, and
    // the arrows reach the list through it.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setUniformItemSizes(true);
    list_->setIconSize(QSize(16, 16));
    list_->setItemDelegate(new RowDelegate(list_));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(edit_);
    layout->addWidget(list_);
    resize(480, 340);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, &TFormFind::showMatches);
    connect(list_, &QListWidget::itemActivated, this, [this] { launchChosen(); });
}

TFormFind::~TFormFind() = default;

void TFormFind::open(const QString& text) {
    // Built (or built again after a reload) on the first showing, not before.
    if (!finder_) finder_ = std::make_unique<Finder>(search_.index());
    if (edit_->text() == text) showMatches();
    else edit_->setText(text);
    edit_->end(false);
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
    edit_->setFocus(Qt::ActiveWindowFocusReason);
}

void TFormFind::refresh() {
    if (finder_) showMatches();
}

void TFormFind::showMatches() {
    if (!finder_) return;
    search_.index();  // builds it again when the store was reloaded
    const std::vector<SearchRow>& rows = finder_->find(edit_->text().toStdString(), kRows);
    list_->setUpdatesEnabled(false);
    list_->clear();
    for (const SearchRow& r : rows) {
        const QString caption = QString::fromStdString(StripAccessKeys(r.caption));
        const QString hint = QString::fromStdString(r.hint);
        const int image = search_.imageOf(r.itemNumber);
        auto* row = image >= 0 ? new QListWidgetItem(images_.entryIcon(r.itemNumber, image), caption, list_)
                               : new QListWidgetItem(caption, list_);
        row->setData(kItemRole, r.itemNumber);
        row->setData(kHintRole, hint);
        // A screen reader says the caption first, then where the item is.
        row->setData(Qt::AccessibleTextRole, hint.isEmpty() ? caption : caption + QStringLiteral(", ") + hint);
        if (!hint.isEmpty()) row->setToolTip(hint);
    }
    if (list_->count()) list_->setCurrentRow(0);
    list_->setUpdatesEnabled(true);
}

void TFormFind::launchChosen() {
    QListWidgetItem* row = list_->currentItem();
    if (!row && list_->count()) row = list_->item(0);
    if (!row) return;
    const int item = row->data(kItemRole).toInt();
    // Out of the way first: an error the opening shows comes on its own.
    hide();
    if (launch_) launch_(item);
}

bool TFormFind::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: launchChosen(); return true;
        case Qt::Key_Escape: hide(); return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: QCoreApplication::sendEvent(list_, event); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TFormFind::event(QEvent* event) {
    // Like a menu, it goes when the user turns to something else.
    if (event->type() == QEvent::WindowDeactivate && isVisible()) hide();
    return QWidget::event(event);
}

}  // namespace orbel
