#pragma once
// The menus as data: the template menu and the live tray menu are trees of
// entries; the program turns the live one into a popup menu when shown.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orbel {

// Tag codes that tell entry kinds apart.
namespace tag {
constexpr int TextSeparator = -100;
constexpr int PlainSeparator = -200;
constexpr int Hidden = -400;
}  // namespace tag

// The caption of every plain separator entry (its tree node's text is
// kPlainSeparatorText).
inline constexpr std::string_view kMenuSeparatorCaption = "-";

// Click handlers an entry can carry; the program binds them to its methods.
// One byte each: a loaded store holds an entry per item.
enum class MenuHandler : unsigned char {
    None,
    NorItemsRTClickItem,
    miHelpFileClick,
    miManageItemsClick,
    SetupClick,
    miVisitWebsiteClick,
    miAboutClick,
    miCloseAppClick,
};

// Which measure/draw handlers an entry holds (none: the toolkit draws it).
enum class DrawHook : unsigned char { None, NorItems, SpeItems };

class MenuEntry {
public:
    std::string caption;
    int tag = 0;
    int imageIndex = -1;
    bool visible = true;
    MenuHandler onClick = MenuHandler::None;
    DrawHook draw = DrawHook::None;  // measure and draw handlers together

    MenuEntry() = default;
    MenuEntry(std::string caption, int tag, int image = -1, MenuHandler click = MenuHandler::None, bool visible = true,
              std::string name = {});
    MenuEntry(const MenuEntry&) = delete;
    MenuEntry& operator=(const MenuEntry&) = delete;

    // Object name and hint: fixed entries have them, loaded ones never, so
    // they live apart and cost a loaded entry one pointer.
    const std::string& name() const { return fixed_ ? fixed_->name : NoText(); }
    const std::string& hint() const { return fixed_ ? fixed_->hint : NoText(); }
    void setName(std::string text);
    void setHint(std::string text);

    MenuEntry* parent() const { return parent_; }
    int count() const { return children_ ? static_cast<int>(children_->size()) : 0; }
    MenuEntry* child(int i) const { return Kids().at(static_cast<size_t>(i)).get(); }
    bool hasChildren() const { return count() > 0; }
    int indexOf(const MenuEntry* e) const;

    // Insert at index (clamped to the end); returns the entry.
    MenuEntry* insert(int index, std::unique_ptr<MenuEntry> entry);
    MenuEntry* add(std::unique_ptr<MenuEntry> entry) { return insert(count(), std::move(entry)); }
    std::unique_ptr<MenuEntry> take(int index);
    // Room for n more children.
    void reserve(int n);
    void clear() { children_.reset(); }

    // Bumped whenever this entry's children change, so a realised popup
    // knows it has to be rebuilt.
    unsigned revision() const { return revision_; }
    void touch() { ++revision_; }

    template <class F> void forEachChild(F&& f) const {
        if (children_)
            for (auto& c : *children_) f(*c);
    }

private:
    struct FixedTexts {
        std::string name;
        std::string hint;
    };
    static const std::string& NoText();
    using Children = std::vector<std::unique_ptr<MenuEntry>>;
    const Children& Kids() const;

    unsigned revision_ = 0;  // fills the gap behind the public one-byte fields
    std::unique_ptr<FixedTexts> fixed_;
    MenuEntry* parent_ = nullptr;
    // Made by the first insert: most entries of a loaded store are items,
    // which never have children, and a pointer is a third of an empty list.
    std::unique_ptr<Children> children_;
};

// The item an entry opens (its tag), or -1 for entries that open no item.
inline int ItemNumberOf(const MenuEntry& entry) {
    return entry.onClick == MenuHandler::NorItemsRTClickItem && entry.tag >= 0 ? entry.tag : -1;
}

// Deep copy of source's children into target: caption, tag, image,
// visibility and click handler; nothing else (no hint, no draw handlers).
void CopyMenuEntries(const MenuEntry& source, MenuEntry& target);

// The design-time template menu with the fixed entries, in order.
std::unique_ptr<MenuEntry> BuildMenuTemplate();

}  // namespace orbel
