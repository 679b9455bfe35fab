#include "platform/path_conversions.h"

#include <gtest/gtest.h>

#include "core/system/path_conversions.h"
#include "platform/system_info.h"
#include "tests/core/store/shell_link_builder.h"
#include "tests/core/store/store_test_support.h"
#include "win32_test_support.h"

namespace orbel::platform {
namespace {

using testing::Wide;

std::string LongPath(const std::string& path) {
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD n = GetLongPathNameW(Wide(path).c_str(), buffer, MAX_PATH * 4);
    return n ? testing::Utf8(buffer) : "<" + path + " has no long form>";
}

TEST(ShellPathForms, ShortNamesLeadToTheSameFiles) {
    test::TempDir dir;
    dir.write("A Long Directory Name\\a long file name.text", "x");
    const std::string longDir = dir / "A Long Directory Name";
    const std::string longFile = longDir + "\\a long file name.text";
    const std::string shortDir = ShortPathName(longDir + "\\");
    const std::string shortFile = ShortPathName(longFile);
    ASSERT_FALSE(shortFile.empty());
    EXPECT_EQ(shortFile.find(' '), std::string::npos) << shortFile;
    EXPECT_EQ(shortDir.back(), '\\');
    EXPECT_EQ(LongPath(shortFile), LongPath(longFile));
    EXPECT_EQ(ShortPathName(dir / "gone"), "");
    EXPECT_EQ(ShortPathName(dir / "gone\\"), "");
    EXPECT_EQ(ShortPathName(""), "");

    // The display name of a short path is the long one.
    EXPECT_EQ(LongPath(PathFromShellDisplayName(shortFile)), LongPath(longFile));
    EXPECT_EQ(PathFromShellDisplayName(dir / "gone\\x.txt"), dir / "gone\\x.txt");
    EXPECT_EQ(PathFromShellDisplayName(""), "");

    // Installed, they are what the logic layer's conversions give.
    {
        const std::unique_ptr<SystemCalls> calls = MakeSystemCalls();
        const ScopedSystemCalls installed(*calls);
        EXPECT_EQ(GetShortPath(longFile), shortFile);
        EXPECT_EQ(PathFromDisplayName(shortFile), PathFromShellDisplayName(shortFile));
    }
    EXPECT_EQ(GetShortPath(longFile), longFile);
}

TEST(ShellPathForms, NamesOutsideTheCodePageSurvive) {
    test::TempDir dir;
    const std::string name = dir / "\xce\xb1\xce\xb2\xce\xb3 \xe2\x82\xac.txt";  // Greek letters, the euro sign
    dir.write("\xce\xb1\xce\xb2\xce\xb3 \xe2\x82\xac.txt", "x");
    ASSERT_TRUE(testing::Exists(name));
    EXPECT_EQ(LongPath(ShortPathName(name)), LongPath(name));
    EXPECT_EQ(PathFromShellDisplayName(name), name);
}

TEST(ShellPathForms, TheLinkObjectGivesTheShortTargetTheDropTurnsLong) {
    test::TempDir dir;
    dir.write("Program Folder\\tool file.exe", "MZ");
    // As Windows writes a link to a local file: the whole path as its base.
    test::Link link = test::MakeLink(test::LinkInfo(dir / "Program Folder\\tool file.exe", ""), std::nullopt,
                                     std::nullopt);
    link.strings[3] = "-x \"a b\"";
    dir.write("tool.lnk", link.Build());
    ShellLinkDescription out;
    ASSERT_EQ(ReadShellLink(dir / "tool.lnk", out), 0);
    // The short form where the link object gives one (Wine's gives the long).
    EXPECT_EQ(LongPath(out.target), LongPath(dir / "Program Folder\\tool file.exe"));
    EXPECT_EQ(LongPath(PathFromShellDisplayName(out.target)), LongPath(dir / "Program Folder\\tool file.exe"));
    EXPECT_EQ(out.arguments, "-x \"a b\"");
}

TEST(ShellPathForms, AFileThatIsNoLinkIsRefusedByTheLinkObject) {
    test::TempDir dir;
    dir.write("nolink.lnk", "not a link at all");
    ShellLinkDescription out;
    out.arguments = "untouched";
    EXPECT_LT(ReadShellLink(dir / "nolink.lnk", out), 0);
    EXPECT_LT(ReadShellLink(dir / "gone.lnk", out), 0);
    EXPECT_EQ(out.arguments, "untouched");
}

}  // namespace
}  // namespace orbel::platform
