#pragma once
// What the entries of the tray menu do when picked.

namespace orbel {

class MenuEntry;

// Runs the click handler an entry carries; entries without one do nothing.
void RunMenuCommand(const MenuEntry& entry);

void miHelpFileClick();
void miManageItemsClick();
void SetupClick();
void miVisitWebsiteClick();
void miAboutClick();
void miCloseAppClick();

}  // namespace orbel
