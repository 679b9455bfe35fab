#pragma once
// Flushing written files and directories to the disk for the store writer.

#include <string>

namespace orbel::platform {

// Flushes a file, or a directory with everything written below it, to the
// disk; false when it cannot be opened or flushed.
bool SyncPath(const std::string& path);
// Installs SyncPath as the store writer's flush (call once at start-up).
void InstallDurableFiles();

}  // namespace orbel::platform
