#include "core/tray/menu_drawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orbel {
namespace {

// A live menu as the loader leaves it: store entries, then the fixed ones.
std::unique_ptr<MenuEntry> LiveMenuWithStore() {
    auto root = std::make_unique<MenuEntry>("", 0);
    root->add(std::make_unique<MenuEntry>("Item", 0, 12, MenuHandler::NorItemsRTClickItem));
    root->add(std::make_unique<MenuEntry>("-", tag::PlainSeparator));
    root->add(std::make_unique<MenuEntry>("Caption", tag::TextSeparator));
    MenuEntry* folder = root->add(std::make_unique<MenuEntry>("Folder", 4, 0));
    folder->add(std::make_unique<MenuEntry>("", tag::Hidden, -1, MenuHandler::None, false));
    folder->add(std::make_unique<MenuEntry>("Inner", 1, -1, MenuHandler::NorItemsRTClickItem));
    MenuEntry* nested = folder->add(std::make_unique<MenuEntry>("Nested", 2, 1));
    nested->add(std::make_unique<MenuEntry>("", tag::Hidden, -1, MenuHandler::None, false));
    nested->add(std::make_unique<MenuEntry>("Deep", tag::TextSeparator));
    auto basic = BuildMenuTemplate();
    CopyMenuEntries(*basic, *root);
    return root;
}

// Every entry below root, depth first, as "caption/tag/image/visible/click".
std::vector<std::string> Shape(const MenuEntry& root) {
    std::vector<std::string> out;
    std::function<void(const MenuEntry&, const std::string&)> walk = [&](const MenuEntry& e, const std::string& path) {
        e.forEachChild([&](const MenuEntry& c) {
            const std::string here = path + "/" + c.caption;
            out.push_back(here + "|" + std::to_string(c.tag) + "|" + std::to_string(c.imageIndex) + "|" +
                          (c.visible ? "v" : "h") + "|" + std::to_string(static_cast<int>(c.onClick)));
            walk(c, here);
        });
    };
    walk(root, "");
    return out;
}

const MenuEntry* Find(const MenuEntry& root, const std::string& caption) {
    const MenuEntry* found = nullptr;
    std::function<void(const MenuEntry&)> walk = [&](const MenuEntry& e) {
        e.forEachChild([&](const MenuEntry& c) {
            if (!found && c.caption == caption) found = &c;
            walk(c);
        });
    };
    walk(root);
    return found;
}

void SetAllHooks(MenuEntry& root, DrawHook hook) {
    for (int i = 0; i < root.count(); ++i) {
        root.child(i)->draw = hook;
        SetAllHooks(*root.child(i), hook);
    }
}

TEST(MeasuredEntryWidth, AddsPaddingAndSubmenuRoom) {
    EXPECT_EQ(MeasuredEntryWidth(50, false), 73);
    EXPECT_EQ(MeasuredEntryWidth(50, true), 80);
    EXPECT_EQ(MeasuredEntryWidth(0, false), 23);
}

TEST(StripAccessKeys, RemovesMarkersKeepsDoubledAmpersand) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Clos&e", "Close"},   {"&File", "File"},     {"Save && Quit", "Save & Quit"},
        {"A&&&B", "A&B"},      {"trailing&", "trailing"}, {"", ""},
        {"plain", "plain"},    {"&&", "&"},
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(StripAccessKeys(in), want) << in;
}

struct HookCase {
    const char* caption;
    DrawHook windows;
    DrawHook custom;
};

