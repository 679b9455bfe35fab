#pragma once
// Whether the display has an XEmbed notification area (a system tray
// manager owns the display's tray selection). Always false off X11.

namespace orbel::platform {

bool XEmbedTrayPresent();

}  // namespace orbel::platform
