#include "core/tray/menu_export.h"
#include "core/tray/menu_drawing.h"

#include <gtest/gtest.h>

#include <string>

namespace orbel {
namespace {

// A loaded live menu: an item, a folder with its hidden entry and a nested
// text separator, then the fixed entries.
std::unique_ptr<MenuEntry> Loaded() {
    auto root = std::make_unique<MenuEntry>("", 0);
    root->add(std::make_unique<MenuEntry>("Re&cord_it", 0, 17, MenuHandler::NorItemsRTClickItem));
    root->add(std::make_unique<MenuEntry>("-", tag::PlainSeparator));
    MenuEntry* folder = root->add(std::make_unique<MenuEntry>("Tools", 3, 0));
    folder->add(std::make_unique<MenuEntry>("Hiding", tag::Hidden, -1, MenuHandler::None, false));
    folder->add(std::make_unique<MenuEntry>("Caption_&x", tag::TextSeparator));
    folder->add(std::make_unique<MenuEntry>("Doc", 1, 12, MenuHandler::NorItemsRTClickItem));
    root->add(std::make_unique<MenuEntry>("Empty", 4, 0))
        ->add(std::make_unique<MenuEntry>("Hiding", tag::Hidden, -1, MenuHandler::None, false));
    CopyMenuEntries(*BuildMenuTemplate(), *root);
    return root;
}

// One line per exported entry, depth first, indented by level.
void Describe(const ExportedEntry& e, int level, std::string& out) {
    for (const auto& c : e.children) {
        out += std::string(size_t(level) * 2, ' ');
        if (c.separator) out += "---";
        else
            out += c.label + (c.enabled ? "" : " [off]") + (c.submenu ? " >" : "") +
                   (c.imageIndex >= 0 ? " #" + std::to_string(c.imageIndex) : "");
        out += "\n";
        Describe(c, level + 1, out);
    }
}

int IdOf(const ExportedEntry& e, const std::string& label) {
    for (const auto& c : e.children) {
        if (c.label == label) return c.id;
        if (int id = IdOf(c, label)) return id;
    }
    return 0;
}

TEST(MenuExport, WholeMenuAsHostsShowIt) {
    auto root = Loaded();
    MenuExport ex;
    ex.setRoot(root.get());
    ex.setEnabled(true);
    std::string text;
    Describe(*ex.layout(0, -1), 0, text);
    EXPECT_EQ(text,
              "Re_cord__it #17\n"
              "---\n"
              "Tools > #0\n"
              "  Caption__x [off]\n"
              "  Doc #12\n"
              "Empty > #0\n"
              "Sysmenu [off]\n"
              "Orbel Kit > #0\n"
              "  Help File #8\n"
              "  ---\n"
              "  Manage Items.. #9\n"
              "  Preferences.. #10\n"
              "  ---\n"
              "  Visit Website\n"
              "  ---\n"
              "  About..\n"
              "Close\n");
}

TEST(MenuExport, LabelsTurnAccessKeysIntoUnderscores) {
    struct Case {
        const char* caption;
        bool textSep;
        const char* label;
    };
    const Case cases[] = {
        {"&File", false, "_File"},  {"Tom && Jerry", false, "Tom & Jerry"},
        {"a_b", false, "a__b"},     {"end&", false, "end"},
        {"&Sep_x", true, "Sep__x"}, {"A && B", true, "A & B"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExportLabel(c.caption, c.textSep), c.label) << c.caption;
}

TEST(MenuExport, DepthLimitsTheLevelsAndIdsStayStable) {
    auto root = Loaded();
    MenuExport ex;
    ex.setRoot(root.get());
    ex.setEnabled(true);
    const ExportedEntry top = *ex.layout(0, 1);
    const int tools = IdOf(top, "Tools");
    ASSERT_NE(tools, 0);
    for (const auto& c : top.children) EXPECT_TRUE(c.children.empty()) << c.label;
    const ExportedEntry folder = *ex.layout(tools, 1);
    ASSERT_EQ(folder.children.size(), 2u);
    EXPECT_EQ(ex.layout(tools, 0)->children.size(), 0u);
    // Asked again, every entry keeps its number.
    EXPECT_EQ(IdOf(*ex.layout(0, -1), "Doc"), folder.children[1].id);
    EXPECT_EQ(ex.choosable(folder.children[1].id)->caption, "Doc");
}

TEST(MenuExport, NothingIsOfferedOrChosenWhileSwitchedOff) {
    auto root = Loaded();
    MenuExport ex;
    ex.setRoot(root.get());
    EXPECT_TRUE(ex.layout(0, -1)->children.empty());  // start-up: off
    ex.setEnabled(true);
    const ExportedEntry on = *ex.layout(0, -1);
    const int close = IdOf(on, "Close"), tools = IdOf(on, "Tools");
    const unsigned before = ex.revision();
    ex.setEnabled(false);
    EXPECT_GT(ex.revision(), before);
    EXPECT_TRUE(ex.layout(0, -1)->children.empty());
    EXPECT_FALSE(ex.layout(tools, -1));
    EXPECT_EQ(ex.choosable(close), nullptr);
    ex.setEnabled(true);
    EXPECT_EQ(ex.choosable(close)->onClick, MenuHandler::miCloseAppClick);
}

TEST(MenuExport, OnlyItemsAndCommandsCanBeChosen) {
    auto root = Loaded();
    MenuExport ex;
    ex.setRoot(root.get());
    ex.setEnabled(true);
    const ExportedEntry all = *ex.layout(0, -1);
    for (const char* label : {"Tools", "Empty", "Sysmenu", "Orbel Kit", "Caption__x"})
        EXPECT_EQ(ex.choosable(IdOf(all, label)), nullptr) << label;
    EXPECT_EQ(ex.choosable(all.children[1].id), nullptr);  // plain separator
    EXPECT_EQ(ex.choosable(0), nullptr);
    EXPECT_EQ(ex.choosable(IdOf(all, "About.."))->onClick, MenuHandler::miAboutClick);
}

TEST(MenuExport, IdsOfAReplacedTreeAreNeverReused) {
    auto root = Loaded();
    MenuExport ex;
    ex.setRoot(root.get());
    ex.setEnabled(true);
    const int oldDoc = IdOf(*ex.layout(0, -1), "Doc");
    const int oldAbout = IdOf(*ex.layout(0, -1), "About..");

    // A reload: the old tree goes, a new one comes (maybe at the same address).
    root = Loaded();
    ex.setRoot(root.get());
    EXPECT_EQ(ex.choosable(oldDoc), nullptr);
    EXPECT_FALSE(ex.layout(oldDoc, 0));
    const ExportedEntry fresh = *ex.layout(0, -1);
    EXPECT_NE(IdOf(fresh, "Doc"), oldDoc);

    // The kit refresh replaces the kit's entries in place.
    MenuEntry* kit = KitMenuOf(*root);
    const int aboutBefore = IdOf(fresh, "About..");
    ReplaceMenuEntries(*KitMenuOf(*BuildMenuTemplate()), *kit);
    ex.rebuilt();
    EXPECT_EQ(ex.choosable(aboutBefore), nullptr);
    EXPECT_EQ(ex.choosable(IdOf(*ex.layout(0, -1), "About.."))->onClick, MenuHandler::miAboutClick);
    EXPECT_NE(oldAbout, aboutBefore);
}

TEST(MenuExport, BackendFollowsWhatTheDesktopOffers) {
    using S = TraySystem;
    struct Case {
        S system;
        bool sni, xembed;
        TrayBackend want;
    };
    const Case cases[] = {
        {S::X11, true, true, TrayBackend::StatusNotifier},      {S::X11, false, true, TrayBackend::XEmbed},
        {S::X11, true, false, TrayBackend::StatusNotifier},     {S::X11, false, false, TrayBackend::None},
        {S::DBusOnly, true, true, TrayBackend::StatusNotifier}, {S::DBusOnly, false, true, TrayBackend::None},
        {S::Native, false, false, TrayBackend::Native},         {S::Native, true, true, TrayBackend::Native},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseTrayBackend(c.system, c.sni, c.xembed), c.want) << int(c.system) << c.sni << c.xembed;
}

}  // namespace
}  // namespace orbel
