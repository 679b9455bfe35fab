#include "core/search/search_index.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "core/search/fold.h"
#include "core/store/file_kinds.h"
#include "core/store/item_table.h"
#include "core/tray/menu_model.h"

namespace orbel {

namespace {

constexpr std::size_t kMaxField = 0xFFFF;

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Folds text onto the index's arrays, no longer than limit bytes (cut at a
// character); returns the bytes added.
std::size_t AppendField(std::string_view text, std::string& folded, std::vector<std::uint8_t>& starts,
                        std::size_t limit) {
    const std::size_t before = folded.size();
    AppendFolded(text, folded, &starts);
    std::size_t added = folded.size() - before;
    if (added > limit) {
        added = limit;
        while (added > 0 && !IsCharStart(folded[before + added])) --added;
        folded.resize(before + added);
        starts.resize(before + added);
    }
    return added;
}

}  // namespace

int SearchIndex::addFolder(int parent, std::string_view caption) {
    std::string hint;
    if (parent >= 0 && static_cast<std::size_t>(parent) < folderHints_.size()) {
        hint = folderHints_[static_cast<std::size_t>(parent)];
        hint += kFolderHintSeparator;
    }
    hint.append(caption);
    folderHints_.push_back(std::move(hint));
    return static_cast<int>(folderHints_.size()) - 1;
}

const std::string& SearchIndex::folderHint(int folder) const {
    static const std::string none;
    return folder >= 0 && static_cast<std::size_t>(folder) < folderHints_.size()
               ? folderHints_[static_cast<std::size_t>(folder)]
               : none;
}

void SearchIndex::add(int folder, int itemNumber, std::string_view caption, std::string_view path,
                      std::string_view parameters, const DesktopEntryTexts* desktop) {
    Entry e;
    e.folder = folder;
    e.itemNumber = itemNumber;
    e.caption = static_cast<std::uint32_t>(captions_.size());
    e.captionBytes = static_cast<std::uint32_t>(caption.size());
    captions_.append(caption);
    e.key = static_cast<std::uint32_t>(keys_.size());
    e.keyBytes = static_cast<std::uint32_t>(path.size() + 1 + parameters.size());
    keys_.append(path);
    keys_ += '\t';
    keys_.append(parameters);

    e.text = static_cast<std::uint32_t>(folded_.size());
    e.captionLength = static_cast<std::uint16_t>(AppendField(caption, folded_, starts_, kMaxField));
    const std::string_view foldedCaption = std::string_view(folded_).substr(e.text, e.captionLength);

    // The other texts, each once and only when it says more than the caption.
    std::vector<std::string_view> others;
    const auto offer = [&](std::string_view text) {
        if (text.empty() || std::find(others.begin(), others.end(), text) != others.end()) return;
        if (Folded(text) == foldedCaption) return;
        others.push_back(text);
    };
    offer(FileNameOf(path));
    if (desktop) {
        offer(desktop->name);
        offer(desktop->genericName);
        for (const std::string& k : desktop->keywords) offer(k);
    }
    std::string joined;
    for (std::string_view o : others) {
        if (!joined.empty()) joined += ' ';
        joined.append(o);
    }
    e.otherLength = static_cast<std::uint16_t>(AppendField(joined, folded_, starts_, kMaxField));
    e.mask = CharMask(std::string_view(folded_).substr(e.text, std::size_t{e.captionLength} + e.otherLength));
    entries_.push_back(e);
    ++generation_;
}

std::size_t SearchIndex::bytes() const {
    std::size_t hints = 0;
    for (const std::string& h : folderHints_) hints += sizeof h + h.capacity();
    return entries_.capacity() * sizeof(Entry) + folded_.capacity() + starts_.capacity() + captions_.capacity() +
           keys_.capacity() + hints;
}

void SearchIndex::shrink() {
    entries_.shrink_to_fit();
    folded_.shrink_to_fit();
    starts_.shrink_to_fit();
    captions_.shrink_to_fit();
    keys_.shrink_to_fit();
}

void SearchIndex::clear() {
    entries_.clear();
    folded_.clear();
    starts_.clear();
    captions_.clear();
    keys_.clear();
    folderHints_.clear();
    ++generation_;
}

void SearchIndex::applyHistory(const LaunchHistory& history, std::int64_t now) {
    std::string key;
    for (Entry& e : entries_) {
        e.weight = 0;
        if (history.empty()) continue;
        key.assign(keys_, e.key, e.keyBytes);
        if (const LaunchRecord* r = history.find(key)) e.weight = LaunchHistory::Weight(*r, now);
    }
}

DesktopTextsReader DesktopTextsFromFiles() {
    return [locale = MessagesLocale()](const std::string& path) { return ReadDesktopEntryTexts(path, locale); };
}

namespace {

struct Source {
    const ItemTable& table;
    const DesktopTextsReader& readDesktop;
    std::vector<int> parameterOf;  // by item number: index into table.parameters, or -1
};

void IndexLevel(SearchIndex& index, const MenuEntry& level, int count, int folder, const Source& source) {
    for (int i = 0; i < count; ++i) {
        const MenuEntry& e = *level.child(i);
        if (e.tag == tag::Hidden || e.tag == tag::PlainSeparator || e.tag == tag::TextSeparator) continue;
        if (e.onClick == MenuHandler::NorItemsRTClickItem) {
            const std::string path = source.table.pathOf(e.tag);
            std::optional<DesktopEntryTexts> desktop;
            if (source.readDesktop && KindOfPathEnd(path) == ExtensionKind::DesktopEntry)
                desktop = source.readDesktop(path);
            const bool known = e.tag >= 0 && static_cast<std::size_t>(e.tag) < source.parameterOf.size();
            const int p = known ? source.parameterOf[static_cast<std::size_t>(e.tag)] : -1;
            const std::string parameters = p >= 0 ? source.table.parameters[p] : std::string();
            index.add(folder, e.tag, e.caption, path, parameters, desktop ? &*desktop : nullptr);
        } else if (e.onClick == MenuHandler::None) {
            IndexLevel(index, e, e.count(), index.addFolder(folder, e.caption), source);
        }
    }
}

}  // namespace

void BuildSearchIndex(SearchIndex& index, const MenuEntry& liveMenu, const ItemTable& table,
                      const DesktopTextsReader& readDesktop) {
    index.clear();
    // One pass over the program numbers instead of a lookup per item.
    Source source{table, readDesktop, std::vector<int>(static_cast<std::size_t>(table.paths.length()), -1)};
    for (int i = 0; i < table.programNumbers.length() && i < table.parameters.length(); ++i) {
        const std::string number = table.programNumbers[i];
        int n = -1;
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
        // The first of duplicates wins, as GetItemParameters finds it.
        if (ec == std::errc() && end == number.data() + number.size() && n >= 0 &&
            static_cast<std::size_t>(n) < source.parameterOf.size() &&
            source.parameterOf[static_cast<std::size_t>(n)] < 0)
            source.parameterOf[static_cast<std::size_t>(n)] = i;
    }
    IndexLevel(index, liveMenu, std::min(liveMenu.tag, liveMenu.count()), -1, source);
    index.shrink();
}

}  // namespace orbel
