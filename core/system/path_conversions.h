#pragma once
// Path conversions the item store and the file drop need.

#include <string>

namespace orbel {

// Both conversions are the installed system calls' (see system_calls.h):
// where the system's shell has them itself (short names, the desktop
// folder's parsing), the platform's; elsewhere the portable ones below.
std::string GetShortPath(const std::string& path);
std::string PathFromDisplayName(const std::string& name);

// There are no short (8.3) names here: an existing path comes back as it is,
// a trailing separator included; a path that does not exist gives "".
std::string PortableShortPath(const std::string& path);

// A "file:" URI (file:///p, file://localhost/p, file:/p) becomes its local
// path, percent-decoded, without query or fragment. Anything else, a URI of
// another host, or one whose decoding would hold a NUL or a bad escape comes
// back unchanged.
std::string PortablePathFromDisplayName(const std::string& name);

}  // namespace orbel
