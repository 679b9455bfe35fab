#include "core/tray/menu_drawing.h"

namespace orbel {

int MeasuredEntryWidth(int captionWidth, bool hasChildren) {
    return captionWidth + menu_geometry::CaptionPadding + (hasChildren ? menu_geometry::SubmenuPadding : 0);
}

std::string StripAccessKeys(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            // "&&" stands for one literal "&"; a lone "&" only marks the key.
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

void AttachDrawHooks(MenuEntry& root, bool windowsDraw) {
    for (int i = 0; i < root.count(); ++i) {
        MenuEntry& e = *root.child(i);
        if (e.tag == tag::PlainSeparator || e.tag == tag::Hidden) continue;
        if (e.tag == tag::TextSeparator) {
            e.draw = DrawHook::SpeItems;
            continue;
        }
        if (e.hasChildren()) AttachDrawHooks(e, windowsDraw);
        e.draw = windowsDraw ? DrawHook::None : DrawHook::NorItems;
    }
    root.touch();
}

void ReplaceMenuEntries(const MenuEntry& source, MenuEntry& target) {
    for (int i = 0; i < source.count(); ++i) {
        const MenuEntry& s = *source.child(i);
        auto fresh = std::make_unique<MenuEntry>(s.caption, s.tag, s.imageIndex, s.onClick, s.visible);
        target.take(i);  // nothing to take when target is shorter: the new entry is appended
        MenuEntry* added = target.insert(i, std::move(fresh));
        CopyMenuEntries(s, *added);
    }
    while (target.count() > source.count()) target.take(target.count() - 1);
}

void ClearDrawHooks(MenuEntry& entry) {
    for (int i = 0; i < entry.count(); ++i) {
        MenuEntry& c = *entry.child(i);
        c.draw = DrawHook::None;
        if (c.hasChildren()) ClearDrawHooks(c);
    }
    entry.touch();
}

MenuEntry* KitMenuOf(const MenuEntry& root) { return root.count() >= 2 ? root.child(root.count() - 2) : nullptr; }

void RefreshKitMenu(const MenuEntry& templateRoot, MenuEntry& liveRoot) {
    const MenuEntry* source = KitMenuOf(templateRoot);
    MenuEntry* target = KitMenuOf(liveRoot);
    if (!source || !target) return;
    ReplaceMenuEntries(*source, *target);
    ClearDrawHooks(liveRoot);
}

}  // namespace orbel
