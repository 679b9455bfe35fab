#pragma once
// What the entries of the tray menu do when picked.

#include <QString>

namespace orbel {

class ItemSearch;
class Launcher;
class MenuEntry;
class TFormAbout;
class TFormConfig;
class TFormItems;
class TFormShortCuts;

// What the commands act on: the program's windows, its index and its end.
class CommandHost {
public:
    virtual QString helpPage() const = 0;
    virtual const Launcher& launcher() const = 0;
    virtual TFormShortCuts* shortcuts() const = 0;
    virtual ItemSearch* search() const = 0;
    virtual TFormItems* items() const = 0;
    virtual TFormConfig* config() const = 0;
    virtual TFormAbout* about() const = 0;
    virtual void CloseProgram() = 0;

protected:
    ~CommandHost() = default;
};

// Runs the click handler an entry carries; entries without one do nothing.
void RunMenuCommand(CommandHost& prog, const MenuEntry& entry);

void miHelpFileClick(CommandHost& prog);
void miManageItemsClick(CommandHost& prog);
void SetupClick(CommandHost& prog);
void miVisitWebsiteClick(CommandHost& prog);
void miAboutClick(CommandHost& prog);
void miCloseAppClick(CommandHost& prog);

}  // namespace orbel
