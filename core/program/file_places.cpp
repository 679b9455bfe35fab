#include "core/program/file_places.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/program/settings.h"
#include "core/store/file_names.h"

namespace orbel {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

char SeparatorOf(const std::string& programDir) {
    return !programDir.empty() && IsSeparator(programDir.back()) ? programDir.back() : '/';
}

// base + separator + our directory name + separator; empty without a base.
std::string OwnDirectoryIn(std::string base, char sep) {
    while (base.size() > 1 && IsSeparator(base.back())) base.pop_back();
    if (base.empty()) return {};
    if (!IsSeparator(base.back())) base += sep;
    return base + kUserDirectoryName + sep;
}

std::string WithoutTrailingSeparator(std::string dir) {
    while (dir.size() > 1 && IsSeparator(dir.back())) dir.pop_back();
    return dir;
}

}  // namespace

std::string FilePlaces::settingsFile() const { return configDir + settings_file::FileName; }
std::string FilePlaces::logFile() const { return stateDir + "errorlog.txt"; }
std::string FilePlaces::launchHistoryFile() const { return stateDir + "launches.txt"; }
std::string FilePlaces::helpPage() const { return programDir + "help.html"; }
std::string FilePlaces::installedFile(const std::string& name) const { return programDir + name; }

std::vector<std::string> FilePlaces::writableDirs() const {
    std::vector<std::string> dirs;
    for (const std::string* d : {&dataDir, &configDir, &stateDir})
        if (std::find(dirs.begin(), dirs.end(), *d) == dirs.end()) dirs.push_back(*d);
    return dirs;
}

FilePlaces DecideFilePlaces(const std::string& programDir, bool programDirWritable, const UserDirectories& user) {
    FilePlaces p;
    p.programDir = programDir;
    p.portable = programDirWritable;
    if (programDirWritable) {
        p.dataDir = p.configDir = p.stateDir = programDir;
        return p;
    }
    const char sep = SeparatorOf(programDir);
    p.dataDir = OwnDirectoryIn(user.data, sep);
    p.configDir = OwnDirectoryIn(user.config, sep);
    p.stateDir = OwnDirectoryIn(user.state, sep);
    return p;
}

std::string PrepareFilePlaces(const FilePlaces& places, DirectoryWritableTest writable) {
    namespace fs = std::filesystem;
    for (const std::string& dir : places.writableDirs()) {
        if (dir.empty())
            return "Unable to write to the directory \"" + places.programDir +
                   "\", and the user's own directories are unknown (no home directory)";
        const std::string path = WithoutTrailingSeparator(dir);
        std::error_code ec;
        if (!fs::is_directory(FsPath(path), ec)) {
            fs::create_directories(FsPath(path), ec);
            if (ec || !fs::is_directory(FsPath(path)))
                return "Unable to create the directory \"" + dir +
                       "\": " + (ec ? ec.message() : std::string("a file of that name is in the way"));
        }
        std::string reason;
        if (writable && !writable(path, &reason)) return "Unable to write to the directory \"" + dir + "\": " + reason;
    }
    return {};
}

}  // namespace orbel
