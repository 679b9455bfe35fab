#include "core/store/shell_links.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

namespace orbel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::string;

Bytes Le(std::uint32_t v, int n)
{
    Bytes b;
    for (int i = 0; i < n; ++i)
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
}

Bytes Utf16(std::u16string_view s)
{
    Bytes b;
    for (const char16_t c : s)
        b += Le(c, 2);
    return b;
}

// LinkInfo with a local base path; unicode adds the larger header and UTF-16
// copies, which differ from the 8-bit ones so a test sees which are read.
Bytes LinkInfo(const Bytes& base, const Bytes& suffix, std::u16string_view baseU = {}, std::u16string_view suffixU = {})
{
    const bool unicode = !baseU.empty();
    const std::uint32_t header = unicode ? 0x24 : 0x1C;
    const Bytes volume = Le(0x11, 4) + Le(3, 4) + Le(0x1234ABCD, 4) + Le(0x10, 4) + '\0';
    Bytes tail = volume + base + '\0' + suffix + '\0';
    Bytes offsets = Le(header, 4) + Le(header + 0x11, 4) + Le(0, 4) + Le(header + 0x11 + base.size() + 1, 4);
    if (unicode) {
        offsets += Le(header + tail.size(), 4);
        tail += Utf16(baseU) + Le(0, 2);
        offsets += Le(header + tail.size(), 4);
        tail += Utf16(suffixU) + Le(0, 2);
    }
    return Le(header + tail.size(), 4) + Le(header, 4) + Le(1, 4) + offsets + tail;
}

