#pragma once
// Finding items by typing: an index over every item of the loaded tree, at
// any depth, and a finder that ranks the index's entries for a query.
//
// What is matched, per item: its caption; the file name of its target (an
// item "Text Editor" whose path ends in "gedit" is found by "gedit"); and
// for a target that is a desktop entry, the entry's Name, GenericName and
// Keywords. Matching ignores case and Latin accents; the query's words may
// come in any order and each must match. Per word, best first: a whole word,
// a word's start, word starts in a row ("vsc", "vscode" for "Visual Studio
// Code"), a part of a word, letters in order anywhere. A caption match ranks
// above the same kind of match in the other texts. Equal matches go to what
// was launched more and more recently (LaunchHistory), then to the earlier
// match in the shorter caption, then to menu order.
//
// How the program uses it. The index costs nothing at start-up, nor when
// the menu is only opened: the first key typed into the menu or the first
// showing of the find window builds it (BuildSearchIndex from the live menu
// and the item table: about 5 ms at 10,000 items, 50 ms at 100,000, and
// 170 bytes an item), and a reload of the store (the item manager's save)
// only marks it stale, to be built again on the next use. The launch history
// is read with it (LaunchHistory::load, then index.applyHistory).
//   - The tray menu, on each key while it is open: keeps the typed text,
//     calls finder.find(text, rows it has room for) and replaces the loaded
//     entries with the rows (caption, hint in a quiet colour, the launch
//     goes by itemNumber exactly as a click does); an empty text gives the
//     normal menu back.
//   - The find window, on each change of its text box: finder.find(text, 50)
//     into its "Results" list; Return launches row 0 or the selected row.
//   - On every launch from either (and from a plain click in the menu):
//     history.recordLaunch(path, parameters, now), history.save(file) and
//     index.applyHistory(history, now).
// One Finder per place that types: it keeps the matches of the text typed
// so far, so each further letter only looks at those. The program may drop
// the index when the menu closes and the find window hides, since building
// it again is quick.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/search/launch_history.h"
#include "core/links/desktop_entry.h"

namespace orbel {

class MenuEntry;
struct ItemTable;

// The separator of a row's folder hint: "Office › Letters".
inline constexpr const char* kFolderHintSeparator = " \u203A ";

class SearchIndex {
public:
    // A folder for the hints of the items in it; parent -1 for the top level.
    int addFolder(int parent, std::string_view caption);
    // One item. desktop: the texts of its target when that is a desktop entry.
    void add(int folder, int itemNumber, std::string_view caption, std::string_view path, std::string_view parameters,
             const DesktopEntryTexts* desktop = nullptr);
    void clear();
    // After the last add: gives back what growing kept in reserve.
    void shrink();
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // Changes with every change of the entries, so a finder knows its
    // narrowing is stale.
    std::uint64_t generation() const { return generation_; }
    // What the index holds in memory, about.
    std::size_t bytes() const;

    // Takes each entry's launch weight from history (what ties go to).
    void applyHistory(const LaunchHistory& history, std::int64_t now);

    // The stored form, for the finder.
    struct Entry {
        std::uint32_t text = 0;           // offset into folded() and starts()
        std::uint16_t captionLength = 0;  // folded caption bytes at text
        std::uint16_t otherLength = 0;    // folded other texts after them (no separator)
        std::uint64_t mask = 0;           // CharMask of all texts
        std::uint32_t caption = 0;        // offset of the caption as given in captions()
        std::uint32_t captionBytes = 0;
        std::uint32_t key = 0;  // offset of the history key in keys()
        std::uint32_t keyBytes = 0;
        int folder = -1;
        int itemNumber = -1;
        std::uint16_t weight = 0;  // launch weight
    };
    const std::vector<Entry>& entries() const { return entries_; }
    const std::string& folded() const { return folded_; }
    const std::vector<std::uint8_t>& starts() const { return starts_; }
    std::string_view caption(const Entry& e) const {
        return std::string_view(captions_).substr(e.caption, e.captionBytes);
    }
    const std::string& folderHint(int folder) const;

private:
    std::vector<Entry> entries_;
    std::string folded_;
    std::vector<std::uint8_t> starts_;
    std::string captions_;
    std::string keys_;
    std::vector<std::string> folderHints_;
    std::uint64_t generation_ = 0;
};

// Gives the texts of a desktop entry by its path, nothing when there are none.
using DesktopTextsReader = std::function<std::optional<DesktopEntryTexts>(const std::string& path)>;
// Reads them from the file in the user's locale (LC_ALL, LC_MESSAGES, LANG).
DesktopTextsReader DesktopTextsFromFiles();

// The index of the loaded items of the live menu (the root's first
// liveMenu.tag children and every folder below them), with paths and
// parameters from the table. Items whose path ends in ".desktop" get the
// texts readDesktop gives (none without it).
void BuildSearchIndex(SearchIndex& index, const MenuEntry& liveMenu, const ItemTable& table,
                      const DesktopTextsReader& readDesktop);

struct SearchRow {
    int itemNumber = -1;
    std::string caption;
    std::string hint;  // the folder path, empty at the top level
};

class Finder {
public:
    explicit Finder(const SearchIndex& index) : index_(index) {}

    // The best limit matches for query, best first. Blank query: none.
    const std::vector<SearchRow>& find(std::string_view query, std::size_t limit = 50);
    // How many entries the last query matched in all.
    std::size_t matchCount() const { return matchCount_; }
    // Starts afresh with the next query (also done by itself when the index
    // was built again).
    void forget() { steps_.clear(); }

private:
    struct Step {
        std::vector<std::string> words;
        std::vector<std::uint32_t> matches;
    };
    const SearchIndex& index_;
    std::vector<Step> steps_;       // the queries typed so far, each narrowing the one before
    std::uint64_t generation_ = 0;  // the index's, when the steps were taken
    std::vector<SearchRow> rows_;
    std::size_t matchCount_ = 0;
};

// The query's words as the finder reads them: folded, split at blanks.
std::vector<std::string> QueryWords(std::string_view query);

}  // namespace orbel
