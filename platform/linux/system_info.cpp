#include "platform/system_info.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/dialogs/about_text.h"
#include "platform/durable_files.h"

namespace orbel::platform {

bool ReadMemoryStatus(MemoryStatus& out) {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly)) return false;
    // /proc files report a size of 0: read until the end, not by size.
    const QByteArray text = file.readAll();
    std::uint64_t total = 0;
    std::uint64_t available = 0;
    if (!ParseMemInfo(std::string_view(text.constData(), text.size()), total, available)) return false;
    out.total = total;
    out.load = MemoryLoadPercent(total, available);
    return true;
}

std::string ExecutablePath() {
    std::string path(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
    path.resize(static_cast<std::size_t>(n));
    return path;
}

LocalTimeTexts CurrentLocalTimeTexts() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    return {locale.toString(now.date(), QLocale::ShortFormat).toStdString(),
            now.time().toString(QStringLiteral("HH:mm:ss")).toStdString()};
}

int LastErrorCode() { return errno; }

std::string LastErrorText(int code) { return std::strerror(code); }

std::string SystemName() { return "Linux"; }

VersionRecord CurrentVersionRecord() {
    // Reported as the oldest system of the NT line the drawing code knows:
    // nothing here has the quirks of later Windows versions.
    VersionRecord record;
    record.family = VersionRecord::Family::NT;
    record.major = 5;
    record.minor = 0;
    return record;
}

bool UserMayExecute(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    // The effective ids decide, as they do for execve.
    return faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) == 0;
}

namespace {

// The C library reads a directory with fewer calls than the standard
// library's listing, which also makes a path object per name; the loader
// lists every folder of the store once at start-up.
std::vector<ListedName> ListFolderEntries(const std::string& dir) {
    std::vector<ListedName> names;
    DIR* d = ::opendir(dir.c_str());
    if (!d) return names;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name(e->d_name);
        if (name == "." || name == "..") continue;
        ListedKind kind = ListedKind::Other;
        switch (e->d_type) {
        case DT_REG: kind = ListedKind::File; break;
        case DT_DIR: kind = ListedKind::Directory; break;
        case DT_LNK: kind = ListedKind::Link; break;
        case DT_UNKNOWN: kind = ListedKind::Unknown; break;
        default: break;
        }
        names.push_back({std::string(name), kind});
    }
    ::closedir(d);
    return names;
}

class LinuxSystemCalls : public DurableFileCalls {
public:
    bool UserMayExecute(const std::string& path) override { return platform::UserMayExecute(path); }
    std::vector<ListedName> ListFolder(const std::string& dir) override { return ListFolderEntries(dir); }
};

}  // namespace

std::unique_ptr<SystemCalls> MakeSystemCalls() { return std::make_unique<LinuxSystemCalls>(); }

}  // namespace orbel::platform
