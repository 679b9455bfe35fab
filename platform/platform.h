#pragma once
// Everything the program asks of the running system, as one object: made
// once where the program is built (MakeSystemPlatform) and handed to the
// parts that need it, so that a test can hand in its own and make any call
// fail. The other headers of this folder declare the system's own answers,
// which only the platform's implementation and its tests call.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/manager/applications.h"
#include "core/program/file_places.h"
#include "core/system/system_calls.h"

namespace orbel::platform {

// How the started program shows its first window, where the system has
// such a choice: its own default, or normal size and position.
enum class ShowMode { Default, Normal };

// A 16 x 16 icon: premultiplied 0xAARRGGBB pixels, rows top to bottom.
struct SmallIcon {
    static constexpr int kSize = 16;
    std::array<std::uint32_t, kSize * kSize> pixels{};
};

// The installed applications by the program they start (Exec's first word
// or TryExec, as a path or as a name looked up in PATH).
class ProgramEntryIcons {
public:
    virtual ~ProgramEntryIcons() = default;
    // The icon of an installed entry that starts this program; empty for none.
    virtual std::string iconFor(const std::string& programPath) = 0;
};

struct MemoryStatus {
    int load = 0;             // percent of physical memory in use
    std::uint64_t total = 0;  // bytes of physical memory
};

// The date and time of now as the user's settings write them: the short
// date, and the long time (hours, minutes, seconds).
struct LocalTimeTexts {
    std::string shortDate;
    std::string longTime;
};

// A per-user mark of a running instance, which the system drops with the
// process, however the process ends.
class InstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Failed };
    virtual ~InstanceLock() = default;

    virtual Result acquire() = 0;
    virtual void release() = 0;
    virtual bool held() const = 0;
    virtual std::string errorString() const = 0;
    // Where the mark lives (a file, or the system object's name).
    virtual std::string lockPath() const = 0;
    // Where the holder takes requests from other starts of the program, as
    // a local server name: a socket beside the lock file in a directory of
    // this user's own (Linux), a pipe named for this user and session
    // (Windows). Empty when there is no such place.
    virtual std::string channelName() const = 0;
};

// Plays a wave file without waiting for it to end.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts playing file (UTF-8 path); a new call replaces the sound before
    // it. Returns false at once when the file cannot be opened or played.
    virtual bool play(const std::string& file) = 0;
    // Called later, from the event loop, when a sound that play() accepted
    // fails after all (no audio device, a damaged file); never from inside
    // play() and never for a sound that a newer one replaced.
    virtual void setFailureHandler(std::function<void(const std::string& file)> handler) = 0;
};

class Platform {
public:
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
    virtual ~Platform() = default;

    // The logic layer's calls (files, listings, links) as this system makes
    // them; the program installs them while it lives.
    virtual SystemCalls& Calls() = 0;

    // Where the program's files live (user_dirs.h, system_info.h).
    virtual std::string ExecutablePath() = 0;
    virtual UserDirectories CurrentUserDirectories() = 0;
    virtual bool DirectoryWritable(const std::string& dir, std::string* reason) = 0;
    virtual std::string StartCommand() = 0;
    virtual std::string SystemName() = 0;

    // One running instance (single_instance.h).
    virtual std::unique_ptr<InstanceLock> MakeInstanceLock(const std::string& name) = 0;

    // Opening items and documents (opener.h).
    virtual bool OpenPath(const std::string& path, const std::string& parameters, ShowMode mode) = 0;

    // Starting with the desktop session (autostart.h); WriteAutostart
    // throws std::runtime_error when the entry cannot be written.
    virtual bool ReadAutostart() = 0;
    virtual void WriteAutostart(bool on, const std::string& command) = 0;

    // Sounds (sound.h).
    virtual std::unique_ptr<SoundOutput> MakeSoundOutput() = 0;
    virtual std::string SystemSoundDirectory(const std::string& programDirectory) = 0;

    // What the error log and the about box tell (system_info.h).
    virtual int LastErrorCode() = 0;
    virtual std::string LastErrorText(int code) = 0;
    virtual LocalTimeTexts CurrentLocalTimeTexts() = 0;
    virtual bool ReadMemoryStatus(MemoryStatus& out) = 0;

    // Windows and the tray (taskbar.h, tray_host.h).
    virtual void SetSkipTaskbar(std::uintptr_t nativeWindow, bool skip, bool mapped) = 0;
    virtual bool XEmbedTrayPresent() = 0;

    // Icons and the installed applications (icons.h, desktop_icons.h,
    // applications.h).
    virtual SmallIcon FileTypeIcon(const std::string& extension) = 0;
    virtual SmallIcon FileIcon(const std::string& path) = 0;
    virtual std::string DesktopEntryIcon(const std::string& desktopFile) = 0;
    virtual std::unique_ptr<ProgramEntryIcons> InstalledProgramEntryIcons() = 0;
    virtual std::vector<InstalledApplication> InstalledApplications() = 0;
};

// The running system's own answers, with its system calls.
std::unique_ptr<Platform> MakeSystemPlatform();

}  // namespace orbel::platform
