#include "core/store/win_version.h"

#include <gtest/gtest.h>

namespace orbel {
namespace {

using F = VersionRecord::Family;

TEST(WinVersion, ClassesFollowFamilyVersionServiceTextAndBuild)
{
    struct Case {
        const char* what;
        VersionRecord record;
        int expected;
    };
    const Case cases[] = {
        {"95", {F::Windows95, 4, 0, 0x040003B6, ""}, 1},
        {"95 with any build", {F::Windows95, 4, 0, 0x12345678, " C"}, 1},
        {"95 OSR2", {F::Windows95, 4, 0, 0x04000457, "B"}, 2},
        {"95 B on another build", {F::Windows95, 4, 0, 0x040003B6, "B"}, 0},
        {"98", {F::Windows95, 4, 10, 0x040A07CE, ""}, 3},
        {"98 service text not exactly A", {F::Windows95, 4, 10, 0x040A07CE, " A "}, 3},
        {"98 lowercase a", {F::Windows95, 4, 10, 0x040A07CE, "a"}, 3},
        {"98 on another build", {F::Windows95, 4, 10, 0x040A08AE, ""}, 0},
        {"98 SE", {F::Windows95, 4, 10, 0x040A08AE, "A"}, 4},
        {"98 A on another build", {F::Windows95, 4, 10, 0x040A07CE, "A"}, 0},
        {"Me", {F::Windows95, 4, 90, 0x045A0BB8, ""}, 0},
        {"2000", {F::NT, 5, 0, 2195, "Service Pack 4"}, 5},
        {"XP, any build", {F::NT, 5, 1, 2600, ""}, 5},
        {"NT 3 with the build it expects", {F::NT, 3, 51, 1381, ""}, 6},
        {"NT 3.51", {F::NT, 3, 51, 1057, ""}, 0},
        {"NT 4 with the build it expects", {F::NT, 4, 0, 2195, ""}, 7},
        {"NT 4.0", {F::NT, 4, 0, 1381, ""}, 0},
        {"Vista and later", {F::NT, 6, 1, 7601, ""}, 0},
        {"Windows 10", {F::NT, 10, 0, 19045, ""}, 0},
        {"other platform", {F::Other, 5, 0, 2195, ""}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetWindowsVersionClass(c.record), c.expected) << c.what;
        EXPECT_EQ(IsVersionClass5(c.record), c.expected == 5) << c.what;
        EXPECT_EQ(IsVersionClass7(c.record), c.expected == 7) << c.what;
    }
}

}  // namespace
}  // namespace orbel
