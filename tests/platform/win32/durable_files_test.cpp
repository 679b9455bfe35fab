#include "platform/durable_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/program/profile_file.h"
#include "core/store/file_names.h"
#include "tests/core/store/store_test_support.h"

namespace orbel::platform {
namespace {

using test::ReadBytes;

TEST(DurableFiles, FlushesFilesAndWholeTrees) {
    test::TempDir dir;
    dir.write("store/shortcuts.txt", "^NorSep|\r\n");
    dir.write("store/F/shortcuts.txt", "^NorSep|\r\n");
    dir.write("store/F/G/a.bmp", "BM");
    EXPECT_TRUE(SyncPath(dir / "store/shortcuts.txt"));
    // The program directory holds the running executable, which no one
    // may open for writing: the tree is flushed all the same.
    dir.write("store/orbel.exe", "MZ");
    const HANDLE held = CreateFileW(FsPath(dir / "store/orbel.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SyncPath(dir / "store"));
    CloseHandle(held);
    EXPECT_TRUE(SyncPath(dir / "store/"));
    EXPECT_FALSE(SyncPath(dir / "gone"));
    EXPECT_FALSE(SyncPath(""));
}

TEST(DurableFiles, ReplacingRenamesOverTheOldFileOrLeavesItAlone) {
    test::TempDir dir;
    dir.write("orbel.ini", "old");
    dir.write("orbel.ini.new", "new");
    EXPECT_TRUE(ReplaceFileDurably(dir / "orbel.ini.new", dir / "orbel.ini"));
    EXPECT_EQ(ReadBytes(dir / "orbel.ini"), "new");
    EXPECT_FALSE(dir.exists("orbel.ini.new"));
    // A target in a missing directory: nothing moves.
    dir.write("again.new", "again");
    EXPECT_FALSE(ReplaceFileDurably(dir / "again.new", dir / "gone/orbel.ini"));
    EXPECT_EQ(ReadBytes(dir / "again.new"), "again");
    EXPECT_FALSE(ReplaceFileDurably(dir / "missing.new", dir / "orbel.ini"));
    EXPECT_EQ(ReadBytes(dir / "orbel.ini"), "new");
}

TEST(DurableFiles, SettingsAreSavedThroughTheDurableReplace) {
    test::TempDir dir;
    const std::string ini = dir / "orbel.ini";
    dir.write("orbel.ini", "[General Settings]\r\nTaskBar=1\r\n");
    DurableFileCalls durable;
    const ScopedSystemCalls installed(durable);
    ProfileFile file = ProfileFile::Load(ini);
    file.WriteString("General Settings", "TaskBar", "0");
    file.Save(ini);
    EXPECT_EQ(ReadBytes(ini), "[General Settings]\r\nTaskBar=0\r\n");
    // No temporary file stays behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(FsPath(dir.path()))) ++entries;
    EXPECT_EQ(entries, 1);
    // A file that is open without sharing cannot be replaced: the save
    // fails and the old contents stay.
    const HANDLE locked = CreateFileW(FsPath(ini).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    file.WriteString("General Settings", "TaskBar", "1");
    EXPECT_THROW(file.Save(ini), ProfileError);
    CloseHandle(locked);
    EXPECT_EQ(ReadBytes(ini), "[General Settings]\r\nTaskBar=0\r\n");
}

}  // namespace
}  // namespace orbel::platform
