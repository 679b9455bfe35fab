#include "platform/path_conversions.h"

#include "core/system/path_conversions.h"

namespace orbel::platform {

// This system's shell has none of these services: the logic layer's
// readers are the system's here.
int ReadShellLink(const std::string& linkFile, ShellLinkDescription& out) { return ReadShellLinkFile(linkFile, out); }

std::string ShortPathName(const std::string& path) { return PortableShortPath(path); }

std::string PathFromShellDisplayName(const std::string& name) { return PortablePathFromDisplayName(name); }

}  // namespace orbel::platform
