// The guard within one process; holders in other processes are tested per
// system, where starting and killing a process differ.
#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include "tests/platform/common/platform_test_support.h"

namespace orbel::platform {
namespace {

using Result = SingleInstanceLock::Result;
using testing::UniqueName;

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstReleases) {
    const std::string name = UniqueName("guard");
    SingleInstanceLock first(name);
    SingleInstanceLock second(name);
    ASSERT_EQ(first.acquire(), Result::Acquired) << first.errorString();
    EXPECT_TRUE(first.held());
    EXPECT_EQ(second.acquire(), Result::HeldElsewhere);
    EXPECT_FALSE(second.held());
    EXPECT_TRUE(second.errorString().empty());

    first.release();
    EXPECT_FALSE(first.held());
    EXPECT_EQ(second.acquire(), Result::Acquired);
    EXPECT_EQ(first.acquire(), Result::HeldElsewhere);
}

TEST(SingleInstance, DestructionReleasesAndNamesAreIndependent) {
    const std::string name = UniqueName("scope");
    {
        SingleInstanceLock first(name);
        ASSERT_EQ(first.acquire(), Result::Acquired);
        SingleInstanceLock other(name + "-other");
        EXPECT_EQ(other.acquire(), Result::Acquired);
    }
    SingleInstanceLock second(name);
    EXPECT_EQ(second.acquire(), Result::Acquired);
}

TEST(SingleInstance, UnusableNamesFailWithAReason) {
    SingleInstanceLock empty("");
    EXPECT_EQ(empty.acquire(), Result::Failed);
    EXPECT_FALSE(empty.held());
    EXPECT_FALSE(empty.errorString().empty());
}

}  // namespace
}  // namespace orbel::platform
