#pragma once
// Start with the desktop session: the per-user autostart entry.

#include <QString>

namespace orbel::platform {

// The entry's file (in the user's autostart directory).
QString AutostartEntryPath();
// On when the entry exists and holds a non-empty Exec.
bool ReadAutostart();
// On: write the entry starting executablePath; off: remove it (a missing
// entry is no error). Throws std::runtime_error when it cannot be written.
void WriteAutostart(bool on, const QString& executablePath);

}  // namespace orbel::platform
