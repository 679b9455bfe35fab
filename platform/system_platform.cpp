// The running system's answers, as the per-system files give them.

#include "platform/platform.h"

#include "platform/applications.h"
#include "platform/autostart.h"
#include "platform/desktop_icons.h"
#include "platform/icons.h"
#include "platform/opener.h"
#include "platform/single_instance.h"
#include "platform/sound.h"
#include "platform/system_info.h"
#include "platform/taskbar.h"
#include "platform/tray_host.h"
#include "platform/user_dirs.h"

namespace orbel::platform {

namespace {

class SystemPlatform final : public Platform {
public:
    SystemCalls& Calls() override { return *calls_; }

    std::string ExecutablePath() override { return platform::ExecutablePath(); }
    UserDirectories CurrentUserDirectories() override { return platform::CurrentUserDirectories(); }
    bool DirectoryWritable(const std::string& dir, std::string* reason) override {
        return platform::DirectoryWritable(dir, reason);
    }
    std::string StartCommand() override { return platform::StartCommand(); }
    std::string SystemName() override { return platform::SystemName(); }

    std::unique_ptr<InstanceLock> MakeInstanceLock(const std::string& name) override {
        return std::make_unique<SingleInstanceLock>(name);
    }

    bool OpenPath(const std::string& path, const std::string& parameters, ShowMode mode) override {
        return platform::OpenPath(path, parameters, mode);
    }

    bool ReadAutostart() override { return platform::ReadAutostart(); }
    void WriteAutostart(bool on, const std::string& command) override { platform::WriteAutostart(on, command); }

    std::unique_ptr<SoundOutput> MakeSoundOutput() override { return std::make_unique<WavePlayer>(); }
    std::string SystemSoundDirectory(const std::string& programDirectory) override {
        return platform::SystemSoundDirectory(programDirectory);
    }

    int LastErrorCode() override { return platform::LastErrorCode(); }
    std::string LastErrorText(int code) override { return platform::LastErrorText(code); }
    LocalTimeTexts CurrentLocalTimeTexts() override { return platform::CurrentLocalTimeTexts(); }
    bool ReadMemoryStatus(MemoryStatus& out) override { return platform::ReadMemoryStatus(out); }

    void SetSkipTaskbar(std::uintptr_t nativeWindow, bool skip, bool mapped) override {
        platform::SetSkipTaskbar(nativeWindow, skip, mapped);
    }
    bool XEmbedTrayPresent() override { return platform::XEmbedTrayPresent(); }

    SmallIcon FileTypeIcon(const std::string& extension) override { return platform::FileTypeIcon(extension); }
    SmallIcon FileIcon(const std::string& path) override { return platform::FileIcon(path); }
    std::string DesktopEntryIcon(const std::string& desktopFile) override {
        return platform::DesktopEntryIcon(desktopFile);
    }
    std::unique_ptr<ProgramEntryIcons> InstalledProgramEntryIcons() override {
        return platform::InstalledProgramEntryIcons();
    }
    std::vector<InstalledApplication> InstalledApplications() override { return platform::InstalledApplications(); }

private:
    const std::unique_ptr<SystemCalls> calls_ = MakeSystemCalls();
};

}  // namespace

std::unique_ptr<Platform> MakeSystemPlatform() { return std::make_unique<SystemPlatform>(); }

}  // namespace orbel::platform
