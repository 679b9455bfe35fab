#pragma once
// Flushing written files and directories to the disk for the store writer.

#include <string>

namespace orbel::platform {

// Flushes a file, or a directory with everything written below it, to the
// disk; false when it cannot be opened or flushed.
bool SyncPath(const std::string& path);
// Flushes the file from, renames it over to (replacing a file there) and
// makes the rename itself durable; false, with to untouched, on failure.
bool ReplaceFileDurably(const std::string& from, const std::string& to);
// Installs SyncPath as the store writer's flush and ReplaceFileDurably as
// the settings file's last step (call once at start-up).
void InstallDurableFiles();

}  // namespace orbel::platform
