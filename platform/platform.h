#pragma once
// Everything the program asks of the running system, as one object: made
// once where the program is built (MakeSystemPlatform) and handed to the
// parts that need it, so that a test can hand in its own and make any call
// fail. The free functions in the other headers of this folder are the
// system's answers; the program itself calls them only through here.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/manager/applications.h"
#include "core/program/file_places.h"
#include "core/system/system_calls.h"
#include "platform/desktop_icons.h"
#include "platform/icons.h"
#include "platform/opener.h"
#include "platform/single_instance.h"
#include "platform/sound.h"
#include "platform/system_info.h"

namespace orbel::platform {

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
