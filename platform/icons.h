#pragma once
// Small icons for files and file types, as the desktop shows them.

#include <string>

#include "platform/platform.h"

namespace orbel::platform {

// Icon for files with this extension (UTF-8, no dot). Never empty: a generic
// document icon when the desktop knows none.
SmallIcon FileTypeIcon(const std::string& extension);
// Icon of this very file or directory (programs, directories, desktop
// entries get their own). Never empty.
SmallIcon FileIcon(const std::string& path);

}  // namespace orbel::platform
