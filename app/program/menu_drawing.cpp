#include "app/program/menu_drawing.h"

#include "app/tray/live_menu.h"
#include "core/store/item_store.h"

namespace orbel {

void AttachDrawHooks(ItemStore& store, bool windowsDraw) {
    if (!store.liveMenu) return;
    // The walk touches every level, so each realised popup rebuilds itself
    // with the new handlers the next time it opens.
    AttachDrawHooks(*store.liveMenu, windowsDraw);
}

void RefreshKitMenu(ItemStore& store, LiveMenu* shown) {
    if (!store.liveMenu || !store.basicMenu) return;
    // The realised kit popup points at the entries about to be replaced:
    // drop everything built so far before they go.
    if (shown) shown->invalidate();
    RefreshKitMenu(*store.basicMenu, *store.liveMenu);
    // The exported copy numbered the old entries: it starts again.
    if (shown) shown->entriesReplaced();
}

}  // namespace orbel
