#include "app/tray/menu_publishing.h"

namespace orbel {

TrayMenuExport* PublishTrayMenu(TSysTrayIcon*, QObject*) { return nullptr; }

}  // namespace orbel
