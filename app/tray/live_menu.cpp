#include "app/tray/live_menu.h"

#include <QStyleOptionMenuItem>

#include "app/images/image_lists.h"

namespace orbel {

namespace {
const char* kEntryProperty = "orbelEntry";
}

LiveMenu::LiveMenu(const ImageLists& images, ClickFn onClick, QStyle* style, QWidget* parent)
    : LiveMenu(images, std::move(onClick), style, nullptr, parent) {}

LiveMenu::LiveMenu(const ImageLists& images, ClickFn onClick, QStyle* style, const MenuEntry* root, QWidget* parent)
    : QMenu(parent), images_(images), onClick_(std::move(onClick)), root_(root), entryStyle_(style) {
    // Separators are shown exactly as stored, doubled or at the ends too.
    setSeparatorsCollapsible(false);
    if (style) setStyle(style);
    connect(this, &QMenu::aboutToShow, this, &LiveMenu::realise);
    // The menu asks an entry for its submenu right after it becomes the
    // current one (pointer, arrow keys, mnemonic), before opening it.
    connect(this, &QMenu::hovered, this, [this](QAction* a) { submenuOf(a); });
}

void LiveMenu::setRoot(const MenuEntry* root) {
    root_ = root;
    invalidate();
    emit modelChanged();
}

void LiveMenu::entriesReplaced() {
    invalidate();
    emit modelChanged();
}

void LiveMenu::invalidate() {
    clear();  // deletes the actions this menu owns and, through them, their submenus
    for (QObject* child : children())
        if (auto* sub = qobject_cast<LiveMenu*>(child)) sub->deleteLater();
    built_ = false;
}

void LiveMenu::realise() {
    if (!root_) {
        if (built_) invalidate();
        return;
    }
    if (built_ && builtRevision_ == root_->revision()) return;
    if (built_) invalidate();
    build();
}

const MenuEntry* LiveMenu::EntryOf(const QAction* action) {
    if (!action) return nullptr;
    return static_cast<const MenuEntry*>(action->property(kEntryProperty).value<void*>());
}

LiveMenu* LiveMenu::submenuFor(const MenuEntry* entry) {
    for (QAction* a : actions())
        if (EntryOf(a) == entry) return submenuOf(a);
    return nullptr;
}

LiveMenu* LiveMenu::submenuOf(QAction* action) {
    if (!action || !actions().contains(action)) return nullptr;
    if (auto* made = qobject_cast<LiveMenu*>(action->menu())) return made;
    const MenuEntry* e = EntryOf(action);
    if (!e || !e->hasChildren()) return nullptr;
    auto* sub = new LiveMenu(images_, onClick_, entryStyle_, e, this);
    sub->setTitle(action->text());
    sub->setIcon(action->icon());
    action->setMenu(sub);
    return sub;
}

void LiveMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    // A folder whose submenu is not made yet still shows as one.
    if (option->menuItemType == QStyleOptionMenuItem::Normal && !action->menu()) {
        const MenuEntry* e = EntryOf(action);
        if (e && e->hasChildren()) option->menuItemType = QStyleOptionMenuItem::SubMenu;
    }
    // The menu asks the style for the item's size or look right after this.
    optionAction_ = const_cast<QAction*>(action);
    option_ = option;
}

const QAction* LiveMenu::actionForOption(const QStyleOptionMenuItem* option) const {
    if (!option || option != option_) return nullptr;
    return optionAction_;
}

const MenuEntry* LiveMenu::entryForOption(const QStyleOptionMenuItem* option) const {
    return EntryOf(actionForOption(option));
}

bool LiveMenu::programDrawn() const {
    if (!root_ || !built_) return false;
    for (int i = 0; i < root_->count(); ++i)
        if (root_->child(i)->draw == DrawHook::NorItems) return true;
    return false;
}

void LiveMenu::build() {
    built_ = true;
    builtRevision_ = root_->revision();
    root_->forEachChild([&](const MenuEntry& e) {
        QAction* a = nullptr;
        if (e.tag == tag::PlainSeparator) {
            a = addSeparator();
        } else if (e.hasChildren()) {
            // Its submenu comes when the entry is first hovered (submenuOf).
            a = addAction(QString::fromStdString(e.caption));
            if (e.imageIndex >= 0) a->setIcon(images_.menuIcon(e.imageIndex));
        } else {
            a = addAction(QString::fromStdString(e.caption));
            if (e.imageIndex >= 0) a->setIcon(images_.entryIcon(ItemNumberOf(e), e.imageIndex));
            const MenuEntry* entry = &e;
            connect(a, &QAction::triggered, this, [this, entry] {
                if (onClick_) onClick_(*entry);
            });
        }
        a->setVisible(e.visible && e.tag != tag::Hidden);
        a->setProperty(kEntryProperty, QVariant::fromValue(static_cast<void*>(const_cast<MenuEntry*>(&e))));
        if (!e.name().empty()) a->setObjectName(QString::fromStdString(e.name()));
        if (!e.hint().empty()) a->setStatusTip(QString::fromStdString(e.hint()));
    });
}

}  // namespace orbel
