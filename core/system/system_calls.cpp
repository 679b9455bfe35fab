#include "core/system/system_calls.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/store/file_names.h"
#include "core/links/shortcut_file.h"
#include "core/system/path_conversions.h"

namespace orbel {

namespace fs = std::filesystem;

namespace {

// Atomic: icons and links are looked at outside the main thread too.
std::atomic<SystemCalls*> gInstalled{nullptr};

}  // namespace

bool SystemCalls::RenameOver(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(FsPath(from), FsPath(to), ec);
    if (ec) errno = ec.value();
    return !ec;
}

bool SystemCalls::SyncPath(const std::string&) { return true; }

std::vector<ListedName> SystemCalls::ListFolder(const std::string&) { return {}; }

bool SystemCalls::OpenIndexFile(const std::string& path, std::ifstream& in) {
    in.open(FsPath(path), std::ios::binary);
    return in.is_open();
}

bool SystemCalls::RemoveStoreFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(FsPath(path), ec);
}

bool SystemCalls::UserMayExecute(const std::string& path) {
    std::error_code ec;
    const fs::perms p = fs::status(FsPath(path), ec).permissions();
    if (ec) return false;
    const fs::perms exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (p & exec) != fs::perms::none;
}

int SystemCalls::ResolveShellLink(const std::string& linkFile, ShellLinkDescription& out) {
    return ReadShellLinkFile(linkFile, out);
}

std::string SystemCalls::ShortPath(const std::string& path) { return PortableShortPath(path); }

std::string SystemCalls::PathFromDisplayName(const std::string& name) { return PortablePathFromDisplayName(name); }

SystemCalls& System() {
    static SystemCalls defaults;
    SystemCalls* installed = gInstalled.load();
    return installed ? *installed : defaults;
}

SystemCalls* InstallSystemCalls(SystemCalls* calls) { return gInstalled.exchange(calls); }

ScopedSystemCalls::ScopedSystemCalls(SystemCalls& calls) : previous_(InstallSystemCalls(&calls)) {}
ScopedSystemCalls::~ScopedSystemCalls() { InstallSystemCalls(previous_); }

// The readers' entry points ask the installed calls; they are defined here
// so that the readers themselves do not depend on the seam.
int ResolveShellLink(const std::string& linkFile, ShellLinkDescription& out) {
    return System().ResolveShellLink(linkFile, out);
}
std::string GetShortPath(const std::string& path) { return System().ShortPath(path); }
std::string PathFromDisplayName(const std::string& name) { return System().PathFromDisplayName(name); }

}  // namespace orbel
