// The guard against holders in other processes: this test program started
// again with "--hold-instance" takes it and waits to be killed.
#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include "platform/system_info.h"
#include "tests/platform/common/platform_test_support.h"
#include "win32_test_support.h"

namespace orbel::platform {
namespace {

using Result = SingleInstanceLock::Result;
using testing::Wide;

class Holder {
public:
    explicit Holder(const std::string& name) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&read_, &write, &inherit, 0)) return;
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW start{};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = write;
        start.hStdError = write;
        std::wstring command = L"\"" + Wide(ExecutablePath()) + L"\" --hold-instance " + Wide(name);
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process_)) {
            CloseHandle(process_.hThread);
            started_ = true;
        }
        CloseHandle(write);
    }
    ~Holder() {
        kill();
        if (read_) CloseHandle(read_);
    }
    // The helper's first line: "held" or "refused".
    std::string answer() {
        std::string line;
        char c = 0;
        DWORD n = 0;
        while (started_ && ReadFile(read_, &c, 1, &n, nullptr) && n == 1 && c != '\n') {
            if (c != '\r') line += c;
        }
        return line;
    }
    void kill() {
        if (!started_) return;
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hProcess);
        started_ = false;
    }

private:
    HANDLE read_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

TEST(SingleInstanceProcesses, AKilledHolderReleasesTheGuard) {
    const std::string name = testing::UniqueName("guard");
    Holder holder(name);
    ASSERT_EQ(holder.answer(), "held");
    SingleInstanceLock second(name);
    EXPECT_EQ(second.acquire(), Result::HeldElsewhere);
    // Killed, not closed: the system drops the mapping with the process.
    holder.kill();
    EXPECT_EQ(second.acquire(), Result::Acquired);
}

TEST(SingleInstanceProcesses, AnotherProcessSeesThisOneHoldingIt) {
    const std::string name = testing::UniqueName("guard");
    SingleInstanceLock first(name);
    ASSERT_EQ(first.acquire(), Result::Acquired);
    EXPECT_EQ(first.lockPath(), name);
    Holder second(name);
    EXPECT_EQ(second.answer(), "refused");
    second.kill();
    first.release();
    Holder third(name);
    EXPECT_EQ(third.answer(), "held");
}

TEST(SingleInstanceProcesses, TheProgramsGuardIsTheNamedMappingOfFourBytes) {
    SingleInstanceLock lock("{EC026F81-E509-4559-8445-CD9A237072F0}");
    ASSERT_EQ(lock.acquire(), Result::Acquired) << lock.errorString();
    const HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, L"{EC026F81-E509-4559-8445-CD9A237072F0}");
    ASSERT_NE(mapping, nullptr);
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(VirtualQuery(view, &info, sizeof info), 0u);
    EXPECT_GE(info.RegionSize, 4u);
    EXPECT_EQ(*static_cast<const DWORD*>(view), GetCurrentProcessId());
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    lock.release();
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_READ, FALSE, L"{EC026F81-E509-4559-8445-CD9A237072F0}"), nullptr);
}

TEST(SingleInstanceProcesses, RequestsGoToAPipeOfThisUsersSession) {
    // Pipe names are seen by every session: the user's id must be in it.
    const std::string channel = SingleInstanceLock("{EC026F81-E509-4559-8445-CD9A237072F0}").channelName();
    EXPECT_EQ(channel.rfind("{EC026F81-E509-4559-8445-CD9A237072F0}-S-1-", 0), 0u) << channel;
    EXPECT_EQ(channel.find('\\'), std::string::npos) << channel;
}

}  // namespace
}  // namespace orbel::platform
