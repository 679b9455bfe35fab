#pragma once
// A per-user mark of a running instance, which the system drops with the
// process, however the process ends.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace orbel::platform {

class SingleInstanceLock final : public InstanceLock {
public:
    explicit SingleInstanceLock(std::string name);
    ~SingleInstanceLock() override;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    Result acquire() override;
    void release() override;
    bool held() const override;
    std::string errorString() const override { return error_; }
    std::string lockPath() const override;
    std::string channelName() const override;

private:
    struct Handle;
    std::string name_;
    std::string error_;
    std::unique_ptr<Handle> handle_;
};

}  // namespace orbel::platform
