#include "core/tray/menu_model.h"

namespace orbel {

MenuEntry::MenuEntry(std::string c, int t, int image, MenuHandler click, bool vis, std::string n)
    : caption(std::move(c)), tag(t), imageIndex(image), visible(vis), onClick(click) {
    if (!n.empty()) setName(std::move(n));
}

const std::string& MenuEntry::NoText() {
    static const std::string none;
    return none;
}

void MenuEntry::setName(std::string text) {
    if (!fixed_) fixed_ = std::make_unique<FixedTexts>();
    fixed_->name = std::move(text);
}

void MenuEntry::setHint(std::string text) {
    if (!fixed_) fixed_ = std::make_unique<FixedTexts>();
    fixed_->hint = std::move(text);
}

const MenuEntry::Children& MenuEntry::Kids() const {
    static const Children none;
    return children_ ? *children_ : none;
}

int MenuEntry::indexOf(const MenuEntry* e) const {
    const Children& kids = Kids();
    for (size_t i = 0; i < kids.size(); ++i)
        if (kids[i].get() == e) return static_cast<int>(i);
    return -1;
}

MenuEntry* MenuEntry::insert(int index, std::unique_ptr<MenuEntry> entry) {
    if (index < 0 || index > count()) index = count();
    MenuEntry* raw = entry.get();
    raw->parent_ = this;
    if (!children_) children_ = std::make_unique<Children>();
    children_->insert(children_->begin() + index, std::move(entry));
    touch();
    return raw;
}

void MenuEntry::reserve(int n) {
    if (n <= 0) return;
    if (!children_) children_ = std::make_unique<Children>();
    children_->reserve(children_->size() + static_cast<size_t>(n));
}

std::unique_ptr<MenuEntry> MenuEntry::take(int index) {
    if (index < 0 || index >= count()) return nullptr;
    auto owned = std::move((*children_)[static_cast<size_t>(index)]);
    children_->erase(children_->begin() + index);
    owned->parent_ = nullptr;
    touch();
    return owned;
}

void CopyMenuEntries(const MenuEntry& source, MenuEntry& target) {
    source.forEachChild([&](const MenuEntry& c) {
        auto copy = std::make_unique<MenuEntry>(c.caption, c.tag, c.imageIndex, c.onClick, c.visible);
        MenuEntry* added = target.add(std::move(copy));
        CopyMenuEntries(c, *added);
    });
}

std::unique_ptr<MenuEntry> BuildMenuTemplate() {
    auto root = std::make_unique<MenuEntry>("", 0);
    root->setName("PMBasic");
    using H = MenuHandler;
    root->add(std::make_unique<MenuEntry>("Sysmenu", tag::TextSeparator, -1, H::None, true, "miOwnSysMenu"));
    MenuEntry* kit = root->add(std::make_unique<MenuEntry>("Orbel Kit", 8, 0, H::None, true, "miOrbelKit"));
    kit->setHint("hey");
    kit->add(std::make_unique<MenuEntry>("Orbel  Kit", -1, -1, H::None, false, "miOwnBarMaker"));
    kit->add(std::make_unique<MenuEntry>("hidden", tag::Hidden, -1, H::None, false, "miOwnHidden"));
    kit->add(std::make_unique<MenuEntry>("Help File", 0, 8, H::miHelpFileClick, true, "miHelpFile"));
    kit->add(std::make_unique<MenuEntry>(std::string(kMenuSeparatorCaption), tag::PlainSeparator, -1, H::None, true,
                                         "miN1"));
    kit->add(std::make_unique<MenuEntry>("Manage Items..", 0, 9, H::miManageItemsClick, true, "miManageItems"));
    kit->add(std::make_unique<MenuEntry>("Preferences..", 0, 10, H::SetupClick, true, "miPreferences"));
    kit->add(std::make_unique<MenuEntry>(std::string(kMenuSeparatorCaption), tag::PlainSeparator, -1, H::None, true,
                                         "miN3"));
    kit->add(std::make_unique<MenuEntry>("Visit Website", 0, -1, H::miVisitWebsiteClick, true, "miVisitWebsite"));
    kit->add(std::make_unique<MenuEntry>(std::string(kMenuSeparatorCaption), tag::PlainSeparator, -1, H::None, true,
                                         "miN2"));
    kit->add(std::make_unique<MenuEntry>("About..", 0, -1, H::miAboutClick, true, "miAbout"));
    root->add(std::make_unique<MenuEntry>("Close", 0, -1, H::miCloseAppClick, true, "miCloseApp"));
    return root;
}

}  // namespace orbel
