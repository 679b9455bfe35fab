#pragma once
// What the logic layer asks of the running system. The defaults use the
// standard library alone; a platform derives from SystemCalls where its own
// calls are more precise or cheaper, and a test derives from it to make a
// call fail. Which object is in use is set in one place, InstallSystemCalls.

#include <fstream>
#include <string>
#include <vector>

namespace orbel {

struct ShellLinkDescription;

// What a directory listing tells about a name: a link is reported as a
// link, not followed; Unknown where the file system does not say.
enum class ListedKind : unsigned char { File, Directory, Link, Other, Unknown };
struct ListedName {
    std::string name;
    ListedKind kind = ListedKind::Unknown;
};

class SystemCalls {
public:
    SystemCalls() = default;
    SystemCalls(const SystemCalls&) = delete;
    SystemCalls& operator=(const SystemCalls&) = delete;
    virtual ~SystemCalls() = default;

    // The last step of saving a settings or history file: renames from over
    // to, replacing a file there; false with errno telling why not. The
    // default only renames; a platform also flushes both to the disk. (Not
    // named ReplaceFile: windows.h makes that name a macro.)
    virtual bool RenameOver(const std::string& from, const std::string& to);
    // Flushes a written file, or a directory with everything below it, to
    // the disk (fsync); false on failure. Standard C++ has no such call, so
    // the default flushes nothing and succeeds.
    virtual bool SyncPath(const std::string& path);
    // The names in a directory, without "." and "..", in no particular
    // order: empty when it cannot be read, shorter when reading stops early.
    // The default lists nothing, and the loader then looks at each name:
    // the standard library's listing can cost more than the looks it saves
    // (where it cannot tell an entry's type, each entry takes looks).
    virtual std::vector<ListedName> ListFolder(const std::string& dir);
    // Opens an index file of the store for reading; false with errno set
    // when it cannot be opened.
    virtual bool OpenIndexFile(const std::string& path, std::ifstream& in);
    // Removes one file or link (never what a link points to) while a store
    // directory is deleted; false when it stays.
    virtual bool RemoveStoreFile(const std::string& path);
    // Whether the user may execute the regular file at path. The default
    // reads the permission bits; a platform asks the system as execve does.
    virtual bool UserMayExecute(const std::string& path);
    // Reads a shell link file (kShellLinkOk or a negative code, see
    // shortcut_file.h); the default is the portable reader.
    virtual int ResolveShellLink(const std::string& linkFile, ShellLinkDescription& out);
    // The short (8.3) form of an existing path and the path a shell display
    // name stands for; the defaults are the portable conversions of
    // path_conversions.h.
    virtual std::string ShortPath(const std::string& path);
    virtual std::string PathFromDisplayName(const std::string& name);
};

// The calls in use: the defaults until others are installed.
SystemCalls& System();
// Installs calls for the whole process: the program's platform at start,
// a test's fake while it runs. calls must outlive its use; null puts the
// defaults back. Returns what was installed before (null: the defaults).
SystemCalls* InstallSystemCalls(SystemCalls* calls);

// Installs calls while the object lives, then puts back what was before.
class ScopedSystemCalls {
public:
    explicit ScopedSystemCalls(SystemCalls& calls);
    ~ScopedSystemCalls();
    ScopedSystemCalls(const ScopedSystemCalls&) = delete;
    ScopedSystemCalls& operator=(const ScopedSystemCalls&) = delete;

private:
    SystemCalls* previous_;
};

}  // namespace orbel
