// Deleting a directory tree without ever leaving it; existence tests.

#include "core/store/store_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

using test::TempDir;

TEST(DeleteDirectoryTree, RemovesNestedContent) {
    TempDir t;
    t.write("store/shortcuts.txt", "^Folder|a\r\n");
    t.write("store/a/shortcuts.txt", "");
    t.write("store/a/b/c/deep.bmp", "x");
    t.mkdir("store/empty");
    DeleteDirectoryTree(t / "store");
    EXPECT_FALSE(t.exists("store"));
}

TEST(DeleteDirectoryTree, LinkPointingOutsideIsRemovedButItsTargetSurvives) {
    ORBEL_SKIP_WITHOUT_LINKS();
    TempDir t;
    t.write("outside/keep.txt", "precious");
    t.write("outside/sub/keep2.txt", "precious");
    t.write("store/own.txt", "x");
    t.symlink(t / "outside", "store/linkdir");
    std::filesystem::create_symlink(t / "outside/keep.txt", t / "store/linkfile");
    t.mkdir("store/nested");
    t.symlink(t / "outside", "store/nested/linkdir2");
    DeleteDirectoryTree(t / "store");
    EXPECT_FALSE(t.exists("store"));
    EXPECT_TRUE(t.exists("outside/keep.txt"));
    EXPECT_TRUE(t.exists("outside/sub/keep2.txt"));
}

// A link given as the directory itself is removed, never followed, with a
// trailing separator too.
TEST(DeleteDirectoryTree, LinkAsTheDirectoryItselfIsRemovedNotFollowed) {
    ORBEL_SKIP_WITHOUT_LINKS();
    for (const char* given : {"store", "store//"}) {
        TempDir t;
        t.write("outside/keep.txt", "precious");
        t.symlink(t / "outside", "store");
        DeleteDirectoryTree(t / given);
        EXPECT_FALSE(t.exists("store")) << given;
        EXPECT_TRUE(t.exists("outside/keep.txt")) << given;
    }
}

TEST(DeleteDirectoryTree, LinkLoopInsideEnds) {
    ORBEL_SKIP_WITHOUT_LINKS();
    TempDir t;
    t.mkdir("store/a");
    t.symlink("..", "store/a/up");
    t.symlink(".", "store/self");
    DeleteDirectoryTree(t / "store");
    EXPECT_FALSE(t.exists("store"));
}

TEST(DeleteDirectoryTree, DanglingLinkIsRemoved) {
    ORBEL_SKIP_WITHOUT_LINKS();
    TempDir t;
    t.mkdir("store");
    std::filesystem::create_symlink(t / "nowhere", t / "store/dangling");
    DeleteDirectoryTree(t / "store");
    EXPECT_FALSE(t.exists("store"));
}

TEST(DeleteDirectoryTree, MissingDirectoryOrFileOrOddNameDoesNothing) {
    TempDir t;
    t.write("file.txt", "x");
    EXPECT_NO_THROW(DeleteDirectoryTree(t / "missing"));
    EXPECT_NO_THROW(DeleteDirectoryTree(t / "file.txt"));
    EXPECT_NO_THROW(DeleteDirectoryTree(""));
    EXPECT_NO_THROW(DeleteDirectoryTree(t.path() + std::string("\0x", 2)));
    EXPECT_TRUE(t.exists("file.txt"));
    EXPECT_TRUE(std::filesystem::exists(t.path()));
}

TEST(DeleteDirectoryTree, WhatCannotBeRemovedStaysWithoutError) {
    TempDir t;
    t.write("store/locked/inner.txt", "x");
    t.write("store/free.txt", "x");
    test::FakeSystemCalls refuse;
    refuse.fails = [](test::SystemCall call, const std::string& path) {
        return call == test::SystemCall::RemoveStoreFile && path.find("inner.txt") != std::string::npos;
    };
    EXPECT_NO_THROW(DeleteDirectoryTree(t / "store"));
    EXPECT_TRUE(t.exists("store/locked/inner.txt"));
    EXPECT_FALSE(t.exists("store/free.txt"));
}

TEST(StoreFileTests, DirectoryExistsFollowsLinks) {
    ORBEL_SKIP_WITHOUT_LINKS();
    TempDir t;
    t.mkdir("dir");
    t.write("file", "x");
    t.symlink(t / "dir", "linkdir");
    std::filesystem::create_symlink(t / "file", t / "linkfile");
    std::filesystem::create_symlink(t / "nowhere", t / "dangling");
    EXPECT_TRUE(DirectoryExists(t / "dir"));
    EXPECT_TRUE(DirectoryExists(t / "dir/"));
    EXPECT_TRUE(DirectoryExists(t / "linkdir"));
    EXPECT_FALSE(DirectoryExists(t / "file"));
    EXPECT_FALSE(DirectoryExists(t / "linkfile"));
    EXPECT_FALSE(DirectoryExists(t / "dangling"));
    EXPECT_FALSE(DirectoryExists(t / "missing"));
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_FALSE(DirectoryExists(t.path() + std::string("\0", 1)));
}

TEST(StoreFileTests, FileExistsMeansARegularFile) {
    ORBEL_SKIP_WITHOUT_LINKS();
    TempDir t;
    t.mkdir("dir");
    t.write("file", "x");
    std::filesystem::create_symlink(t / "file", t / "linkfile");
    EXPECT_TRUE(FileExists(t / "file"));
    EXPECT_TRUE(FileExists(t / "linkfile"));
    EXPECT_FALSE(FileExists(t / "dir"));
    EXPECT_FALSE(FileExists(t / "dir/"));
    EXPECT_FALSE(FileExists(t / "missing"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(t / "file" + std::string("\0junk", 5)));
    EXPECT_FALSE(FileExists("/dev/null"));
}

}  // namespace
}  // namespace orbel
