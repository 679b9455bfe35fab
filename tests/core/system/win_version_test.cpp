#include "core/system/win_version.h"

#include <gtest/gtest.h>

namespace orbel {
namespace {

TEST(WinVersion, ClassesFollowFamilyVersionServiceTextAndBuild) {
    constexpr auto w95 = VersionRecord::Family::Windows95, nt = VersionRecord::Family::NT;
    const std::pair<VersionRecord, int> cases[] = {
        {{w95, 4, 0, 0x12345678, ""}, 1},
        {{w95, 4, 0, 0x04000457, "B"}, 2},
        {{w95, 4, 0, 0x040003B6, "B"}, 0},
        {{w95, 4, 10, 0x040A07CE, ""}, 3},
        {{w95, 4, 10, 0x040A07CE, " A"}, 3},
        {{w95, 4, 10, 0x040A08AE, ""}, 0},
        {{w95, 4, 10, 0x040A08AE, "A"}, 4},
        {{w95, 4, 10, 0x040A07CE, "A"}, 0},
        {{w95, 4, 90, 0x045A0BB8, ""}, 0},
        {{nt, 5, 0, 2195, "Service Pack 4"}, 5},
        {{nt, 5, 1, 2600, ""}, 5},
        {{nt, 3, 51, 1381, ""}, 6},
        {{nt, 3, 51, 1057, ""}, 0},
        {{nt, 4, 0, 2195, ""}, 7},
        {{nt, 4, 0, 1381, ""}, 0},
        {{nt, 10, 0, 19045, ""}, 0},
        {{VersionRecord::Family::Other, 5, 0, 2195, ""}, 0},
    };
    for (const auto& [record, expected] : cases) {
        const std::string what = std::to_string(record.major) + "." + std::to_string(record.minor) + " build " +
                                 std::to_string(record.build) + " '" + record.service + "'";
        EXPECT_EQ(GetWindowsVersionClass(record), expected) << what;
        EXPECT_EQ(IsVersionClass5(record), expected == 5) << what;
        EXPECT_EQ(IsVersionClass7(record), expected == 7) << what;
    }
}

}  // namespace
}  // namespace orbel
