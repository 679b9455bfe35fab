#include "app/shell/tray_commands.h"

#include <QWidget>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/manager/form_items.h"
#include "app/shell/program.h"
#include "app/tray/form_shortcuts.h"
#include "app/services/launching.h"
#include "core/shell/texts.h"
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

void RunMenuCommand(const MenuEntry& entry) {
    switch (entry.onClick) {
    case MenuHandler::None: break;
    case MenuHandler::NorItemsRTClickItem: Program::instance()->shortcuts->NorItemsRTClickItem(entry); break;
    case MenuHandler::miHelpFileClick: miHelpFileClick(); break;
    case MenuHandler::miManageItemsClick: miManageItemsClick(); break;
    case MenuHandler::SetupClick: SetupClick(); break;
    case MenuHandler::miVisitWebsiteClick: miVisitWebsiteClick(); break;
    case MenuHandler::miAboutClick: miAboutClick(); break;
    case MenuHandler::miCloseAppClick: miCloseAppClick(); break;
    }
}

void miHelpFileClick() { OpenDocument(Program::instance()->helpPage()); }
void miManageItemsClick() { ShowModeless(Program::instance()->items.get()); }
void SetupClick() { ShowModeless(Program::instance()->config.get()); }
void miVisitWebsiteClick() { OpenDocument(QString::fromUtf8(texts::WebAddress)); }
void miAboutClick() { ShowModeless(Program::instance()->about.get()); }
void miCloseAppClick() { Program::instance()->CloseProgram(); }

}  // namespace orbel
