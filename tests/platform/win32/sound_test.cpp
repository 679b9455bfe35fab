#include "platform/sound.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <filesystem>

#include "core/store/file_names.h"
#include "tests/core/store/store_test_support.h"
#include "win32_test_support.h"

namespace orbel::platform {
namespace {

TEST(WaveSounds, SystemSoundsLiveBelowTheWindowsDirectory) {
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    EXPECT_EQ(SystemSoundDirectory("C:\\program\\"), testing::Utf8(windows) + "\\");
}

TEST(WaveSounds, DamagedFilesFailAtOnceAGoodOneNeedsAWaveDevice) {
    test::TempDir dir;
    dir.write("bad.wav", "this is no wave file at all");
    dir.write("empty.wav", "");
    std::string header = "RIFF\x24\0\0\0WAVEfmt ";
    header.append(std::string("\x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0", 20));
    dir.write("nodata.wav", header);  // a format and no sound
    const std::string good = dir / "chimes.wav";
    std::filesystem::copy_file(FsPath(testing::SourceFile("media/chimes.wav")), FsPath(good));

    WavePlayer player;
    int failures = 0;
    player.setFailureHandler([&](const std::string&) { ++failures; });
    for (const char* name : {"bad.wav", "empty.wav", "nodata.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(player.play(dir / name));
    }
    // Without any wave device (a machine without sound, Wine without a
    // driver) nothing can be played, and that is said at once as well.
    EXPECT_EQ(player.play(good), waveOutGetNumDevs() > 0);
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace orbel::platform
