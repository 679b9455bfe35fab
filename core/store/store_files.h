#pragma once
// File operations of the store that must never reach outside it.

#include <stdexcept>
#include <string>

namespace orbel {

// An I/O failure of the store (open, create, rename, write).
class StoreIoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Removes a directory with everything below it. A symbolic link is removed
// itself, never followed. What cannot be removed stays, without a message.
void DeleteDirectoryTree(const std::string& dir);

// Failure injection for tests, like the save steps' gate: a step the gate
// refuses fails as if the system had refused it (permission bits refuse the
// superuser nothing). Process-wide; without a gate every step runs.
enum class FileStep { OpenIndex, Remove };
using FileStepGate = bool (*)(FileStep step, const std::string& path);
void SetFileStepGate(FileStepGate gate);
bool FileStepAllowed(FileStep step, const std::string& path);

// A symbolic link to a directory counts as a directory.
bool DirectoryExists(const std::string& path);
// A regular file, links followed (a directory, pipe or device is not a file).
bool FileExists(const std::string& path);

}  // namespace orbel
