#pragma once
// File operations of the store that must never reach outside it.

#include <stdexcept>
#include <string>
#include <vector>

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

// What a directory listing tells about a name: a link is reported as a
// link, not followed; Unknown where the file system does not say.
enum class ListedKind : unsigned char { File, Directory, Link, Other, Unknown };
struct ListedName {
    std::string name;
    ListedKind kind = ListedKind::Unknown;
};
// The names in a directory, without "." and "..", in no particular order,
// as the platform's listing gives them (process-wide; null takes it away):
// empty when it cannot be read, shorter when reading stops early, and empty
// without a listing installed. The loader lists each folder of the store
// once and looks at the names it does not find there one by one.
using FolderListFunction = std::vector<ListedName> (*)(const std::string& dir);
void SetFolderListFunction(FolderListFunction list);
std::vector<ListedName> ListFolder(const std::string& dir);

// A symbolic link to a directory counts as a directory.
bool DirectoryExists(const std::string& path);
// A regular file, links followed (a directory, pipe or device is not a file).
bool FileExists(const std::string& path);

}  // namespace orbel
