#pragma once
// The tray menu as desktop hosts that draw menus themselves get it, kept in
// step with the icon's popup menu and its Enabled gate. Such hosts are
// reached over the session bus; where there is none (Windows) nothing is
// published.

class QObject;

namespace orbel {

class TSysTrayIcon;
class TrayMenuExport;

// The published menu, owned by owner; null where nothing is published.
TrayMenuExport* PublishTrayMenu(TSysTrayIcon* icon, QObject* owner);

}  // namespace orbel
