#include "core/links/shortcut_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

#include "tests/core/store/shell_link_builder.h"

namespace orbel {
namespace {

namespace fs = std::filesystem;
using namespace test;

ShellLinkDescription Sentinel() {
    ShellLinkDescription d;
    d.target = "untouched";
    return d;
}

TEST(ShellLinkParse, ReadsAnsiAndUnicodeLinks) {
    for (const bool unicode : {false, true}) {
        ShellLinkDescription d;
        ASSERT_EQ(ParseShellLink(FullLink(unicode).Build(), d), kShellLinkOk) << unicode;
        // 8-bit text is read as Windows-1252.
        EXPECT_EQ(d.target, unicode ? "C:\\Ünï\\日本\\😀.exe" : "C:\\café\\€.exe");
        EXPECT_EQ(d.arguments, "-n \"a b\" Grüße");
        EXPECT_EQ(d.workingDirectory, "C:\\Work");
        EXPECT_EQ(d.description, "Editor");
        EXPECT_EQ(d.relativePath, "..\\editor.exe");
        EXPECT_EQ(d.iconLocation, "C:\\icons.dll");
        EXPECT_EQ(d.iconIndex, -3);
        EXPECT_EQ(d.showCommand, 3);
        EXPECT_EQ(d.hotKey, 0x0641);
        EXPECT_EQ(d.idList, kItems + Le(0, 2));
    }
}

TEST(ShellLinkParse, TargetSourcesAndShowCommand) {
    for (const LinkCase& c : TargetSourceCases()) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(c.link.Build(), d), c.result) << c.what;
        EXPECT_EQ(d.target, c.target) << c.what;
        EXPECT_EQ(d.showCommand, c.show) << c.what;
    }
}

// Targets that only the share or the id list hold; the links Windows made
// (below) cover the long names of the id list's extension blocks.
TEST(ShellLinkParse, ShareAndIdListTargets) {
    for (const LinkCase& c : ShareAndIdListCases()) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(c.link.Build(), d), c.result) << c.what;
        EXPECT_EQ(d.target, c.target) << c.what;
    }
}

TEST(ShellLinkParse, TruncatedHostileAndForeignInputFailsCleanly) {
    for (const bool unicode : {false, true}) {
        const Bytes full = FullLink(unicode).Build();
        for (std::size_t n = 0; n < full.size(); ++n) {
            ShellLinkDescription d = Sentinel();
            EXPECT_LT(ParseShellLink(std::string_view(full).substr(0, n), d), 0) << n;
            EXPECT_EQ(d.target, "untouched") << n;
        }
    }
    const auto edited = [](std::size_t at, char value) {
        Bytes b = FullLink(true).Build();
        b.at(at) = value;
        return b;
    };
    const std::size_t info = 0x4C + 2 + kItems.size() + 2;
    const std::pair<Bytes, int> cases[] = {
        {"[InternetShortcut]\r\nURL=x\r\n", kShellLinkNotALink},
        {edited(4, 2), kShellLinkNotALink},                // class id
        {edited(0, 0x4D), kShellLinkNotALink},             // header size
        {edited(0x4E, 1), kShellLinkMalformed},            // id item of size one
        {edited(0x4E, 0x30), kShellLinkMalformed},         // id item past its list
        {edited(0x4C, 6), kShellLinkMalformed},            // id list without terminator
        {edited(info + 3, 0x7F), kShellLinkMalformed},     // link info past the file
        {edited(info, 0x10), kShellLinkMalformed},         // link info smaller than a header
        {edited(info + 5, 0x10), kShellLinkMalformed},     // header larger than link info
        {edited(info + 0x1D, 0x50), kShellLinkMalformed},  // unicode base path outside
        {edited(info + 0x21, 0x50), kShellLinkMalformed},  // unicode suffix outside
        {edited(info + 0x10, 0x08), kShellLinkMalformed},  // 8-bit base path inside the header
    };
    for (const auto& [bytes, expected] : cases) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(bytes, d), expected) << bytes.size();
        EXPECT_EQ(d.target, "untouched");
    }
}

TEST(ShellLinkFile, ResolvesFilesAndAnchorsRelativeTargetsAtTheLink) {
    const fs::path dir = fs::temp_directory_path() / ("orbel-links-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir / "links");
    const auto write = [&](const char* name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    };
    Link relative;
    relative.strings[1] = "..\\bin\\tool.exe";
    ShellLinkDescription d;
    ASSERT_EQ(ResolveShellLink(write("links/tool.lnk", relative.Build()), d), kShellLinkOk);
    EXPECT_EQ(d.target, (dir / "bin" / "tool.exe").string());
    ASSERT_EQ(ResolveShellLink(write("links/full.lnk", FullLink(false).Build()), d), kShellLinkOk);
    EXPECT_EQ(d.target, "C:\\café\\€.exe");

    const std::pair<std::string, int> failures[] = {
        {(dir / "missing.lnk").string(), kShellLinkUnreadable},
        {(dir / "links").string(), kShellLinkUnreadable},
        {write("text.lnk", "not a link"), kShellLinkNotALink},
        {write("short.lnk", FullLink(false).Build().substr(0, 0x60)), kShellLinkMalformed},
    };
    for (const auto& [file, expected] : failures) {
        d = Sentinel();
        EXPECT_EQ(ResolveShellLink(file, d), expected) << file;
        EXPECT_EQ(d.target, "untouched") << file;
    }
    fs::remove_all(dir);
}

// Links made by Windows; the targets are those Windows reports for them
// (tests/data/lnk/README.md).
TEST(ShellLinkFile, ReadsLinksMadeByWindows) {
    struct Sample {
        const char* file;
        int result;
        std::string target;
    };
    const Sample samples[] = {
        {"invalid_date2.lnk", kShellLinkOk, "C:\\Windows\\system32\\cmd.exe"},
        {"unknown_block.lnk", kShellLinkOk, "C:\\Windows\\system32\\cmd.exe"},
        {"broken_link_info.lnk", kShellLinkOk, "C:\\Program Files\\xt\\xt.exe"},
        {"sample7.lnk", kShellLinkOk, "C:\\ProgramData\\VК_DJ\\VК_DJ.exe"},
        {"network_info.lnk", kShellLinkOk,
         "\\\\10.0.0.150\\LMmetal\\A - LM METAL LIFT\\01.OBCHOD - BROŽURY - Prodejní a technické informace o "
         "produktech\\ETN\\ETN-Katalog-ENG\\Katalog ETN 10_2017\\Lift-programme\\ETN-lift programme 2017.pdf"},
        {"sample3.lnk", kShellLinkNoFileSystemPath, "untouched"},
        {"unknown_target.lnk", kShellLinkNoFileSystemPath, "untouched"},
    };
    for (const Sample& s : samples) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ResolveShellLink(std::string(ORBEL_TEST_DATA_DIR "/lnk/") + s.file, d), s.result) << s.file;
        EXPECT_EQ(d.target, s.target) << s.file;
    }
}

}  // namespace
}  // namespace orbel
