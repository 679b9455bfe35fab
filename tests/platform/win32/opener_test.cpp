#include "platform/opener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/store/file_names.h"
#include "tests/core/store/store_test_support.h"
#include "win32_test_support.h"

namespace orbel::platform {
namespace {

using testing::SystemProgram;

// Waits for the started program's line; the shell returns before it ends.
std::string WaitForLine(const std::string& path) {
    for (int i = 0; i < 300; ++i) {
        std::ifstream in(FsPath(path), std::ios::binary);
        std::ostringstream text;
        if (in && (text << in.rdbuf()) && text.str().find('\n') != std::string::npos) return text.str();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "<program did not run>";
}

TEST(ShellOpen, AProgramStartsWithTheParametersAsGiven) {
    test::TempDir dir;
    const std::string out = dir / "out put.txt";
    // cmd takes the rest of its command line as it stands, quotes and all.
    const std::string parameters = "/c echo two  spaces \"and quotes\">\"" + out + "\"";
    for (ShowMode mode : {ShowMode::Default, ShowMode::Normal}) {
        std::filesystem::remove(FsPath(out));
        ASSERT_TRUE(OpenPath(SystemProgram("cmd.exe"), parameters, mode));
        EXPECT_EQ(WaitForLine(out), "two  spaces \"and quotes\"\r\n");
    }
}

TEST(ShellOpen, WhatCannotBeOpenedFails) {
    test::TempDir dir;
    for (const std::string& path : {dir / "gone.exe", dir / "gone.txt", dir / "no dir\\x.doc", std::string()}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(OpenPath(path, "", ShowMode::Default));
        EXPECT_FALSE(OpenPath(path, "", ShowMode::Normal));
    }
}

}  // namespace
}  // namespace orbel::platform
