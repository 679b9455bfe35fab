#pragma once
// File operations of the store that must never reach outside it.

#include <stdexcept>
#include <string>
#include <vector>

#include "core/system/system_calls.h"

namespace orbel {

// An I/O failure of the store (open, create, rename, write).
class StoreIoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Removes a directory with everything below it. A symbolic link is removed
// itself, never followed. What cannot be removed stays, without a message.
void DeleteDirectoryTree(const std::string& dir);

// The names in a directory as the installed system calls list them (empty
// for a name that cannot exist). The loader lists each folder of the store
// once and looks at the names it does not find there one by one.
std::vector<ListedName> ListFolder(const std::string& dir);

// A symbolic link to a directory counts as a directory.
bool DirectoryExists(const std::string& path);
// A regular file, links followed (a directory, pipe or device is not a file).
bool FileExists(const std::string& path);

}  // namespace orbel
