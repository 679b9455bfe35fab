#include "platform/user_dirs.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

#include "platform/system_info.h"

namespace orbel::platform {
namespace {

// A value the base directory rules accept: set, and an absolute path.
std::string AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string HomeDirectory() {
    std::string home = AbsoluteEnv("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') home = pw->pw_dir;
    }
    return WithoutTrailingSlash(home);
}

std::string BaseDirectory(const char* variable, const std::string& home, const char* belowHome) {
    const std::string value = AbsoluteEnv(variable);
    if (!value.empty()) return WithoutTrailingSlash(value);
    return home.empty() ? std::string() : home + belowHome;
}

}  // namespace

UserDirectories CurrentUserDirectories() {
    const std::string home = HomeDirectory();
    UserDirectories dirs;
    dirs.data = BaseDirectory("XDG_DATA_HOME", home, "/.local/share");
    dirs.config = BaseDirectory("XDG_CONFIG_HOME", home, "/.config");
    dirs.state = BaseDirectory("XDG_STATE_HOME", home, "/.local/state");
    return dirs;
}

bool DirectoryWritable(const std::string& dir, std::string* reason) {
    // Making and removing entries needs both write and search permission;
    // the effective ids decide, as they will for the files themselves.
    if (faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return true;
    if (reason) *reason = std::strerror(errno);
    return false;
}

std::string StartCommand() {
    const std::string exe = ExecutablePath();
#ifdef ORBEL_COMMAND_FROM_PROGRAM_DIR
    // An installed program is started through its command (a link to the
    // executable); entries that name the command survive a package update
    // that moves the program directory.
    namespace fs = std::filesystem;
    const fs::path command = (fs::path(exe).parent_path() / ORBEL_COMMAND_FROM_PROGRAM_DIR).lexically_normal();
    std::error_code ec;
    if (!exe.empty() && fs::equivalent(command, exe, ec) && !ec) return command.string();
#endif
    return exe;
}

}  // namespace orbel::platform
