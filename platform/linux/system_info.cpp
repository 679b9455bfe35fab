#include "platform/system_info.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/dialogs/about_text.h"
#include "core/store/program_kind.h"
#include "platform/durable_files.h"

namespace orbel::platform {

bool ReadMemoryStatus(MemoryStatus& out)
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // /proc files report a size of 0: read until the end, not by size.
    const QByteArray text = file.readAll();
    std::uint64_t total = 0;
    std::uint64_t available = 0;
    if (!ParseMemInfo(std::string_view(text.constData(), text.size()), total, available))
        return false;
    out.total = total;
    out.load = MemoryLoadPercent(total, available);
    return true;
}

QString ExecutablePath()
{
    if (QCoreApplication::instance()) {
        const QString path = QCoreApplication::applicationFilePath();
        if (!path.isEmpty())
            return path;
    }
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QStringList InstalledFontFamilies()
{
    return QFontDatabase::families();
}

QFont SystemMenuFont()
{
    // What the platform theme reports for menus; the general font otherwise.
    return QApplication::font("QMenu");
}

int LastErrorCode()
{
    return errno;
}

std::string LastErrorText(int code)
{
    return std::strerror(code);
}

VersionRecord CurrentVersionRecord()
{
    // Reported as the oldest system of the NT line the drawing code knows:
    // nothing here has the quirks of later Windows versions.
    VersionRecord record;
    record.family = VersionRecord::Family::NT;
    record.major = 5;
    record.minor = 0;
    return record;
}

bool UserMayExecute(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // The effective ids decide, as they do for execve.
    return faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) == 0;
}

void InstallPlatformHooks()
{
    SetUserExecutableTest(&UserMayExecute);
    InstallDurableFiles();  // the store writer flushes before dropping its backup
}

}  // namespace orbel::platform
