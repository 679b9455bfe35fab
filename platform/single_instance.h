#pragma once
// A per-user mark of a running instance, which the system drops with the
// process, however the process ends.

#include <memory>
#include <string>

namespace orbel::platform {

class SingleInstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Failed };
    explicit SingleInstanceLock(std::string name);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    Result acquire();
    void release();
    bool held() const;
    std::string errorString() const { return error_; }
    // Where the mark lives (a file, or the system object's name).
    std::string lockPath() const;

private:
    struct Handle;
    std::string name_;
    std::string error_;
    std::unique_ptr<Handle> handle_;
};

}  // namespace orbel::platform
