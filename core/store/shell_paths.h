#pragma once
// Path conversions the item store and the file drop need.

#include <string>

namespace orbel {

// There are no short (8.3) names here: an existing path comes back as it is,
// a trailing separator included; a path that does not exist gives "".
std::string GetShortPath(const std::string& path);

// A "file:" URI (file:///p, file://localhost/p, file:/p) becomes its local
// path, percent-decoded, without query or fragment. Anything else, a URI of
// another host, or one whose decoding would hold a NUL or a bad escape comes
// back unchanged.
std::string PathFromDisplayName(const std::string& name);

// Where the system's shell has these conversions itself (short names, the
// desktop folder's parsing), the platform installs them at start-up and the
// two functions above hand their work to them; null puts the portable
// conversions back.
using PathConversion = std::string (*)(const std::string& path);
void SetShortPathFunction(PathConversion conversion);
void SetDisplayNameFunction(PathConversion conversion);

}  // namespace orbel
