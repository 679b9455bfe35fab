#include "platform/durable_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/store/store_writer.h"

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

void InstallDurableFiles() { orbel::SetSyncPathFunction(&SyncPath); }

}  // namespace orbel::platform