TEST(AttachDrawHooks, ByTagInBothModes) {
    const std::vector<HookCase> cases = {
        {"Item", DrawHook::None, DrawHook::NorItems},
        {"-", DrawHook::None, DrawHook::None},  // the first plain separator found
        {"Caption", DrawHook::SpeItems, DrawHook::SpeItems},
        {"Folder", DrawHook::None, DrawHook::NorItems},
        {"Inner", DrawHook::None, DrawHook::NorItems},
        {"Nested", DrawHook::None, DrawHook::NorItems},
        {"Deep", DrawHook::SpeItems, DrawHook::SpeItems},
        {"Sysmenu", DrawHook::SpeItems, DrawHook::SpeItems},
        {"Orbel Kit", DrawHook::None, DrawHook::NorItems},
        {"Help File", DrawHook::None, DrawHook::NorItems},
        {"About..", DrawHook::None, DrawHook::NorItems},
        {"hidden", DrawHook::None, DrawHook::None},
        {"Close", DrawHook::None, DrawHook::NorItems},
    };
    for (bool windowsDraw : {true, false}) {
        auto root = LiveMenuWithStore();
        // Start from the opposite look so that stale hooks would show.
        SetAllHooks(*root, windowsDraw ? DrawHook::NorItems : DrawHook::None);
        const auto before = Shape(*root);
        AttachDrawHooks(*root, windowsDraw);
        for (const HookCase& c : cases) {
            const MenuEntry* e = Find(*root, c.caption);
            ASSERT_NE(e, nullptr) << c.caption;
            const DrawHook want = windowsDraw ? c.windows : c.custom;
            if (e->tag == tag::PlainSeparator || e->tag == tag::Hidden) {
                // Left exactly as found.
                EXPECT_EQ(e->draw, windowsDraw ? DrawHook::NorItems : DrawHook::None) << c.caption;
            } else {
                EXPECT_EQ(e->draw, want) << c.caption << (windowsDraw ? " windows" : " custom");
            }
        }
        EXPECT_EQ(Shape(*root), before);
    }
}

TEST(AttachDrawHooks, DoesNotWalkIntoSeparatorsOrHiddenEntries) {
    MenuEntry root("", 0);
    MenuEntry* sep = root.add(std::make_unique<MenuEntry>("Sep", tag::TextSeparator));
    MenuEntry* underSep = sep->add(std::make_unique<MenuEntry>("x", 0));
    MenuEntry* hidden = root.add(std::make_unique<MenuEntry>("", tag::Hidden));
    MenuEntry* underHidden = hidden->add(std::make_unique<MenuEntry>("y", 0));
    AttachDrawHooks(root, false);
    EXPECT_EQ(underSep->draw, DrawHook::None);
    EXPECT_EQ(underHidden->draw, DrawHook::None);
}

TEST(AttachDrawHooks, TouchesEveryLevelWalked) {
    auto root = LiveMenuWithStore();
    MenuEntry* folder = const_cast<MenuEntry*>(Find(*root, "Folder"));
    MenuEntry* nested = const_cast<MenuEntry*>(Find(*root, "Nested"));
    MenuEntry* kit = KitMenuOf(*root);
    const unsigned r0 = root->revision(), f0 = folder->revision(), n0 = nested->revision(), k0 = kit->revision();
    AttachDrawHooks(*root, false);
    EXPECT_NE(root->revision(), r0);
    EXPECT_NE(folder->revision(), f0);
    EXPECT_NE(nested->revision(), n0);
    EXPECT_NE(kit->revision(), k0);
}

TEST(ReplaceMenuEntries, TargetBecomesADeepCopyWithoutHooks) {
    auto basic = BuildMenuTemplate();
    const MenuEntry& source = *KitMenuOf(*basic);
    struct Case {
        const char* name;
        std::function<void(MenuEntry&)> prepare;
    };
    const std::vector<Case> cases = {
        {"same length, hooks set", [&](MenuEntry& t) { CopyMenuEntries(source, t); SetAllHooks(t, DrawHook::NorItems); }},
        {"empty target", [](MenuEntry&) {}},
        {"shorter target", [](MenuEntry& t) { t.add(std::make_unique<MenuEntry>("old", 3)); }},
        {"longer target", [&](MenuEntry& t) {
             CopyMenuEntries(source, t);
             t.add(std::make_unique<MenuEntry>("stale", 5));
         }},
        {"target with deeper entries", [&](MenuEntry& t) {
             CopyMenuEntries(source, t);
             t.child(2)->add(std::make_unique<MenuEntry>("grandchild", 7));
         }},
    };
    for (const Case& c : cases) {
        MenuEntry target("Orbel Kit", 8, 0);
        c.prepare(target);
        const unsigned before = target.revision();
        ReplaceMenuEntries(source, target);
        EXPECT_EQ(Shape(target), Shape(source)) << c.name;
        EXPECT_NE(target.revision(), before) << c.name;
        for (int i = 0; i < target.count(); ++i) {
            EXPECT_EQ(target.child(i)->draw, DrawHook::None) << c.name;
            EXPECT_EQ(target.child(i)->parent(), &target) << c.name;
        }
    }
}

