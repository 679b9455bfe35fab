// The find: what it matches and in which order, on a menu as people keep
// one, and the inputs that break matchers.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/search/search_index.h"
#include "core/store/store_loader.h"
#include "tests/core/search/realistic_menu.h"
#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

using test::MenuBuilder;

std::vector<std::string> Captions(const std::vector<SearchRow>& rows) {
    std::vector<std::string> out;
    for (const SearchRow& r : rows) out.push_back(r.caption);
    return out;
}

// 1-based rank of caption among rows, 0 when missing.
int RankOf(const std::vector<SearchRow>& rows, const std::string& caption) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].caption == caption) return static_cast<int>(i) + 1;
    return 0;
}

struct Realistic : ::testing::Test {
    MenuBuilder menu;
    SearchIndex index;
    Realistic() {
        test::MakeRealisticMenu(menu);
        menu.buildIndex(index);
    }
};

TEST_F(Realistic, TheMeantItemComesFirstOrAmongTheFirstThree) {
    ASSERT_GT(menu.items(), 300);
    EXPECT_EQ(index.size(), static_cast<std::size_t>(menu.items()));
    for (const test::RankCase& c : test::kRankCases) {
        Finder finder(index);
        const auto& rows = finder.find(c.query, 10);
        const int rank = RankOf(rows, c.meant);
        EXPECT_TRUE(rank >= 1 && rank <= c.within)
            << '"' << c.query << "\" gives \"" << c.meant << "\" at " << rank
            << "; first: " << (rows.empty() ? std::string("nothing") : rows.front().caption);
    }
}

TEST_F(Realistic, TypingLetterByLetterGivesWhatTheWholeQueryGives) {
    // The finder narrows the last matches as letters are added and goes back
    // when they are taken away; a fresh finder knows nothing before.
    const char* typed[] = {"lib wri", "vscode", "march invoice", "inv mar 26", "café", "sys mon"};
    for (const char* query : typed) {
        SCOPED_TRACE(query);
        Finder typing(index);
        const std::string text = query;
        for (std::size_t n = 1; n <= text.size(); ++n) {
            const std::string prefix = text.substr(0, n);
            Finder fresh(index);
            EXPECT_EQ(Captions(typing.find(prefix, 20)), Captions(fresh.find(prefix, 20))) << prefix;
            EXPECT_EQ(typing.matchCount(), fresh.matchCount()) << prefix;
        }
        // Backspace back to one letter, then a different word.
        for (std::size_t n = text.size(); n >= 1; --n) {
            Finder fresh(index);
            EXPECT_EQ(Captions(typing.find(text.substr(0, n), 20)), Captions(fresh.find(text.substr(0, n), 20)));
        }
        Finder fresh(index);
        EXPECT_EQ(Captions(typing.find(text.substr(0, 1) + "zq", 20)),
                  Captions(fresh.find(text.substr(0, 1) + "zq", 20)));
        EXPECT_EQ(Captions(typing.find("gimp", 20)), Captions(fresh.find("gimp", 20)));
    }
}

TEST_F(Realistic, RowsCarryTheItemAndItsFolders) {
    Finder finder(index);
    const auto& rows = finder.find("invoice march 2026");
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].hint, "Office \u203A Invoices \u203A 2026");
    EXPECT_EQ(menu.table().pathOf(rows[0].itemNumber), "/home/anna/Documents/Invoices/2026/Invoice March 2026.odt");
    const auto& top = finder.find("terminal");
    ASSERT_FALSE(top.empty());
    EXPECT_EQ(top[0].caption, "Terminal");
    EXPECT_EQ(top[0].hint, "");
    // The program's own entries are not items of the store.
    for (const char* fixed : {"Close", "Help File", "Visit Website", "Orbel Kit"})
        EXPECT_EQ(RankOf(finder.find(fixed), fixed), 0) << fixed;
}

