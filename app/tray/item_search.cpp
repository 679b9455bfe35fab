#include "app/tray/item_search.h"

#include <QDateTime>

#include "core/program/file_places.h"
#include "core/store/store_loader.h"
#include "core/tray/menu_model.h"

namespace orbel {

namespace {
// The images of the item entries the index holds, by item number; the same
// walk as the index's: the loaded entries and every folder below them.
void CollectImages(const MenuEntry& level, int count, std::vector<int>& images) {
    for (int i = 0; i < count; ++i) {
        const MenuEntry& e = *level.child(i);
        if (e.onClick == MenuHandler::NorItemsRTClickItem) {
            if (e.tag < 0) continue;
            const auto n = static_cast<std::size_t>(e.tag);
            if (n >= images.size()) images.resize(n + 1, -1);
            images[n] = e.imageIndex;
        } else if (e.onClick == MenuHandler::None && e.hasChildren()) {
            CollectImages(e, e.count(), images);
        }
    }
}
}  // namespace

ItemSearch::ItemSearch(const ItemStore& store, const FilePlaces& places) : store_(store), places_(places) {}

std::int64_t ItemSearch::Now() { return QDateTime::currentSecsSinceEpoch(); }

void ItemSearch::loadHistory() {
    if (historyLoaded_) return;
    historyLoaded_ = true;
    // A missing or damaged file leaves no records; the next launch writes it anew.
    history_.load(places_.launchHistoryFile());
}

const SearchIndex& ItemSearch::index() {
    if (!stale_) return index_;
    stale_ = false;
    loadHistory();
    images_.clear();
    if (!store_.liveMenu) {
        index_.clear();
        return index_;
    }
    const MenuEntry& root = *store_.liveMenu;
    BuildSearchIndex(index_, root, store_.table, DesktopTextsFromFiles());
    images_.assign(static_cast<std::size_t>(store_.table.paths.length()), -1);
    CollectImages(root, std::min(root.tag, root.count()), images_);
    index_.applyHistory(history_, Now());
    return index_;
}

int ItemSearch::imageOf(int itemNumber) const {
    if (itemNumber < 0 || static_cast<std::size_t>(itemNumber) >= images_.size()) return -1;
    return images_[static_cast<std::size_t>(itemNumber)];
}

void ItemSearch::recordLaunch(int itemNumber) {
    loadHistory();
    const std::int64_t now = Now();
    history_.recordLaunch(store_.table.pathOf(itemNumber), store_.table.GetItemParameters(itemNumber), now);
    // A history that cannot be written only ranks less well next time.
    history_.save(places_.launchHistoryFile());
    if (!stale_) index_.applyHistory(history_, now);
}

}  // namespace orbel
