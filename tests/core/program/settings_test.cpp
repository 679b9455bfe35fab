// The settings: defaults, value encodings and the order they are written in.

#include "core/program/settings.h"

#include <gtest/gtest.h>

#include "core/program/profile_file.h"

namespace orbel {
namespace {

TEST(ProfileInteger, DecimalHexAndInvalid) {
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},
        {"12", 12},
        {"-7", -7},
        {"+3", 3},
        {"0x0", 0},
        {"0X1f", 31},
        {"0xFFFFFFFF", -1},
        {"0x7fffffff", 2147483647},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"0x100000000", std::nullopt},
        {"0x", std::nullopt},
        {"0xg", std::nullopt},
        {"-0x1", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"yes", std::nullopt},
        {"abc", std::nullopt},
        {"8 pt", std::nullopt},
        {"1.5", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseProfileInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(Settings, ReadWithDefaultsAndEncodings) {
    struct Case {
        const char* file;
        Settings expected;
    } cases[] = {
        {"", Settings{}},
        {"[General Settings]\r\nTaskBar=0x0\r\n", Settings{false, true, "Verdana", 8, ""}},
        {"[General Settings]\r\nTaskBar=yes\r\n", Settings{true, true, "Verdana", 8, ""}},
        {"[General Settings]\r\nTaskBar=-5\r\n[Font Settings]\r\nWindowsDraw=0\r\n",
         Settings{true, false, "Verdana", 8, ""}},
        {"[Font Settings]\r\nFontSize=abc\r\nFontName=\r\n", Settings{true, true, "", 8, ""}},
        {"[font settings]\r\nfontsize=0xA\r\nfontname= Courier New \r\nWINDOWSDRAW=2\r\n",
         Settings{true, true, "Courier New", 10, ""}},
        {"[Font Settings]\r\nFontSize=\r\n", Settings{true, true, "Verdana", 8, ""}},
        {"[General Settings]\r\nMenuHotkey= Ctrl+Alt+Space \r\n", Settings{true, true, "Verdana", 8, "Ctrl+Alt+Space"}},
        {"[general settings]\r\nmenuhotkey=\r\n", Settings{}},
        // The shortcut belongs to the general section only.
        {"[Font Settings]\r\nMenuHotkey=Meta+M\r\n", Settings{}},
    };
    for (const Case& c : cases) {
        const Settings s = ReadSettings(ProfileFile::FromText(c.file));
        EXPECT_EQ(s.TaskBar, c.expected.TaskBar) << c.file;
        EXPECT_EQ(s.WindowsDraw, c.expected.WindowsDraw) << c.file;
        EXPECT_EQ(s.FontName, c.expected.FontName) << c.file;
        EXPECT_EQ(s.FontSize, c.expected.FontSize) << c.file;
        EXPECT_EQ(s.MenuHotkey, c.expected.MenuHotkey) << c.file;
    }
}

TEST(Settings, WrittenInOrderBesideForeignLines) {
    ProfileFile fresh;
    WriteSettings(fresh, Settings{true, true, "Tahoma", 9, ""});
    EXPECT_EQ(fresh.Text(),
              "[General Settings]\r\nTaskBar=1\r\n"
              "[Font Settings]\r\nWindowsDraw=1\r\nFontName=Tahoma\r\nFontSize=9\r\n");

    ProfileFile used = ProfileFile::FromText(
        "[Font Settings]\r\nFontSize=7\r\nMine=1\r\nFontName=Old\r\n\r\n"
        "[General Settings]\r\n;note\r\nTaskBar=1\r\nOther=x\r\n");
    WriteSettings(used, Settings{false, false, "", 12, ""});
    EXPECT_EQ(used.Text(),
              "[Font Settings]\r\nMine=1\r\nWindowsDraw=0\r\nFontName=\r\nFontSize=12\r\n\r\n"
              "[General Settings]\r\n;note\r\nOther=x\r\nTaskBar=0\r\n");
    const Settings back = ReadSettings(used);
    EXPECT_EQ(back, (Settings{false, false, "", 12, ""}));
}

TEST(Settings, MenuHotkeyWrittenAfterTaskBarAndRemovedWhenCleared) {
    ProfileFile file = ProfileFile::FromText("[General Settings]\r\nMenuHotkey=Ctrl+M\r\nTaskBar=1\r\n");
    WriteSettings(file, Settings{true, true, "Verdana", 8, "Ctrl+Alt+Space"});
    EXPECT_EQ(file.Text(),
              "[General Settings]\r\nTaskBar=1\r\nMenuHotkey=Ctrl+Alt+Space\r\n"
              "[Font Settings]\r\nWindowsDraw=1\r\nFontName=Verdana\r\nFontSize=8\r\n");
    EXPECT_EQ(ReadSettings(file).MenuHotkey, "Ctrl+Alt+Space");
    WriteSettings(file, Settings{});
    EXPECT_EQ(file.Text(),
              "[General Settings]\r\nTaskBar=1\r\n"
              "[Font Settings]\r\nWindowsDraw=1\r\nFontName=Verdana\r\nFontSize=8\r\n");
}

}  // namespace
}  // namespace orbel
