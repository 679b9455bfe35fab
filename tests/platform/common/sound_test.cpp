#include "platform/sound.h"

#include <gtest/gtest.h>

#include "tests/core/store/store_test_support.h"

namespace orbel::platform {
namespace {

TEST(WavePlayer, UnreadableFilesFailAtOnce) {
    test::TempDir dir;
    WavePlayer player;
    int failures = 0;
    player.setFailureHandler([&](const std::string&) { ++failures; });
    for (const std::string& file : {dir / "gone.wav", dir.path(), std::string()}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(player.play(file));
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace orbel::platform
