#pragma once
// The program's one search index over its loaded items, shared by every
// place that finds by typing, and the launch history that ranks it. Nothing
// is built or read until the first use; a reload of the store only marks
// the index stale.

#include <cstdint>
#include <vector>

#include "core/search/launch_history.h"
#include "core/search/search_index.h"

namespace orbel {

struct FilePlaces;
struct ItemStore;

class ItemSearch {
public:
    // store and places must outlive this object; places may still change
    // until the first use (start-up decides them).
    ItemSearch(const ItemStore& store, const FilePlaces& places);

    // The index of the items loaded now, built when stale, with the
    // history's weights.
    const SearchIndex& index();
    // The store was loaded again: item numbers and entries have changed.
    void markStale() { stale_ = true; }
    bool stale() const { return stale_; }

    // The image of an item's menu entry, -1 for none; valid after index().
    int imageOf(int itemNumber) const;

    // An item was started: counts in the history (saved at once) and in the
    // index's ranking.
    void recordLaunch(int itemNumber);

    static std::int64_t Now();

private:
    void loadHistory();

    const ItemStore& store_;
    const FilePlaces& places_;
    SearchIndex index_;
    LaunchHistory history_;
    bool historyLoaded_ = false;
    bool stale_ = true;
    std::vector<int> images_;  // by item number
};

}  // namespace orbel
