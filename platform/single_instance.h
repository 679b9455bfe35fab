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
    // Where the holder takes requests from other starts of the program, as
    // a local server name: a socket beside the lock file in a directory of
    // this user's own (Linux), a pipe named for this user and session
    // (Windows). Empty when there is no such place.
    std::string channelName() const;

private:
    struct Handle;
    std::string name_;
    std::string error_;
    std::unique_ptr<Handle> handle_;
};

}  // namespace orbel::platform
