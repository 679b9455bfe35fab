#pragma once
// The program as a whole: it builds its parts and wires them to each other
// (the five windows in their order, the error log, the sounds, the
// settings, the watch for a tray), runs start-up, the reload of the store
// and the way it ends. Its values and parts are its own; others read them.

#include <QColor>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/dialogs/form_config.h"
#include "app/hotkey/menu_shortcut.h"
#include "app/manager/form_items.h"
#include "app/program/form_general.h"
#include "app/program/tray_commands.h"
#include "app/services/launching.h"
#include "app/services/notice.h"
#include "app/services/services.h"
#include "core/program/command_line.h"
#include "core/program/file_places.h"
#include "core/program/settings.h"
#include "core/store/store_loader.h"
#include "core/system/system_calls.h"

namespace orbel {

namespace platform {
class InstanceLock;
class Platform;
}  // namespace platform
class Clock;
class ImageLists;
class MenuDrawStyle;
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
class TrayWatcher;
class ErrorLog;
class SoundPlayer;
class TitlePainter;
class SettingsKeeper;

class Program : public QObject, public PreferencesHost, public ManagerHost, public GeneralHost, public CommandHost {
    Q_OBJECT
public:
    // The platform answers every call to the system while the program lives;
    // its system calls are installed for the logic layer until then.
    explicit Program(platform::Platform& platform);
    ~Program() override;

    // Where every file lives. Decided by start-up from the executable's
    // directory; tests fix it first: a program directory that keeps
    // everything, or places of their own.
    void setProgramDirectory(const QString& dir);
    void setFilePlaces(const FilePlaces& places);
    QString settingsFile() const { return QString::fromStdString(places_.settingsFile()); }
    QString logFile() const { return QString::fromStdString(places_.logFile()); }
    QString helpPage() const override { return QString::fromStdString(places_.helpPage()); }
    QString installedFile(const QString& name) const {
        return QString::fromStdString(places_.installedFile(name.toStdString()));
    }

    // Start-up leaves the item manager's tree to its first showing (the
    // program does; tests that work on the tree at once keep the default).
    void setItemTreeWhenShown(bool on) { itemTreeWhenShown_ = on; }

    // Steps of the main sequence.
    void createWindows();
    void GuardSingleInstance();
    // A start with a request takes the lock before its windows are made
    // (a running program gets the request instead); the guard keeps it.
    void adoptInstanceLock(std::unique_ptr<platform::InstanceLock> lock);
    // What the command asked for, done once start-up is done.
    void setStartRequest(const CommandRequest& request) { startRequest_ = request; }
    // Takes the requests of later starts while the lock is held (none
    // before the guard, nor in a second instance).
    RequestReceiver* requests() const { return requests_.get(); }
    void StartUp();
    void ReloadStore();
    void CloseProgram() override;
    // Opens the find window (made on its first showing) with text typed in.
    void ShowFind(const QString& text) override;
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
    void requestEnd(int exitCode = 0) override;

    // Program-wide values.
    ItemStore& store() { return store_; }
    const ItemStore& store() const { return store_; }
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    const FilePlaces& places() const { return places_; }
    // What the autostart entry runs (the installed command or the executable).
    const QString& startCommand() const { return startCommand_; }
    const QColor& menuColour() const { return menuColour_; }
    const QColor& systemColour() const { return systemColour_; }
    const QString& executableName() const { return executableName_; }
    const QString& crashMessage() const override { return crashMessage_; }
    const QString& backupPrompt() const { return backupPrompt_; }
    const QString& helpTail() const { return helpTail_; }
    const QString& itemsTitle() const { return itemsTitle_; }

