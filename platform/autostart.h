#pragma once
// Start with the desktop session: the per-user autostart entry.

#include <string>

namespace orbel::platform {

// Where the entry lives, for messages and tests (a file in the user's
// autostart directory, or the registry value's full name).
std::string AutostartEntryPath();
// On when the entry exists and would start something.
bool ReadAutostart();
// On: write the entry starting command (a full path, UTF-8); off: remove it
// (a missing entry is no error). Throws std::runtime_error when it cannot be
// written or removed.
void WriteAutostart(bool on, const std::string& command);

}  // namespace orbel::platform
