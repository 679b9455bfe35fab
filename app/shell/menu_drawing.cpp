#include "app/shell/menu_drawing.h"

#include "app/shell/program.h"
#include "app/tray/live_menu.h"

namespace orbel {

void AttachDrawHooks(Program& prog) {
    if (!prog.store().liveMenu) return;
    // The walk touches every level, so each realised popup rebuilds itself
    // with the new handlers the next time it opens.
    AttachDrawHooks(*prog.store().liveMenu, prog.settings().WindowsDraw);
}

void RefreshKitMenu(Program& prog) {
    if (!prog.store().liveMenu || !prog.store().basicMenu) return;
    // The realised kit popup points at the entries about to be replaced:
    // drop everything built so far before they go.
    if (prog.liveMenu()) prog.liveMenu()->invalidate();
    RefreshKitMenu(*prog.store().basicMenu, *prog.store().liveMenu);
    // The exported copy numbered the old entries: it starts again.
    if (prog.liveMenu()) prog.liveMenu()->entriesReplaced();
}

}  // namespace orbel
