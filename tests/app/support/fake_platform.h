#pragma once
// The platform for widget tests: the running system's answers, except that
// sounds are recorded rather than played, the installed applications may
// be given, and any call that can fail fails when the test names it, as if
// the system had refused it.

#include <QStringList>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "platform/platform.h"

namespace orbel::testing {

enum class PlatformCall {
    OpenPath,
    ReadAutostart,
    WriteAutostart,
    PlaySound,
    ReadMemoryStatus,
    DirectoryWritable,
    AcquireLock,
    XEmbedTrayPresent,
};

class FakePlatform final : public platform::Platform {
public:
    FakePlatform();
    ~FakePlatform() override;

    // The calls that fail.
    std::set<PlatformCall> failing;
    // The sound files asked for, in order.
    QStringList sounds;
    // What the desktop lists as installed, in place of its own list.
    std::optional<std::vector<InstalledApplication>> applications;

    SystemCalls& Calls() override { return system_->Calls(); }
    std::string ExecutablePath() override { return system_->ExecutablePath(); }
    UserDirectories CurrentUserDirectories() override { return system_->CurrentUserDirectories(); }
    bool DirectoryWritable(const std::string& dir, std::string* reason) override;
    std::string StartCommand() override { return system_->StartCommand(); }
    std::string SystemName() override { return system_->SystemName(); }
    std::unique_ptr<platform::InstanceLock> MakeInstanceLock(const std::string& name) override;
    bool OpenPath(const std::string& path, const std::string& parameters, platform::ShowMode mode) override;
    bool ReadAutostart() override;
    void WriteAutostart(bool on, const std::string& command) override;
    std::unique_ptr<platform::SoundOutput> MakeSoundOutput() override;
    std::string SystemSoundDirectory(const std::string& dir) override { return system_->SystemSoundDirectory(dir); }
    int LastErrorCode() override { return system_->LastErrorCode(); }
    std::string LastErrorText(int code) override { return system_->LastErrorText(code); }
    platform::LocalTimeTexts CurrentLocalTimeTexts() override { return system_->CurrentLocalTimeTexts(); }
    bool ReadMemoryStatus(platform::MemoryStatus& out) override;
    void SetSkipTaskbar(std::uintptr_t window, bool skip, bool mapped) override {
        system_->SetSkipTaskbar(window, skip, mapped);
    }
    bool XEmbedTrayPresent() override;
    platform::SmallIcon FileTypeIcon(const std::string& extension) override { return system_->FileTypeIcon(extension); }
    platform::SmallIcon FileIcon(const std::string& path) override { return system_->FileIcon(path); }
    std::string DesktopEntryIcon(const std::string& file) override { return system_->DesktopEntryIcon(file); }
    std::unique_ptr<platform::ProgramEntryIcons> InstalledProgramEntryIcons() override {
        return system_->InstalledProgramEntryIcons();
    }
    std::vector<InstalledApplication> InstalledApplications() override;

    bool fails(PlatformCall call) const { return failing.count(call) != 0; }

private:
    std::unique_ptr<platform::Platform> system_;
};

}  // namespace orbel::testing
