#pragma once
// How the opener treats a path on this desktop (exposed for its tests).

#include <string>

namespace orbel::platform {

enum class OpenRoute {
    Program,         // started directly
    DesktopEntry,    // the desktop's launcher starts the entry
    WebAddress,      // http, https, ftp or mailto: to the scheme's default handler
    DefaultHandler,  // documents and directories: the type's default handler
    Missing,         // nothing there: fails
};
OpenRoute RouteFor(const std::string& path);

}  // namespace orbel::platform
