#pragma once
// Opening a path the way the desktop's "open" verb does.

#include <QString>

namespace orbel::platform {

// Only Windows knows show states for started programs; elsewhere the mode is
// accepted and the started program places its own windows.
enum class ShowMode { Default, Normal };

// Opens path: a program is started directly, detached, with parameters
// split into words like a shell would but without expansion or a shell; a
// desktop entry starts the application it describes; anything else goes to
// the desktop's default handler. A path that does not exist fails (a web
// address is not a path and is handed on). True when the start succeeded.
bool OpenPath(const QString& path, const QString& parameters, ShowMode mode);

// How OpenPath treats path.
enum class OpenRoute {
    Program,         // started directly
    DesktopEntry,    // the application the entry describes is started
    WebAddress,      // http, https, ftp or mailto: to the default handler
    DefaultHandler,  // documents and directories
    Missing,         // nothing there: fails
};
OpenRoute RouteFor(const QString& path);

}  // namespace orbel::platform
