#pragma once
// The popup menu that shows a menu model. A folder's submenu is made when
// its entry is first hovered or reached by key, and filled when first
// opened, so a large store costs nothing until the user looks into it.

#include <QMenu>
#include <QPointer>
#include <functional>

#include "core/tray/menu_model.h"

namespace orbel {

class ImageLists;

class LiveMenu : public QMenu {
    Q_OBJECT
public:
    using ClickFn = std::function<void(const MenuEntry& entry)>;

    // Shows the children of root; root must outlive the menu or be replaced
    // with setRoot before it goes away.
    // style: what draws its entries (and its submenus'); it outlives them.
    LiveMenu(const ImageLists& images, ClickFn onClick, QStyle* style, QWidget* parent = nullptr);

    void setRoot(const MenuEntry* root);
    const MenuEntry* root() const { return root_; }
    // Forget everything built so far; the next show builds it again.
    void invalidate();
    // The entries below the root were replaced (the kit refresh): forget
    // them here and tell whoever else shows them.
    void entriesReplaced();
    // Runs what picking the entry in this menu runs.
    void choose(const MenuEntry& entry) const {
        if (onClick_) onClick_(entry);
    }
    const ImageLists& images() const { return images_; }
    // Fill this level now (tests and the benchmark use it; shows do it themselves).
    void realise();
    // The entry behind an action of this menu (or of one of its submenus).
    static const MenuEntry* EntryOf(const QAction* action);
    // The submenu that shows a given entry's children, made now if this
    // level is realised and it was not made yet; nullptr for no folder here.
    LiveMenu* submenuFor(const MenuEntry* entry);
    // The same for one of this menu's actions.
    LiveMenu* submenuOf(QAction* action);

    // The entry an item option was just filled for (the style's way back
    // from an option to the entry whose handlers measure and draw it).
    const MenuEntry* entryForOption(const QStyleOptionMenuItem* option) const;
    // The same for the action itself (also one that has no entry).
    const QAction* actionForOption(const QStyleOptionMenuItem* option) const;
    // Whether this level's entries are drawn by the program, so the menu's
    // ground takes the menu colour.
    bool programDrawn() const;

signals:
    // A new root, or the entries below it replaced.
    void modelChanged();

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    LiveMenu(const ImageLists& images, ClickFn onClick, QStyle* style, const MenuEntry* root, QWidget* parent);
    void build();

    const ImageLists& images_;
    ClickFn onClick_;
    const MenuEntry* root_ = nullptr;
    QStyle* entryStyle_ = nullptr;
    unsigned builtRevision_ = 0;
    bool built_ = false;
    mutable QPointer<QAction> optionAction_;
    mutable const QStyleOptionMenuItem* option_ = nullptr;
};

}  // namespace orbel
