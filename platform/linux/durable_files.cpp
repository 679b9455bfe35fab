#include "platform/durable_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace orbel::platform {

bool SyncPath(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    struct stat st {};
    // A directory stands for everything written below it: one syncfs flushes
    // a whole store, where an fsync per file would cost a disk wait each.
    if (ok && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}

bool ReplaceFileDurably(const std::string& from, const std::string& to) {
    if (!SyncPath(from) || ::rename(from.c_str(), to.c_str()) != 0) return false;
    // The new name lives in the directory: flush that too.
    const std::size_t slash = to.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".")
                            : slash == 0               ? std::string("/")
                                                       : to.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;  // renamed; the directory's flush is only extra safety
    ::fsync(fd);
    ::close(fd);
    return true;
}

bool DurableFileCalls::SyncPath(const std::string& path) { return platform::SyncPath(path); }

bool DurableFileCalls::RenameOver(const std::string& from, const std::string& to) {
    return ReplaceFileDurably(from, to);
}

}  // namespace orbel::platform