TEST(ReplaceMenuEntries, CopiesDeeperLevelsOfTheSource) {
    MenuEntry source("", 0);
    MenuEntry* sub = source.add(std::make_unique<MenuEntry>("Sub", 1, 3));
    sub->add(std::make_unique<MenuEntry>("Leaf", 2, 4, MenuHandler::miAboutClick, false));
    MenuEntry target("", 0);
    target.add(std::make_unique<MenuEntry>("Old", 9));
    ReplaceMenuEntries(source, target);
    EXPECT_EQ(Shape(target), Shape(source));
    EXPECT_NE(target.child(0), sub);  // a copy, not the source's own entry
}

TEST(ClearDrawHooks, RemovesEveryHookAndTouchesEveryLevel) {
    auto root = LiveMenuWithStore();
    AttachDrawHooks(*root, false);
    const auto before = Shape(*root);
    MenuEntry* nested = const_cast<MenuEntry*>(Find(*root, "Nested"));
    const unsigned n0 = nested->revision(), r0 = root->revision();
    ClearDrawHooks(*root);
    std::function<void(const MenuEntry&)> check = [&](const MenuEntry& e) {
        e.forEachChild([&](const MenuEntry& c) {
            EXPECT_EQ(c.draw, DrawHook::None) << c.caption;
            check(c);
        });
    };
    check(*root);
    EXPECT_EQ(Shape(*root), before);
    EXPECT_NE(nested->revision(), n0);
    EXPECT_NE(root->revision(), r0);
}

TEST(RefreshKitMenu, RebuildsOnlyTheKitAndClearsHooks) {
    auto basic = BuildMenuTemplate();
    auto live = LiveMenuWithStore();
    AttachDrawHooks(*live, false);
    const auto before = Shape(*live);
    const MenuEntry* item = live->child(0);
    const MenuEntry* oldKitChild = KitMenuOf(*live)->child(2);
    MenuEntry* kit = KitMenuOf(*live);
    // A kit that has drifted from the template is put right.
    kit->child(2)->caption = "drifted";
    RefreshKitMenu(*basic, *live);
    EXPECT_EQ(Shape(*live), before);
    EXPECT_EQ(live->child(0), item);        // store entries are kept, not copied
    EXPECT_EQ(KitMenuOf(*live), kit);       // the kit entry itself stays
    EXPECT_NE(kit->child(2), oldKitChild);  // its children are new
    EXPECT_EQ(Find(*live, "drifted"), nullptr);
    EXPECT_EQ(Find(*live, "Item")->draw, DrawHook::None);
    EXPECT_EQ(Find(*live, "Sysmenu")->draw, DrawHook::None);
    AttachDrawHooks(*live, false);
    EXPECT_EQ(Find(*live, "Manage Items..")->draw, DrawHook::NorItems);
}

TEST(RefreshKitMenu, MenusWithoutAKitAreLeftAlone) {
    auto basic = BuildMenuTemplate();
    MenuEntry shortRoot("", 0);
    shortRoot.add(std::make_unique<MenuEntry>("Only", 0))->draw = DrawHook::NorItems;
    RefreshKitMenu(*basic, shortRoot);
    EXPECT_EQ(shortRoot.count(), 1);
    EXPECT_EQ(shortRoot.child(0)->draw, DrawHook::NorItems);

    MenuEntry emptyTemplate("", 0);
    auto live = LiveMenuWithStore();
    const auto before = Shape(*live);
    RefreshKitMenu(emptyTemplate, *live);
    EXPECT_EQ(Shape(*live), before);
    EXPECT_EQ(KitMenuOf(emptyTemplate), nullptr);
}

}  // namespace
}  // namespace orbel
