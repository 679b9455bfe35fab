#include "app/shell/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPalette>
#include <stdexcept>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/services/clock.h"
#include "app/shell/form_general.h"
#include "app/shell/orbel_application.h"
#include "app/shell/remote_requests.h"
#include "app/services/notice.h"
#include "app/store/image_lists.h"
#include "app/shell/tray_commands.h"
#include "app/tray/form_find.h"
#include "app/tray/form_shortcuts.h"
#include "app/tray/item_search.h"
#include "app/tray/live_menu.h"
#include "app/tray/menu_find.h"
#include "app/shell/menu_drawing.h"
#include "app/tray/menu_style.h"
#include "app/widgets/sys_tray_icon.h"
#include "app/widgets/system_fonts.h"
#include "core/shell/texts.h"
#include "platform/single_instance.h"
#include "platform/system_info.h"
#include "platform/user_dirs.h"

namespace orbel {

namespace {
OrbelApplication* Application() { return qobject_cast<OrbelApplication*>(QCoreApplication::instance()); }
}  // namespace

Program::ErrorHandling::ErrorHandling(Program* p) {
    // Errors escaping the loop's handlers go to the hidden main window once
    // it exists.
    if (OrbelApplication* app = Application())
        app->setErrorHandler([p](QObject* sender, const std::exception* error) {
            if (!p->general) return false;
            p->general->AEGeneralException(sender, error);
            return true;
        });
}

Program::ErrorHandling::~ErrorHandling() {
    if (OrbelApplication* app = Application()) app->setErrorHandler({});
}

Program::Program() : errorHandling_(this), clock(&Clock::system()) {
    // Title texts are filled before the windows read them.
    itemsTitle = QString::fromStdString(texts::Title(texts::ItemsTitleSuffix));
    configTitle = QString::fromStdString(texts::Title(texts::ConfigTitleSuffix));
    aboutTitle = QString::fromStdString(texts::Title(texts::AboutTitleSuffix));
    findTitle = QString::fromStdString(texts::Title(texts::FindTitleSuffix));
}

Program::~Program() {
    // The shared menu style and the dialogs' title painter outlive the windows.
    MenuDrawStyle::shared()->setHandlers(nullptr);
    OrbelDialog::setTitlePainter({});
}

void Program::setProgramDirectory(const QString& dir) {
    // The system's own separators: a backslash ends it on Windows.
    QString d = QDir::toNativeSeparators(QDir::cleanPath(dir));
    if (!d.endsWith(QDir::separator())) d += QDir::separator();
    setFilePlaces(DecideFilePlaces(d.toStdString(), true, {}));
}

void Program::setFilePlaces(const FilePlaces& p) {
    places = p;
    store.dataDir = places.dataDir;
    placesFixed_ = true;
}

void Program::requestEnd(int exitCode) {
    endRequested_ = true;
    QCoreApplication::exit(exitCode);
}

bool Program::trayReady() const {
    return general && general->CSystrayGen->Enabled() && general->CSystrayGen->PopupMenu();
}

void Program::createWindows() {
    images = std::make_unique<ImageLists>(store.images, store.counters.defaultProgramImage);
    // Nothing is asked of the desktop until an item is first shown.
    images->setItemIcons(std::make_unique<ItemIcons>(store.table, SystemDesktopIcons()));
    liveMenu = std::make_unique<LiveMenu>(*images, [this](const MenuEntry& e) { RunMenuCommand(*this, e); });
    liveMenu->setObjectName("PMItems");
    search = std::make_unique<ItemSearch>(store, places);
    menuFind = new MenuFind(*liveMenu, *search, [this](int item) {
        // As a click on the item itself, and counted for the ranking.
        if (shortcuts->OpenItemNumber(item)) search->recordLaunch(item);
    });
    general = std::make_unique<TFormGeneral>(*this);
    OrbelDialog::setTitlePainter(
        [g = general.get()](OrbelDialog* d, const QString& title) { g->PaintTitle(d, title); });
    shortcuts = std::make_unique<TFormShortCuts>(MenuLook{settings, store.table, *images, menuColour, systemColour});
    MenuDrawStyle::shared()->setHandlers(shortcuts.get());
    items = std::make_unique<TFormItems>(
        ManagerParts{itemsTitle, store, *images, *liveMenu, *clock, systemColour, *this});
    config = std::make_unique<TFormConfig>(configTitle, *this);
    about = std::make_unique<TFormAbout>(aboutTitle, *clock);
}

void Program::HideOpenDialogs() { general->HideOpenDialogs(); }
void Program::ShowHiddenDialogs() { general->ShowHiddenDialogs(); }
void Program::SaveSettings() { general->SaveSettings(); }
void Program::LoadSettings() { general->LoadSettings(); }
void Program::ApplySettings() {
    ApplyMenuShortcut(false);
    general->ApplySettings();
}

void Program::ApplyMenuShortcut(bool atStart) {
    const QString stored = QString::fromStdString(settings.MenuHotkey);
    if (!menuShortcut) {
        // Nothing to take and nothing taken: the system is not even asked.
        if (stored.trimmed().isEmpty()) return;
        menuShortcut = std::make_unique<MenuShortcut>(startCommand + QStringLiteral(" --menu"), keyTakers);
        connect(menuShortcut.get(), &MenuShortcut::pressed, this, &Program::ShowMenuAnywhere);
    }
    const MenuShortcut::State state = menuShortcut->set(stored);
    if (!atStart) return;
    if (state == MenuShortcut::State::Unreadable)
        writeErrorLog(
            QStringLiteral("The menu shortcut \"%1\" in the settings names no usable keys and is ignored").arg(stored));
    else if (state == MenuShortcut::State::HeldElsewhere)
        writeErrorLog(QStringLiteral("The menu shortcut \"%1\" is held by another program").arg(stored));
}

QString Program::menuShortcutNote() const {
    if (!menuShortcut) return MenuShortcut(QString(), {}).note();
    return menuShortcut->note();
}

bool Program::menuShortcutRefused() const {
    return menuShortcut && menuShortcut->state() == MenuShortcut::State::HeldElsewhere;
}

void Program::ShowMenuAnywhere() {
    TSysTrayIcon* tray = general ? general->CSystrayGen : nullptr;
    if (!tray) return;
    if (tray->menuOnHost()) ShowFind(QString());
    else if (tray->Enabled())
        // As a click on the icon: nothing while the store reloads.
        tray->ShowTrayMenu();
}

void Program::RedrawMenu() {
    RefreshKitMenu(*this);
    AttachDrawHooks(*this);
}

void Program::playSound(const QString& name) { general->PlaySystemSound(name, SoundPlace::WindowsDirectory); }
void Program::writeErrorLog(const QString& line) { general->WriteErrorLog(line); }

bool Program::reloadAfterSave() {
    ReloadStore();
    return !endRequested();
}

void Program::adoptInstanceLock(std::unique_ptr<platform::SingleInstanceLock> lock) { lock_ = std::move(lock); }

void Program::GuardSingleInstance() {
    if (!lock_ || !lock_->held()) {
        lock_ = std::make_unique<platform::SingleInstanceLock>(std::string(texts::InstanceName));
        switch (lock_->acquire()) {
        case platform::SingleInstanceLock::Result::Acquired: break;
        case platform::SingleInstanceLock::Result::HeldElsewhere:
            // Another instance runs: end silently, without a window.
            continue_ = false;
            requestEnd(0);
            return;
        case platform::SingleInstanceLock::Result::Failed:
            throw std::runtime_error("cannot create the single-instance lock: " + lock_->errorString());
        }
    }
    requests_ = std::make_unique<RequestReceiver>(*this, QString::fromStdString(lock_->channelName()));
    connect(requests_.get(), &RequestReceiver::findRequested, this, &Program::ShowFind);
    if (startRequest_.kind != RequestKind::None) requests_->take(startRequest_);
}

BackupAnswer Program::askBackup() const {
    const int a = ShowNotice(backupPrompt, NoticeIcon::Warning, NoticeButtons::YesNoCancel);
    return a == answer::Yes ? BackupAnswer::Yes : a == answer::No ? BackupAnswer::No : BackupAnswer::Cancel;
}

void Program::StartUp() {
    // Process-wide: the logic layer's free functions ask the installed calls.
    static const std::unique_ptr<SystemCalls> systemCalls = platform::MakeSystemCalls();
    InstallSystemCalls(systemCalls.get());
    // 1. Names, titles and version.
    SetApplicationTitle(QString::fromUtf8(texts::ProductName));
    // 2. Program directory and executable name, and from them, once, where
    // every file lives; the directories written to exist from here on.
    const QFileInfo exe(QString::fromStdString(platform::ExecutablePath()));
    executableName = exe.fileName();
    if (!placesFixed_) {
        // In the system's own separators: a backslash ends it on Windows.
        const std::string dir =
            (QDir::toNativeSeparators(QDir::cleanPath(exe.absolutePath())) + QDir::separator()).toStdString();
        places = DecideFilePlaces(dir, platform::DirectoryWritable(dir, nullptr), platform::CurrentUserDirectories());
    }
    if (const std::string problem = PrepareFilePlaces(places, &platform::DirectoryWritable); !problem.empty())
        throw std::runtime_error(problem);
    store.dataDir = places.dataDir;
    startCommand = QString::fromStdString(platform::StartCommand());
    // 3. The installed fonts for the preferences.
    config->SetFontNames(InstalledFontFamilies());
    // 4. The about box's version line.
    about->setVersionLine(QString::fromStdString(texts::VersionLine(platform::SystemName())));
    // 5. The application title again.
    SetApplicationTitle(QString::fromUtf8(texts::ProductName));
    // 6. Menu and system colour: the button face.
    menuColour = systemColour = QApplication::palette().color(QPalette::Button);
    // 7. Settings.
    general->LoadSettings();
    // 8. Messages that name where the log and the backup are.
    helpTail = QString::fromStdString(texts::HelpTail(places.stateDir));
    crashMessage = QString::fromStdString(texts::CrashMessage(places.stateDir));
    backupPrompt = QString::fromStdString(texts::BackupPrompt(places.dataDir, places.stateDir));
    // 9. Pictures are rendered when first shown; nothing to prepare here.
    // 10.-12. Template, store preparation, load; the view follows afterwards.
    items->StoreUnloading();
    bool goOn = false;
    {
        TFormItems::TreeRebuild rebuild(*items);
        InstallMenuTemplate(store);
        goOn = PrepareStore(store, [this] { return askBackup(); });
        store.treeWhenNeeded = itemTreeWhenShown_;
        if (goOn) LoadStore(store);
        // Reloads, which follow a save in the item manager, build the tree at once.
        store.treeWhenNeeded = false;
    }
    if (!goOn) {
        requestEnd(0);
        return;
    }
    items->StoreLoaded();
    // 13. Settings onto the windows; 14. the menu's drawing follows them.
    ApplyMenuShortcut(true);
    general->ApplySettings();
    AttachDrawHooks(*this);
    // 15. From here a press on the tray icon opens the menu.
    general->CSystrayGen->setEnabled(true);
    general->CSystrayGen->setPopupMenu(items->liveMenu());
    // 16. The tree's change handler.
    items->setTreeChangeHandler(true);
    general->WatchForTray();
    emit started();
}

void Program::ReloadStore() {
    // The index names entries by item numbers the reload gives anew.
    search->markStale();
    // A search in the open menu names items by the numbers that go now.
    menuFind->end();
    items->setTreeChangeHandler(false);
    general->CSystrayGen->setEnabled(false);
    general->CSystrayGen->setPopupMenu(nullptr);
    items->StoreUnloading();
    bool goOn = false;
    {
        TFormItems::TreeRebuild rebuild(*items);
        goOn = ReloadStoreModel(store, [this] { return askBackup(); });
    }
    if (!goOn) {
        requestEnd(0);
        return;
    }
    AttachDrawHooks(*this);
    items->StoreLoaded();
    general->CSystrayGen->setEnabled(true);
    general->CSystrayGen->setPopupMenu(items->liveMenu());
    items->setTreeChangeHandler(true);
    if (find && find->isVisible()) find->refresh();
    emit reloaded();
}

void Program::ShowFind(const QString& text) {
    if (!find)
        find = std::make_unique<TFormFind>(findTitle, *search, *images, [this](int item) {
            // As a click on the item in the tray menu, and counted for the ranking.
            if (shortcuts->OpenItemNumber(item)) search->recordLaunch(item);
        });
    find->open(text);
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