struct Link {
    std::uint32_t flags = 0;  // bits beyond those the parts below imply
    std::uint32_t show = 1;
    std::optional<Bytes> idItems, info;
    // name, relative path, working dir, arguments, icon location: already
    // encoded characters, with the count the format wants.
    std::optional<Bytes> strings[5];
    Bytes Build() const
    {
        std::uint32_t f = flags | (idItems ? 0x1 : 0) | (info ? 0x2 : 0);
        Bytes body;
        if (idItems)
            body += Le(idItems->size() + 2, 2) + *idItems + Le(0, 2);
        if (info)
            body += *info;
        for (int i = 0; i < 5; ++i) {
            if (!strings[i])
                continue;
            f |= 0x4u << i;
            body += Le((f & 0x80) ? strings[i]->size() / 2 : strings[i]->size(), 2) + *strings[i];
        }
        return Le(0x4C, 4) + Bytes("\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 16) + Le(f, 4) + Le(0x20, 4) +
               Bytes(24, '\x11') + Le(99, 4) + Le(static_cast<std::uint32_t>(-3), 4) + Le(show, 4) +
               Le(0x0641, 2) + Bytes(10, '\0') + body;
    }
};

const Bytes kItems = Le(6, 2) + "\x1f\x50\x0A\x0B" + Le(6, 2) + "/C:\\";

Link FullLink(bool unicode)
{
    Link l;
    l.flags = unicode ? 0x80 : 0;
    l.show = 3;
    l.idItems = kItems;
    l.info = unicode ? LinkInfo("C:\\x\\", "y", u"C:\\Ünï\\日本\\", u"😀.exe") : LinkInfo("C:\\caf\xE9\\", "\x80.exe");
    const char16_t* texts[] = {u"Editor", u"..\\editor.exe", u"C:\\Work", u"-n \"a b\" Grüße", u"C:\\icons.dll"};
    for (int i = 0; i < 5; ++i) {
        Bytes ansi;
        for (const char16_t* c = texts[i]; *c; ++c)
            ansi += static_cast<char>(*c == u'ü' ? 0xFC : *c == u'ß' ? 0xDF : *c);
        l.strings[i] = unicode ? Utf16(texts[i]) : ansi;
    }
    return l;
}

ShellLinkDescription Sentinel()
{
    ShellLinkDescription d;
    d.target = "untouched";
    return d;
}

// Item id list parts: "Computer", a named drive, file entries (class 0x31
// folder, 0x32 file, 0x36 file with a UTF-16 name) whose own name comes first.
Bytes Item(const Bytes& body) { return Le(body.size() + 2, 2) + body; }
const Bytes kComputer = Item(Bytes("\x1f\x50\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 18));
Bytes Drive(char cls, const Bytes& name) { return Item(cls + (name + Bytes(20, '\0')).substr(0, 20) + Le(0, 2)); }
Bytes Entry(char cls, const Bytes& name) { return Item(cls + Bytes(11, '\0') + name + Bytes(name.size() % 2 ? 1 : 2, '\0')); }

// Share name and common suffix in a link info; with UTF-16 copies when given.
Bytes NetworkInfo(const Bytes& share, const Bytes& suffix, std::u16string_view shareU = {}, std::u16string_view suffixU = {})
{
    const bool unicode = !shareU.empty();
    const std::uint32_t header = unicode ? 0x24 : 0x1C;
    const std::uint32_t linkHeader = unicode ? 0x1C : 0x14;
    Bytes names = share + '\0';
    Bytes linkOffsets = Le(linkHeader, 4) + Le(0, 4) + Le(0x20000, 4);
    if (unicode) {
        linkOffsets += Le(linkHeader + names.size(), 4) + Le(0, 4);
        names += Utf16(shareU) + Le(0, 2);
    }
    const Bytes link = Le(linkHeader + names.size(), 4) + Le(2, 4) + linkOffsets + names;
    Bytes tail = link + suffix + '\0';
    Bytes offsets = Le(0, 4) + Le(0, 4) + Le(header, 4) + Le(header + link.size(), 4);
    if (unicode) {
        offsets += Le(0, 4) + Le(header + tail.size(), 4);
        tail += Utf16(suffixU) + Le(0, 2);
    }
    return Le(header + tail.size(), 4) + Le(header, 4) + Le(2, 4) + offsets + tail;
}

TEST(ShellLinkParse, ReadsAnsiAndUnicodeLinks)
{
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

TEST(ShellLinkParse, TargetSourcesAndShowCommand)
{
    Bytes network = LinkInfo("C:\\x\\", "y");
    network[8] = 2;  // a network location only
    struct Case {
        const char* what;
        std::optional<Bytes> info;
        std::uint32_t flags, show;
        std::optional<Bytes> relative;
        int result;
        std::string target;
        int show_out;
    };
    const Case cases[] = {
        {"local path wins", LinkInfo("C:\\a\\", "b.exe"), 0, 7, "other", kShellLinkOk, "C:\\a\\b.exe", 7},
        {"no link info", std::nullopt, 0, 5, "..\\bin\\t.exe", kShellLinkOk, "..\\bin\\t.exe", 1},
        {"link info ignored", LinkInfo("C:\\a\\", "b"), 0x100, 0, "r", kShellLinkOk, "r", 1},
        {"network only", network, 0, 1, "r", kShellLinkOk, "r", 1},
        {"utf-8 kept, stops at NUL", std::nullopt, 0, 1, Bytes("déjà\0 x", 8), kShellLinkOk, "déjà", 1},
        {"no target", std::nullopt, 0, 1, std::nullopt, kShellLinkNoTarget, "untouched", 0},
        {"empty relative path", std::nullopt, 0, 1, "", kShellLinkNoTarget, "untouched", 0},
    };
    for (const Case& c : cases) {
        Link l;
        l.info = c.info;
        l.flags = c.flags;
        l.show = c.show;
        l.strings[1] = c.relative;
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(l.Build(), d), c.result) << c.what;
        EXPECT_EQ(d.target, c.target) << c.what;
        EXPECT_EQ(d.showCommand, c.show_out) << c.what;
    }
}

// Targets that only the share or the id list hold; the links Windows made
// (below) cover the long names of the id list's extension blocks.
TEST(ShellLinkParse, ShareAndIdListTargets)
{
    const Bytes cDrive = kComputer + Drive('\x2f', "C:\\");
    Bytes badShare = NetworkInfo("\\\\srv\\s", "x");
    badShare[0x14] = 0x7F;  // the share structure lies outside the link info
    struct Case {
        const char* what;
        std::optional<Bytes> info, idItems, relative;
        int result;
        std::string target;
    };
    const Case cases[] = {
        {"share and suffix", NetworkInfo("\\\\srv\\docs", "a\\b.txt"), cDrive, "r", kShellLinkOk,
         "\\\\srv\\docs\\a\\b.txt"},
        {"UTF-16 share", NetworkInfo("\\\\x", "y", u"\\\\srv\\Grüße", u"日本.txt"), std::nullopt, std::nullopt,
         kShellLinkOk, "\\\\srv\\Grüße\\日本.txt"},
        {"damaged share leaves the id list", badShare, cDrive + Entry('\x32', "A.TXT"), std::nullopt, kShellLinkOk,
         "C:\\A.TXT"},
        {"names without extension blocks", std::nullopt,
         cDrive + Entry('\x31', "Program Files") + Entry('\x36', Utf16(u"Ünï.exe")), "r", kShellLinkOk,
         "C:\\Program Files\\Ünï.exe"},
        {"drive alone", std::nullopt, kComputer + Drive('\x23', "d:"), std::nullopt, kShellLinkOk, "d:\\"},
        {"device under Computer, relative path", std::nullopt, kComputer + Drive('\x2e', "C:\\"), "r", kShellLinkOk, "r"},
        {"device under Computer", std::nullopt, kComputer + Drive('\x2e', "C:\\"), std::nullopt,
         kShellLinkNoFileSystemPath, "untouched"},
        {"drive without Computer", std::nullopt, Drive('\x2f', "C:\\") + Entry('\x32', "A.TXT"), std::nullopt,
         kShellLinkNoFileSystemPath, "untouched"},
        {"name climbing out", std::nullopt, cDrive + Entry('\x31', "..") + Entry('\x32', "A.TXT"), std::nullopt,
         kShellLinkNoFileSystemPath, "untouched"},
        {"name with a separator", std::nullopt, cDrive + Entry('\x32', "a\\b"), std::nullopt,
         kShellLinkNoFileSystemPath, "untouched"},
    };
    for (const Case& c : cases) {
        Link l;
        l.info = c.info;
        l.idItems = c.idItems;
        l.strings[1] = c.relative;
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(l.Build(), d), c.result) << c.what;
        EXPECT_EQ(d.target, c.target) << c.what;
    }
}

TEST(ShellLinkParse, TruncatedHostileAndForeignInputFailsCleanly)
{
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
        {edited(4, 2), kShellLinkNotALink},                       // class id
        {edited(0, 0x4D), kShellLinkNotALink},                    // header size
        {edited(0x4E, 1), kShellLinkMalformed},                   // id item of size one
        {edited(0x4E, 0x30), kShellLinkMalformed},                // id item past its list
        {edited(0x4C, 6), kShellLinkMalformed},                   // id list without terminator
        {edited(info + 3, 0x7F), kShellLinkMalformed},            // link info past the file
        {edited(info, 0x10), kShellLinkMalformed},                // link info smaller than a header
        {edited(info + 5, 0x10), kShellLinkMalformed},            // header larger than link info
        {edited(info + 0x1D, 0x50), kShellLinkMalformed},         // unicode base path outside
        {edited(info + 0x21, 0x50), kShellLinkMalformed},         // unicode suffix outside
        {edited(info + 0x10, 0x08), kShellLinkMalformed},         // 8-bit base path inside the header
    };
    for (const auto& [bytes, expected] : cases) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(bytes, d), expected) << bytes.size();
        EXPECT_EQ(d.target, "untouched");
    }
}

TEST(ShellLinkFile, ResolvesFilesAndAnchorsRelativeTargetsAtTheLink)
{
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
TEST(ShellLinkFile, ReadsLinksMadeByWindows)
{
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
