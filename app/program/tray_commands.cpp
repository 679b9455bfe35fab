#include "app/program/tray_commands.h"

#include <QWidget>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/manager/form_items.h"
#include "app/tray/form_shortcuts.h"
#include "app/tray/item_search.h"
#include "app/services/launching.h"
#include "core/program/texts.h"
#include "core/tray/menu_model.h"

namespace orbel {

namespace {
// Showing a window that is already visible only brings it forward.
void ShowModeless(QWidget* w) {
    if (!w) return;
    w->show();
    w->raise();
    w->activateWindow();
}
}  // namespace

void RunMenuCommand(CommandHost& prog, const MenuEntry& entry) {
    switch (entry.onClick) {
    case MenuHandler::None: break;
    case MenuHandler::NorItemsRTClickItem:
        // Counted for the find's ranking, as launches from the find window are.
        if (prog.shortcuts()->OpenItemNumber(entry.tag)) prog.search()->recordLaunch(entry.tag);
        break;
    case MenuHandler::miHelpFileClick: miHelpFileClick(prog); break;
    case MenuHandler::miManageItemsClick: miManageItemsClick(prog); break;
    case MenuHandler::SetupClick: SetupClick(prog); break;
    case MenuHandler::miVisitWebsiteClick: miVisitWebsiteClick(prog); break;
    case MenuHandler::miAboutClick: miAboutClick(prog); break;
    case MenuHandler::miCloseAppClick: miCloseAppClick(prog); break;
    }
}

void miHelpFileClick(CommandHost& prog) { prog.launcher().OpenDocument(prog.helpPage()); }
void miManageItemsClick(CommandHost& prog) { ShowModeless(prog.items()); }
void SetupClick(CommandHost& prog) { ShowModeless(prog.config()); }
void miVisitWebsiteClick(CommandHost& prog) { prog.launcher().OpenDocument(QString::fromUtf8(texts::WebAddress)); }
void miAboutClick(CommandHost& prog) { ShowModeless(prog.about()); }
void miCloseAppClick(CommandHost& prog) { prog.CloseProgram(); }

}  // namespace orbel
