#pragma once
// The program's own drawing of the tray menu's entries, and which entry gets
// which measure and draw handler under the current drawing mode.

#include "core/tray/menu_drawing.h"

namespace orbel {

struct ItemStore;
class LiveMenu;

// Attaches the handlers to every entry of the live menu by its tag and the
// drawing mode. Runs after the menu is complete: start-up, reload, OK, Apply.
void AttachDrawHooks(ItemStore& store, bool windowsDraw);
// Re-creates the live kit submenu from the template and removes all
// handlers; the popup showing the menu (when made) lets go of the old
// entries first.
void RefreshKitMenu(ItemStore& store, LiveMenu* shown);
// ReplaceMenuEntries and ClearDrawHooks work on the menu model directly.

}  // namespace orbel
