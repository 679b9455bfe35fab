#pragma once
// Opening a path the way the desktop's "open" verb does.

#include <QString>

namespace orbel::platform {

enum class ShowMode { Default, Normal };

// Opens path: a program is started directly, detached, with parameters
// split into words like a shell would but without expansion or a shell; a
// desktop entry starts the application it describes; anything else goes to
// the desktop's default handler. A path that does not exist fails (a web
// address is not a path and is handed on). True when the start succeeded.
bool OpenPath(const QString& path, const QString& parameters, ShowMode mode);

}  // namespace orbel::platform