    // The program's parts, made by createWindows (the find window on its
    // first showing); null before.
    ImageLists* images() const { return images_.get(); }
    LiveMenu* liveMenu() const { return liveMenu_.get(); }
    ItemSearch* search() const override { return search_.get(); }
    MenuFind* menuFind() const { return menuFind_; }
    TFormGeneral* general() const { return general_.get(); }
    TFormShortCuts* shortcuts() const override { return shortcuts_.get(); }
    TFormItems* items() const override { return items_.get(); }
    TFormConfig* config() const override { return config_.get(); }
    TFormAbout* about() const override { return about_.get(); }
    TFormFind* find() const { return find_.get(); }
    MenuShortcut* menuShortcut() const { return menuShortcut_.get(); }
    const Services& services() const override { return services_; }
    const Launcher& launcher() const override { return launcher_; }
    // The program's message boxes; tests answer them.
    Notices& notices() { return notices_; }
    ErrorLog& errorLog() override { return *errorLog_; }
    SoundPlayer& sounds() { return *sounds_; }
    TitlePainter& titles() override { return *titles_; }

    // What the windows' timers run on; tests set their own before the
    // windows are made.
    Clock& clock() const override { return *clock_; }
    void setClock(Clock& clock) { clock_ = &clock; }
    // The ways of taking the menu shortcut's keys; tests put in their own
    // before start-up.
    void setKeyTakers(MenuShortcut::Takers takers) { keyTakers_ = std::move(takers); }

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

    ItemStore store_;
    Settings settings_;
    FilePlaces places_;
    QString startCommand_;
    QColor menuColour_;
    QColor systemColour_;
    QString executableName_;
    QString crashMessage_;
    QString backupPrompt_;
    QString helpTail_;
    QString itemsTitle_, configTitle_, aboutTitle_, findTitle_;

    // The system, the message boxes and the opening of items come before
    // every part that uses them, so they are let go after all of them; the
    // logic layer asks the platform's system calls while the program lives.
    platform::Platform& platform_;
    ScopedSystemCalls systemCalls_;
    Notices notices_;
    Launcher launcher_;
    Services services_;

    // Installed before the parts, so that it is let go after them: windows
    // going away may still raise errors for the program to handle.
    struct ErrorHandling {
        explicit ErrorHandling(Program* p);
        ~ErrorHandling();
    } errorHandling_;

    std::unique_ptr<ErrorLog> errorLog_;
    std::unique_ptr<SoundPlayer> sounds_;
    // Both image lists; they outlive the windows, whose models and menus
    // point at them.
    std::unique_ptr<ImageLists> images_;
    // Draws the live menu's entries; made before the menu, so let go after it.
    std::unique_ptr<MenuDrawStyle> menuStyle_;
    // The tray menu as the store fills it; the tray icon and the item
    // manager show it.
    std::unique_ptr<LiveMenu> liveMenu_;
    // The index the find window (and typing in the menu) finds items in,
    // built on its first use; a reload marks it stale.
    std::unique_ptr<ItemSearch> search_;
    // Typing into the open tray menu finds in that index; the menu owns it.
    MenuFind* menuFind_ = nullptr;
    Clock* clock_;
    std::unique_ptr<TitlePainter> titles_;
    // The windows in their order of creation; they go in the reverse order.
    std::unique_ptr<TFormGeneral> general_;
    std::unique_ptr<TFormShortCuts> shortcuts_;
    std::unique_ptr<TFormItems> items_;
    std::unique_ptr<TFormConfig> config_;
    std::unique_ptr<TFormAbout> about_;
    // Made when first asked for, so it costs nothing at start-up.
    std::unique_ptr<TFormFind> find_;
    // The settings file and autostart entry, applied to the dialogs.
    std::unique_ptr<SettingsKeeper> settingsKeeper_;
    MenuShortcut::Takers keyTakers_ = SystemKeyTakers;
    // Asks the system for keys only when a shortcut is set.
    std::unique_ptr<MenuShortcut> menuShortcut_;

    // After start-up, says once when no tray has come.
    std::unique_ptr<TrayWatcher> trayWatcher_;
    std::unique_ptr<platform::InstanceLock> lock_;
    // Let go before the lock: a new holder's socket must not be removed.
    std::unique_ptr<RequestReceiver> requests_;
    CommandRequest startRequest_;
    bool continue_ = true;
    bool endRequested_ = false;
    bool placesFixed_ = false;
    bool itemTreeWhenShown_ = false;
};

}  // namespace orbel