TEST(Finder, KindsOfMatchRankInOrder) {
    // Each query with its captions in the order they must come: whole word,
    // start of a word, word starts in a row, inside a word, letters
    // scattered; a caption above the same kind of match in a file name.
    const struct {
        const char* query;
        std::vector<std::string> captions;
    } cases[] = {
        {"code", {"Code", "Codeblocks", "Barcode Maker"}},
        {"vsc", {"Visual Studio Code", "Avscan", "Vast Pecan"}},
        {"z", {"AtoZ", "Zoom", "Buzz Zapper", "Gaze"}},
        {"lo", {"Lo", "Look", "LibreOffice", "Hello"}},
        {"26", {"Budget 26", "Tax 2026"}},
        // A word ends where the letters end, in any script.
        {"тек", {"Мой тек файл", "Текстовый"}},
        {"gimp", {"Gimp", "Image Editor (gimp)"}},
    };
    for (const auto& c : cases) {
        MenuBuilder menu;
        // Listed worst first, so the menu's order cannot make them right.
        for (auto it = c.captions.rbegin(); it != c.captions.rend(); ++it) {
            const std::string& caption = *it;
            const bool byFile = caption.find(" (") != std::string::npos;
            menu.program(
                nullptr, byFile ? caption.substr(0, caption.find(" (")) : caption,
                byFile ? "/usr/bin/" + caption.substr(caption.find('(') + 1, caption.size() - caption.find('(') - 2)
                       : "/usr/bin/x");
        }
        SearchIndex index;
        menu.buildIndex(index);
        Finder finder(index);
        std::vector<std::string> expected;
        for (const std::string& caption : c.captions) expected.push_back(caption.substr(0, caption.find(" (")));
        EXPECT_EQ(Captions(finder.find(c.query)), expected) << c.query;
    }
}

TEST_F(Realistic, LimitAndCount) {
    Finder finder(index);
    EXPECT_EQ(finder.find("e", 50).size(), 50u);
    EXPECT_GT(finder.matchCount(), 50u);
    EXPECT_EQ(finder.find("e", 0).size(), 0u);
    EXPECT_GT(finder.matchCount(), 50u);
}

TEST(Finder, BlankAndHopelessQueriesFindNothing) {
    MenuBuilder menu;
    menu.program(nullptr, "Text Editor", "/usr/bin/gedit");
    menu.program(nullptr, "Terminal", "/usr/bin/xterm");
    SearchIndex index;
    menu.buildIndex(index);
    Finder finder(index);
    for (const std::string& q : {std::string(), std::string("   "), std::string(" \t "), std::string("\n")}) {
        EXPECT_TRUE(finder.find(q).empty()) << '"' << q << '"';
        EXPECT_EQ(finder.matchCount(), 0u);
    }
    // Longer than any text, and made of letters every text has.
    EXPECT_TRUE(finder.find(std::string(5000, 'e')).empty());
    EXPECT_TRUE(finder.find(std::string(100000, 'x') + " text").empty());
    std::string manyWords;
    for (int i = 0; i < 2000; ++i) manyWords += "te ";
    ASSERT_EQ(finder.find(manyWords).size(), 2u);  // the same word again and again
    EXPECT_TRUE(finder.find("editor zzz").empty());
    // Blanks around and between words change nothing, pasted ones included.
    EXPECT_EQ(Captions(finder.find("  text   editor  ")), std::vector<std::string>{"Text Editor"});
    EXPECT_EQ(Captions(finder.find("editor\u00A0text")), std::vector<std::string>{"Text Editor"});
    EXPECT_EQ(Captions(finder.find("\u3000editor\u2009text\u202F")), std::vector<std::string>{"Text Editor"});
}

