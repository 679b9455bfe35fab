#include "support/fake_platform.h"

#include <stdexcept>

namespace orbel::testing {

namespace {

class RecordedSound final : public platform::SoundOutput {
public:
    explicit RecordedSound(FakePlatform& p) : p_(p) {}
    bool play(const std::string& file) override {
        p_.sounds << QString::fromStdString(file);
        return !p_.fails(PlatformCall::PlaySound);
    }
    void setFailureHandler(std::function<void(const std::string&)>) override {}

private:
    FakePlatform& p_;
};

// The system's lock, whose taking fails when the test says so.
class RefusableLock final : public platform::InstanceLock {
public:
    RefusableLock(FakePlatform& p, std::unique_ptr<platform::InstanceLock> lock) : p_(p), lock_(std::move(lock)) {}
    Result acquire() override {
        if (!p_.fails(PlatformCall::AcquireLock)) return lock_->acquire();
        refused_ = true;
        return Result::Failed;
    }
    void release() override { lock_->release(); }
    bool held() const override { return lock_->held(); }
    std::string errorString() const override { return refused_ ? "Permission denied" : lock_->errorString(); }
    std::string lockPath() const override { return lock_->lockPath(); }
    std::string channelName() const override { return lock_->channelName(); }

private:
    FakePlatform& p_;
    std::unique_ptr<platform::InstanceLock> lock_;
    bool refused_ = false;
};

}  // namespace

FakePlatform::FakePlatform() : system_(platform::MakeSystemPlatform()) {}
FakePlatform::~FakePlatform() = default;

bool FakePlatform::DirectoryWritable(const std::string& dir, std::string* reason) {
    if (!fails(PlatformCall::DirectoryWritable)) return system_->DirectoryWritable(dir, reason);
    if (reason) *reason = "Permission denied";
    return false;
}

std::unique_ptr<platform::InstanceLock> FakePlatform::MakeInstanceLock(const std::string& name) {
    return std::make_unique<RefusableLock>(*this, system_->MakeInstanceLock(name));
}

bool FakePlatform::OpenPath(const std::string& path, const std::string& parameters, platform::ShowMode mode) {
    return !fails(PlatformCall::OpenPath) && system_->OpenPath(path, parameters, mode);
}

bool FakePlatform::ReadAutostart() { return !fails(PlatformCall::ReadAutostart) && system_->ReadAutostart(); }

void FakePlatform::WriteAutostart(bool on, const std::string& command) {
    if (fails(PlatformCall::WriteAutostart)) throw std::runtime_error("Cannot write the autostart entry");
    system_->WriteAutostart(on, command);
}

std::unique_ptr<platform::SoundOutput> FakePlatform::MakeSoundOutput() {
    return std::make_unique<RecordedSound>(*this);
}

bool FakePlatform::ReadMemoryStatus(platform::MemoryStatus& out) {
    return !fails(PlatformCall::ReadMemoryStatus) && system_->ReadMemoryStatus(out);
}

bool FakePlatform::XEmbedTrayPresent() {
    return !fails(PlatformCall::XEmbedTrayPresent) && system_->XEmbedTrayPresent();
}

std::vector<InstalledApplication> FakePlatform::InstalledApplications() {
    return applications ? *applications : system_->InstalledApplications();
}

}  // namespace orbel::testing
