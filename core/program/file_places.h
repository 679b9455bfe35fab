#pragma once
// Where the program's files live, decided once at start-up. A program
// directory the user can write keeps everything beside the executable, so an
// unpacked folder runs as it is. An installed program's directory belongs to
// the system: the user's files then go to the user's own directories, with
// the same names and formats, while the help page and the sounds stay where
// they were installed.

#include <functional>
#include <string>
#include <vector>

namespace orbel {

// The program's directory inside each of the user's directories.
inline constexpr const char* kUserDirectoryName = "tandrel-orbel";

// The user's base directories as the system names them: absolute paths,
// empty when the system knows none (no home directory).
struct UserDirectories {
    std::string data;    // the item store and its backups
    std::string config;  // the settings file
    std::string state;   // the error log
};

struct FilePlaces {
    bool portable = true;
    // Each ends with the separator that ends programDir; a directory the
    // user's directories could not give is empty.
    std::string programDir;  // the executable, "help.html", "media/"
    std::string dataDir;     // "shortcuts", "item_bak", "item_del"
    std::string configDir;   // "orbel.ini"
    std::string stateDir;    // "errorlog.txt", "launches.txt"

    std::string settingsFile() const;
    std::string logFile() const;
    // What the user launched, how often and when: the find's tie-breaker.
    std::string launchHistoryFile() const;
    std::string helpPage() const;
    // A file installed with the program, by its name below the program
    // directory ("media/chord.wav").
    std::string installedFile(const std::string& name) const;
    // The directories the program writes into, each once: the program
    // directory when portable, else data, settings and log in that order.
    std::vector<std::string> writableDirs() const;
};

// programDir ends with the platform's separator; programDirWritable tells
// whether the user may create and remove files in it.
FilePlaces DecideFilePlaces(const std::string& programDir, bool programDirWritable, const UserDirectories& user);

// Creates each directory of writableDirs() that is missing and checks that
// the user may write into it (writable answers that for an existing
// directory and gives the system's reason when not). Returns "" when all
// can be written, else a message that names the first directory that
// cannot and why.
using DirectoryWritableTest = std::function<bool(const std::string& dir, std::string* reason)>;
std::string PrepareFilePlaces(const FilePlaces& places, DirectoryWritableTest writable);

}  // namespace orbel
