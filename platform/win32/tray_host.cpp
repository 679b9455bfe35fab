#include "platform/tray_host.h"

namespace orbel::platform {

// Windows has its own notification area, reached through the shell's
// notify icons; there is no XEmbed tray to find.
bool XEmbedTrayPresent() { return false; }

}  // namespace orbel::platform
