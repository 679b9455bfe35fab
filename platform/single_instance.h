#pragma once
// A per-user lock that marks a running instance. The kernel drops it with
// the process, however the process ends.

#include <QString>

namespace orbel::platform {

class SingleInstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Failed };
    explicit SingleInstanceLock(QString name);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    Result acquire();
    void release();
    bool held() const { return fd_ >= 0; }
    QString errorString() const { return error_; }
    QString lockPath() const;

private:
    QString name_;
    QString error_;
    int fd_ = -1;
};

}  // namespace orbel::platform
