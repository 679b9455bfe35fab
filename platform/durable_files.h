#pragma once
// Flushing written files and directories to the disk for the store writer.

#include <string>

#include "core/system/system_calls.h"

namespace orbel::platform {

// Flushes a file, or a directory with everything written below it, to the
// disk; false when it cannot be opened or flushed.
bool SyncPath(const std::string& path);
// Flushes the file from, renames it over to (replacing a file there) and
// makes the rename itself durable; false, with to untouched, on failure.
bool ReplaceFileDurably(const std::string& from, const std::string& to);

// The logic layer's calls with these two: the store writer flushes before
// it drops its backup, and a saved settings file reaches the disk.
class DurableFileCalls : public SystemCalls {
public:
    bool SyncPath(const std::string& path) override;
    bool RenameOver(const std::string& from, const std::string& to) override;
};

}  // namespace orbel::platform
