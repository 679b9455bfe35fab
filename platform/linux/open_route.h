#pragma once
// How the opener treats a path on this desktop (exposed for its tests).

#include <QString>

namespace orbel::platform {

enum class OpenRoute {
    Program,         // started directly
    DesktopEntry,    // the application the entry describes is started
    WebAddress,      // http, https, ftp or mailto: to the default handler
    DefaultHandler,  // documents and directories
    Missing,         // nothing there: fails
};
OpenRoute RouteFor(const QString& path);

}  // namespace orbel::platform
