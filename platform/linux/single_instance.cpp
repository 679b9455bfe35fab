#include "platform/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbel::platform {
namespace {

std::string ErrnoText(const char* what, const std::string& path, int code) {
    return std::string(what) + " " + path + ": " + std::strerror(code);
}

// A directory only this user can reach: our own, a real directory, no
// symlink, nobody else may look into it.
bool IsPrivateDirectory(const std::string& dir) {
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

std::string SessionRuntimeDirectory() {
    const char* env = std::getenv("XDG_RUNTIME_DIR");
    const std::string dir = env ? env : "";
    if (dir.empty() || dir[0] != '/') return {};
    return IsPrivateDirectory(dir) ? dir : std::string();
}

std::string FallbackDirectory() { return "/tmp/orbel-" + std::to_string(static_cast<unsigned long long>(geteuid())); }

// The directory that holds the lock; without a session runtime directory a
// private one under /tmp, made here when missing. Anyone can create names in
// /tmp, so a directory there is used only after checking who owns it.
std::string LockDirectory(bool create, std::string* error) {
    std::string dir = SessionRuntimeDirectory();
    if (!dir.empty()) return dir;
    dir = FallbackDirectory();
    if (!create) return dir;
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        *error = ErrnoText("Cannot create", dir, errno);
        return {};
    }
    if (!IsPrivateDirectory(dir)) {
        *error = dir + " is not a private directory of this user";
        return {};
    }
    return dir;
}

std::string LockFileName(const std::string& dir, const std::string& name) { return dir + '/' + name + ".lock"; }

}  // namespace

struct SingleInstanceLock::Handle {
    int fd = -1;
};

SingleInstanceLock::SingleInstanceLock(std::string name) : name_(std::move(name)) {}

SingleInstanceLock::~SingleInstanceLock() { release(); }

bool SingleInstanceLock::held() const { return handle_ != nullptr; }

std::string SingleInstanceLock::lockPath() const {
    std::string ignored;
    return LockFileName(LockDirectory(false, &ignored), name_);
}

std::string SingleInstanceLock::channelName() const {
    // Others could put a socket of theirs into a directory they may write
    // to: a request goes only into one that is this user's alone.
    std::string ignored;
    const std::string dir = LockDirectory(false, &ignored);
    if (!IsPrivateDirectory(dir)) return {};
    return dir + '/' + name_ + ".socket";
}

SingleInstanceLock::Result SingleInstanceLock::acquire() {
    if (held()) return Result::Acquired;
    error_.clear();
    if (name_.empty() || name_.find('/') != std::string::npos) {
        error_ = "Invalid lock name \"" + name_ + "\"";
        return Result::Failed;
    }
    const std::string dir = LockDirectory(true, &error_);
    if (dir.empty()) return Result::Failed;
    const std::string path = LockFileName(dir, name_);

    // Close-on-exec: programs started from the menu must not keep the lock
    // alive after this process has gone.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = ErrnoText("Cannot open", path, errno);
        return Result::Failed;
    }
    int rc;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int code = errno;
        close(fd);
        if (code == EWOULDBLOCK) return Result::HeldElsewhere;
        error_ = ErrnoText("Cannot lock", path, code);
        return Result::Failed;
    }
    handle_ = std::make_unique<Handle>();
    handle_->fd = fd;

    // The process id is only a hint for whoever looks at the file.
    const std::string pid = std::to_string(static_cast<long long>(getpid())) + '\n';
    if (ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = write(fd, pid.data(), pid.size());
    }
    return Result::Acquired;
}

void SingleInstanceLock::release() {
    if (!handle_) return;
    flock(handle_->fd, LOCK_UN);
    close(handle_->fd);
    handle_.reset();
}

}  // namespace orbel::platform
