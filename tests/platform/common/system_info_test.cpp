// What every system's platform layer must report the same way.
#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/store/file_names.h"

namespace orbel::platform {
namespace {

TEST(SystemInfo, MemoryStatusIsPlausible) {
    MemoryStatus status;
    ASSERT_TRUE(ReadMemoryStatus(status));
    EXPECT_GE(status.load, 0);
    EXPECT_LE(status.load, 100);
    EXPECT_GT(status.total, std::uint64_t(16) << 20);  // more than 16 MB of memory
}

TEST(SystemInfo, ExecutablePathNamesThisTestProgram) {
    const std::filesystem::path path = FsPath(ExecutablePath());
    EXPECT_TRUE(path.is_absolute()) << ExecutablePath();
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << ExecutablePath();
    EXPECT_EQ(path.stem().string(), "orbel_platform_tests");
}

}  // namespace
}  // namespace orbel::platform
