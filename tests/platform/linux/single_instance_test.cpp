#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace orbel::platform {
namespace {

using Result = SingleInstanceLock::Result;
using testing::ScopedEnv;

const std::string kName = "{EC026F81-E509-4559-8445-CD9A237072F0}";

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir runtime_;  // 0700, as a session's runtime directory is
    ScopedEnv env_{"XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path())};
};

TEST_F(SingleInstanceTest, LockLivesInTheRuntimeDirectoryUnderItsName) {
    SingleInstanceLock lock(kName);
    EXPECT_EQ(lock.lockPath(), runtime_.path().toStdString() + '/' + kName + ".lock");
    ASSERT_EQ(lock.acquire(), Result::Acquired);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(lock.lockPath())));
    EXPECT_EQ(lock.channelName(), runtime_.path().toStdString() + '/' + kName + ".socket");
}

TEST_F(SingleInstanceTest, LockOfAKilledProcessIsFree) {
    SingleInstanceLock probe(kName);
    const std::string path = probe.lockPath();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only raw system calls after fork.
        const int fd = open(path.c_str(), O_RDWR | O_CREAT, 0600);
        const char ok = (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) ? '1' : '0';
        [[maybe_unused]] const ssize_t n = write(ready[1], &ok, 1);
        for (;;) pause();
    }
    close(ready[1]);
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    close(ready[0]);
    ASSERT_EQ(ok, '1');

    EXPECT_EQ(probe.acquire(), Result::HeldElsewhere);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(probe.acquire(), Result::Acquired);
}

TEST_F(SingleInstanceTest, ProgramsStartedByADeadHolderDoNotKeepTheLock) {
    // The holder starts a program and dies without releasing, as after a
    // crash; the program it started lives on.
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        SingleInstanceLock lock(kName);
        pid_t started = -1;
        if (lock.acquire() == Result::Acquired) {
            char sleep[] = "sleep";
            char seconds[] = "30";
            char* argv[] = {sleep, seconds, nullptr};
            // A plain spawn keeps every descriptor that is not close-on-exec.
            if (posix_spawnp(&started, "sleep", nullptr, nullptr, argv, environ) != 0) started = -1;
        }
        [[maybe_unused]] const ssize_t n = write(report[1], &started, sizeof started);
        _exit(0);
    }
    close(report[1]);
    pid_t started = -1;
    ASSERT_EQ(read(report[0], &started, sizeof started), ssize_t(sizeof started));
    close(report[0]);
    ASSERT_EQ(waitpid(holder, nullptr, 0), holder);
    ASSERT_GT(started, 0);

    // The kernel lets the spawner go on a moment before the new program's
    // close-on-exec descriptors are closed: give it that moment, far less
    // than the 30 s the program keeps running.
    SingleInstanceLock next(kName);
    Result result = next.acquire();
    for (int i = 0; i < 1000 && result == Result::HeldElsewhere; ++i) {
        usleep(10000);
        result = next.acquire();
    }
    EXPECT_EQ(result, Result::Acquired);
    kill(started, SIGKILL);
}

TEST_F(SingleInstanceTest, FailuresAreReportedWithAReason) {
    SingleInstanceLock slash("a/b");
    EXPECT_EQ(slash.acquire(), Result::Failed);
    EXPECT_FALSE(slash.errorString().empty());

    // Something that cannot be opened as a file sits where the lock goes.
    SingleInstanceLock blocked(kName);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(blocked.lockPath())));
    EXPECT_EQ(blocked.acquire(), Result::Failed);
    EXPECT_FALSE(blocked.held());
    EXPECT_NE(blocked.errorString().find(blocked.lockPath()), std::string::npos) << blocked.errorString();
}

TEST(SingleInstanceFallback, UnusableRuntimeDirectoryFallsBackToAPrivateTmpDirectory) {
    QTemporaryDir shared;
    ASSERT_TRUE(QFile::setPermissions(shared.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                         QFile::WriteOther | QFile::ReadOther | QFile::ExeOther));
    const std::string fallback = "/tmp/orbel-" + std::to_string(geteuid());
    const std::optional<QByteArray> values[] = {
        std::nullopt,                              // unset
        QByteArray(),                              // empty
        QByteArray("relative/dir"),                // not absolute
        QByteArray("/nonexistent/orbel-runtime"),  // missing
        QFile::encodeName(shared.path()),          // others may write there
    };
    for (const auto& value : values) {
        SCOPED_TRACE(value ? value->constData() : "(unset)");
        ScopedEnv env("XDG_RUNTIME_DIR", value);
        SingleInstanceLock lock("orbel-fallback-test-" + std::to_string(getpid()));
        EXPECT_EQ(lock.lockPath().rfind(fallback + '/', 0), 0u) << lock.lockPath();
        ASSERT_EQ(lock.acquire(), Result::Acquired) << lock.errorString();

        struct stat st {};
        ASSERT_EQ(lstat(fallback.c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_uid, geteuid());
        EXPECT_EQ(st.st_mode & 077, 0u);
        EXPECT_EQ(lock.channelName().rfind(fallback + '/', 0), 0u) << lock.channelName();
        const std::string path = lock.lockPath();
        lock.release();
        ::unlink(path.c_str());
    }
}

}  // namespace
}  // namespace orbel::platform
