#include "platform/single_instance.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbel::platform {
namespace {

QString ErrnoText(const char* what, const QByteArray& path, int code)
{
    return QStringLiteral("%1 %2: %3")
        .arg(QString::fromLatin1(what), QFile::decodeName(path),
             QString::fromLocal8Bit(std::strerror(code)));
}

// A directory only this user can reach: our own, a real directory, no
// symlink, nobody else may look into it.
bool IsPrivateDirectory(const QByteArray& dir)
{
    struct stat st {};
    if (lstat(dir.constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

QByteArray SessionRuntimeDirectory()
{
    const QByteArray dir = qgetenv("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !dir.startsWith('/'))
        return {};
    return IsPrivateDirectory(dir) ? dir : QByteArray();
}

QByteArray FallbackDirectory()
{
    return "/tmp/orbel-" + QByteArray::number(static_cast<qulonglong>(geteuid()));
}

// The directory that holds the lock; without a session runtime directory a
// private one under /tmp, made here when missing. Anyone can create names in
// /tmp, so a directory there is used only after checking who owns it.
QByteArray LockDirectory(bool create, QString* error)
{
    QByteArray dir = SessionRuntimeDirectory();
    if (!dir.isEmpty())
        return dir;
    dir = FallbackDirectory();
    if (!create)
        return dir;
    if (mkdir(dir.constData(), 0700) != 0 && errno != EEXIST) {
        *error = ErrnoText("Cannot create", dir, errno);
        return {};
    }
    if (!IsPrivateDirectory(dir)) {
        *error = QStringLiteral("%1 is not a private directory of this user")
                     .arg(QFile::decodeName(dir));
        return {};
    }
    return dir;
}

QByteArray LockFileName(const QByteArray& dir, const QString& name)
{
    return dir + '/' + QFile::encodeName(name) + ".lock";
}

}  // namespace

SingleInstanceLock::SingleInstanceLock(QString name) : name_(std::move(name)) {}

SingleInstanceLock::~SingleInstanceLock()
{
    release();
}

QString SingleInstanceLock::lockPath() const
{
    QString ignored;
    return QFile::decodeName(LockFileName(LockDirectory(false, &ignored), name_));
}

SingleInstanceLock::Result SingleInstanceLock::acquire()
{
    if (held())
        return Result::Acquired;
    error_.clear();
    if (name_.isEmpty() || name_.contains(QLatin1Char('/'))) {
        error_ = QStringLiteral("Invalid lock name \"%1\"").arg(name_);
        return Result::Failed;
    }
    const QByteArray dir = LockDirectory(true, &error_);
    if (dir.isEmpty())
        return Result::Failed;
    const QByteArray path = LockFileName(dir, name_);

    // Close-on-exec: programs started from the menu must not keep the lock
    // alive after this process has gone.
    const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
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
        if (code == EWOULDBLOCK)
            return Result::HeldElsewhere;
        error_ = ErrnoText("Cannot lock", path, code);
        return Result::Failed;
    }
    fd_ = fd;

    // The process id is only a hint for whoever looks at the file.
    const QByteArray pid = QByteArray::number(static_cast<qlonglong>(getpid())) + '\n';
    if (ftruncate(fd_, 0) == 0) {
        [[maybe_unused]] const ssize_t written = write(fd_, pid.constData(), pid.size());
    }
    return Result::Acquired;
}

void SingleInstanceLock::release()
{
    if (fd_ < 0)
        return;
    flock(fd_, LOCK_UN);
    close(fd_);
    fd_ = -1;
}

}  // namespace orbel::platform