TEST(Finder, MultibyteCaptionsMatchByWholeCharacters) {
    MenuBuilder menu;
    menu.program(nullptr, "Текстовый редактор", "/usr/bin/kwrite");
    menu.document(nullptr, "写真 2026.jpg", "/home/u/写真.jpg");
    menu.document(nullptr, "Ωmega Ελληνικά", "/home/u/omega.txt");
    menu.document(nullptr, "€ Ausgaben", "/home/u/euro.txt");
    SearchIndex index;
    menu.buildIndex(index);
    Finder finder(index);
    const struct {
        const char* query;
        std::vector<std::string> found;
    } cases[] = {
        {"текст", {"Текстовый редактор"}},
        {"ТЕКСТ", {"Текстовый редактор"}},
        {"редак", {"Текстовый редактор"}},
        {"真", {"写真 2026.jpg"}},
        {"写 2026", {"写真 2026.jpg"}},
        {"ελλ", {"Ωmega Ελληνικά"}},
        {"ωmega", {"Ωmega Ελληνικά"}},
        {"€", {"€ Ausgaben"}},
        // "Ѱ" is D1 B0: the D1 of "т" and the B0 of "а" are not it.
        {"\u0470", {}},
        {"т\u0470", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Captions(finder.find(c.query)), c.found) << c.query;
}

TEST(Finder, DuplicateCaptionsAreTwoRowsTellingTheirFoldersApart) {
    MenuBuilder menu;
    MenuEntry* work = menu.folder(nullptr, "Work");
    MenuEntry* home = menu.folder(nullptr, "Home");
    const int a = menu.document(work, "Notes.txt", "/w/notes.txt");
    const int b = menu.document(home, "Notes.txt", "/h/notes.txt");
    const int c = menu.document(menu.folder(home, "Old"), "Notes.txt", "/h/old/notes.txt");
    SearchIndex index;
    menu.buildIndex(index);
    Finder finder(index);
    const auto& rows = finder.find("notes");
    ASSERT_EQ(rows.size(), 3u);
    // Equal matches keep the menu's order.
    EXPECT_EQ(rows[0].itemNumber, a);
    EXPECT_EQ(rows[0].hint, "Work");
    EXPECT_EQ(rows[1].itemNumber, b);
    EXPECT_EQ(rows[1].hint, "Home");
    EXPECT_EQ(rows[2].itemNumber, c);
    EXPECT_EQ(rows[2].hint, "Home \u203A Old");
}

TEST(Finder, LaunchesBreakTiesAndOnlyTies) {
    MenuBuilder menu;
    const int march25 = menu.document(nullptr, "Invoice March 2025.odt", "/d/march25.odt");
    const int march26 = menu.document(nullptr, "Invoice March 2026.odt", "/d/march26.odt");
    const int marching = menu.document(nullptr, "Marching Band.ogg", "/d/band.ogg");
    const int viewer = menu.program(nullptr, "Viewer", "/usr/bin/view", "--march");
    const int otherViewer = menu.program(nullptr, "Viewer", "/usr/bin/view", "--other");
    SearchIndex index;
    menu.buildIndex(index);
    const auto order = [&](const char* query) {
        Finder finder(index);
        std::vector<int> numbers;
        for (const SearchRow& r : finder.find(query)) numbers.push_back(r.itemNumber);
        return numbers;
    };
    EXPECT_EQ(order("march"), (std::vector<int>{march25, march26, marching}));
    EXPECT_EQ(order("view"), (std::vector<int>{viewer, otherViewer}));

    const std::int64_t now = 1'800'000'000;
    constexpr std::int64_t kDay = 24 * 60 * 60;
    LaunchHistory history;
    history.recordLaunch("/d/march26.odt", "", now - kDay);
    // Launched far more, but a worse match: it stays behind the whole words.
    for (int i = 0; i < 50; ++i) history.recordLaunch("/d/band.ogg", "", now);
    // Same path, other parameters: another item.
    history.recordLaunch("/usr/bin/view", "--other", now);
    index.applyHistory(history, now);
    EXPECT_EQ(order("march"), (std::vector<int>{march26, march25, marching}));

    // More launches long ago against one launch today.
    history.recordLaunch("/d/march25.odt", "", now - 400 * kDay);
    history.recordLaunch("/d/march25.odt", "", now - 400 * kDay);
    index.applyHistory(history, now);
    EXPECT_EQ(order("march"), (std::vector<int>{march26, march25, marching}));
    for (int i = 0; i < 20; ++i) history.recordLaunch("/d/march25.odt", "", now - 400 * kDay);
    index.applyHistory(history, now);
    EXPECT_EQ(order("march"), (std::vector<int>{march25, march26, marching}));
    EXPECT_EQ(order("view"), (std::vector<int>{otherViewer, viewer}));
}

TEST(Finder, FileNamesAndDesktopTextsFindItemsBelowCaptions) {
    MenuBuilder menu;
    const int editor = menu.program(nullptr, "Text Editor", "/usr/bin/gedit");
    const int gedit = menu.document(nullptr, "gedit plugins.txt", "/d/plugins.txt");
    const int files = menu.launcher(nullptr, "Files", "/usr/share/applications/org.gnome.Nautilus.desktop",
                                    DesktopEntryTexts{"Dateien", "Dateimanager", {"Ordner", "nautilus"}});
    // A desktop entry whose file cannot be read is an item all the same.
    const int broken = menu.program(nullptr, "Broken", "/usr/share/applications/gone.desktop");
    SearchIndex index;
    menu.buildIndex(index);
    Finder finder(index);
    const auto numbers = [&](const char* query) {
        std::vector<int> n;
        for (const SearchRow& r : finder.find(query)) n.push_back(r.itemNumber);
        return n;
    };
    const std::vector<int> byGedit = numbers("gedit");
    ASSERT_GE(byGedit.size(), 2u);
    EXPECT_EQ(byGedit[0], gedit);
    EXPECT_EQ(byGedit[1], editor);
    EXPECT_EQ(numbers("dateimanager"), (std::vector<int>{files}));
    EXPECT_EQ(numbers("ordner"), (std::vector<int>{files}));
    EXPECT_EQ(numbers("nautilus"), (std::vector<int>{files}));
    EXPECT_EQ(numbers("broken"), (std::vector<int>{broken}));
    // Without a reader the launcher is found by its caption and file name only.
    SearchIndex plain;
    BuildSearchIndex(plain, menu.menu(), menu.table(), nullptr);
    Finder plainFinder(plain);
    EXPECT_TRUE(plainFinder.find("ordner").empty());
    EXPECT_EQ(plainFinder.find("nautilus").size(), 1u);
}

TEST(Finder, StartsAfreshWhenTheIndexIsBuiltAgain) {
    MenuBuilder first;
    first.program(nullptr, "Gimp", "/usr/bin/gimp");
    SearchIndex index;
    first.buildIndex(index);
    Finder finder(index);
    ASSERT_EQ(finder.find("g").size(), 1u);
    MenuBuilder second;
    second.program(nullptr, "Geany", "/usr/bin/geany");
    second.program(nullptr, "Gimp", "/usr/bin/gimp");
    second.buildIndex(index);
    // The entry the last query matched is another one now.
    EXPECT_EQ(Captions(finder.find("ge")), std::vector<std::string>{"Geany"});
    EXPECT_EQ(Captions(finder.find("gi")), std::vector<std::string>{"Gimp"});
    MenuBuilder none;
    none.buildIndex(index);
    EXPECT_TRUE(finder.find("gim").empty());
}

TEST(Finder, IndexOfALoadedStore) {
    // As the program loads it at start-up (the tree left for later) and as
    // the item manager's save reloads it.
    for (const bool treeWhenNeeded : {true, false}) {
        SCOPED_TRACE(treeWhenNeeded);
        test::TempDir t;
        const std::string launcher = t / "files.desktop";
        t.write("files.desktop",
                "[Desktop Entry]\nType=Application\nExec=nautilus\nName=Files\n"
                "GenericName=File Manager\nKeywords=folder;explorer;\n");
        t.writeIndex("shortcuts",
                     {"^ExeLnk|/usr/bin/gedit|--new-window||Text Editor", "^NorSep|", "^SpeSep|Work", "^Folder|Office",
                      "^UnkLnk|" + launcher + "|desktop|Files", "^ExeLnk|/usr/bin/view|--page 2||Viewer"});
        t.writeIndex("shortcuts/Office", {"^ExeLnk|/usr/bin/view|--page 1||Viewer", "^Folder|Letters"});
        t.writeIndex("shortcuts/Office/Letters", {"^UnkLnk|/home/u/Bank.odt|odt|Letter to Bank.odt"});
        ItemStore s;
        s.dataDir = t.dir();
        s.treeWhenNeeded = treeWhenNeeded;
        InstallMenuTemplate(s);
        ASSERT_TRUE(PrepareStore(s, [] { return BackupAnswer::No; }));
        LoadStore(s);
        ASSERT_EQ(s.nextItemNumber, 5);

        SearchIndex index;
        BuildSearchIndex(index, *s.liveMenu, s.table, DesktopTextsFromFiles());
        EXPECT_EQ(index.size(), 5u);
        Finder finder(index);
        const auto& letter = finder.find("bank");
        ASSERT_EQ(letter.size(), 1u);
        EXPECT_EQ(letter[0].hint, "Office \u203A Letters");
        EXPECT_EQ(s.table.pathOf(letter[0].itemNumber), "/home/u/Bank.odt");
        EXPECT_EQ(Captions(finder.find("explorer")), std::vector<std::string>{"Files"});
        EXPECT_EQ(Captions(finder.find("gedit")), std::vector<std::string>{"Text Editor"});
        // Nothing of the program's own entries, nor separators.
        EXPECT_TRUE(finder.find("work").empty());
        EXPECT_TRUE(finder.find("close").empty());
        EXPECT_TRUE(finder.find("about").empty());

        // The two viewers differ by their parameters only: menu order (the
        // folder's first, where it stands), until the other is launched.
        const auto viewers = [&] {
            std::vector<std::string> v;
            for (const SearchRow& r : finder.find("viewer")) v.push_back(s.table.GetItemParameters(r.itemNumber));
            return v;
        };
        EXPECT_EQ(viewers(), (std::vector<std::string>{"--page 1", "--page 2"}));
        LaunchHistory history;
        history.recordLaunch("/usr/bin/view", "--page 2", 1000);
        index.applyHistory(history, 1000);
        EXPECT_EQ(viewers(), (std::vector<std::string>{"--page 2", "--page 1"}));
    }
}

}  // namespace
}  // namespace orbel
