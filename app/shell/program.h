#pragma once
// The program as a whole: its program-wide values, the five windows in their
// order, start-up, the reload of the store and the way it ends.

#include <QColor>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/dialogs/form_config.h"
#include "app/hotkey/menu_shortcut.h"
#include "app/manager/form_items.h"
#include "core/shell/command_line.h"
#include "core/shell/file_places.h"
#include "core/shell/settings.h"
#include "core/store/store_loader.h"

namespace orbel {

namespace platform {
class SingleInstanceLock;
}
class Clock;
class ImageLists;
class LiveMenu;
class TFormGeneral;
class TFormShortCuts;
class TFormItems;
class TFormConfig;
class TFormAbout;
class TFormFind;
class MenuFind;
class ItemSearch;
class RequestReceiver;

class Program : public QObject, public PreferencesHost, public ManagerHost {
    Q_OBJECT
public:
    Program();
    ~Program() override;

    // Where every file lives. Decided by start-up from the executable's
    // directory; tests fix it first: a program directory that keeps
    // everything, or places of their own.
    void setProgramDirectory(const QString& dir);
    void setFilePlaces(const FilePlaces& places);
    QString settingsFile() const { return QString::fromStdString(places.settingsFile()); }
    QString logFile() const { return QString::fromStdString(places.logFile()); }
    QString helpPage() const override { return QString::fromStdString(places.helpPage()); }
    QString installedFile(const QString& name) const {
        return QString::fromStdString(places.installedFile(name.toStdString()));
    }

    // Start-up leaves the item manager's tree to its first showing (the
    // program does; tests that work on the tree at once keep the default).
    void setItemTreeWhenShown(bool on) { itemTreeWhenShown_ = on; }

    // Steps of the main sequence.
    void createWindows();
    void GuardSingleInstance();
    // A start with a request takes the lock before its windows are made
    // (a running program gets the request instead); the guard keeps it.
    void adoptInstanceLock(std::unique_ptr<platform::SingleInstanceLock> lock);
    // What the command asked for, done once start-up is done.
    void setStartRequest(const CommandRequest& request) { startRequest_ = request; }
    // Takes the requests of later starts while the lock is held (none
    // before the guard, nor in a second instance).
    RequestReceiver* requests() const { return requests_.get(); }
    void StartUp();
    void ReloadStore();
    void CloseProgram();
    // Opens the find window (made on its first showing) with text typed in.
    void ShowFind(const QString& text);
    // The tray menu at the pointer, or the find window where the desktop
    // draws the tray menu itself: what the menu shortcut and `--menu` do.
    void ShowMenuAnywhere();

    // What the preferences ask of the program.
    void HideOpenDialogs() override;
    void ShowHiddenDialogs() override;
    void SaveSettings() override;
    void LoadSettings() override;
    void ApplySettings() override;
    void RedrawMenu() override;
    QString menuShortcutNote() const override;
    bool menuShortcutRefused() const override;

    // What the item manager asks of the program.
    void playSound(const QString& name) override;
    void writeErrorLog(const QString& line) override;
    bool reloadAfterSave() override;

    // 1 while start-up may go on.
    bool continueFlag() const { return continue_; }
    // The message loop has been told to end (or must end as soon as it runs).
    bool endRequested() const { return endRequested_; }
    void requestEnd(int exitCode = 0);

    // Program-wide values.
    ItemStore store;
    Settings settings;
    FilePlaces places;
    // What the autostart entry runs (the installed command or the executable).
    QString startCommand;
    QColor menuColour;
    QColor systemColour;
    QString executableName;
    QString crashMessage;
    QString backupPrompt;
    QString helpTail;
    QString itemsTitle, configTitle, aboutTitle, findTitle;

private:
    // Installed first, so that it is let go last: windows going away may
    // still raise errors for the program to handle.
    struct ErrorHandling {
        explicit ErrorHandling(Program* p);
        ~ErrorHandling();
    } errorHandling_;

public:
    // Both image lists; they outlive the windows, whose models and menus
    // point at them.
    std::unique_ptr<ImageLists> images;
    // The tray menu as the store fills it; the tray icon and the item
    // manager show it.
    std::unique_ptr<LiveMenu> liveMenu;
    // The index the find window (and typing in the menu) finds items in,
    // built on its first use; a reload marks it stale.
    std::unique_ptr<ItemSearch> search;
    // Typing into the open tray menu finds in that index; the menu owns it.
    MenuFind* menuFind = nullptr;
    // What the windows' timers run on; tests set their own before the
    // windows are made.
    Clock* clock;
    // The windows in their order of creation; they go in the reverse order.
    std::unique_ptr<TFormGeneral> general;
    std::unique_ptr<TFormShortCuts> shortcuts;
    std::unique_ptr<TFormItems> items;
    std::unique_ptr<TFormConfig> config;
    std::unique_ptr<TFormAbout> about;
    // Made when first asked for, so it costs nothing at start-up.
    std::unique_ptr<TFormFind> find;
    // The ways of taking the menu shortcut's keys; tests put in their own.
    MenuShortcut::Takers keyTakers = SystemKeyTakers;
    // Asks the system for keys only when a shortcut is set.
    std::unique_ptr<MenuShortcut> menuShortcut;

    // Whether the tray answers the mouse and has its menu (Running).
    bool trayReady() const;

signals:
    void started();
    void reloaded();

private:
    BackupAnswer askBackup() const;
    // The stored shortcut taken anew; at start-up a stored one that cannot
    // be used is written to the error log.
    void ApplyMenuShortcut(bool atStart);

    std::unique_ptr<platform::SingleInstanceLock> lock_;
    // Let go before the lock: a new holder's socket must not be removed.
    std::unique_ptr<RequestReceiver> requests_;
    CommandRequest startRequest_;
    bool continue_ = true;
    bool endRequested_ = false;
    bool placesFixed_ = false;
    bool itemTreeWhenShown_ = false;
};

}  // namespace orbel
