#pragma once
// A per-user mark of a running instance, which the system drops with the
// process, however the process ends.

#include <memory>
#include <string>

namespace orbel::platform {

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
