#pragma once
// What the entries of the tray menu do when picked.

namespace orbel {

class MenuEntry;
class Program;

// Runs the click handler an entry carries; entries without one do nothing.
void RunMenuCommand(Program& prog, const MenuEntry& entry);

void miHelpFileClick(Program& prog);
void miManageItemsClick(Program& prog);
void SetupClick(Program& prog);
void miVisitWebsiteClick();
void miAboutClick(Program& prog);
void miCloseAppClick(Program& prog);

}  // namespace orbel
