#pragma once
// The logic layer's system calls for tests: the defaults, except where a
// test makes a call fail as if the system had refused it (permission bits
// refuse the superuser nothing). Installed while the object lives.

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/store/file_names.h"
#include "core/system/system_calls.h"

namespace orbel::test {

enum class SystemCall { SyncPath, OpenIndexFile, RemoveStoreFile, UserMayExecute };

class FakeSystemCalls : public SystemCalls {
public:
    FakeSystemCalls() : installed_(*this) {}

    // Answers true where the call on that path is to fail.
    std::function<bool(SystemCall call, const std::string& path)> fails;
    // Every path flushed, failed or not, in order.
    std::vector<std::string> synced;
    // Lists folders as a platform does, with the standard library.
    bool listsFolders = false;
    // What the user may execute, where the permission bits are not to decide.
    std::optional<bool> executable;

    bool SyncPath(const std::string& path) override {
        synced.push_back(path);
        return !Fails(SystemCall::SyncPath, path);
    }
    bool OpenIndexFile(const std::string& path, std::ifstream& in) override {
        if (!Fails(SystemCall::OpenIndexFile, path)) return SystemCalls::OpenIndexFile(path, in);
        errno = EACCES;
        return false;
    }
    bool RemoveStoreFile(const std::string& path) override {
        return !Fails(SystemCall::RemoveStoreFile, path) && SystemCalls::RemoveStoreFile(path);
    }
    bool UserMayExecute(const std::string& path) override {
        if (Fails(SystemCall::UserMayExecute, path)) return false;
        return executable ? *executable : SystemCalls::UserMayExecute(path);
    }
    std::vector<ListedName> ListFolder(const std::string& dir) override {
        namespace fs = std::filesystem;
        std::vector<ListedName> names;
        if (!listsFolders) return names;
        std::error_code ec;
        for (fs::directory_iterator it(FsPath(dir), ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code tec;
            ListedKind kind = ListedKind::Other;
            if (it->is_symlink(tec)) kind = ListedKind::Link;
            else if (it->is_directory(tec)) kind = ListedKind::Directory;
            else if (it->is_regular_file(tec)) kind = ListedKind::File;
            if (tec) kind = ListedKind::Unknown;
            names.push_back({Utf8Name(it->path().filename()), kind});
        }
        return names;
    }

private:
    bool Fails(SystemCall call, const std::string& path) const { return fails && fails(call, path); }

    ScopedSystemCalls installed_;
};

}  // namespace orbel::test
