#include "app/tray/menu_find.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <algorithm>

#include "app/images/image_lists.h"
#include "app/tray/item_search.h"
#include "app/tray/live_menu.h"
#include "core/search/search_index.h"
#include "core/tray/menu_drawing.h"
#include "core/tray/menu_model.h"

namespace orbel {

namespace {
// A caption as an action's text: its own ampersands are shown, not taken
// for access keys.
QString ActionText(const std::string& caption) {
    return QString::fromStdString(StripAccessKeys(caption)).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The fixed entries at the end of the menu's top level.
constexpr int kFixedEntries = 3;

}  // namespace

MenuFind::MenuFind(LiveMenu& menu, ItemSearch& search, LaunchFn launch)
    : QObject(&menu), menu_(menu), search_(search), launch_(std::move(launch)) {
    menu_.installEventFilter(this);
    // A closed menu opens again with its normal entries. Queued: the menu
    // hides before it runs a chosen row, whose action must still be there.
    connect(&menu_, &QMenu::aboutToHide, this, &MenuFind::end, Qt::QueuedConnection);
    // A reload or a kit refresh has replaced every action, ours with them.
    connect(&menu_, &LiveMenu::modelChanged, this, [this] {
        text_.clear();
        limit_ = 0;
        dropRows();
        hidden_.clear();
    });
}

MenuFind::~MenuFind() = default;

void MenuFind::end() {
    if (!active() && rows_.empty()) return;
    text_.clear();
    limit_ = 0;
    dropRows();
    for (const QPointer<QAction>& a : hidden_)
        if (a) a->setVisible(true);
    hidden_.clear();
    keepPlace();
    opened_ = QRect();
}

void MenuFind::keepPlace() {
    if (!menu_.isVisible() || opened_.isNull()) return;
    menu_.resize(menu_.sizeHint());
    QRect g(opened_.topLeft(), menu_.size());
    const QScreen* screen = menu_.screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    // A menu opened from a tray at the bottom or the right keeps that edge
    // where it was, as if it had opened with these rows.
    if (area.isValid()) {
        if (opened_.center().y() > area.center().y()) g.moveBottom(opened_.bottom());
        if (opened_.center().x() > area.center().x()) g.moveRight(opened_.right());
        if (g.right() > area.right()) g.moveRight(area.right());
        if (g.bottom() > area.bottom()) g.moveBottom(area.bottom());
        if (g.left() < area.left()) g.moveLeft(area.left());
        if (g.top() < area.top()) g.moveTop(area.top());
    }
    menu_.setGeometry(g);
}

void MenuFind::dropRows() {
    for (const QPointer<QAction>& a : rows_)
        if (a) {
            menu_.removeAction(a);
            a->deleteLater();
        }
    rows_.clear();
}

void MenuFind::setText(const QString& text) {
    if (text.isEmpty()) {
        end();
        return;
    }
    if (!active()) opened_ = menu_.geometry();
    text_ = text;
    if (hidden_.empty()) {
        // The menu's fixed entries (its own line, the kit, Close) come after
        // the loaded ones, as the kit's refresh counts them too.
        const MenuEntry* root = menu_.root();
        const int n = root ? root->count() : 0;
        std::vector<const MenuEntry*> fixed;
        for (int i = std::max(0, n - kFixedEntries); i < n; ++i) fixed.push_back(root->child(i));
        for (QAction* a : menu_.actions()) {
            const MenuEntry* e = LiveMenu::EntryOf(a);
            if (e && a->isVisible() && std::find(fixed.begin(), fixed.end(), e) == fixed.end()) {
                a->setVisible(false);
                hidden_.emplace_back(a);
            }
        }
    }
    showRows();
}

void MenuFind::showRows() {
    // Built on the first key, and again after a reload marked it stale.
    const SearchIndex& index = search_.index();
    if (!finder_) finder_ = std::make_unique<Finder>(index);
    dropRows();
    QAction* before = nullptr;
    for (QAction* a : menu_.actions())
        if (a->isVisible()) {
            before = a;
            break;
        }
    const auto put = [&](QAction* a, QAction* at) {
        menu_.insertAction(at, a);
        rows_.emplace_back(a);
    };
    auto* line = new QAction(QStringLiteral("Find: ") + QString(text_).replace(QLatin1Char('&'), QStringLiteral("&&")),
                             &menu_);
    line->setObjectName(QStringLiteral("FindText"));
    line->setEnabled(false);
    put(line, before);
    // The rows go between the text line and the gap above the fixed entries.
    QAction* at = before;
    if (before) {
        auto* gap = new QAction(&menu_);
        gap->setSeparator(true);
        put(gap, before);
        at = gap;
    }
    if (limit_ == 0) limit_ = rowsThatFit(at);
    const std::vector<SearchRow>& found = finder_->find(text_.toStdString(), limit_);
    QAction* first = nullptr;
    for (const SearchRow& r : found) {
        // The folder shows on the right, where shortcuts go, quieter (the menu's style draws it).
        QString text = ActionText(r.caption);
        auto* a = new QAction(&menu_);
        if (!r.hint.empty()) {
            text += QLatin1Char('\t') + QString::fromStdString(r.hint);
            a->setProperty(kQuietHint, true);
        }
        a->setText(text);
        if (const int image = search_.imageOf(r.itemNumber); image >= 0)
            a->setIcon(menu_.images().entryIcon(r.itemNumber, image));
        const int item = r.itemNumber;
        connect(a, &QAction::triggered, this, [this, item] {
            if (launch_) launch_(item);
        });
        put(a, at);
        if (!first) first = a;
    }
    // The best row is the one Return opens.
    keepPlace();
    menu_.setActiveAction(first ? first : line);
}

int MenuFind::rowsThatFit(QAction* at) {
    const QScreen* screen = menu_.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return kMinRows;
    if (rowHeight_ <= 0) {
        // A row as the search makes them: a picture, a caption, a folder.
        QPixmap picture(16, 16);
        picture.fill(Qt::transparent);
        QAction probe(QIcon(picture), QStringLiteral("Xg\tXg"), &menu_);
        menu_.insertAction(at, &probe);
        rowHeight_ = std::max(1, menu_.actionGeometry(&probe).height());
        menu_.removeAction(&probe);
    }
    // The menu holds the text line, the gap and the fixed entries by now.
    const int room = screen->availableGeometry().height() - menu_.sizeHint().height();
    return std::max(kMinRows, room / rowHeight_);
}

bool MenuFind::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<LiveMenu*>(watched);
    if (!menu) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ChildPolished) {
        // A folder's submenu, about to show for the first time: typing
        // there searches too (and its own folders' in turn).
        if (auto* sub = qobject_cast<LiveMenu*>(static_cast<QChildEvent*>(event)->child()))
            sub->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    // In an open folder Esc and Backspace stay the folder's.
    const bool inFolder = menu != &menu_;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    switch (key->key()) {
    case Qt::Key_Escape:
        if (inFolder || !active()) return false;  // the menu closes as always
        end();
        return true;
    case Qt::Key_Backspace:
        if (inFolder || !active()) return false;
        setText(text_.chopped(1));
        return true;
    default: break;
    }
    // Alt and Ctrl keys stay the menu's (access keys with Alt).
    if (mods != Qt::NoModifier) return false;
    const QString typed = key->text();
    if (typed.size() != 1 || !typed.at(0).isPrint()) return false;
    // A space only separates words of a search already begun.
    if (typed.at(0).isSpace() && !active()) return false;
    // The search is of the whole tree, shown at the top level; the row made
    // current there closes the open folders.
    setText(text_ + typed);
    return true;
}

}  // namespace orbel
