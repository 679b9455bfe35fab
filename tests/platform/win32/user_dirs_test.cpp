#include "platform/user_dirs.h"

#include <gtest/gtest.h>

#include "platform/system_info.h"
#include "tests/core/store/store_test_support.h"
#include "win32_test_support.h"

namespace orbel::platform {
namespace {

TEST(UserDirs, TheUsersLocalApplicationDataTakesTheFilesWhenTheProgramsDirectoryCannot) {
    const UserDirectories dirs = CurrentUserDirectories();
    ASSERT_FALSE(dirs.data.empty());
    EXPECT_TRUE(testing::Exists(dirs.data)) << dirs.data;
    EXPECT_NE(dirs.data.back(), '\\');
    EXPECT_EQ(dirs.config, dirs.data);
    EXPECT_EQ(dirs.state, dirs.data);
    const FilePlaces places = DecideFilePlaces("C:\\Program Files\\Tandrel Orbel\\", false, dirs);
    EXPECT_EQ(places.dataDir, dirs.data + "\\tandrel-orbel\\");
    EXPECT_EQ(places.settingsFile(), dirs.data + "\\tandrel-orbel\\orbel.ini");
    EXPECT_EQ(StartCommand(), ExecutablePath());
}

TEST(UserDirs, WritableDirectoryAndTheReasonWhenNot) {
    test::TempDir dir;
    dir.write("file.txt", "x");
    std::string reason;
    EXPECT_TRUE(DirectoryWritable(dir.path(), &reason));
    EXPECT_TRUE(DirectoryWritable(dir.dir(), &reason));
    EXPECT_FALSE(DirectoryWritable(dir / "gone", &reason));
    EXPECT_FALSE(reason.empty());
    reason.clear();
    EXPECT_FALSE(DirectoryWritable(dir / "file.txt", &reason));
    EXPECT_FALSE(reason.empty());
    // Nothing is left behind by asking.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(FsPath(dir.path()))) ++entries;
    EXPECT_EQ(entries, 1);
    // Prepared in the user's directories: made when missing, then written.
    const FilePlaces places = DecideFilePlaces(dir.dir(), false, {dir / "data", dir / "config", dir / "state"});
    EXPECT_EQ(PrepareFilePlaces(places, &DirectoryWritable), "");
    EXPECT_TRUE(testing::Exists(dir / "config\\tandrel-orbel"));
}

}  // namespace
}  // namespace orbel::platform
