#include "core/store/store_files.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/store/file_names.h"
#include "core/store/path_parts.h"

namespace orbel {

namespace fs = std::filesystem;

namespace {

// A name with a NUL byte cannot exist; handing it to the system would
// silently cut it short and name something else.
bool Nameable(const std::string& path) { return !path.empty() && path.find('\0') == std::string::npos; }

// Removes what lies below dir, then dir. dir is a real directory (not a
// link) when called.
void DeleteBelow(const fs::path& dir) {
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());

    for (const fs::path& p : entries) {
        std::error_code sec;
        const fs::file_status st = fs::symlink_status(p, sec);
        if (sec) continue;
        if (fs::is_directory(st)) {
            DeleteBelow(p);
        } else {
            // Files, links (the link itself, never its target) and anything else.
            System().RemoveStoreFile(Utf8Name(p));
        }
    }
    std::error_code rec;
    fs::remove(dir, rec);  // fails, without a message, when something inside remained
}

}  // namespace

std::vector<ListedName> ListFolder(const std::string& dir) {
    if (!Nameable(dir)) return {};
    return System().ListFolder(dir);
}

void DeleteDirectoryTree(const std::string& dir) {
    if (!Nameable(dir)) return;
    // "link/" would name what the link points to: look at the name itself.
    std::string name = dir;
    while (name.size() > 1 && IsPathSeparator(name.back())) name.pop_back();
    try {
        std::error_code ec;
        const fs::path p = FsPath(name);
        const fs::file_status st = fs::symlink_status(p, ec);
        if (ec) return;
        if (fs::is_symlink(st)) {
            fs::remove(p, ec);  // the link goes, what it points to stays
        } else if (fs::is_directory(st)) {
            DeleteBelow(p);
        }
    } catch (...) {
        // Out of memory while listing: what could not be removed stays.
    }
}

bool DirectoryExists(const std::string& path) {
    if (!Nameable(path)) return false;
    std::error_code ec;
    return fs::is_directory(fs::status(FsPath(path), ec));
}

bool FileExists(const std::string& path) {
    if (!Nameable(path)) return false;
    std::error_code ec;
    // Only regular files (links followed): a pipe or device under an index
    // file's name would block or never end.
    return fs::is_regular_file(fs::status(FsPath(path), ec));
}

}  // namespace orbel
