#include "core/tray/menu_drawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orbel {
namespace {

// A live menu as the loader leaves it: store entries, then the fixed ones.
std::unique_ptr<MenuEntry> LiveMenu() {
    auto root = std::make_unique<MenuEntry>("", 0);
    root->add(std::make_unique<MenuEntry>("Item", 0, 12, MenuHandler::NorItemsRTClickItem));
    root->add(std::make_unique<MenuEntry>("-", tag::PlainSeparator));
    MenuEntry* folder = root->add(std::make_unique<MenuEntry>("Folder", 4, 0));
    folder->add(std::make_unique<MenuEntry>("", tag::Hidden, -1, MenuHandler::None, false));
    MenuEntry* nested = folder->add(std::make_unique<MenuEntry>("Nested", 2, 1));
    nested->add(std::make_unique<MenuEntry>("Deep", tag::TextSeparator))
        ->add(std::make_unique<MenuEntry>("UnderSeparator", 0));
    CopyMenuEntries(*BuildMenuTemplate(), *root);
    return root;
}

// Each entry depth first, with what a copy must keep; "draw" adds the hooks.
void Walk(const MenuEntry& e, const std::function<void(const MenuEntry&)>& f) {
    e.forEachChild([&](const MenuEntry& c) {
        f(c);
        Walk(c, f);
    });
}
std::vector<std::string> Shape(const MenuEntry& root, bool draw = false) {
    std::vector<std::string> out;
    Walk(root, [&](const MenuEntry& c) {
        out.push_back(c.caption + "|" + std::to_string(c.tag) + "|" + std::to_string(c.imageIndex) + "|" +
                      std::to_string(c.visible) + "|" + std::to_string(int(c.onClick)) + "|" +
                      std::to_string(c.count()) + (draw ? "|" + std::to_string(int(c.draw)) : ""));
    });
    return out;
}
const MenuEntry* Find(const MenuEntry& root, const std::string& caption) {
    const MenuEntry* found = nullptr;
    Walk(root, [&](const MenuEntry& c) {
        if (!found && c.caption == caption) found = &c;
    });
    return found;
}
void SetAll(MenuEntry& root, DrawHook hook) {
    Walk(root, [&](const MenuEntry& c) { const_cast<MenuEntry&>(c).draw = hook; });
}

TEST(StripAccessKeys, RemovesMarkersKeepsDoubledAmpersand) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Clos&e", "Close"}, {"&File", "File"}, {"Save && Quit", "Save & Quit"},
        {"A&&&B", "A&B"},    {"end&", "end"},   {"", ""},
        {"&&", "&"},
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(StripAccessKeys(in), want) << in;
}

TEST(AttachDrawHooks, ByTagInBothModes) {
    using D = DrawHook;
    // caption, under the toolkit's drawing, under the program's; separators
    // and hidden entries keep whatever they had (here: the stale hook).
    const std::vector<std::tuple<const char*, D, D>> cases = {
        {"Item", D::None, D::NorItems},     {"Folder", D::None, D::NorItems},      {"Nested", D::None, D::NorItems},
        {"Deep", D::SpeItems, D::SpeItems}, {"Sysmenu", D::SpeItems, D::SpeItems}, {"Orbel Kit", D::None, D::NorItems},
        {"About..", D::None, D::NorItems},  {"Close", D::None, D::NorItems},
    };
    for (bool windowsDraw : {true, false}) {
        auto root = LiveMenu();
        const D stale = windowsDraw ? D::NorItems : D::None;
        SetAll(*root, stale);
        const auto before = Shape(*root);
        MenuEntry* nested = const_cast<MenuEntry*>(Find(*root, "Nested"));
        const unsigned r0 = root->revision(), n0 = nested->revision();
        AttachDrawHooks(*root, windowsDraw);
        for (const auto& [caption, windows, custom] : cases)
            EXPECT_EQ(Find(*root, caption)->draw, windowsDraw ? windows : custom) << caption << windowsDraw;
        for (const char* untouched : {"-", "hidden", "UnderSeparator"})
            EXPECT_EQ(Find(*root, untouched)->draw, stale) << untouched;
        EXPECT_EQ(Shape(*root), before);
        // Every level walked is marked changed, so realised popups rebuild.
        EXPECT_NE(root->revision(), r0);
        EXPECT_NE(nested->revision(), n0);
    }
}

TEST(ReplaceMenuEntries, TargetBecomesADeepCopyWithoutHooks) {
    auto basic = BuildMenuTemplate();
    const MenuEntry& source = *KitMenuOf(*basic);
    const std::vector<std::pair<const char*, std::function<void(MenuEntry&)>>> cases = {
        {"same length, hooks set",
         [&](MenuEntry& t) {
             CopyMenuEntries(source, t);
             SetAll(t, DrawHook::NorItems);
         }},
        {"empty", [](MenuEntry&) {}},
        {"shorter", [](MenuEntry& t) { t.add(std::make_unique<MenuEntry>("old", 3)); }},
        {"longer",
         [&](MenuEntry& t) {
             CopyMenuEntries(source, t);
             t.add(std::make_unique<MenuEntry>("stale", 5));
         }},
        {"deeper",
         [&](MenuEntry& t) {
             CopyMenuEntries(source, t);
             t.child(2)->add(std::make_unique<MenuEntry>("x", 7));
         }},
    };
    for (const auto& [name, prepare] : cases) {
        MenuEntry target("Orbel Kit", 8, 0);
        prepare(target);
        ReplaceMenuEntries(source, target);
        EXPECT_EQ(Shape(target, true), Shape(source, true)) << name;
        for (int i = 0; i < target.count(); ++i) EXPECT_NE(target.child(i), source.child(i)) << name;
    }
}

TEST(RefreshKitMenu, RebuildsOnlyTheKitAndClearsEveryHook) {
    auto basic = BuildMenuTemplate();
    auto live = LiveMenu();
    AttachDrawHooks(*live, false);
    const auto before = Shape(*live);
    const MenuEntry* item = live->child(0);
    MenuEntry* kit = KitMenuOf(*live);
    kit->child(2)->caption = "drifted";  // put right from the template
    RefreshKitMenu(*basic, *live);
    EXPECT_EQ(Shape(*live), before);
    EXPECT_EQ(live->child(0), item);  // store entries stay as they are
    EXPECT_EQ(KitMenuOf(*live), kit);
    Walk(*live, [](const MenuEntry& c) { EXPECT_EQ(c.draw, DrawHook::None) << c.caption; });
}

TEST(RefreshKitMenu, MenusWithoutAKitAreLeftAlone) {
    auto basic = BuildMenuTemplate();
    MenuEntry shortRoot("", 0);
    shortRoot.add(std::make_unique<MenuEntry>("Only", 0))->draw = DrawHook::NorItems;
    RefreshKitMenu(*basic, shortRoot);
    EXPECT_EQ(Shape(shortRoot, true), std::vector<std::string>{"Only|0|-1|1|0|0|1"});
    auto live = LiveMenu();
    const auto before = Shape(*live);
    RefreshKitMenu(MenuEntry("", 0), *live);
    EXPECT_EQ(Shape(*live), before);
}

}  // namespace
}  // namespace orbel
