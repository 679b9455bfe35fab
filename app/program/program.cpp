#include "app/program/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPalette>
#include <stdexcept>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/dialogs/title_painter.h"
#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/services/clock.h"
#include "app/services/error_log.h"
#include "app/services/sound_player.h"
#include "app/program/form_general.h"
#include "app/program/orbel_application.h"
#include "app/program/remote_requests.h"
#include "app/program/settings_keeper.h"
#include "app/services/notice.h"
#include "app/services/tray_watcher.h"
#include "app/images/image_lists.h"
#include "app/program/tray_commands.h"
#include "app/tray/form_find.h"
#include "app/tray/form_shortcuts.h"
#include "app/tray/item_search.h"
#include "app/tray/live_menu.h"
#include "app/tray/menu_find.h"
#include "app/program/menu_drawing.h"
#include "app/tray/menu_style.h"
#include "app/widgets/sys_tray_icon.h"
#include "app/widgets/system_fonts.h"
#include "core/program/texts.h"
#include "platform/platform.h"

namespace orbel {

namespace {
OrbelApplication* Application() { return qobject_cast<OrbelApplication*>(QCoreApplication::instance()); }
}  // namespace

Program::ErrorHandling::ErrorHandling(Program* p) {
    // Errors escaping the loop's handlers go to the hidden main window once
    // it exists.
    if (OrbelApplication* app = Application())
        app->setErrorHandler([p](QObject* sender, const std::exception* error) {
            if (!p->general_) return false;
            p->general_->AEGeneralException(sender, error);
            return true;
        });
}

Program::ErrorHandling::~ErrorHandling() {
    if (OrbelApplication* app = Application()) app->setErrorHandler({});
}

Program::Program(platform::Platform& platform)
    : platform_(platform),
      systemCalls_(platform.Calls()),
      notices_(QString::fromUtf8(texts::ProductName)),
      launcher_(platform, notices_),
      services_{platform, notices_, launcher_},
      errorHandling_(this),
      clock_(&Clock::system()) {
    // Title texts are filled before the windows read them.
    itemsTitle_ = QString::fromStdString(texts::Title(texts::ItemsTitleSuffix));
    configTitle_ = QString::fromStdString(texts::Title(texts::ConfigTitleSuffix));
    aboutTitle_ = QString::fromStdString(texts::Title(texts::AboutTitleSuffix));
    findTitle_ = QString::fromStdString(texts::Title(texts::FindTitleSuffix));
}

Program::~Program() {
    // The menu style and the dialogs' title painter outlive the windows.
    if (menuStyle_) menuStyle_->setHandlers(nullptr);
    for (OrbelDialog* d : {static_cast<OrbelDialog*>(items_.get()), static_cast<OrbelDialog*>(config_.get()),
                           static_cast<OrbelDialog*>(about_.get())})
        if (d) d->setTitlePainter({});
}

void Program::setProgramDirectory(const QString& dir) {
    // The system's own separators: a backslash ends it on Windows.
    QString d = QDir::toNativeSeparators(QDir::cleanPath(dir));
    if (!d.endsWith(QDir::separator())) d += QDir::separator();
    setFilePlaces(DecideFilePlaces(d.toStdString(), true, {}));
}

void Program::setFilePlaces(const FilePlaces& p) {
    places_ = p;
    store_.dataDir = places_.dataDir;
    placesFixed_ = true;
}

void Program::requestEnd(int exitCode) {
    endRequested_ = true;
    QCoreApplication::exit(exitCode);
}

bool Program::trayReady() const {
    return general_ && general_->CSystrayGen->Enabled() && general_->CSystrayGen->PopupMenu();
}

void Program::createWindows() {
    images_ = std::make_unique<ImageLists>(store_.images, store_.counters.defaultProgramImage, platform_);
    // Nothing is asked of the desktop until an item is first shown.
    images_->setItemIcons(std::make_unique<ItemIcons>(store_.table, PlatformDesktopIcons(platform_)));
    menuStyle_ = std::make_unique<MenuDrawStyle>();
    liveMenu_ = std::make_unique<LiveMenu>(
        *images_, [this](const MenuEntry& e) { RunMenuCommand(*this, e); }, menuStyle_.get());
    liveMenu_->setObjectName("PMItems");
    search_ = std::make_unique<ItemSearch>(store_, places_);
    menuFind_ = new MenuFind(*liveMenu_, *search_, [this](int item) {
        // As a click on the item itself, and counted for the ranking.
        if (shortcuts_->OpenItemNumber(item)) search_->recordLaunch(item);
    });
    errorLog_ = std::make_unique<ErrorLog>(places_, platform_, notices_);
    sounds_ = std::make_unique<SoundPlayer>(places_, *errorLog_, platform_);
    titles_ = std::make_unique<TitlePainter>(settings_, systemColour_);
    general_ = std::make_unique<TFormGeneral>(*this);
    TSysTrayIcon* tray = general_->CSystrayGen;
    trayWatcher_ = std::make_unique<TrayWatcher>(*clock_, notices_, [tray] { return tray->trayAvailable(); });
    connect(tray, &TSysTrayIcon::trayAvailabilityChanged, trayWatcher_.get(), &TrayWatcher::trayAvailabilityChanged);
    shortcuts_ = std::make_unique<TFormShortCuts>(
        MenuLook{settings_, store_.table, *images_, menuColour_, systemColour_}, launcher_);
    menuStyle_->setHandlers(shortcuts_.get());
    items_ = std::make_unique<TFormItems>(
        ManagerParts{itemsTitle_, store_, *images_, *liveMenu_, *clock_, systemColour_, *this, services_});
    config_ = std::make_unique<TFormConfig>(configTitle_, *this, services_);
    about_ = std::make_unique<TFormAbout>(aboutTitle_, *clock_, services_);
    for (OrbelDialog* d : {static_cast<OrbelDialog*>(items_.get()), static_cast<OrbelDialog*>(config_.get()),
                           static_cast<OrbelDialog*>(about_.get())})
        d->setTitlePainter(
            [t = titles_.get()](OrbelDialog* dialog, const QString& title) { t->PaintTitle(dialog, title); });
    settingsKeeper_ = std::make_unique<SettingsKeeper>(
        SettingsParts{settings_, places_, startCommand_, *config_, *items_, *about_, *titles_, *general_, platform_});
}

void Program::HideOpenDialogs() { settingsKeeper_->HideOpenDialogs(); }
void Program::ShowHiddenDialogs() { settingsKeeper_->ShowHiddenDialogs(); }
void Program::SaveSettings() { settingsKeeper_->SaveSettings(); }
void Program::LoadSettings() { settingsKeeper_->LoadSettings(); }
void Program::ApplySettings() {
    ApplyMenuShortcut(false);
    settingsKeeper_->ApplySettings();
}

void Program::ApplyMenuShortcut(bool atStart) {
    const QString stored = QString::fromStdString(settings_.MenuHotkey);
    if (!menuShortcut_) {
        // Nothing to take and nothing taken: the system is not even asked.
        if (stored.trimmed().isEmpty()) return;
        menuShortcut_ = std::make_unique<MenuShortcut>(startCommand_ + QStringLiteral(" --menu"), keyTakers_);
        connect(menuShortcut_.get(), &MenuShortcut::pressed, this, &Program::ShowMenuAnywhere);
    }
    const MenuShortcut::State state = menuShortcut_->set(stored);
    if (!atStart) return;
    if (state == MenuShortcut::State::Unreadable)
        writeErrorLog(
            QStringLiteral("The menu shortcut \"%1\" in the settings names no usable keys and is ignored").arg(stored));
    else if (state == MenuShortcut::State::HeldElsewhere)
        writeErrorLog(QStringLiteral("The menu shortcut \"%1\" is held by another program").arg(stored));
}

QString Program::menuShortcutNote() const {
    if (!menuShortcut_) return MenuShortcut(QString(), {}).note();
    return menuShortcut_->note();
}

bool Program::menuShortcutRefused() const {
    return menuShortcut_ && menuShortcut_->state() == MenuShortcut::State::HeldElsewhere;
}

void Program::ShowMenuAnywhere() {
    TSysTrayIcon* tray = general_ ? general_->CSystrayGen : nullptr;
    if (!tray) return;
    if (tray->menuOnHost()) ShowFind(QString());
    else if (tray->Enabled())
        // As a click on the icon: nothing while the store reloads.
        tray->ShowTrayMenu();
}

void Program::RedrawMenu() {
    RefreshKitMenu(store_, liveMenu_.get());
    AttachDrawHooks(store_, settings_.WindowsDraw);
}

void Program::playSound(const QString& name) { sounds_->PlaySystemSound(name, SoundPlace::WindowsDirectory); }
void Program::writeErrorLog(const QString& line) { errorLog_->WriteErrorLog(line); }

bool Program::reloadAfterSave() {
    ReloadStore();
    return !endRequested();
}

void Program::adoptInstanceLock(std::unique_ptr<platform::InstanceLock> lock) { lock_ = std::move(lock); }

void Program::GuardSingleInstance() {
    if (!lock_ || !lock_->held()) {
        lock_ = platform_.MakeInstanceLock(std::string(texts::InstanceName));
        switch (lock_->acquire()) {
        case platform::InstanceLock::Result::Acquired: break;
        case platform::InstanceLock::Result::HeldElsewhere:
            // Another instance runs: end silently, without a window.
            continue_ = false;
            requestEnd(0);
            return;
        case platform::InstanceLock::Result::Failed:
            throw std::runtime_error("cannot create the single-instance lock: " + lock_->errorString());
        }
    }
    requests_ = std::make_unique<RequestReceiver>(QString::fromStdString(lock_->channelName()));
    connect(this, &Program::started, requests_.get(), &RequestReceiver::programStarted);
    connect(requests_.get(), &RequestReceiver::managerRequested, this, [this] { miManageItemsClick(*this); });
    connect(requests_.get(), &RequestReceiver::menuRequested, this, &Program::ShowMenuAnywhere);
    connect(requests_.get(), &RequestReceiver::findRequested, this, &Program::ShowFind);
    if (startRequest_.kind != RequestKind::None) requests_->take(startRequest_);
}

BackupAnswer Program::askBackup() const {
    const int a = notices_.Show(backupPrompt_, NoticeIcon::Warning, NoticeButtons::YesNoCancel);
    return a == answer::Yes ? BackupAnswer::Yes : a == answer::No ? BackupAnswer::No : BackupAnswer::Cancel;
}

void Program::StartUp() {
    // 1. Names, titles and version: the message boxes carry the product
    // name from the start.
    // 2. Program directory and executable name, and from them, once, where
    // every file lives; the directories written to exist from here on.
    const QFileInfo exe(QString::fromStdString(platform_.ExecutablePath()));
    executableName_ = exe.fileName();
    if (!placesFixed_) {
        // In the system's own separators: a backslash ends it on Windows.
        const std::string dir =
            (QDir::toNativeSeparators(QDir::cleanPath(exe.absolutePath())) + QDir::separator()).toStdString();
        places_ = DecideFilePlaces(dir, platform_.DirectoryWritable(dir, nullptr), platform_.CurrentUserDirectories());
    }
    const auto writable = [this](const std::string& d, std::string* reason) {
        return platform_.DirectoryWritable(d, reason);
    };
    if (const std::string problem = PrepareFilePlaces(places_, writable); !problem.empty())
        throw std::runtime_error(problem);
    store_.dataDir = places_.dataDir;
    startCommand_ = QString::fromStdString(platform_.StartCommand());
    // 3. The installed fonts for the preferences.
    config_->SetFontNames(InstalledFontFamilies());
    // 4. The about box's version line.
    about_->setVersionLine(QString::fromStdString(texts::VersionLine(platform_.SystemName())));
    // 5. The application title again: the boxes have carried it since step 1.
    // 6. Menu and system colour: the button face.
    menuColour_ = systemColour_ = QApplication::palette().color(QPalette::Button);
    // 7. Settings.
    settingsKeeper_->LoadSettings();
    // 8. Messages that name where the log and the backup are.
    helpTail_ = QString::fromStdString(texts::HelpTail(places_.stateDir));
    crashMessage_ = QString::fromStdString(texts::CrashMessage(places_.stateDir));
    backupPrompt_ = QString::fromStdString(texts::BackupPrompt(places_.dataDir, places_.stateDir));
    // 9. Pictures are rendered when first shown; nothing to prepare here.
    // 10.-12. Template, store preparation, load; the view follows afterwards.
    items_->StoreUnloading();
    bool goOn = false;
    {
        TFormItems::TreeRebuild rebuild(*items_);
        InstallMenuTemplate(store_);
        goOn = PrepareStore(store_, [this] { return askBackup(); });
        store_.treeWhenNeeded = itemTreeWhenShown_;
        if (goOn) LoadStore(store_);
        // Reloads, which follow a save in the item manager, build the tree at once.
        store_.treeWhenNeeded = false;
    }
    if (!goOn) {
        requestEnd(0);
        return;
    }
    items_->StoreLoaded();
    // 13. Settings onto the windows; 14. the menu's drawing follows them.
    ApplyMenuShortcut(true);
    settingsKeeper_->ApplySettings();
    AttachDrawHooks(store_, settings_.WindowsDraw);
    // 15. From here a press on the tray icon opens the menu.
    general_->CSystrayGen->setEnabled(true);
    general_->CSystrayGen->setPopupMenu(items_->liveMenu());
    // 16. The tree's change handler.
    items_->setTreeChangeHandler(true);
    // Nobody could read the box without a screen.
    const QString screen = QGuiApplication::platformName();
    if (screen != QLatin1String("offscreen") && screen != QLatin1String("minimal")) trayWatcher_->start();
    emit started();
}

void Program::ReloadStore() {
    // The index names entries by item numbers the reload gives anew.
    search_->markStale();
    // A search in the open menu names items by the numbers that go now.
    menuFind_->end();
    items_->setTreeChangeHandler(false);
    general_->CSystrayGen->setEnabled(false);
    general_->CSystrayGen->setPopupMenu(nullptr);
    items_->StoreUnloading();
    bool goOn = false;
    {
        TFormItems::TreeRebuild rebuild(*items_);
        goOn = ReloadStoreModel(store_, [this] { return askBackup(); });
    }
    if (!goOn) {
        requestEnd(0);
        return;
    }
    AttachDrawHooks(store_, settings_.WindowsDraw);
    items_->StoreLoaded();
    general_->CSystrayGen->setEnabled(true);
    general_->CSystrayGen->setPopupMenu(items_->liveMenu());
    items_->setTreeChangeHandler(true);
    if (find_ && find_->isVisible()) find_->refresh();
    emit reloaded();
}

void Program::ShowFind(const QString& text) {
    if (!find_)
        find_ = std::make_unique<TFormFind>(findTitle_, *search_, *images_, [this](int item) {
            // As a click on the item in the tray menu, and counted for the ranking.
            if (shortcuts_->OpenItemNumber(item)) search_->recordLaunch(item);
        });
    find_->open(text);
}

void Program::CloseProgram() {
    // 1. Pictures go with their windows. 2. Let a new instance start, once
    // this one takes no more requests.
    requests_.reset();
    if (lock_) lock_->release();
    // 3. Pending messages once: what is already queued (a repaint, a queued
    // signal) still runs, since the loop takes no more once told to end.
    // 4. Then end the loop.
    QCoreApplication::processEvents();
    requestEnd(0);
}

}  // namespace orbel
